#include "tools/decompile/general_section.h"

#include <algorithm>
#include <array>

#include "compiler/format/codifica_celle.h"
#include "compiler/recorders/progressive_ordina.h"
#include "compiler/route_model/voci.h"
#include "compiler/writers/codici_gara.h"
#include "compiler/writers/slot_riservati.h"

namespace scenario::decompile {

namespace {

const elemento& voce_di(const compiled_route& r, int k) {
  return r.elementi[static_cast<std::size_t>(k)];
}

serie_progressiva serie_di(const elemento& e) {
  return {e.inizio, e.fine, e.posizione};
}

// The series as written, from entry v after the sort.
serie_progressiva serie_scritta(const compiled_route& r, int v) {
  serie_progressiva s = serie_di(voce_di(r, v));
  s.origine = static_cast<std::int32_t>(origine_scritta(r.elementi, v));
  return s;
}

// Whether the records "uno", "due", "tre" = `s` sort into the file's entries
// 81, 82, 83, by the compiler's own sort.
bool si_ordinano_come(const std::array<serie_progressiva, 3>& s, const compiled_route& r,
                      modello_percorso& prova) {
  auto metti = [&](int k, const serie_progressiva& v) {
    elemento& e = prova.elementi[static_cast<std::size_t>(k)];
    e.inizio = v.inizio;
    e.fine = v.origine;
    e.posizione = v.verso;
  };
  metti(voce::progressiva_uno, s[0]);
  metti(voce::progressiva_due, s[1]);
  metti(voce::progressiva_tre, s[2]);
  try {
    progressive_ordina(prova);
  } catch (const std::exception&) {
    return false;  // a sum that overflows: the reader stops there
  }
  for (int k = voce::progressiva_tre; k <= voce::progressiva_uno; ++k) {
    const elemento& e = prova.elementi[static_cast<std::size_t>(k)];
    const elemento& f = voce_di(r, k);
    if (e.inizio != f.inizio || e.fine != f.fine || e.posizione != f.posizione) return false;
  }
  return true;
}

// The three records in the order an author writes them: the series in use
// first, by their start, then the others. Every other order is tried next.
std::array<serie_progressiva, 3> progressive_scritte(const compiled_route& r, notes& n) {
  std::array<serie_progressiva, 3> s = {serie_scritta(r, voce::progressiva_uno),
                                        serie_scritta(r, voce::progressiva_due),
                                        serie_scritta(r, voce::progressiva_tre)};
  std::stable_sort(s.begin(), s.end(), [](const auto& a, const auto& b) {
    if ((a.verso == 1) != (b.verso == 1)) return a.verso == 1;
    return a.inizio < b.inizio;
  });
  std::array<int, 3> ordine = {0, 1, 2};
  modello_percorso prova;
  do {
    const std::array<serie_progressiva, 3> t = {s[static_cast<std::size_t>(ordine[0])],
                                                s[static_cast<std::size_t>(ordine[1])],
                                                s[static_cast<std::size_t>(ordine[2])]};
    if (si_ordinano_come(t, r, prova)) return t;
  } while (std::next_permutation(ordine.begin(), ordine.end()));
  for (int k = voce::progressiva_tre; k <= voce::progressiva_uno; ++k) {
    n.add({place::entry, k},
          "the three kilometric series of entries 81 to 83 are not the sorted order of any "
          "three \"progressiva chilometrica\" records");
  }
  return s;
}

bool fuori_griglia(std::int32_t metri) {
  return metri % metri_per_cella != 0;
}

}  // namespace

std::int32_t lunghezza_dal_tracciato(const compiled_route& r) {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(r.tracciato.x.size()) - 1 -
                                   coda_tracciato);
}

bool general_section_stops_itself(const compiled_route& r) {
  const elemento& zona = voce_di(r, voce::testata_corsa);
  return r.lunghezza_percorso() > lunghezza_percorso_massima || fuori_griglia(zona.inizio) ||
         fuori_griglia(zona.fine);
}

void recover_line_general(const compiled_route& r, interruzione interrotta, testo_linea& out,
                          notes& n) {
  out.lunghezza = lunghezza_dal_tracciato(r);
  const std::int32_t registrata = r.lunghezza_percorso();
  if (registrata != out.lunghezza) {
    if (registrata > lunghezza_percorso_massima && interrotta == interruzione::generale) {
      out.lunghezza_eccessiva = registrata;  // a second record that stopped the reader
    } else {
      n.add({place::entry, voce::treno_e_linea},
            "the line length " + std::to_string(registrata) + " m in entry 84 is not the length " +
                std::to_string(out.lunghezza) + " m that the geometry's size was built from");
    }
  }

  if (interrotta == interruzione::generale) {
    // Never sorted: the entries hold the records as read.
    out.progressive = {serie_di(voce_di(r, voce::progressiva_uno)),
                       serie_di(voce_di(r, voce::progressiva_due)),
                       serie_di(voce_di(r, voce::progressiva_tre))};
  } else {
    out.progressive = progressive_scritte(r, n);
  }

  const elemento& e85 = voce_di(r, voce::testata_linea);
  out.sfondi = {e85.inizio, e85.posizione, e85.fine};

  const elemento& e86 = voce_di(r, voce::testata_corsa);
  const int codici = e86.posizione;
  if (codici != 0 && codici != 4 && codici != 9) {
    n.add({place::entry, voce::testata_corsa},
          "the coded zone has " + std::to_string(codici) +
              " codes; a \"ripetizione segnali\" record gives 4, 9 or, for no zone, 0");
  }
  const int cifra = codici == 9 ? 9 : 4;
  const bool fuori = fuori_griglia(e86.inizio) || fuori_griglia(e86.fine);
  if (fuori && interrotta == interruzione::generale) {
    // The zone's values stopped the reader before its number of codes was
    // set: an earlier zone set that number.
    if (codici != 0) out.zone.push_back({0, metri_per_cella, cifra});
    out.zone.push_back({e86.inizio, e86.fine, cifra});
  } else if (fuori) {
    // Such a zone stops the reader, and the geometry shows it did not stop:
    // the nearest zone on the grid.
    n.add({place::entry, voce::testata_corsa},
          "the coded zone is off the 50 m grid, which stops the reader before the geometry it "
          "laid");
    auto griglia = [](std::int32_t m) { return m / metri_per_cella * metri_per_cella; };
    out.zone.push_back({griglia(e86.inizio), griglia(e86.fine), cifra});
  } else if ((codici == 0) != (e86.fine == 0) && interrotta == interruzione::generale) {
    // A keyword with neither 4 nor 9 stops the reader after the zone's
    // values and before its number of codes: an earlier zone set that
    // number, or none did.
    if (codici != 0) out.zone.push_back({0, metri_per_cella, cifra});
    out.zone.push_back({e86.inizio, e86.fine, 0});
  } else {
    if (codici == 0 && e86.fine != 0) {
      n.add({place::entry, voce::testata_corsa},
            "the coded zone ends at " + std::to_string(e86.fine) +
                " m but has no number of codes, which only a zone ending at 0 has, or a zone "
                "whose keyword stops the reader before the geometry it laid");
    } else if (codici != 0 && e86.fine == 0) {
      n.add({place::entry, voce::testata_corsa},
            "the coded zone ends at 0 m but has " + std::to_string(codici) +
                " codes, which a zone ending at 0 has only when its keyword stops the reader, "
                "before the geometry it laid");
    }
    out.zone.push_back({e86.inizio, e86.fine, cifra});
  }
}

void recover_service_general(const compiled_route& r, testo_servizio& out) {
  const elemento& e84 = voce_di(r, voce::treno_e_linea);
  const elemento& e86 = voce_di(r, voce::testata_corsa);
  out.numero_vetture = e84.posizione;
  out.percentuale_massa_frenata = e84.inizio;
  out.sabbia = e86.dato_i1;
  out.orologio = {e86.dato_i3, e86.dato_i4, e86.dato_i5};
}

std::vector<cella> celle_prima_dei_timbri(const compiled_route& r) {
  std::vector<cella> celle = r.celle;
  if (celle.size() > cella_riservata) {
    celle[cella_riservata].dato1 = 0;
    celle[cella_riservata].dato2 = 0;
  }
  return celle;
}

void check_header(const compiled_route& r, const std::string& nome_linea,
                  const std::string& numero_treno, notes& n) {
  const elemento& e85 = voce_di(r, voce::testata_linea);
  const elemento& e86 = voce_di(r, voce::testata_corsa);
  if (e85.nome != nome_linea) {
    n.add({place::entry, voce::testata_linea},
          "the route name in the simulation file is not '" + nome_linea +
              "', the name the files are found by (give it with --route)");
  }
  if (e86.nome != numero_treno) {
    n.add({place::entry, voce::testata_corsa},
          "the train number in the simulation file is not '" + numero_treno +
              "', the number the files are found by (give it with --train)");
  }
  if (e85.dato_i1 != marcatore_elemento || e85.orario != codice_gara_st(numero_treno, nome_linea)) {
    n.add({place::entry, voce::testata_linea},
          "the marker and competition code stamped by the compile step are not the ones of "
          "this route name and train number");
  }
  if (r.celle.size() > cella_riservata) {
    const valori_cella_riservata c = spacchetta_cella_riservata(r.celle[cella_riservata]);
    if (c.marcatore != marcatore_cella ||
        c.codice_gara != codice_gara_og(numero_treno, nome_linea)) {
      n.add({place::cell, static_cast<std::int64_t>(cella_riservata)},
            "the marker and competition code stamped by the compile step are not the ones of "
            "this route name and train number");
    }
  }
  // The cells of the geometry's length: a negative line length the reader
  // accepts too, so not the loader's bounds.
  const std::int64_t punti = static_cast<std::int64_t>(r.tracciato.x.size());
  const auto attese =
      static_cast<std::size_t>(std::max<std::int64_t>(0, n_celle_di(punti - 1) + 1));
  if (attese != r.celle.size()) {
    n.add({place::cell, static_cast<std::int64_t>(r.celle.size()) - 1},
          "the cell data file holds " + std::to_string(r.celle.size()) +
              " cells, the geometry's length calls for " + std::to_string(attese));
  }
}

}  // namespace scenario::decompile
