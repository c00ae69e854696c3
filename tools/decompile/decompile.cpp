#include "tools/decompile/decompile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <set>

#include "compiler/format/codifica_celle.h"
#include "tools/decompile/boards.h"
#include "tools/decompile/candidati.h"
#include "tools/decompile/compile_in_memory.h"
#include "tools/decompile/curves.h"
#include "tools/decompile/general_section.h"
#include "tools/decompile/markers.h"
#include "tools/decompile/profiles.h"
#include "tools/decompile/signals.h"
#include "tools/decompile/slowdowns.h"
#include "tools/decompile/spans.h"
#include "tools/decompile/stations.h"
#include "tools/decompile/text_writer.h"

namespace scenario::decompile {

namespace {

// The line file: its general section, then, unless the reader stopped
// inside that section, its body. `celle` as the placement pass left them.
// Returns the last curve run past the last point, where it lays that point.
std::optional<record_curva> recover_line(const compiled_route& r, const std::vector<cella>& celle,
                                         testo_linea& out, int& posto_libero, notes& n) {
  geometry_recovery geometria = recover_curves(r.tracciato, n);
  board_recovery cartelli = recover_boards(celle, r.elementi, n);
  posto_libero = cartelli.posto_libero;
  interruzione ferma = geometria.interrotta;
  if (ferma == interruzione::nessuna && cartelli.ottantunesimo) ferma = interruzione::corpo;
  out.interrotta = ferma;
  recover_line_general(r, ferma, out, n);
  if (ferma == interruzione::generale) return std::nullopt;

  out.curve = std::move(geometria.curve);
  const fine_profilo fine =
      ferma == interruzione::nessuna ? fine_profilo::finito : fine_profilo::interrotto;
  out.pendenze = recover_profile(celle, &cella::pendenza, fine, pendenza_scritta);
  out.montagne = recover_spans(celle, ferma == interruzione::nessuna, n);
  out.indicatori = std::move(cartelli.indicatori);
  out.cartelli = std::move(cartelli.cartelli);
  return ferma == interruzione::nessuna ? geometria.oltre_l_ultimo : std::nullopt;
}

// Nothing of the service file reached the compiled files.
bool servizio_vuoto(const testo_servizio& t) {
  auto tutti_zero = [](const std::vector<record_profilo>& v) {
    return std::all_of(v.begin(), v.end(), [](const record_profilo& p) { return p.valore == 0; });
  };
  return t.numero_vetture == 0 && t.percentuale_massa_frenata == 0 && t.sabbia == 0 &&
         t.orologio == std::array<std::int32_t, 3>{} && tutti_zero(t.aderenze) &&
         tutti_zero(t.velocita) && t.stazioni.empty() && t.rallentamenti.empty() &&
         t.segnali.empty() && t.abbattimenti.empty() && !t.ultimo;
}

// A curve that runs past the last point lays the same points as one that
// ends there, then stops the reader: the grades are not filled up to the
// cell before the last three (n - 3 of cells 0 .. n) and the service file
// is not read. Where the files show neither, the reader stopped there, and
// the text says so.
void ferma_alla_curva(const std::vector<cella>& celle, const record_curva& oltre,
                      const testo_servizio& servizio, testo_linea& linea) {
  const std::size_t riempita = celle.size() >= 4 ? celle.size() - 4 : 0;
  if (celle[riempita].pendenza != 0 || !servizio_vuoto(servizio)) return;
  linea.interrotta = interruzione::corpo;
  linea.curve.pop_back();
  linea.curva_finale = oltre;
  linea.pendenze =
      recover_profile(celle, &cella::pendenza, fine_profilo::interrotto, pendenza_scritta);
}

// The service file's records; returns the signals whose cells later
// stations' ends took, to try before their stations.
std::vector<segnale_coperto> recover_service(const compiled_route& r,
                                             const std::vector<cella>& celle, int posto_libero,
                                             testo_servizio& out, notes& n) {
  recover_service_general(r, out);
  station_recovery stazioni = recover_stations(celle, r.elementi, posto_libero, n);
  signal_recovery segnali = recover_signals(celle, n);
  out.stazioni = std::move(stazioni.stazioni);
  out.segnali = std::move(segnali.segnali);
  bool finisce = true;  // the reader reaches its fills at the end
  if (stazioni.ultima) {
    out.ultimo = *stazioni.ultima;
    finisce = stazioni.finisce_il_file;
    if (segnali.ultimo) {
      // Only one record can stop the reader: the signal is left out, so
      // that the records after it are still read.
      n.add({place::cell, cella_oggetto(segnali.ultimo->posizione)},
            "a signal nearer than 350 m to the origin stops the reader, and so does a station");
    }
  } else if (segnali.ultimo) {
    out.ultimo = *segnali.ultimo;
    finisce = false;
  }
  const fine_profilo fine = finisce ? fine_profilo::finito : fine_profilo::interrotto;
  out.aderenze = recover_profile(celle, &cella::aderenza, fine, aderenza_scritta);
  out.velocita = recover_profile(celle, &cella::velocita, fine, velocita_scritta);
  out.rallentamenti = recover_slowdowns(celle, n);
  out.abbattimenti = recover_abbattimenti(celle, n);
  return std::move(segnali.sotto_stazioni);
}

// Cell codes no record writes, and the entry nothing fills.
void check_codes(const compiled_route& r, notes& n) {
  for (std::size_t c = 0; c < r.celle.size(); ++c) {
    const std::uint8_t t = r.celle[c].tipo;
    if (!tipo_scritto(t)) {
      n.add({place::cell, static_cast<std::int64_t>(c)},
            "code " + std::to_string(t) + " is written by no record");
    }
  }
  n.add({place::entry, 0}, "entry 0 is never filled");
}

// How far a text is from the files: a text that builds no files is the
// farthest.
std::size_t differenze(const verification& v) {
  return v.no_files ? SIZE_MAX : v.cells + v.entries + v.points;
}

// Whether a signal's cell or one of its approach marks' cells differs.
bool segnale_tocca(const segnale& s, const std::set<std::int64_t>& celle) {
  const std::int64_t c = cella_oggetto(s.posizione);
  for (std::int64_t r = 0; r <= n_segni_segnale; ++r) {
    if (celle.contains(c - passo_segni_segnale * r)) return true;
  }
  return false;
}

std::set<std::int64_t> celle_diverse(const verification& v) {
  std::set<std::int64_t> out;
  for (const difference& x : v.differences) {
    if (x.at.where == place::cell) out.insert(x.at.index);
  }
  return out;
}

// The texts, the closer they give the files back the better.
using testi_candidati = migliore_candidato<decompiled_route>;

// Compiles the service text `prova` (and the line text `linea`, when
// given, else the one kept) and keeps them when they give the files back
// closer than the texts so far.
bool tieni_se_meglio(const compiled_route& r, const std::string& nome_linea,
                     const std::string& numero_treno, const notes& n, testo_servizio prova,
                     testi_candidati& scelta, std::optional<testo_linea> linea = std::nullopt) {
  decompiled_route c;
  c.servizio = std::move(prova);
  c.service_text = testo_da_righe(righe_servizio(c.servizio));
  if (linea) {
    c.linea = std::move(*linea);
    c.line_text = testo_da_righe(righe_linea(c.linea));
  } else {
    c.linea = scelta.scelto().linea;
    c.line_text = scelta.scelto().line_text;
  }
  c.check = verify(r, compile_texts(c.line_text, c.service_text, nome_linea, numero_treno), n);
  const std::size_t punteggio = differenze(c.check);
  return scelta.prova(std::move(c), punteggio);
}

// The files cannot tell which of a station and a signal came first except
// where their approach marks meet. Each signal whose cells differ moves
// before the stations, one at a time, where the files come back closer.
void sposta_segnali_prima(const compiled_route& r, const std::string& nome_linea,
                          const std::string& numero_treno, const notes& n,
                          testi_candidati& scelta) {
  if (scelta.scelto().servizio.stazioni.empty()) return;
  // Each try compiles the route again: a damaged file with hundreds of such
  // signals gets a bounded number.
  constexpr int tentativi_massimi = 32;
  int tentativi = 0;
  for (std::size_t i = 0; tentativi < tentativi_massimi;) {
    const decompiled_route& d = scelta.scelto();
    if (i >= d.servizio.segnali.size() || d.check.exact) break;
    if (!segnale_tocca(d.servizio.segnali[i], celle_diverse(d.check))) {
      ++i;
      continue;
    }
    ++tentativi;
    testo_servizio prova = d.servizio;
    prova.segnali_prima.push_back(prova.segnali[i]);
    prova.segnali.erase(prova.segnali.begin() + static_cast<std::ptrdiff_t>(i));
    if (!tieni_se_meglio(r, nome_linea, numero_treno, n, std::move(prova), scelta)) ++i;
  }
}

// Signals whose cells later stations' ends took come back, instead of the
// speed boards those cells' values also fit, where that gives the files
// back closer: each just before the station that took its cell, or else
// all of them before the stations.
void segnali_sotto_stazioni_prima(const compiled_route& r, const std::string& nome_linea,
                                  const std::string& numero_treno, const notes& n,
                                  const std::vector<segnale_coperto>& sotto,
                                  testi_candidati& scelta) {
  const decompiled_route& d = scelta.scelto();
  if (sotto.empty() || d.check.exact) return;
  testo_linea linea = d.linea;
  std::erase_if(linea.indicatori, [&](const record_indicatore& b) {
    return std::any_of(sotto.begin(), sotto.end(), [&](const segnale_coperto& s) {
      return s.s.posizione == b.valori.posizione;
    });
  });
  // The text's marks of these signals where the files show others.
  notes con_segni = n;
  for (const segnale_coperto& x : sotto) {
    const std::int64_t c = cella_oggetto(x.s.posizione);
    for (std::int64_t k = 1; k <= n_segni_segnale; ++k) {
      con_segni.add({place::cell, c - passo_segni_segnale * k},
                    "an approach mark of the signal given back under the station's end in cell " +
                        std::to_string(c) +
                        ", where the files show another value: no one signal there gives back all "
                        "its marks and values");
    }
  }
  testo_servizio tra = d.servizio;
  testo_servizio prima = d.servizio;
  for (const segnale_coperto& x : sotto) {
    const auto k = static_cast<std::size_t>(x.stazione - voce::prima_stazione);
    if (x.stazione >= voce::prima_stazione && k < tra.stazioni.size()) {
      tra.segnali_tra.emplace_back(k, x.s);
    } else {
      tra.segnali.push_back(x.s);  // the station the reader stopped at comes last
    }
    prima.segnali_prima.push_back(x.s);
  }
  tieni_se_meglio(r, nome_linea, numero_treno, con_segni, std::move(tra), scelta, linea);
  if (!scelta.scelto().check.exact) {
    tieni_se_meglio(r, nome_linea, numero_treno, con_segni, std::move(prima), scelta,
                    std::move(linea));
  }
}

// The places no analysis names, where the closest text stops the compile
// step with an error: that stop is what keeps them from coming back.
void nomina_dopo_l_arresto(const std::string& nome_linea, const std::string& numero_treno,
                           decompiled_route& d) {
  const auto senza = [](const difference& x) { return x.why.empty(); };
  if (std::none_of(d.check.differences.begin(), d.check.differences.end(), senza)) return;
  const compiled_texts t = compile_texts(d.line_text, d.service_text, nome_linea, numero_treno);
  if (t.model.codice_errore == 0) return;
  const std::string why = "the closest text found stops the compile step with code " +
                          std::to_string(t.model.codice_errore) +
                          ", and no text found reads on from there as the files show";
  for (difference& x : d.check.differences) {
    if (x.why.empty()) x.why = why;
  }
}

}  // namespace

decompiled_route decompile_route(const compiled_route& r, const std::string& nome_linea,
                                 const std::string& numero_treno) {
  decompiled_route d;
  notes n;
  check_header(r, nome_linea, numero_treno, n);
  check_codes(r, n);
  const std::vector<cella> celle = celle_prima_dei_timbri(r);
  int posto_libero = voce::ultimo_cartello;
  const std::optional<record_curva> oltre = recover_line(r, celle, d.linea, posto_libero, n);
  const std::vector<segnale_coperto> sotto = recover_service(r, celle, posto_libero, d.servizio, n);
  if (oltre) ferma_alla_curva(celle, *oltre, d.servizio, d.linea);

  d.line_text = testo_da_righe(righe_linea(d.linea));
  d.service_text = testo_da_righe(righe_servizio(d.servizio));
  const compiled_texts again = compile_texts(d.line_text, d.service_text, nome_linea, numero_treno);
  d.check = verify(r, again, n);
  const std::size_t punteggio = differenze(d.check);
  testi_candidati scelta(std::move(d), punteggio);
  sposta_segnali_prima(r, nome_linea, numero_treno, n, scelta);
  segnali_sotto_stazioni_prima(r, nome_linea, numero_treno, n, sotto, scelta);
  decompiled_route out = std::move(scelta).prendi();
  nomina_dopo_l_arresto(nome_linea, numero_treno, out);
  return out;
}

}  // namespace scenario::decompile
