#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "base/cp1252.h"
#include "base/text_format.h"
#include "compiler/check/avvisi.h"
#include "compiler/format/codifica_celle.h"
#include "compiler/readers/lettore_campi.h"
#include "compiler/route_model/misure.h"

namespace scenario {

namespace {

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

bool virgola_decimale(const contesto_check& c, const record_letto& r, const valori_record& v,
                      std::vector<diagnostica>& out);
bool cifre(std::string_view t);

// True when it warned.
bool campi_sulla_riga(const contesto_check& c, const record_letto& r,
                      std::vector<diagnostica>& out) {
  const descrizione_record& d = descrizione(r.tipo);
  const valori_record v(c, r);
  if (v.quanti() < d.campi.size()) return false;  // cut short by the end of the file: an error
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
    return true;
  }
  const std::string_view testo = c.testo(r.file);
  const std::string_view resto = resto_della_riga(testo, r.valori.back().fine);
  if (resto.empty()) return false;
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
    return true;
  }
  if (virgola_decimale(c, r, v, out)) return true;
  // A sign apart from its digits: not-a-number says it at the sign.
  const std::string_view ultimo = v.testo(v.quanti() - 1);
  if ((ultimo == "-" || ultimo == "+") && cifre(resto)) return true;
  out.push_back(avviso(id_diagnostica::field_count, dopo,
                       kw() + " takes " + std::to_string(d.campi.size()) + " values, but line " +
                           std::to_string(r.chiave.riga) + " has more: the reader skips '" +
                           cp1252_to_utf8(resto) + "'. Remove it, or check the keyword"));
  return true;
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

// The positions before and after a record among those of its kind, for
// the records that go in increasing order.
struct vicini_in_ordine {
  std::optional<std::int64_t> prima, dopo;
};

// The grid neighbours of p that keep its record in order with the records
// around it (both, when neither or both do).
std::vector<std::int64_t> vicini_in_ordine_sulla_griglia(std::int64_t p,
                                                         const vicini_in_ordine& attorno) {
  const auto vicini = vicini_sulla_griglia(p);
  std::vector<std::int64_t> tenuti;
  for (const std::int64_t q : vicini) {
    if (attorno.prima && cella_profilo(q) <= cella_profilo(*attorno.prima)) continue;
    if (attorno.dopo && cella_profilo(q) >= cella_profilo(*attorno.dopo)) continue;
    tenuti.push_back(q);
  }
  if (tenuti.empty()) tenuti.assign(vicini.begin(), vicini.end());
  return tenuti;
}

// An off-grid warning on value i, which puts a position p off the grid;
// each fix writes value i so that p lands on one of `scelte` (its grid
// neighbours unless given).
diagnostica fuori_griglia(const valori_record& v, std::size_t i, std::int64_t p,
                          std::string messaggio, std::vector<std::int64_t> scelte = {}) {
  diagnostica d = avviso(id_diagnostica::off_grid, v.dove(i), std::move(messaggio));
  if (i >= v.quanti()) return d;
  if (scelte.empty()) {
    const auto vicini = vicini_sulla_griglia(p);
    scelte.assign(vicini.begin(), vicini.end());
  }
  for (const std::int64_t vicino : scelte) {
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

// A profile value that takes effect from cell R(p / 50); the positions
// suggested keep it in order with the records around it.
void profilo_fuori_griglia(const valori_record& v, std::int64_t p, std::string_view cosa,
                           const vicini_in_ordine& attorno, std::vector<diagnostica>& out) {
  if (sulla_griglia(p)) return;
  const std::int64_t cella = cella_profilo(p);
  const std::vector<std::int64_t> scelte = vicini_in_ordine_sulla_griglia(p, attorno);
  std::string scrivi = std::to_string(scelte[0]);
  if (scelte.size() > 1) scrivi += " or " + std::to_string(scelte[1]);
  out.push_back(fuori_griglia(v, 0, p,
                              metri(p) + " is not a multiple of 50: " + std::string(cosa) +
                                  " takes effect from " + metri(metri_di_cella(cella)) + " (cell " +
                                  std::to_string(cella) + "). Write " + scrivi,
                              scelte));
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

void valori_e_posizioni(const valori_record& v, tipo_record t, const vicini_in_ordine& attorno,
                        std::vector<diagnostica>& out) {
  switch (t) {
    case tipo_record::pendenza:
      profilo_fuori_griglia(v, v.numero(0), "the gradient", attorno, out);
      pendenza_tenuta(v, out);
      break;
    case tipo_record::velocita:
      profilo_fuori_griglia(v, v.numero(0), "the speed limit", attorno, out);
      velocita_tenuta(v, out);
      break;
    case tipo_record::aderenza:
      profilo_fuori_griglia(v, v.numero(0), "the adhesion", attorno, out);
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
        avviso(id, v.dove(0),
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

// ------------------------------------------ every field, from the table ---

const descrizione_campo* campo_di(tipo_record t, std::size_t i) {
  const auto campi = descrizione(t).campi;
  return i < campi.size() ? &campi[i] : nullptr;
}

// Number words an author may write for a small number.
std::optional<int> numero_in_parole(std::string_view parola) {
  constexpr std::string_view parole[] = {"zero", "uno",   "due",  "tre",  "quattro", "cinque",
                                         "sei",  "sette", "otto", "nove", "dieci"};
  const std::string minuscola = cp1252_lower(parola);
  for (std::size_t n = 0; n < std::size(parole); ++n) {
    if (minuscola == parole[n]) return static_cast<int>(n);
  }
  return std::nullopt;
}

// A number field's value with its fraction (strtod: never throws; a huge
// one is HUGE_VAL).
double decimale(std::string_view t) {
  const std::string s(t);
  return std::strtod(s.c_str(), nullptr);
}

bool cifre(std::string_view t) {
  return !t.empty() &&
         std::all_of(t.begin(), t.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

// The groups of digits of a time written with ':' or '.' ("9:08:30",
// "09.00.00"), as whole numbers; empty when it is not one.
std::vector<std::int64_t> gruppi_orario(std::string_view t) {
  std::vector<std::int64_t> gruppi;
  const bool due_punti = t.find(':') != std::string_view::npos;
  const char sep = due_punti ? ':' : '.';
  while (true) {
    const std::size_t fine = t.find(sep);
    const std::string_view g = t.substr(0, fine);
    if (!cifre(g) || g.size() > 2) return {};
    gruppi.push_back(valore_numero(g).value_or(0));
    if (fine == std::string_view::npos) break;
    t.remove_prefix(fine + 1);
  }
  // "9.30" is a decimal number; a time has a colon or two dots.
  if (gruppi.size() < 2 || gruppi.size() > 3 || (!due_punti && gruppi.size() < 3)) return {};
  return gruppi;
}

// How to write a field that reads as 0, when its text shows what was meant.
std::string consiglio_numero(std::string_view t, std::string_view dopo) {
  if (const auto g = gruppi_orario(t); !g.empty()) {
    return "write the time as three fields: " + std::to_string(g[0]) + ", " + std::to_string(g[1]) +
           ", " + std::to_string(g.size() > 2 ? g[2] : 0);
  }
  if ((t == "-" || t == "+") && cifre(dopo)) {
    return "write the sign and the digits together: " + std::string(t) + std::string(dopo);
  }
  // "16+500": km and metres, as a kilometre post reads.
  if (const std::size_t piu = t.find('+'); piu != std::string_view::npos && piu <= 6 &&
                                           cifre(t.substr(0, piu)) && t.size() - piu == 4 &&
                                           cifre(t.substr(piu + 1))) {
    return "write the position in metres: " +
           std::to_string(*valore_numero(t.substr(0, piu)) * 1000 +
                          *valore_numero(t.substr(piu + 1)));
  }
  std::string cifre_o(t);
  for (char& ch : cifre_o) {
    if (ch == 'O' || ch == 'o') ch = '0';
  }
  if (cifre_o != t && scritto_come_numero(cifre_o)) {
    return "the letter O stands among the digits: write " + cifre_o;
  }
  if (const auto n = numero_in_parole(t)) return "write it in digits: " + std::to_string(*n);
  return "write the value in digits";
}

// A number field that does not read as what it says: a word or a malformed
// number (stored as 0), a decimal fraction (rounded), a decimal comma that
// splits one number into two fields. True when it warned.
// With the record's fields moved (`campi_spostati`, said by field-count),
// only a text that shows what was meant gets a word of its own.
bool numero_scritto_male(const contesto_check& c, const record_letto& r, const valori_record& v,
                         std::size_t i, bool campi_spostati, std::vector<diagnostica>& out) {
  const descrizione_campo* f = campo_di(r.tipo, i);
  if (f == nullptr || f->tipo == tipo_valore::testo) return false;
  const std::string_view t = v.testo(i);
  const std::string citato = "'" + cp1252_to_utf8(t) + "'";
  if (t.empty()) return false;
  if (scritto_come_numero(t)) {
    if (t.find('.') == std::string_view::npos) return false;
    const std::int64_t tenuto = v.numero(i);
    // A whole number with a zero fraction ("6.0") reads as written.
    if (decimale(t) == static_cast<double>(tenuto)) return false;
    // A position in km is said by position_in_km.
    if ((f->relazioni & relazione::dentro_linea) != 0 && std::abs(tenuto) < 1000) return false;
    out.push_back(avviso(id_diagnostica::not_a_number, v.dove(i),
                         citato + " is not a whole number: " + v.nome(i) + " is stored as " +
                             std::to_string(tenuto) + ". Write a whole number"));
    return true;
  }
  // The field after it, when it follows on the same line.
  std::string_view dopo;
  bool solo_blank = false;
  if (i + 1 < v.quanti() && r.valori[i + 1].riga == r.valori[i].riga) {
    dopo = v.testo(i + 1);
    const std::string_view tra =
        c.testo(r.file).substr(r.valori[i].fine, r.valori[i + 1].inizio - r.valori[i].fine);
    solo_blank = tra.find(',') == std::string_view::npos;
  } else if (i + 1 == v.quanti()) {
    // The last value: what the reader skips after it on its line.
    dopo = resto_della_riga(c.testo(r.file), r.valori[i].fine);
  }
  std::string m = citato + " is not a number: " + v.nome(i) + " is stored as 0";
  if (solo_blank && !(t == "-" || t == "+")) {
    m += ", and '" + cp1252_to_utf8(dopo) + "' is read as " + v.nome(i + 1) +
         ", since a number ends at a blank";
    if (i + 1 == v.quanti() - 1 && campo_di(r.tipo, i + 1)->tipo == tipo_valore::testo) {
      m += ": a value is missing before it. Write every value, then " + v.nome(i + 1);
      out.push_back(avviso(id_diagnostica::not_a_number, v.dove(i), m));
      return true;
    }
  } else if (solo_blank) {
    m += ", and '" + cp1252_to_utf8(dopo) + "' is read as " + v.nome(i + 1);
  }
  const std::string consiglio = consiglio_numero(t, dopo);
  if (campi_spostati && consiglio == consiglio_numero("", "")) return false;
  m += ". " +
       std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(consiglio[0])))) +
       consiglio.substr(1);
  out.push_back(avviso(id_diagnostica::not_a_number, v.dove(i), m));
  return true;
}

// "6,5" where one number is meant: two values on a line with one value too
// many. Said at the first of the two, instead of the extra value.
bool virgola_decimale(const contesto_check& c, const record_letto& r, const valori_record& v,
                      std::vector<diagnostica>& out) {
  const std::string_view testo = c.testo(r.file);
  // One comma between two digits on a line whose other commas have a blank
  // after them; "0,0,0" written on purpose has two.
  const std::string_view riga = c.righe.riga({r.file, r.chiave.riga, 1, 0});
  int tra_cifre = 0;
  for (std::size_t k = 1; k + 1 < riga.size(); ++k) {
    const auto cifra = [](char ch) { return ch >= '0' && ch <= '9'; };
    if (riga[k] == ',' && cifra(riga[k - 1]) && cifra(riga[k + 1])) ++tra_cifre;
  }
  if (tra_cifre != 1) return false;
  for (std::size_t i = 0; i + 1 < v.quanti(); ++i) {
    const campo_testo& a = r.valori[i];
    const campo_testo& b = r.valori[i + 1];
    if (a.riga != b.riga || b.inizio != a.fine + 1 || testo[a.fine] != ',') continue;
    if (!cifre(v.testo(i)) || !cifre(v.testo(i + 1))) continue;
    const std::string scritto = std::string(v.testo(i)) + "," + std::string(v.testo(i + 1));
    const luogo dove{r.file, a.riga, a.colonna, static_cast<std::int32_t>(b.fine - a.inizio)};
    out.push_back(avviso(id_diagnostica::not_a_number, dove,
                         "'" + scritto + "' is read as two values: " + v.nome(i) +
                             " is stored as " + std::string(v.testo(i)) + " and " + v.nome(i + 1) +
                             " as " + std::string(v.testo(i + 1)) +
                             ", and every value after it moves one field on. Write a decimal "
                             "number with a point (" +
                             std::string(v.testo(i)) + "." + std::string(v.testo(i + 1)) +
                             "), or a whole number"));
    return true;
  }
  // The last value and a digit right after its comma, read as an extra field.
  const campo_testo& ultimo = r.valori.back();
  const std::size_t dopo = ultimo.fine + 1;
  if (ultimo.fine < testo.size() && testo[ultimo.fine] == ',' && cifre(v.testo(v.quanti() - 1))) {
    std::size_t fine = dopo;
    while (fine < testo.size() && testo[fine] >= '0' && testo[fine] <= '9') ++fine;
    const std::string_view resto = resto_della_riga(testo, ultimo.fine);
    if (fine > dopo && resto == testo.substr(dopo, fine - dopo)) {
      const std::size_t i = v.quanti() - 1;
      const std::string intero(v.testo(i)), frazione(resto);
      const luogo dove{r.file, ultimo.riga, ultimo.colonna,
                       static_cast<std::int32_t>(fine - ultimo.inizio)};
      out.push_back(avviso(id_diagnostica::not_a_number, dove,
                           "'" + intero + "," + frazione + "' is read as two fields: " + v.nome(i) +
                               " is stored as " + intero + " and '" + frazione +
                               "' is skipped. Write a decimal number with a point (" + intero +
                               "." + frazione + "), or a whole number"));
      return true;
    }
  }
  return false;
}

// A value the compiled files keep as written, outside what a real line has.
void valore_insolito(const valori_record& v, tipo_record t, std::size_t i,
                     std::vector<diagnostica>& out) {
  const descrizione_campo* f = campo_di(t, i);
  if (f == nullptr || f->tipo == tipo_valore::testo || !scritto_come_numero(v.testo(i))) return;
  const std::int64_t x = v.numero(i);
  // A Long that goes into 16 bits of a cell (the table's only such range;
  // other values not kept have warnings or errors of their own).
  if (!f->tenuto.contiene(x) && f->tipo == tipo_valore::long_32 && f->tenuto.massimo == 32767) {
    out.push_back(avviso(id_diagnostica::value_not_kept, v.dove(i),
                         v.nome(i) + " is " + std::to_string(x) +
                             ", but a cell keeps it in 16 bits: it is stored as " +
                             std::to_string(static_cast<std::int16_t>(x & 0xFFFF)) +
                             ". Give -32768 to 32767"));
    return;
  }
  if (!f->tenuto.contiene(x) || f->reale.contiene(x)) return;
  const std::string unita = f->unita.empty() ? "" : " " + std::string(f->unita);
  out.push_back(avviso(id_diagnostica::unusual_value, v.dove(i),
                       v.nome(i) + " is " + std::to_string(x) + unita +
                           ": the compiled files keep it, but a real line has " +
                           intervallo_in_parole(f->reale, f->tipo) + unita +
                           ". Check the value and its unit"));
}

// The position a value gives: the value, or the record's start plus it.
std::int64_t posizione_del_campo(const valori_record& v, const descrizione_campo& f,
                                 std::size_t i) {
  return (f.relazioni & relazione::lunghezza_da_inizio) != 0 ? v.numero(0) + v.numero(i)
                                                             : v.numero(i);
}

// The first of a record's positions past the line's end: its field and the
// position.
std::optional<std::pair<std::size_t, std::int64_t>> campo_oltre(const valori_record& v,
                                                                tipo_record t,
                                                                std::int64_t lunghezza) {
  const descrizione_record& d = descrizione(t);
  if (d.sezione_generale) return std::nullopt;
  for (std::size_t i = 0; i < d.campi.size() && i < v.quanti(); ++i) {
    const descrizione_campo& f = d.campi[i];
    if ((f.relazioni & (relazione::dentro_linea | relazione::lunghezza_da_inizio)) == 0) continue;
    if ((f.relazioni & relazione::dopo_inizio) != 0) continue;  // the start says it
    const std::int64_t p = posizione_del_campo(v, f, i);
    if (p > lunghezza) return std::pair{i, p};
  }
  return std::nullopt;
}

std::int64_t lunghezza_linea(const contesto_check& c) {
  return c.m.elementi[voce::treno_e_linea].fine;
}

// A position past the line's end, where the route model still has cells.
void oltre_la_fine(const contesto_check& c, const valori_record& v, tipo_record t,
                   std::vector<diagnostica>& out) {
  const std::int64_t lunghezza = lunghezza_linea(c);
  const auto oltre = campo_oltre(v, t, lunghezza);
  if (!oltre) return;
  const auto [i, p] = *oltre;
  out.push_back(avviso(id_diagnostica::past_line_end, v.dove(i),
                       metri(p) + " lies past the end of the line at " + metri(lunghezza) +
                           ": it is compiled, but the train never gets there. Move it inside "
                           "the line, or make \"lunghezza percorso\" " +
                           std::to_string(p) + " or more"));
}

// A line length too short for the records: one error at the length, with
// the records beyond it as its notes, instead of one a record.
void lunghezza_troppo_corta(const contesto_check& c, std::vector<diagnostica>& out) {
  const record_letto* lr =
      c.s.trova(c.s.ultimo[static_cast<std::size_t>(tipo_record::lunghezza_percorso)]);
  if (lr == nullptr || lr->valori.empty()) return;
  const auto errori = std::count_if(out.begin(), out.end(), [](const diagnostica& d) {
    return d.id == id_diagnostica::outside_route;
  });
  if (errori == 0) return;
  const std::int64_t lunghezza = lunghezza_linea(c);
  std::vector<nota> note;
  std::int64_t piu_lontano = 0;
  for (const record_letto& r : c.s.record) {
    const valori_record v(c, r);
    if (v.quanti() < descrizione(r.tipo).campi.size()) continue;
    const auto oltre = campo_oltre(v, r.tipo, lunghezza);
    if (!oltre) continue;
    piu_lontano = std::max(piu_lontano, oltre->second);
    note.push_back({v.dove(oltre->first), metri(oltre->second) + ", past the line's end"});
  }
  if (note.size() < 2) return;
  const luogo primo = [&] {
    for (const diagnostica& d : out) {
      if (d.id == id_diagnostica::outside_route) return d.dove;
    }
    return luogo{};
  }();
  std::erase_if(out, [](const diagnostica& d) {
    return d.id == id_diagnostica::outside_route || d.id == id_diagnostica::past_line_end;
  });
  const std::int64_t basta =
      (piu_lontano + metri_per_cella - 1) / metri_per_cella * metri_per_cella;
  diagnostica d;
  d.id = id_diagnostica::outside_route;
  d.dove = c.di_campo(lr->file, lr->valori[0]);
  d.messaggio = "the line is " + metri(lunghezza) + " long, but " + std::to_string(note.size()) +
                " records lie beyond its end, the furthest at " + metri(piu_lontano) +
                "; from the first past the route model's end (" + c.posto(primo) +
                ") the compile step skips the rest of that file. Make \"lunghezza percorso\" " +
                std::to_string(basta) + " or more, the line's whole length";
  d.correlate = std::move(note);
  out.push_back(std::move(d));
}

// Blanks after a text are kept in it, and the driver sees them.
void blank_finali(const record_letto& r, const valori_record& v, std::vector<diagnostica>& out) {
  for (std::size_t i = 0; i < v.quanti(); ++i) {
    const descrizione_campo* f = campo_di(r.tipo, i);
    if (f == nullptr || f->tipo != tipo_valore::testo) continue;
    const std::string_view t = v.testo(i);
    std::size_t n = 0;
    while (n < t.size() && blank(t[t.size() - 1 - n])) ++n;
    if (n == 0 || n == t.size()) continue;
    const luogo dove{r.file, r.valori[i].riga,
                     r.valori[i].colonna + static_cast<std::int32_t>(t.size() - n),
                     static_cast<std::int32_t>(n)};
    diagnostica d = avviso(id_diagnostica::trailing_blanks, dove,
                           "'" + cp1252_to_utf8(t) + "' ends with " + std::to_string(n) +
                               (n == 1 ? " blank" : " blanks") + ", kept in " + v.nome(i) +
                               " and shown to the driver. Remove " + (n == 1 ? "it" : "them"));
    d.correzioni.push_back({"Remove the blanks", {{dove, ""}}});
    out.push_back(std::move(d));
  }
}

// A station's name that is most likely a value or a record: the fields
// moved by a value too many or too few.
void nome_stazione(const valori_record& v, std::vector<diagnostica>& out) {
  const std::size_t i = v.quanti() - 1;
  const std::string_view nome = v.testo(i);
  if (nome.empty()) return;
  std::string perche;
  if (scritto_come_numero(nome.substr(0, nome.find(' ')))) {
    perche = "starts with a number, as a value does: a value too many before it?";
  } else {
    for (const tipo_record t : tipi_corpo(file_sorgente::servizio)) {
      if (!corrisponde(descrizione(t), nome)) continue;
      perche = "holds the keyword \"" + std::string(descrizione(t).parola_chiave) +
               "\": a record was taken for the name?";
      break;
    }
  }
  if (perche.empty()) return;
  out.push_back(avviso(id_diagnostica::station_name_suspect, v.dove(i),
                       "the station's name '" + cp1252_to_utf8(nome) + "' " + perche +
                           " Write the 16 values of the station, then its name"));
}

// A position written in km: far smaller than the positions of the records
// of its kind around it, and in order with them once read as km.
struct posizione_letta {
  std::int64_t posizione;
  std::size_t record;
};

void posizioni_in_km(const contesto_check& c, const std::set<std::int32_t>& gia_segnalati,
                     std::vector<diagnostica>& out) {
  for (const descrizione_record& d : tipi_record()) {
    if (d.sezione_generale || d.campi.empty()) continue;
    if ((d.campi[0].relazioni & relazione::dentro_linea) == 0) continue;
    std::vector<posizione_letta> lette;
    for (std::size_t k = 0; k < c.s.record.size(); ++k) {
      const record_letto& r = c.s.record[k];
      if (r.tipo != d.tipo || r.valori.empty() || r.messo_da_parte) continue;
      if (gia_segnalati.count(static_cast<std::int32_t>(k))) continue;
      const valori_record v(c, r);
      if (!scritto_come_numero(v.testo(0))) continue;
      lette.push_back({v.numero(0), k});
    }
    for (std::size_t k = 0; k < lette.size(); ++k) {
      const record_letto& r = c.s.record[lette[k].record];
      const valori_record v(c, r);
      const double km = decimale(v.testo(0));
      if (!(km > 0 && km < 1000)) continue;
      const auto in_metri = static_cast<std::int64_t>(std::llround(km * 1000));
      const bool prima = k > 0, dopo = k + 1 < lette.size();
      if ((!prima && !dopo) || in_metri > lunghezza_linea(c)) continue;
      // In order with its neighbours once read as km, and far smaller than
      // the larger of them.
      if (prima && !(lette[k - 1].posizione < in_metri)) continue;
      if (dopo && !(in_metri < lette[k + 1].posizione)) continue;
      const std::int64_t vicino =
          std::max(prima ? lette[k - 1].posizione : 0, dopo ? lette[k + 1].posizione : 0);
      if (!(km * 100 <= static_cast<double>(vicino))) continue;
      std::string vicini = prima ? metri(lette[k - 1].posizione) + " before it" : "";
      if (dopo) vicini += (prima ? " and " : "") + metri(lette[k + 1].posizione) + " after it";
      diagnostica w = avviso(id_diagnostica::position_in_km, v.dove(0),
                             "'" + std::string(v.testo(0)) + "' is read as " + metri(v.numero(0)) +
                                 ", far smaller than the \"" + std::string(d.parola_chiave) +
                                 "\" records around it (" + vicini + "): did you mean " +
                                 std::to_string(in_metri) + "? Positions are in metres");
      w.correzioni.push_back(
          {"Write " + std::to_string(in_metri), {{v.dove(0), std::to_string(in_metri)}}});
      out.push_back(std::move(w));
    }
  }
}

// A signal whose approach marks (in the cells 100 to 400 m before it) fall
// among the four marks before a station's end cell.
void segnali_in_stazione(const contesto_check& c, std::vector<diagnostica>& out) {
  const auto& celle = c.m.celle;
  if (c.s.celle.size() != celle.size()) return;
  constexpr std::int64_t prima_marca = 400 / metri_per_cella, ultima_marca = 100 / metri_per_cella;
  for (std::int32_t j = voce::prima_stazione; j < voce::prima_stazione + c.m.n_stazioni; ++j) {
    const elemento& st = c.m.elementi[static_cast<std::size_t>(j)];
    const record_letto* rs = c.s.trova(c.s.elementi[static_cast<std::size_t>(j)]);
    if (rs == nullptr || rs->tipo != tipo_record::stazione) continue;
    if (st.tipo >= 25 || st.tipo == 5 || st.tipo == 6) continue;  // no marks
    const std::int64_t da = R(in_celle(st.fine) - 5), a = R(in_celle(st.fine) - 2);
    std::set<std::int32_t> detti;
    for (std::int64_t k = std::max<std::int64_t>(da + ultima_marca, 0);
         k <= a + prima_marca && k < static_cast<std::int64_t>(celle.size()); ++k) {
      const auto ku = static_cast<std::size_t>(k);
      if (celle[ku].tipo != tipo_cella::segnale) continue;
      const std::int32_t rec = c.s.celle[ku].oggetto;
      const record_letto* rg = c.s.trova(rec);
      if (rg == nullptr || rg->tipo != tipo_record::segnale || !detti.insert(rec).second) continue;
      // The signal's marks: cells k - 8 .. k - 2.
      if (k - prima_marca > a || k - ultima_marca < da) continue;
      diagnostica d =
          avviso(id_diagnostica::signal_in_station, c.di_record(rec, 0),
                 "this signal's approach marks, " + metri(metri_di_cella(k - prima_marca)) +
                     " to " + metri(metri_di_cella(k - ultima_marca)) +
                     ", fall among the marks before the end of "
                     "the station '" +
                     cp1252_to_utf8(st.nome) + "' (" + metri(metri_di_cella(da)) + " to " +
                     metri(metri_di_cella(a)) +
                     "), and the later record overwrites the other's. Move the signal out of the "
                     "station's area");
      d.correlate.push_back({c.di_campo(rs->file, rs->chiave), "the station"});
      out.push_back(std::move(d));
    }
  }
}

bool stesso_campo(const luogo& a, const luogo& b) {
  return a.file == b.file && a.riga == b.riga && a.colonna == b.colonna;
}

// One field, one warning: a position in km says it all for its field; an
// unusual value only where nothing else is said; a record past the line's
// end only when no error stands on its line.
void senza_doppioni(std::vector<diagnostica>& out, std::size_t primo) {
  using enum id_diagnostica;
  std::vector<bool> togli(out.size(), false);
  for (std::size_t i = primo; i < out.size(); ++i) {
    for (std::size_t k = 0; k < out.size() && !togli[i]; ++k) {
      if (k == i) continue;
      const diagnostica& a = out[i];
      const diagnostica& b = out[k];
      if (stesso_campo(a.dove, b.dove) && b.id == position_in_km) togli[i] = true;
      // A record already said to be wrong: its other values are in doubt.
      if (a.id == unusual_value && a.dove.file == b.dove.file && a.dove.riga == b.dove.riga) {
        togli[i] = true;
      }
      if (a.id == past_line_end && b.severita() == gravita::errore && a.dove.file == b.dove.file &&
          a.dove.riga == b.dove.riga) {
        togli[i] = true;
      }
    }
  }
  std::size_t i = 0;
  std::erase_if(out, [&](const diagnostica&) { return togli[i++]; });
}
// For each record of a kind whose position goes in increasing order (the
// table's `crescente`), the positions of the records of its kind before and
// after it in the file.
std::map<std::int32_t, vicini_in_ordine> vicini_dei_crescenti(const contesto_check& c) {
  std::map<std::int32_t, vicini_in_ordine> attorno;
  std::array<std::int32_t, n_tipi_record> ultimo{};
  ultimo.fill(nessun_record);
  for (std::size_t i = 0; i < c.s.record.size(); ++i) {
    const record_letto& r = c.s.record[i];
    const auto campi = descrizione(r.tipo).campi;
    if (r.messo_da_parte || r.valori.empty() || (campi[0].relazioni & relazione::crescente) == 0) {
      continue;
    }
    const auto id = static_cast<std::int32_t>(i);
    const std::int64_t p = valori_record(c, r).numero(0);
    std::int32_t& prima = ultimo[static_cast<std::size_t>(r.tipo)];
    if (prima != nessun_record) {
      attorno[prima].dopo = p;
      attorno[id].prima = valori_record(c, *c.s.trova(prima)).numero(0);
    } else {
      attorno[id];
    }
    prima = id;
  }
  return attorno;
}

}  // namespace

void avvisi_record(const contesto_check& c, const std::set<std::int32_t>& gia_segnalati,
                   std::vector<diagnostica>& out) {
  std::map<std::int32_t, curva_posata> curve;
  for (const curva_posata& p : c.s.curve) curve[p.record] = p;
  std::array<precedente, n_tipi_record> precedenti{};
  std::int32_t curva_prima = nessun_record;
  bool lunghezza_letta = false;
  // Without a line file's "lunghezza percorso" the line's end is a stand-in.
  const bool con_lunghezza =
      c.s.ultimo[static_cast<std::size_t>(tipo_record::lunghezza_percorso)] != nessun_record;
  const std::size_t primo = out.size();
  const std::map<std::int32_t, vicini_in_ordine> attorno = vicini_dei_crescenti(c);

  for (std::size_t i = 0; i < c.s.record.size(); ++i) {
    const record_letto& r = c.s.record[i];
    const auto id = static_cast<std::int32_t>(i);
    const valori_record v(c, r);
    // A record whose keyword is in doubt has values in doubt too.
    if (gia_segnalati.count(id)) continue;
    if (r.messo_da_parte) {
      // Set aside for an error, which a word read as 0 may have caused.
      for (std::size_t k = 0; k < v.quanti() && r.valori[k].riga == r.chiave.riga; ++k) {
        numero_scritto_male(c, r, v, k, false, out);
      }
      continue;
    }
    const bool campi_spostati = campi_sulla_riga(c, r, out);
    if (v.quanti() < descrizione(r.tipo).campi.size()) continue;
    // Every value on the keyword's line, by its field's row of the table.
    for (std::size_t k = 0; k < v.quanti(); ++k) {
      if (r.valori[k].riga != r.chiave.riga) break;
      if (!numero_scritto_male(c, r, v, k, campi_spostati, out)) valore_insolito(v, r.tipo, k, out);
    }
    if (con_lunghezza) oltre_la_fine(c, v, r.tipo, out);
    blank_finali(r, v, out);
    if (r.tipo == tipo_record::stazione && !campi_spostati) nome_stazione(v, out);
    const auto intorno = attorno.find(id);
    valori_e_posizioni(v, r.tipo, intorno == attorno.end() ? vicini_in_ordine{} : intorno->second,
                       out);
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
  posizioni_in_km(c, gia_segnalati, out);
  segnali_in_stazione(c, out);
  if (!c.in.servizio.empty()) {
    profilo_da_zero(c, tipo_record::velocita, id_diagnostica::no_speed_at_zero, "speed limit", out);
    profilo_da_zero(c, tipo_record::aderenza, id_diagnostica::no_adhesion_at_zero, "adhesion", out);
  }
  senza_doppioni(out, primo);
  if (con_lunghezza) lunghezza_troppo_corta(c, out);
}

}  // namespace scenario
