#include "compiler/check/avvisi_orario.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/cp1252.h"
#include "compiler/check/avvisi.h"
#include "compiler/format/formato.h"
#include "compiler/marcia/guasti_orario.h"
#include "compiler/marcia/linea_da_modello.h"
#include "compiler/marcia/marcia.h"
#include "compiler/route_model/misure.h"

namespace scenario {

namespace {

// The station record's hours, minutes and seconds: the three values of its
// time, one place when they stand on one line.
luogo campo_orario(const contesto_check& c, std::int32_t record) {
  const auto& campi = descrizione(tipo_record::stazione).campi;
  const auto ore = std::find_if(campi.begin(), campi.end(),
                                [](const descrizione_campo& d) { return d.nome == "ore"; });
  const int i = static_cast<int>(ore - campi.begin());
  luogo l = c.di_record(record, i);
  const luogo secondi = c.di_record(record, i + 2);
  if (secondi.riga == l.riga && secondi.colonna >= l.colonna) {
    l.lunghezza = secondi.colonna + secondi.lunghezza - l.colonna;
  }
  return l;
}

id_diagnostica id_di(tipo_guasto_orario t) {
  switch (t) {
    case tipo_guasto_orario::non_dopo_precedente:
      return id_diagnostica::time_not_after_previous;
    case tipo_guasto_orario::sezione_troppo_breve:
      return id_diagnostica::section_too_short;
    case tipo_guasto_orario::fuori_giornata:
      break;
  }
  return id_diagnostica::time_outside_day;
}

// What to change: the catalogue's fix of the warning, ended by the message.
std::string_view rimedio(tipo_guasto_orario t) {
  std::string_view r = dal_catalogo(id_di(t)).rimedio;
  if (r.ends_with('.')) r.remove_suffix(1);
  return r;
}

std::string rimedio(tipo_impedimento t) {
  switch (t) {
    case tipo_impedimento::limite_zero:
      return "Give a speed above 0 km/h";
    case tipo_impedimento::senza_aderenza:
      return "Give an adhesion above 0";
    case tipo_impedimento::stallo:
      return "Ease the gradient, or give the train more tractive effort in its train model";
    case tipo_impedimento::senza_treno:
      return "Give the number of cars, or \"massa_t\" and \"lunghezza_m\" in the train model";
    case tipo_impedimento::senza_frenatura:
      return "Give a braked mass above 0 per cent";
    case tipo_impedimento::stazioni_fuori_ordine:
    case tipo_impedimento::poche_stazioni:
      break;
  }
  return "Put the stations in running order";
}

// The cell of metre x (cell i covers 50 i to 50 i + 50), within the model.
std::optional<std::size_t> cella_del_metro(const risultato_compilazione& r, double x) {
  if (r.modello.celle.empty() || r.sorgenti.celle.size() != r.modello.celle.size()) return {};
  const double ultima = static_cast<double>(r.modello.celle.size() - 1);
  return static_cast<std::size_t>(std::clamp(std::floor(x / metri_per_cella), 0.0, ultima));
}

// The value (after the position) of the slowdown that begins last at or
// before metre x: its start cell's object is the slowdown's record.
luogo rallentamento_a(const contesto_check& c, const risultato_compilazione& r, double x) {
  std::int32_t record = nessun_record;
  for (std::size_t i = 0; i < r.modello.celle.size(); ++i) {
    if (static_cast<double>(posizione_oggetto(static_cast<std::int64_t>(i))) > x) break;
    if (r.modello.celle[i].tipo == tipo_cella::inizio_rallentamento) {
      record = r.sorgenti.celle[i].oggetto;
    }
  }
  return c.di_record(record, 1);
}

// Where the reason the run cannot be timed stands in the texts: the value
// at fault, when the calculation names a place that has a record.
luogo luogo_impedimento(const impedimento_marcia& i, const linea_marcia& l, const contesto_check& c,
                        const risultato_compilazione& r) {
  const auto ultimo = [&](tipo_record t) {
    return c.di_record(r.sorgenti.ultimo[static_cast<std::size_t>(t)], 0);
  };
  const std::optional<std::size_t> k = cella_del_metro(r, i.posizione);
  switch (i.tipo) {
    case tipo_impedimento::limite_zero:
      if (!k) break;
      // The line's limit is above 0 there: the 0 km/h is a slowdown's.
      if (r.modello.celle[*k].velocita != 0) return rallentamento_a(c, r, i.posizione);
      return c.di_record(r.sorgenti.celle[*k].velocita, 1);
    case tipo_impedimento::senza_aderenza:
      if (k) return c.di_record(r.sorgenti.celle[*k].aderenza, 1);
      break;
    case tipo_impedimento::stallo:
      if (k) return c.di_record(r.sorgenti.celle[*k].pendenza, 1);
      break;
    case tipo_impedimento::senza_treno:
      return ultimo(tipo_record::numero_vetture);
    case tipo_impedimento::senza_frenatura:
      return ultimo(tipo_record::massa_frenata);
    case tipo_impedimento::stazioni_fuori_ordine:
      for (std::size_t s = 1; s < l.stazioni.size(); ++s) {
        if (!(l.stazioni[s].posizione > l.stazioni[s - 1].posizione)) {
          return c.di_record(l.stazioni[s].record, 0);
        }
      }
      break;
    case tipo_impedimento::poche_stazioni:
      break;
  }
  return {};
}

// A limit or adhesion of 0 in cells before the profile's first record:
// no-speed-at-zero and no-adhesion-at-zero already say so.
bool gia_detto(const impedimento_marcia& i, const risultato_compilazione& r) {
  const std::optional<std::size_t> k = cella_del_metro(r, i.posizione);
  if (!k) return false;
  const origine_cella& o = r.sorgenti.celle[*k];
  return (i.tipo == tipo_impedimento::limite_zero && r.modello.celle[*k].velocita == 0 &&
          o.velocita == nessun_record) ||
         (i.tipo == tipo_impedimento::senza_aderenza && o.aderenza == nessun_record);
}

// A run that cannot be timed: one warning with the reason, at the value at
// fault, else at the first station's time (the timetable it leaves
// unchecked), else at the service file as a whole.
diagnostica non_calcolabile(const impedimento_marcia& i, const linea_marcia& l,
                            const contesto_check& c, const risultato_compilazione& r) {
  luogo dove = luogo_impedimento(i, l, c, r);
  if (dove.riga <= 0) {
    const auto prima = std::find_if(l.stazioni.begin(), l.stazioni.end(),
                                    [](const stazione_marcia& s) { return s.orario.has_value(); });
    if (prima != l.stazioni.end()) dove = campo_orario(c, prima->record);
  }
  if (dove.riga <= 0) dove = {file_sorgente::servizio, 0, 0, 0};
  return avviso(id_diagnostica::run_not_timed, dove,
                cp1252_to_utf8(i.testo) +
                    ", so the train's run cannot be timed and the timetable is not checked. " +
                    rimedio(i.tipo));
}

// The fastest run of the line and train, without the run itself (a
// checker needs the stations' times and the sections). The last one is kept:
// an editor checks the texts again at every keystroke, and most leave the
// line and the train as they were (a run of the longest route costs some
// milliseconds, the comparison microseconds).
const esito_marcia& marcia_di(const linea_marcia& l, const modello_treno& treno) {
  struct ultima {
    linea_marcia linea;
    modello_treno treno;
    esito_marcia esito;
  };
  thread_local std::optional<ultima> u;
  if (!u || u->linea != l || u->treno != treno) {
    opzioni_marcia o;
    o.corsa = false;
    u.emplace(ultima{l, treno, calcola_marcia(l, treno, o)});
  }
  return u->esito;
}

}  // namespace

void avvisi_orario(const risultato_compilazione& r, const contesto_check& c,
                   const modello_treno& treno, std::vector<diagnostica>& out) {
  const linea_marcia l = linea_da_modello(r.modello, r.sorgenti);
  const esito_marcia& e = marcia_di(l, treno);
  // Fewer than two stations: no run, and no timetable to judge.
  if (e.impedimento && e.impedimento->tipo != tipo_impedimento::poche_stazioni &&
      !gia_detto(*e.impedimento, r)) {
    out.push_back(non_calcolabile(*e.impedimento, l, c, r));
  }
  const std::vector<guasto_orario> guasti = guasti_orario(l, &e);
  for (const guasto_orario& g : guasti) {
    const auto stessa_stazione = [&](tipo_guasto_orario t) {
      return std::find_if(guasti.begin(), guasti.end(), [&](const guasto_orario& h) {
        return h.stazione == g.stazione && h.tipo == t;
      });
    };
    // A time not after the previous one makes its section too short as
    // well: one warning, which gives the section's figure too.
    if (g.tipo == tipo_guasto_orario::sezione_troppo_breve &&
        stessa_stazione(tipo_guasto_orario::non_dopo_precedente) != guasti.end()) {
      continue;
    }
    std::string testo = cp1252_to_utf8(testo_guasto_orario(l, g));
    if (g.tipo == tipo_guasto_orario::non_dopo_precedente) {
      const auto sezione = stessa_stazione(tipo_guasto_orario::sezione_troppo_breve);
      if (sezione != guasti.end()) {
        testo += "; the " + std::to_string(std::llround(sezione->distanza)) +
                 " m from there need at least " +
                 durata(static_cast<std::int64_t>(std::ceil(sezione->tempo_minimo)));
      }
    }
    const stazione_marcia& s = l.stazioni[g.stazione];
    diagnostica d = avviso(id_di(g.tipo), campo_orario(c, s.record),
                           testo + ". " + std::string(rimedio(g.tipo)));
    if (g.precedente) {
      const stazione_marcia& p = l.stazioni[*g.precedente];
      d.correlate.push_back({campo_orario(c, p.record), "the time of " + cp1252_to_utf8(p.nome) +
                                                            ", " + hh_mm_ss(g.orario_precedente)});
    }
    out.push_back(std::move(d));
  }
}

}  // namespace scenario
