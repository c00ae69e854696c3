#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "base/cp1252.h"
#include "compiler/check/avvisi.h"
#include "compiler/format/codifica_celle.h"
#include "compiler/route_model/misure.h"

namespace scenario {

namespace {

bool blank(char c) {
  return c == ' ' || c == '\t';
}
bool fine_riga(char c) {
  return c == '\r' || c == '\n';
}

// One record's values, as the reader read them.
class valori_record {
 public:
  valori_record(const contesto_check& c, const record_letto& r) : c_(c), r_(r) {}

  std::size_t quanti() const { return r_.valori.size(); }
  std::string_view testo(std::size_t i) const {
    const campo_testo& f = r_.valori[i];
    return c_.testo(r_.file).substr(f.inizio, f.fine - f.inizio);
  }
  std::int64_t numero(std::size_t i) const {
    return i < quanti() ? valore_numero(testo(i)).value_or(0) : 0;
  }
  luogo dove(std::size_t i) const {
    return i < quanti() ? c_.di_campo(r_.file, r_.valori[i]) : c_.di_campo(r_.file, r_.chiave);
  }
  std::string nome(std::size_t i) const {
    const auto campi = descrizione(r_.tipo).campi;
    return i < campi.size() ? "`" + std::string(campi[i].nome) + "`" : "a value";
  }

 private:
  const contesto_check& c_;
  const record_letto& r_;
};

// ------------------------------------------------ fields on the line ---

// What follows the last value on its line, past its delimiter; empty when
// the line ends there (a trailing comma alone counts as nothing).
std::string_view resto_della_riga(std::string_view testo, std::size_t da) {
  std::size_t i = da;
  while (i < testo.size() && blank(testo[i])) ++i;
  if (i < testo.size() && testo[i] == ',') ++i;
  while (i < testo.size() && blank(testo[i])) ++i;
  std::size_t fine = i;
  while (fine < testo.size() && !fine_riga(testo[fine])) ++fine;
  std::string_view resto = testo.substr(i, fine - i);
  while (!resto.empty() && (blank(resto.back()) || resto.back() == ',')) resto.remove_suffix(1);
  return resto;
}

void campi_sulla_riga(const contesto_check& c, const record_letto& r,
                      std::vector<diagnostica>& out) {
  const descrizione_record& d = descrizione(r.tipo);
  const valori_record v(c, r);
  if (v.quanti() < d.campi.size()) return;  // cut short by the end of the file: an error
  const auto kw = [&] { return "'" + c.citazione(r.file, r.chiave) + "'"; };
  for (std::size_t i = 0; i < v.quanti(); ++i) {
    if (r.valori[i].riga == r.chiave.riga) continue;
    // Value i was taken from a later line.
    std::string m = kw() + " takes " + std::to_string(d.campi.size()) + " values, but line " +
                    std::to_string(r.chiave.riga) + " has " + std::to_string(i) +
                    ": the reader takes '" + cp1252_to_utf8(v.testo(i)) + "' from line " +
                    std::to_string(r.valori[i].riga) + " as " + v.nome(i);
    bool perso = false;
    for (const tipo_record t : tipi_corpo(r.file))
      perso = perso || corrisponde(descrizione(t), v.testo(i));
    if (perso) m += ", and the record there is lost";
    out.push_back(avviso(id_diagnostica::field_count, c.di_campo(r.file, r.chiave),
                         m + ". Write every value of the record on its line"));
    return;
  }
  const std::string_view testo = c.testo(r.file);
  const std::string_view resto = resto_della_riga(testo, r.valori.back().fine);
  if (resto.empty()) return;
  const luogo dopo{r.file, r.valori.back().riga,
                   r.valori.back().colonna + static_cast<std::int32_t>(resto.data() - testo.data() -
                                                                       r.valori.back().inizio),
                   static_cast<std::int32_t>(resto.size())};
  if (d.campi.back().tipo == tipo_valore::testo) {
    out.push_back(avviso(id_diagnostica::comma_in_text, dopo,
                         "a comma ends the text " + v.nome(v.quanti() - 1) + ": '" +
                             cp1252_to_utf8(v.testo(v.quanti() - 1)) + "' is kept, and '" +
                             cp1252_to_utf8(resto) +
                             "' is read where a keyword is expected. Write the text without "
                             "commas"));
    return;
  }
  out.push_back(avviso(id_diagnostica::field_count, dopo,
                       kw() + " takes " + std::to_string(d.campi.size()) + " values, but line " +
                           std::to_string(r.chiave.riga) + " has more: the reader skips '" +
                           cp1252_to_utf8(resto) + "'. Remove it, or check the keyword"));
}

// -------------------------------------------------------- the 50 m grid ---

bool sulla_griglia(std::int64_t p) {
  return p % metri_per_cella == 0;
}

// The grid positions either side of p.
std::array<std::int64_t, 2> vicini_sulla_griglia(std::int64_t p) {
  const std::int64_t giu =
      (p >= 0 ? p : p - (metri_per_cella - 1)) / metri_per_cella * metri_per_cella;
  return {giu, giu + metri_per_cella};
}

std::string sulla_griglia_vicino(std::int64_t p) {
  const auto vicini = vicini_sulla_griglia(p);
  return std::to_string(vicini[0]) + " or " + std::to_string(vicini[1]);
}

// An off-grid warning on value i, which puts a position p off the grid;
// each fix writes value i so that p lands on one of its grid neighbours.
diagnostica fuori_griglia(const valori_record& v, std::size_t i, std::int64_t p,
                          std::string messaggio) {
  diagnostica d = avviso(id_diagnostica::off_grid, v.dove(i), std::move(messaggio));
  if (i >= v.quanti()) return d;
  for (const std::int64_t vicino : vicini_sulla_griglia(p)) {
    const std::string valore = std::to_string(v.numero(i) + vicino - p);
    d.correzioni.push_back({"Write " + valore, {{v.dove(i), valore}}});
  }
  return d;
}

// An object placed into cell R(p / 50 + 1).
void oggetto_fuori_griglia(const valori_record& v, std::size_t i, std::int64_t p,
                           std::string_view cosa, std::vector<diagnostica>& out) {
  if (sulla_griglia(p)) return;
  const std::int64_t cella = cella_oggetto(p);
  out.push_back(fuori_griglia(v, i, p,
                              metri(p) + " is not a multiple of 50: " + std::string(cosa) +
                                  " goes into " + cella_in_parole(cella) + ", as if written at " +
                                  metri(posizione_oggetto(cella)) + ". Write " +
                                  sulla_griglia_vicino(p)));
}

// A profile value that takes effect from cell R(p / 50).
void profilo_fuori_griglia(const valori_record& v, std::int64_t p, std::string_view cosa,
                           std::vector<diagnostica>& out) {
  if (sulla_griglia(p)) return;
  const std::int64_t cella = cella_profilo(p);
  out.push_back(fuori_griglia(v, 0, p,
                              metri(p) + " is not a multiple of 50: " + std::string(cosa) +
                                  " takes effect from " + metri(metri_di_cella(cella)) + " (cell " +
                                  std::to_string(cella) + "). Write " + sulla_griglia_vicino(p)));
}

// ---------------------------------------------- values the model keeps ---

void velocita_tenuta(const valori_record& v, std::vector<diagnostica>& out) {
  const std::int64_t kmh = v.numero(1);
  if (kmh % 5 == 0) return;
  const std::int64_t tenuta = R(static_cast<double>(kmh) / 5.0) * 5;
  out.push_back(avviso(id_diagnostica::speed_not_multiple_of_5, v.dove(1),
                       "the speed limit " + std::to_string(kmh) +
                           " km/h is not a multiple of 5: a cell keeps " + std::to_string(tenuta) +
                           " km/h. Write " + std::to_string(tenuta)));
}

void pendenza_tenuta(const valori_record& v, std::vector<diagnostica>& out) {
  const std::int64_t g = v.numero(1);
  if (g >= -100 && g <= 155) return;
  const std::int64_t tenuta = ((g + 100) & 0xFF) - 100;
  out.push_back(avviso(id_diagnostica::gradient_out_of_range, v.dove(1),
                       "the gradient " + std::to_string(g) +
                           " per mille does not fit a cell, which keeps -100 to 155 per mille: it "
                           "is stored as " +
                           std::to_string(tenuta) + ". Give a gradient from -100 to 155"));
}

void aderenza_tenuta(const valori_record& v, std::vector<diagnostica>& out) {
  const std::int64_t a = v.numero(1);
  if (a >= 0 && a <= 255) return;
  out.push_back(avviso(id_diagnostica::adhesion_out_of_range, v.dove(1),
                       "the adhesion " + std::to_string(a) +
                           " does not fit a cell, which keeps 0 to 255: it is stored as " +
                           std::to_string(a & 0xFF) + ". Give a value from 0 to 255"));
}

// Minutes and seconds of a time: 0 to 59.
void minuti_secondi(const valori_record& v, std::size_t i_minuti, std::string_view come,
                    std::vector<diagnostica>& out) {
  for (std::size_t i = i_minuti; i <= i_minuti + 1; ++i) {
    const std::int64_t x = v.numero(i);
    if (x >= 0 && x <= 59) continue;
    out.push_back(avviso(id_diagnostica::time_over_59, v.dove(i),
                         v.nome(i) + " is " + std::to_string(x) +
                             ", not 0 to 59: " + std::string(come) + ". Give 0 to 59"));
  }
}

void orario_stazione(const valori_record& v, std::vector<diagnostica>& out) {
  constexpr std::size_t ore = 13;  // ore, minuti, secondi: values 14 to 16
  const std::int64_t secondi = (v.numero(ore) * 60 + v.numero(ore + 1)) * 60 + v.numero(ore + 2);
  minuti_secondi(v, ore + 1, "the time is stored as " + hh_mm_ss(secondi), out);
}

void codici_segnale(const valori_record& v, std::vector<diagnostica>& out) {
  // posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo
  const std::int64_t sx = v.numero(1), dx = v.numero(6);
  for (const std::size_t i : {2u, 3u, 4u, 5u, 7u, 8u, 9u}) {
    const std::int64_t x = v.numero(i);
    if (x >= 0 && x <= 9) continue;
    out.push_back(avviso(id_diagnostica::signal_code_not_digit, v.dove(i),
                         v.nome(i) + " is " + std::to_string(x) +
                             ", not one digit: the signal packs its codes as tens and units, so "
                             "it reads as other codes. Give a digit 0 to 9"));
  }
  const std::int64_t lati = sx * 3 + dx;
  if (lati < 0 || lati > 9) {
    out.push_back(avviso(id_diagnostica::signal_code_not_digit, v.dove(1),
                         "`sx` x 3 + `dx` is " + std::to_string(lati) +
                             ", not one digit: the signal packs it as the units of `dato4` and "
                             "in its approach marks, so it reads as other codes. Give sx and dx "
                             "with sx x 3 + dx from 0 to 9"));
  }
  const std::int64_t tempo = v.numero(10);
  if (tempo != 0 && sx != 2) {
    out.push_back(avviso(id_diagnostica::signal_delay_not_kept, v.dove(10),
                         "the opening delay " + std::to_string(tempo) +
                             " is kept only for a signal whose `sx` is 2: this one gets none. "
                             "Write 0, or give sx 2"));
  } else if (tempo >= 1 && tempo <= 100) {
    out.push_back(avviso(id_diagnostica::signal_delay_not_kept, v.dove(10),
                         "the opening delay " + std::to_string(tempo) +
                             " is stored as 101: delays from 1 to 100 count as 101. Write 0 for "
                             "none, or 101 to 255"));
  } else if (tempo < 0 || tempo > 255) {
    out.push_back(avviso(id_diagnostica::signal_delay_not_kept, v.dove(10),
                         "the opening delay " + std::to_string(tempo) +
                             " does not fit 8 bits: it is stored as " +
                             std::to_string(tempo & 0xFF) + ". Give 0 to 255"));
  }
}

void valori_cartello(const valori_record& v, std::vector<diagnostica>& out) {
  // posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced
  for (std::size_t k = 0; k < 3; ++k) {
    const std::int64_t sinistra = v.numero(1 + k), destra = v.numero(5 + k);
    if (destra % 5 != 0) {
      out.push_back(avviso(id_diagnostica::board_value_not_kept, v.dove(5 + k),
                           "the right-hand speed " + std::to_string(destra) +
                               " km/h is not a multiple of 5: the board keeps " +
                               std::to_string(R(static_cast<double>(destra) / 5.0) * 5) + " km/h"));
    }
    const std::int64_t impaccato = valore_velocita(sinistra, destra);
    if (impaccato < -32768 || impaccato > 32767) {
      out.push_back(avviso(id_diagnostica::board_value_not_kept, v.dove(1 + k),
                           "the speeds " + std::to_string(sinistra) + " and " +
                               std::to_string(destra) +
                               " km/h do not fit the board's 16-bit value (left x 20 + right / "
                               "5). Give speeds of at most 1600 km/h"));
    }
  }
  for (const std::size_t i : {4u, 8u}) {
    const std::int64_t x = v.numero(i);
    if (x >= 0 && x <= 9) continue;
    out.push_back(avviso(id_diagnostica::board_value_not_kept, v.dove(i),
                         v.nome(i) + " is " + std::to_string(x) +
                             ", not one digit: the board keeps the two stripe counts as tens and "
                             "units. Give 0 to 9"));
  }
}

// ------------------------------------------------------------ ordering ---

struct precedente {
  std::int64_t cella = -1;
  std::int64_t posizione = 0;
  std::int32_t record = nessun_record;
};

void in_ordine(const contesto_check& c, const valori_record& v, std::int32_t record,
               std::string_view cosa, precedente& prima, std::vector<diagnostica>& out) {
  const std::int64_t p = v.numero(0);
  const std::int64_t cella = cella_profilo(p);
  if (prima.record != nessun_record && cella > 0 && cella <= prima.cella) {
    diagnostica d = avviso(id_diagnostica::out_of_order, v.dove(0),
                           "this " + std::string(cosa) + " at " + metri(p) +
                               " comes after one at " + metri(prima.posizione) +
                               ": the reader fills at least one cell for each record, so "
                               "it applies this one from the cell after the previous "
                               "one. List the records in increasing order of position");
    const record_letto& r = *c.s.trova(prima.record);
    d.correlate.push_back({c.di_campo(r.file, r.chiave), "the previous record"});
    out.push_back(std::move(d));
  }
  prima = {cella, p, record};
}

void curva_sovrapposta(const contesto_check& c, const valori_record& v, std::int32_t record,
                       const std::map<std::int32_t, curva_posata>& curve, std::int32_t& curva_prima,
                       std::vector<diagnostica>& out) {
  const auto it = curve.find(record);
  if (it == curve.end()) return;
  const std::int64_t inizio = v.numero(0);
  const curva_posata& p = it->second;
  if (p.primo_punto > inizio + 1 && curva_prima != nessun_record) {
    const record_letto& r = *c.s.trova(curva_prima);
    const std::int64_t fine_prima = p.primo_punto - 1;
    diagnostica d = avviso(id_diagnostica::curve_overlap, v.dove(0),
                           "this curve starts at " + metri(inizio) +
                               ", before the previous curve ends at " + metri(fine_prima) +
                               (p.ultimo_punto < p.primo_punto
                                    ? std::string(": it lies inside that curve and turns no point")
                                    : ": only its part after " + metri(fine_prima) + " turns") +
                               ". Start it at " + metri(fine_prima) + " or later");
    d.correlate.push_back({c.di_campo(r.file, r.chiave), "the previous curve"});
    out.push_back(std::move(d));
  }
  curva_prima = record;
}

void montagna_rovesciata(const valori_record& v, std::vector<diagnostica>& out) {
  const std::int64_t inizio = v.numero(0), fine = v.numero(1);
  if (R(in_celle(static_cast<double>(fine)) - 1) >= cella_profilo(inizio)) return;
  out.push_back(avviso(id_diagnostica::span_reversed, v.dove(1),
                       fine < inizio
                           ? "the span ends at " + metri(fine) + ", before it starts at " +
                                 metri(inizio) + ": no cell gets its type. Swap the two positions"
                           : "the span from " + metri(inizio) + " to " + metri(fine) +
                                 " covers no whole cell: no cell gets its type. Make "
                                 "it at least 50 m long"));
}

void valori_e_posizioni(const valori_record& v, tipo_record t, std::vector<diagnostica>& out) {
  switch (t) {
    case tipo_record::pendenza:
      profilo_fuori_griglia(v, v.numero(0), "the gradient", out);
      pendenza_tenuta(v, out);
      break;
    case tipo_record::velocita:
      profilo_fuori_griglia(v, v.numero(0), "the speed limit", out);
      velocita_tenuta(v, out);
      break;
    case tipo_record::aderenza:
      profilo_fuori_griglia(v, v.numero(0), "the adhesion", out);
      aderenza_tenuta(v, out);
      break;
    case tipo_record::montagna:
      if (!sulla_griglia(v.numero(0)) || !sulla_griglia(v.numero(1))) {
        const std::size_t i = sulla_griglia(v.numero(0)) ? 1 : 0;
        out.push_back(fuori_griglia(
            v, i, v.numero(i),
            metri(v.numero(i)) + " is not a multiple of 50: the span covers the cells " +
                std::to_string(cella_profilo(v.numero(0))) + " to " +
                std::to_string(R(in_celle(static_cast<double>(v.numero(1))) - 1)) + ". Write " +
                sulla_griglia_vicino(v.numero(i))));
      }
      montagna_rovesciata(v, out);
      break;
    case tipo_record::indicatori_vmax:
      oggetto_fuori_griglia(v, 0, v.numero(0), "the speed board", out);
      valori_cartello(v, out);
      break;
    case tipo_record::cartello_indicatore:
      oggetto_fuori_griglia(v, 0, v.numero(0), "the indication board", out);
      break;
    case tipo_record::segnale:
      oggetto_fuori_griglia(v, 0, v.numero(0), "the signal", out);
      codici_segnale(v, out);
      break;
    case tipo_record::rallentamento:
      oggetto_fuori_griglia(v, 0, v.numero(0), "the slowdown's start", out);
      if (sulla_griglia(v.numero(0))) {
        oggetto_fuori_griglia(v, 2, v.numero(0) + v.numero(2), "the slowdown's end", out);
      }
      break;
    case tipo_record::abbattimento:
      if (!sulla_griglia(v.numero(0))) {
        const std::int64_t cella = cella_profilo(v.numero(0));
        out.push_back(fuori_griglia(v, 0, v.numero(0),
                                    metri(v.numero(0)) +
                                        " is not a multiple of 50: the marker goes into "
                                        "cell " +
                                        std::to_string(cella) + ", as at " +
                                        metri(metri_di_cella(cella)) + ". Write " +
                                        sulla_griglia_vicino(v.numero(0))));
      }
      break;
    case tipo_record::orologio:
      minuti_secondi(v, 1, "the simulator gets it as written", out);
      break;
    case tipo_record::stazione:
      orario_stazione(v, out);
      break;
    default:
      break;
  }
}

// The first record of a profile must stand at 0: before it, cells get 0.
void profilo_da_zero(const contesto_check& c, tipo_record t, id_diagnostica id,
                     std::string_view cosa, std::vector<diagnostica>& out) {
  for (std::size_t i = 0; i < c.s.record.size(); ++i) {
    const record_letto& r = c.s.record[i];
    if (r.tipo != t || r.messo_da_parte) continue;
    const valori_record v(c, r);
    if (cella_profilo(v.numero(0)) == 0) return;
    out.push_back(
        avviso(id, c.di_campo(r.file, r.chiave),
               "the first \"" + std::string(descrizione(t).parola_chiave) + "\" record is at " +
                   metri(v.numero(0)) + ": the cells before it get " + std::string(cosa) +
                   " 0. Begin with \"" + std::string(descrizione(t).parola_chiave) + ", 0, ...\""));
    return;
  }
  out.push_back(avviso(id, {file_sorgente::servizio, 0, 0, 0},
                       "there is no \"" + std::string(descrizione(t).parola_chiave) +
                           "\" record: every cell gets " + std::string(cosa) + " 0. Add \"" +
                           std::string(descrizione(t).parola_chiave) + ", 0, ...\""));
}

}  // namespace

void avvisi_record(const contesto_check& c, const std::set<std::int32_t>& gia_segnalati,
                   std::vector<diagnostica>& out) {
  std::map<std::int32_t, curva_posata> curve;
  for (const curva_posata& p : c.s.curve) curve[p.record] = p;
  std::array<precedente, n_tipi_record> precedenti{};
  std::int32_t curva_prima = nessun_record;
  bool lunghezza_letta = false;

  for (std::size_t i = 0; i < c.s.record.size(); ++i) {
    const record_letto& r = c.s.record[i];
    if (r.messo_da_parte) continue;
    const auto id = static_cast<std::int32_t>(i);
    const valori_record v(c, r);
    // A record whose keyword is in doubt has values in doubt too.
    if (gia_segnalati.count(id)) continue;
    campi_sulla_riga(c, r, out);
    if (v.quanti() < descrizione(r.tipo).campi.size()) continue;
    valori_e_posizioni(v, r.tipo, out);
    switch (r.tipo) {
      case tipo_record::pendenza:
        in_ordine(c, v, id, "gradient", precedenti[static_cast<std::size_t>(r.tipo)], out);
        break;
      case tipo_record::velocita:
        in_ordine(c, v, id, "speed limit", precedenti[static_cast<std::size_t>(r.tipo)], out);
        break;
      case tipo_record::aderenza:
        in_ordine(c, v, id, "adhesion", precedenti[static_cast<std::size_t>(r.tipo)], out);
        break;
      case tipo_record::curva:
        curva_sovrapposta(c, v, id, curve, curva_prima, out);
        break;
      case tipo_record::lunghezza_percorso:
        if (lunghezza_letta) {
          out.push_back(avviso(id_diagnostica::duplicate_length, c.di_campo(r.file, r.chiave),
                               "a second \"lunghezza percorso\" builds the route model anew, and "
                               "what the records before it placed is lost. Keep one"));
        }
        lunghezza_letta = true;
        break;
      default:
        break;
    }
  }
  if (!c.in.servizio.empty()) {
    profilo_da_zero(c, tipo_record::velocita, id_diagnostica::no_speed_at_zero, "speed limit", out);
    profilo_da_zero(c, tipo_record::aderenza, id_diagnostica::no_adhesion_at_zero, "adhesion", out);
  }
}

}  // namespace scenario
