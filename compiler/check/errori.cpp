#include "compiler/check/errori.h"

#include <string>

#include "compiler/check/avvisi.h"
#include "compiler/readers/lettore_campi.h"
#include "compiler/readers/tipi_record.h"

namespace scenario {

namespace {

// The record's keyword as the author wrote it.
std::string chiave(const guasto& g, const contesto_check& c) {
  const record_letto* r = c.s.trova(g.record);
  if (r == nullptr) return descrizione(g.tipo).parola_chiave.data();
  return c.citazione(r->file, r->chiave);
}

// The text of value `campo` of the fault's record.
std::string valore(const guasto& g, const contesto_check& c, int campo) {
  const record_letto* r = c.s.trova(g.record);
  if (r == nullptr) return {};
  const bool valore = campo >= 0 && static_cast<std::size_t>(campo) < r->valori.size();
  return c.citazione(r->file, valore ? r->valori[static_cast<std::size_t>(campo)] : r->chiave);
}

std::string virgolette(const std::string& s) {
  return "'" + s + "'";
}

// The two multiples of `passo` around the value v.
std::string multipli_vicini(std::int64_t v, std::int64_t passo) {
  std::int64_t giu = v / passo * passo;
  if (v < 0 && giu != v) giu -= passo;
  return std::to_string(giu) + " or " + std::to_string(giu + passo);
}

// What the cell holds, as a sentence tail and as a related place.
void cella_presa(diagnostica& d, const guasto& g, const contesto_check& c) {
  if (g.cella < 0) return;
  d.messaggio += cella_in_parole(g.cella) + ", which already holds " +
                 c.oggetto(g.tipo_occupante, g.record_occupante, g.regola_occupante);
  if (const record_letto* r = c.s.trova(g.record_occupante)) {
    d.correlate.push_back({c.di_campo(r->file, r->chiave),
                           cella_in_parole(g.cella) + " is taken by " +
                               c.oggetto(g.tipo_occupante, nessun_record, g.regola_occupante) +
                               " of this record"});
  }
}

std::string intervallo(tipo_valore t) {
  switch (t) {
    case tipo_valore::byte_8:
      return "a Byte, 0 to 255";
    case tipo_valore::integer_16:
      return "an Integer, -32768 to 32767";
    default:
      return "a Long, -2147483648 to 2147483647";
  }
}

// The value field `campo` of a record kind, if it has one.
const descrizione_campo* campo_di(tipo_record t, int campo) {
  const auto campi = descrizione(t).campi;
  if (campo < 0 || static_cast<std::size_t>(campo) >= campi.size()) return nullptr;
  return &campi[static_cast<std::size_t>(campo)];
}

// Code 25: why the reading failed.
void lettura_fallita(diagnostica& d, const guasto& g, const contesto_check& c, bool dopo_arresto) {
  const std::string kw = g.ha_record ? virgolette(chiave(g, c)) : "";
  const motivo_guasto motivo = g.motivo.value_or(motivo_guasto::fine_file);
  switch (motivo) {
    case motivo_guasto::fine_file: {
      d.id = id_diagnostica::record_cut_short;
      if (!g.ha_record) {
        d.messaggio = c.testo(g.file).empty()
                          ? std::string("the file is empty")
                          : std::string("the file ends where the reader still expects a field");
        break;
      }
      const std::size_t attesi = descrizione(g.tipo).campi.size();
      d.messaggio = "the file ends inside this " + kw + " record: it takes " +
                    std::to_string(attesi) + " values and " + std::to_string(g.campo) +
                    " were found. Write every value of the record on its line";
      break;
    }
    case motivo_guasto::numero_fuori_intervallo: {
      d.id = id_diagnostica::number_out_of_range;
      const descrizione_campo* f = g.ha_record ? campo_di(g.tipo, g.campo) : nullptr;
      d.messaggio = virgolette(c.citazione(d.dove)) + " does not fit " +
                    (f != nullptr ? "`" + std::string(f->nome) + "`, " + intervallo(f->tipo)
                                  : std::string("the number's type")) +
                    ". Give a value in that range";
      break;
    }
    case motivo_guasto::cella_fuori:
      d.id = id_diagnostica::outside_route_model;
      d.messaggio = "this " + kw + " record writes a cell outside the route model";
      if (g.tipo == tipo_record::segnale) {
        d.messaggio +=
            ": a signal marks the four cells 100 to 400 m before it, so it must stand at 350 m "
            "or more";
      } else if (g.tipo == tipo_record::rallentamento) {
        d.messaggio += ": its end (start plus length) or its warning cells lie outside the line";
      } else if (g.tipo == tipo_record::montagna) {
        d.messaggio += ": its end lies past the last cell. Keep the span inside the line";
      } else if (g.tipo == tipo_record::pendenza || g.tipo == tipo_record::velocita ||
                 g.tipo == tipo_record::aderenza) {
        d.messaggio +=
            ": every such record fills at least one cell, and the cells are used up. Keep the "
            "records in increasing order of position";
      } else {
        d.messaggio += ". Keep it inside the line";
      }
      break;
    case motivo_guasto::punto_fuori:
      if (g.tipo == tipo_record::curva && g.ha_record) {
        d.id = id_diagnostica::curve_past_geometry;
        d.messaggio =
            "this curve runs past the last point of the plan geometry (the line length plus "
            "7000 m). Shorten the curve or make \"lunghezza percorso\" longer";
      } else {
        d.id = id_diagnostica::no_route_model;
        d.messaggio =
            "the general section gives no \"lunghezza percorso\", so no route model is built "
            "and nothing is written. Add \"lunghezza percorso, LENGTH\" to \"[generale]\"";
      }
      break;
    case motivo_guasto::overflow_long:
      d.id = id_diagnostica::long_overflow;
      // Outside any record: the kilometric series' origins, sorted after the
      // general section.
      d.messaggio = (g.ha_record ? "a value of this " + kw + " record" : std::string("a value")) +
                    " is so large that a sum over it overflows a Long. Give smaller values";
      break;
    case motivo_guasto::modello_assente:
      d.id = id_diagnostica::no_route_model;
      d.messaggio = "this " + kw +
                    " record comes before any \"lunghezza percorso\": the general section must "
                    "give the line length first, or no route model is built and nothing is "
                    "written";
      break;
    case motivo_guasto::dimensione_negativa:
      d.id = id_diagnostica::negative_length;
      d.messaggio = "\"lunghezza percorso\" " + virgolette(valore(g, c, 0)) +
                    " gives a route model of negative size. Give a length of 0 or more";
      break;
    case motivo_guasto::troppe_montagne:
      d.id = id_diagnostica::too_many_spans;
      d.messaggio = "this is the 81st mountain span; a line holds 80 at most";
      break;
    case motivo_guasto::troppi_cartelli:
      d.id = id_diagnostica::too_many_boards;
      d.messaggio = "this is the 81st indication board; a line holds 80 at most";
      break;
    case motivo_guasto::velocita_fuori_byte:
      d.id = id_diagnostica::speed_too_high;
      d.messaggio = "the speed limit " + virgolette(valore(g, c, 1)) +
                    " km/h does not fit a cell, which keeps 0 to 1275 km/h in steps of 5";
      break;
    case motivo_guasto::file_mancante:
      d.id = id_diagnostica::service_file_missing;
      d.messaggio = "the service file is missing or cannot be read";
      break;
    case motivo_guasto::file_inaccessibile:
      d.id = id_diagnostica::file_not_deleted;
      d.messaggio = "the description file could not be deleted once read";
      break;
  }
  d.messaggio += dopo_arresto ? " (code 25; the compile step stopped reading at an earlier fault)"
                              : " (code 25: the compile step stops reading here)";
}

// Codes 11 to 13: a marker of the placement pass found no room.
void marcatore_senza_posto(diagnostica& d, const guasto& g, const contesto_check& c) {
  switch (g.regola) {
    case regola_posa::segnale_prima_avviso:
      d.id = id_diagnostica::signal_marker_no_room;
      d.messaggio =
          "this signal stands less than 1000 m before a slowdown's warning board, so a marker "
          "goes into one of the two cells before it; neither is free: ";
      break;
    case regola_posa::prima_inizio:
      d.id = id_diagnostica::approach_marker_no_room;
      d.messaggio =
          "a slowdown gets markers 250-350 m, 550-650 m and 900-1000 m before its start; the "
          "three cells of one group are all taken: ";
      break;
    case regola_posa::lungo_rallentamento:
      d.id = id_diagnostica::slowdown_marker_no_room;
      d.messaggio =
          "a slowdown slower than 110 km/h gets a marker every 400 m along it; at one of them "
          "the cell and its two neighbours are all taken: ";
      break;
    default:
      d.id = id_diagnostica::signal_after_slowdown_no_room;
      d.messaggio =
          "the first signal within 600 m after this slowdown's end gets a marker just before "
          "it; neither of the two cells before the signal is free: ";
  }
  cella_presa(d, g, c);
  d.messaggio += ". Move the slowdown or the objects near it";
}

}  // namespace

diagnostica diagnostica_guasto(const guasto& g, const contesto_check& c, bool dopo_arresto) {
  diagnostica d;
  d.dove = g.file != file_sorgente::nessuno ? c.di_campo(g.file, g.dove) : luogo{};
  const std::string kw = g.ha_record ? virgolette(chiave(g, c)) : "";
  switch (g.codice_guasto) {
    case codice::lunghezza_eccessiva:
      d.id = id_diagnostica::line_too_long;
      d.messaggio = "the line is " + valore(g, c, 0) +
                    " m long, more than the 1000000 m a route can have, so no route model is "
                    "built. Give a length of at most 1000000";
      break;
    case codice::progressiva_fuori_griglia:
      d.id = id_diagnostica::series_off_grid;
      d.messaggio = "the kilometric series " + kw + (g.campo == 0 ? " starts at " : " has ") +
                    virgolette(valore(g, c, g.campo)) + (g.campo == 0 ? " m" : " as its origin") +
                    ", not a multiple of 50. Round it to " +
                    multipli_vicini(valore_numero(valore(g, c, g.campo)).value_or(0), 50);
      break;
    case codice::inizio_zona_fuori_griglia:
      d.id = id_diagnostica::zone_start_off_grid;
      d.messaggio = "the coded signal zone starts at " + valore(g, c, 0) +
                    " m, not a multiple of 50. Move its start to a multiple of 50";
      break;
    case codice::fine_zona_fuori_griglia:
      d.id = id_diagnostica::zone_end_off_grid;
      d.messaggio = "the coded signal zone ends at " + valore(g, c, 1) +
                    " m, not a multiple of 50. Move its end to a multiple of 50, or write 0 for "
                    "no zone";
      break;
    case codice::numero_codici_mancante:
      d.id = id_diagnostica::zone_codes_missing;
      d.messaggio = "the keyword " + kw +
                    " names neither 4 nor 9 codes. Write \"ripetizione segnali 4 codici\" or "
                    "\"ripetizione segnali 9 codici\"";
      break;
    case codice::cartello_cella_occupata:
      d.id = id_diagnostica::board_cell_taken;
      d.messaggio = "this indication board goes into ";
      cella_presa(d, g, c);
      d.messaggio += ". Move the board to a free cell";
      break;
    case codice::abbattimento_cella_occupata:
      d.id = id_diagnostica::abbattimento_cell_taken;
      d.messaggio = "this \"abbattimento\" goes into ";
      cella_presa(d, g, c);
      d.messaggio += ". Move it to a free cell";
      break;
    case codice::stazione_fuori_griglia:
      d.id = id_diagnostica::station_off_grid;
      d.messaggio = "the station's axis at " + valore(g, c, 0) +
                    " m is not a multiple of 50. Move it to " +
                    multipli_vicini(g.posizione_errore.value_or(0), 50);
      break;
    case codice::lunghezza_stazione_errata: {
      d.id = id_diagnostica::station_length;
      const std::string l = valore(g, c, 2);
      d.messaggio = "the station's length " + l + " m is not a multiple of 100. Give " +
                    multipli_vicini(valore_numero(l).value_or(0), 100);
      break;
    }
    case codice::posti_stazioni_esauriti:
      d.id = id_diagnostica::too_many_stations;
      d.messaggio = "station " + std::to_string(g.valore_a) + " and the " +
                    std::to_string(g.valore_b) +
                    " indication boards use up the 78 item slots they share. Remove stations or "
                    "indication boards";
      break;
    case codice::marcatore_segnale_senza_posto:
    case codice::marcatore_avvicinamento_senza_posto:
    case codice::marcatore_rallentamento_senza_posto:
      marcatore_senza_posto(d, g, c);
      break;
    case codice::fuori_dalle_celle: {
      d.id = id_diagnostica::outside_route;
      const bool stazione = g.tipo == tipo_record::stazione;
      const std::int64_t limite =
          metri_di_cella(c.m.n_celle) - (stazione ? margine_stazione : margine_record);
      d.messaggio = "the position " + valore(g, c, 0) + " m lies past the end of the route (" +
                    std::to_string(limite) + " m for " + (stazione ? "a station" : "this record") +
                    ": the line length plus 7000 m, less " +
                    std::to_string(stazione ? margine_stazione : margine_record) +
                    " m), and the compile step skips the rest of this file. Move the record "
                    "inside the line, or make \"lunghezza percorso\" longer";
      break;
    }
    case codice::segnale_cella_occupata:
      d.id = id_diagnostica::signal_cell_taken;
      d.messaggio = "this signal goes into ";
      cella_presa(d, g, c);
      d.messaggio += ". Move the signal to a free cell";
      break;
    case codice::avviso_cella_occupata:
      d.id = id_diagnostica::warning_cell_taken;
      d.messaggio = "this slowdown's warning board, 1200 m before its start, goes into ";
      cella_presa(d, g, c);
      d.messaggio += ". Move the slowdown or that object";
      break;
    case codice::inizio_rallentamento_cella_occupata:
      d.id = id_diagnostica::slowdown_start_cell_taken;
      d.messaggio = "this slowdown starts in ";
      cella_presa(d, g, c);
      d.messaggio += ". Move the slowdown's start to a free cell";
      break;
    case codice::fine_rallentamento_cella_occupata:
      d.id = id_diagnostica::slowdown_end_cell_taken;
      d.messaggio = "this slowdown ends (start plus length) in ";
      cella_presa(d, g, c);
      d.messaggio += ". Change its start or length so that it ends in a free cell";
      break;
    case codice::approccio_cella_occupata:
      d.id = id_diagnostica::approach_cell_taken;
      d.messaggio = "the four cells just before this slowdown's warning board must be free, but ";
      cella_presa(d, g, c);
      d.messaggio += ". Move the slowdown, or write 0 as its fifth value (f_ta)";
      break;
    case codice::indicatore_cella_occupata:
      d.id = id_diagnostica::speed_board_cell_taken;
      d.messaggio = "this speed board goes into ";
      cella_presa(d, g, c);
      d.messaggio += ". Move the board to a free cell";
      break;
    case codice::stazioni_troppo_vicine:
      d.id = id_diagnostica::stations_too_close;
      d.messaggio = "this station's area starts at " + metri(g.valore_a) +
                    ", less than 350 m after the previous station's area ends at " +
                    metri(g.valore_b) +
                    ". List the stations in order along the line, 350 m or more apart";
      if (const record_letto* r = c.s.trova(g.record_occupante)) {
        d.correlate.push_back({c.di_campo(r->file, r->chiave), "the previous station"});
      }
      break;
    case codice::fine_stazione_troppo_presto:
      d.id = id_diagnostica::station_too_early;
      d.messaggio = "this station's area ends at " + metri(g.valore_a) +
                    ", at or before 100 m, so it has no end cell. Move the station further "
                    "along the line";
      break;
    case codice::errore_lettura:
      lettura_fallita(d, g, c, dopo_arresto);
      break;
    case codice::file_linea_mancante:
      d.id = id_diagnostica::line_file_missing;
      d.messaggio = "the line description file does not exist";
      break;
    case codice::generale_mancante:
      d.id = id_diagnostica::no_general_section;
      d.dove = {file_sorgente::linea, 1, 1, 0};
      {
        const std::string persi =
            record_non_letti(c.testo(file_sorgente::linea), file_sorgente::linea);
        d.messaggio =
            "the file has no \"[generale]\" section before its last line, so no route "
            "model is built" +
            (persi.empty() ? std::string() : " (" + persi + " are read)") +
            ". Begin the file with the line \"[generale]\"";
      }
      break;
    case codice::curva_non_valida:
      d.id = id_diagnostica::bad_curve;
      d.messaggio = g.campo < 0 ? "the curve keyword " + kw +
                                      " has no class digit 1 to 6. Write \"curva\", the side "
                                      "\"d\" or \"s\" and the class, e.g. \"curvad4\""
                                : std::string(
                                      "the plan geometry would pass 1000000 points "
                                      "here. Keep the curves inside 1000000 m");
      break;
    case codice::slot_marcatori_occupato:
    case codice::slot_codici_occupato: {
      const bool marcatori = g.codice_guasto == codice::slot_marcatori_occupato;
      d.id = marcatori ? id_diagnostica::reserved_marker_slot : id_diagnostica::reserved_code_slot;
      d.messaggio = "cell 1, where objects less than 25 m from the origin go, holds " +
                    c.oggetto(g.tipo_occupante, g.record_occupante, g.regola_occupante) +
                    " with a " + (marcatori ? "first" : "second") +
                    " value, but that value is reserved: no binary file is written (Errore n. " +
                    std::to_string(numero(g.codice_guasto)) +
                    "). Move the object to 50 m or further";
      if (c.s.trova(g.record_occupante) != nullptr) {
        // At the position that put the object there.
        d.dove = c.di_record(g.record_occupante, 0);
      }
      break;
    }
    case codice::nessuno:
      break;
  }
  // A value read from another line than its record's keyword.
  if (const record_letto* r = c.s.trova(g.record);
      r != nullptr && d.dove.file == r->file && d.dove.riga != r->chiave.riga && d.dove.riga > 0) {
    d.correlate.push_back(
        {c.di_campo(r->file, r->chiave), "the value is read for the \"" +
                                             std::string(descrizione(r->tipo).parola_chiave) +
                                             "\" record that begins here"});
  }
  return d;
}

}  // namespace scenario
