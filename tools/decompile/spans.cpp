#include "tools/decompile/spans.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>

#include "compiler/format/formato.h"
#include "tools/decompile/candidati.h"
#include "tools/decompile/profiles.h"

namespace scenario::decompile {

namespace {

struct tratto {
  std::int64_t prima = 0, ultima = 0;  // cells
  std::uint8_t tipo = 0;
};

// The cells where a span from `prima` to `ultima` puts its markers: the
// 4th, 8th, ... counted from its first cell.
template <typename F>
void per_ogni_marcatore(const tratto& t, F&& f) {
  for (std::int64_t c = t.prima + passo_marcatori_montagna - 1; c <= t.ultima;
       c += passo_marcatori_montagna) {
    f(c);
  }
}

// The record's type for a span type (a byte) with or without markers.
std::int32_t tipo_scritto(std::uint8_t tipo, bool marcatori) {
  if (marcatori) return std::int32_t{tipo} + scarto_marcatori_montagna;
  // A type above 10 without markers: the same low byte, below 10.
  return tipo <= scarto_marcatori_montagna ? tipo : std::int32_t{tipo} - 256;
}

// One span record within a run of cells of one type.
struct campata {
  tratto celle;
  bool marcatori = false;
};

// A run of one type split into the spans whose markers it shows. A span
// with markers starts three cells before its first marker (or at the run's
// start, when that puts the marker on its fourth cells) and runs over the
// markers on its fourth cells up to the first fourth cell left empty or the
// next span's start; the cells between such spans are spans without
// markers.
std::vector<campata> campate(const tratto& t, const std::vector<cella>& celle) {
  auto tipo = [&](std::int64_t c) { return celle[static_cast<std::size_t>(c)].tipo; };
  const std::int64_t passo = passo_marcatori_montagna;
  std::vector<std::int64_t> marcatori;
  for (std::int64_t c = t.prima; c <= t.ultima; ++c) {
    if (tipo(c) == tipo_cella::marcatore_montagna) marcatori.push_back(c);
  }
  std::vector<campata> out;
  auto aggiungi = [&](std::int64_t prima, std::int64_t ultima, bool con_marcatori) {
    if (prima <= ultima) out.push_back({{prima, ultima, t.tipo}, con_marcatori});
  };
  auto quarta = [&](std::int64_t inizio, std::int64_t c) {
    return (c - inizio) % passo == passo - 1;
  };
  // The first fourth cell of a span from `inizio`, at or after `da`, that
  // holds nothing: where the span's markers stop.
  auto primo_vuoto = [&](std::int64_t inizio, std::int64_t da) {
    std::int64_t c = da;
    while (c <= t.ultima && !quarta(inizio, c)) ++c;
    for (; c <= t.ultima; c += passo) {
      if (tipo(c) == tipo_cella::libera) return c;
    }
    return t.ultima + 1;
  };

  std::int64_t libera = t.prima;  // first cell not yet in a span
  std::size_t i = 0;
  while (i < marcatori.size()) {
    const std::int64_t m = marcatori[i];
    const bool dal_libero = quarta(libera, m) && primo_vuoto(libera, libera) > m;
    const std::int64_t inizio = dal_libero ? libera : m - (passo - 1);
    if (inizio < libera) {
      ++i;  // no span explains this marker
      continue;
    }
    aggiungi(libera, inizio - 1, false);
    std::size_t j = i;
    while (j + 1 < marcatori.size() && quarta(inizio, marcatori[j + 1]) &&
           primo_vuoto(inizio, marcatori[j]) > marcatori[j + 1]) {
      ++j;
    }
    std::int64_t fine = std::min(primo_vuoto(inizio, marcatori[j]) - 1, t.ultima);
    if (j + 1 < marcatori.size() && marcatori[j + 1] - passo >= marcatori[j]) {
      fine = std::min(fine, marcatori[j + 1] - passo);  // the next span starts after it
    }
    aggiungi(inizio, fine, true);
    libera = fine + 1;
    i = j + 1;
  }
  aggiungi(libera, t.ultima, false);
  return out;
}

// Spans for the tunnel markers that no span of their own run puts there:
// each a span with markers, of four cells up to its marker or over a chain
// of such markers four cells apart, recorded after the others; then the
// cells it covers whose type is another, recorded again with their own
// type. A marker in the first three cells stays unexplained: no span's
// fourth cell lies there.
//
// `da_prima`: each such span also starts four cells earlier while the cell
// before it holds a marker or an object and every cell it adds has a span
// type, as a span whose marker there an object covered did.
std::vector<campata> campate_sotto(const std::vector<std::int64_t>& marcatori,
                                   const std::vector<cella>& celle, bool da_prima) {
  auto at = [&](std::int64_t c) -> const cella& { return celle[static_cast<std::size_t>(c)]; };
  const std::int64_t passo = passo_marcatori_montagna;
  std::vector<campata> sotto;
  for (const std::int64_t m : marcatori) {
    if (m < passo - 1) continue;
    if (!sotto.empty()) {
      tratto& t = sotto.back().celle;
      bool catena = (m - t.ultima) % passo == 0;
      for (std::int64_t c = t.ultima + passo; catena && c < m; c += passo) {
        catena = at(c).tipo != tipo_cella::libera;
      }
      if (catena) {
        t.ultima = m;
        continue;
      }
    }
    // A span of type 0 puts no markers: any other type, recorded again.
    const std::uint8_t tipo = at(m).montagna != 0 ? at(m).montagna : 1;
    sotto.push_back({{m - (passo - 1), m, tipo}, true});
  }
  for (std::size_t k = 0; da_prima && k < sotto.size(); ++k) {
    tratto& t = sotto[k].celle;
    const std::int64_t limite = k == 0 ? 0 : sotto[k - 1].celle.ultima + 1;
    auto con_tipo = [&](std::int64_t da, std::int64_t a) {
      for (std::int64_t c = da; c <= a; ++c) {
        if (at(c).montagna == 0) return false;
      }
      return true;
    };
    while (t.prima - passo >= limite && at(t.prima - 1).tipo != tipo_cella::libera &&
           con_tipo(t.prima - passo, t.prima - 1)) {
      t.prima -= passo;
    }
  }
  std::map<std::int64_t, std::uint8_t> lasciato;  // cell: the type the spans above leave
  for (const campata& b : sotto) {
    for (std::int64_t c = b.celle.prima; c <= b.celle.ultima; ++c) lasciato[c] = b.celle.tipo;
  }
  std::vector<campata> di_nuovo;
  for (const auto& [c, tipo] : lasciato) {
    const std::uint8_t proprio = at(c).montagna;
    if (proprio == tipo) continue;
    if (!di_nuovo.empty() && di_nuovo.back().celle.ultima == c - 1 &&
        di_nuovo.back().celle.tipo == proprio) {
      di_nuovo.back().celle.ultima = c;
    } else {
      di_nuovo.push_back({{c, c, proprio}, false});
    }
  }
  sotto.insert(sotto.end(), di_nuovo.begin(), di_nuovo.end());
  return sotto;
}

std::int64_t inizio_metri(const campata& t) {
  return t.celle.prima * metri_per_cella;
}
std::int64_t fine_metri(const campata& t) {
  return (t.celle.ultima + 1) * metri_per_cella;
}

// Whether a span recorded right after `prima` keeps its own type: one
// that starts 150 m or less after the span recorded before it becomes
// type 3.
bool tiene_il_tipo(const campata* prima, const campata& t) {
  return prima == nullptr || t.celle.tipo == tipo_montagna_ravvicinata ||
         inizio_metri(t) - fine_metri(*prima) > distanza_tipo_3;
}

struct registrazione {
  std::vector<record_montagna> record;
  std::vector<std::optional<tratto>> celle;         // of each record; none for a span over no cell
  std::optional<std::int64_t> cella_ottantunesima;  // the first cell of the 81st record's span
};

// The records of spans recorded in this order: before a span that would
// become type 3, a span over no cell, which resets the distance.
registrazione registra(const std::vector<campata>& ordine, std::int64_t ultima_cella) {
  registrazione out;
  const campata* prima = nullptr;
  for (const campata& t : ordine) {
    if (!tiene_il_tipo(prima, t)) {
      const std::int32_t lontano = -lunghezza_percorso_massima;
      out.record.push_back({posizione_iniziale(ultima_cella), lontano, 0});
      out.celle.emplace_back();
    }
    out.record.push_back({static_cast<std::int32_t>(inizio_metri(t)),
                          static_cast<std::int32_t>(fine_metri(t)),
                          tipo_scritto(t.celle.tipo, t.marcatori)});
    out.celle.emplace_back(t.celle);
    if (!out.cella_ottantunesima &&
        out.record.size() > static_cast<std::size_t>(n_montagne_massimo)) {
      out.cella_ottantunesima = t.celle.prima;
    }
    prima = &t;
  }
  return out;
}

// Where `t` goes among `out`, at `da` or after, to spare the span over no
// cell before it: at the end when it keeps its type there, else right
// before a span that keeps its own type after `t` (one of type 3 always
// does) and follows one far enough behind `t`; at the end when there is
// none.
std::size_t posto_senza_azzeramento(const std::vector<campata>& out, const campata& t,
                                    std::size_t da) {
  if (tiene_il_tipo(out.empty() ? nullptr : &out.back(), t)) return out.size();
  for (std::size_t i = da; i < out.size(); ++i) {
    if (tiene_il_tipo(&t, out[i]) && tiene_il_tipo(i == 0 ? nullptr : &out[i - 1], t)) {
      return i;
    }
  }
  return out.size();
}

bool copre_una(const campata& t, const std::vector<bool>& celle) {
  for (std::int64_t c = t.celle.prima; c <= t.celle.ultima; ++c) {
    if (celle[static_cast<std::size_t>(c)]) return true;
  }
  return false;
}

// Names every cell of the records past the 80th.
void nota_oltre_80(const registrazione& r, notes& n, const std::string& why) {
  for (std::size_t k = static_cast<std::size_t>(n_montagne_massimo); k < r.celle.size(); ++k) {
    if (!r.celle[k]) continue;
    for (std::int64_t c = r.celle[k]->prima; c <= r.celle[k]->ultima; ++c) {
      n.add({place::cell, c}, why);
    }
  }
}

// The records of the spans, the fewer the better.
using candidati = migliore_candidato<registrazione>;
candidati candidato(registrazione r) {
  const std::size_t n = r.record.size();
  return candidati(std::move(r), n);
}
void prova(candidati& c, registrazione r) {
  const std::size_t n = r.record.size();
  c.prova(std::move(r), n);
}

// Spans over disjoint cells in another order, where it spares the spans
// over no cell: each moved as `posto_senza_azzeramento` says; then the
// spans under tunnel markers, kept together in their order, moved likewise
// but after every span whose cells they write over.
std::vector<campata> senza_azzeramenti(const std::vector<campata>& campate,
                                       const std::vector<campata>& sotto,
                                       const std::vector<bool>& coperte) {
  std::vector<campata> out;
  for (const campata& t : campate) {
    const std::size_t dove = posto_senza_azzeramento(out, t, 0);
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(dove), t);
  }
  if (sotto.empty()) return out;
  std::size_t dopo = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (copre_una(out[i], coperte)) dopo = i + 1;
  }
  const std::size_t dove = posto_senza_azzeramento(out, sotto.front(), dopo);
  out.insert(out.begin() + static_cast<std::ptrdiff_t>(dove), sotto.begin(), sotto.end());
  return out;
}

// Span k of `v`, or none past its end.
const campata* campata_a(const std::vector<campata>& v, std::size_t k) {
  return k < v.size() ? &v[k] : nullptr;
}

// Whether `b`, recorded right after `a` (none: first; `b` none: last),
// needs a span over no cell before it to keep its type.
int rompe(const campata* a, const campata* b) {
  return b != nullptr && !tiene_il_tipo(a, *b) ? 1 : 0;
}

bool si_sovrappongono(const campata& a, const campata& b) {
  return a.celle.prima <= b.celle.ultima && b.celle.prima <= a.celle.ultima;
}

// Longest list reordered by `meno_azzeramenti`: each pass costs the square
// of its length.
constexpr std::size_t campate_riordinabili = 1000;

// Moves another span right before span `i`, which needs a span over no
// cell before it, where that spares one: a span far enough behind it that
// keeps its type there and leaves its old neighbours theirs, with no span
// over a common cell in between. Returns whether one was moved.
bool sposta_davanti(std::vector<campata>& o, std::size_t i) {
  const campata* prima = i == 0 ? nullptr : &o[i - 1];
  for (std::size_t k = 0; k < o.size(); ++k) {
    if (k == i || k + 1 == i) continue;
    const campata* x = &o[k];
    const campata* p = k == 0 ? nullptr : &o[k - 1];
    const int togli = rompe(p, campata_a(o, k + 1)) - rompe(p, x) - rompe(x, campata_a(o, k + 1));
    const int metti = rompe(prima, x) + rompe(x, &o[i]) - rompe(prima, &o[i]);
    if (togli + metti >= 0) continue;
    bool libero = true;
    for (std::size_t m = std::min(k + 1, i); m < std::max(k, i) && libero; ++m) {
      libero = !si_sovrappongono(o[m], *x);
    }
    if (!libero) continue;
    const campata spostata = *x;
    o.erase(o.begin() + static_cast<std::ptrdiff_t>(k));
    o.insert(o.begin() + static_cast<std::ptrdiff_t>(k < i ? i - 1 : i), spostata);
    return true;
  }
  return false;
}

// Moves each span that needs a span over no cell before it to a place
// where it and the span after it keep their types with fewer such spans,
// while every two spans over a common cell keep their order, so that every
// cell ends as before.
std::vector<campata> meno_azzeramenti(std::vector<campata> o) {
  if (o.size() > campate_riordinabili) return o;
  for (bool mosso = true; mosso;) {
    mosso = false;
    for (std::size_t i = 0; i < o.size(); ++i) {
      const campata* prima = i == 0 ? nullptr : &o[i - 1];
      if (!rompe(prima, &o[i])) continue;
      const campata t = o[i];
      const int togli =
          rompe(prima, campata_a(o, i + 1)) - rompe(prima, &t) - rompe(&t, campata_a(o, i + 1));
      std::vector<campata> senza = o;
      senza.erase(senza.begin() + static_cast<std::ptrdiff_t>(i));
      std::size_t da = 0, fino = senza.size();  // where it may go back
      for (std::size_t k = 0; k < senza.size(); ++k) {
        if (!si_sovrappongono(senza[k], t)) continue;
        if (k < i) da = k + 1;
        if (k >= i) fino = std::min(fino, k);
      }
      for (std::size_t j = da; j <= fino && !mosso; ++j) {
        const campata* q = j == 0 ? nullptr : &senza[j - 1];
        const int metti =
            rompe(q, &t) + rompe(&t, campata_a(senza, j)) - rompe(q, campata_a(senza, j));
        if (togli + metti < 0) {
          senza.insert(senza.begin() + static_cast<std::ptrdiff_t>(j), t);
          o = std::move(senza);
          mosso = true;
        }
      }
      if (!mosso) mosso = sposta_davanti(o, i);
      if (mosso) break;
    }
  }
  return o;
}

// The cells the spans under tunnel markers cover: each comes back from
// them with its own type.
std::vector<bool> celle_coperte(const std::vector<campata>& sotto, std::size_t n_celle) {
  std::vector<bool> out(n_celle, false);
  for (const campata& t : sotto) {
    for (std::int64_t c = t.celle.prima; c <= t.celle.ultima; ++c) {
      out[static_cast<std::size_t>(c)] = true;
    }
  }
  return out;
}

// The spans without markers that lie wholly on cells the spans under
// tunnel markers give back: recorded before those, they would only be
// written over. A span with markers stays, for the markers may be its own.
void togli_le_ridate(std::vector<campata>& registrate, const std::vector<bool>& coperte) {
  std::erase_if(registrate, [&](const campata& t) {
    if (t.marcatori) return false;
    for (std::int64_t c = t.celle.prima; c <= t.celle.ultima; ++c) {
      if (!coperte[static_cast<std::size_t>(c)]) return false;
    }
    return true;
  });
}

}  // namespace

std::vector<record_montagna> recover_spans(const std::vector<cella>& celle, bool legge_oltre,
                                           notes& n) {
  const std::int64_t ultima_cella = static_cast<std::int64_t>(celle.size()) - 1;
  auto at = [&](std::int64_t c) -> const cella& { return celle[static_cast<std::size_t>(c)]; };

  std::vector<tratto> tratti;
  for (std::int64_t c = 0; c <= ultima_cella; ++c) {
    const std::uint8_t tipo = at(c).montagna;
    if (tipo == 0) continue;
    if (!tratti.empty() && tratti.back().ultima == c - 1 && tratti.back().tipo == tipo) {
      tratti.back().ultima = c;
    } else {
      tratti.push_back({c, c, tipo});
    }
  }

  std::vector<bool> spiegato(celle.size(), false);  // tunnel markers a span puts there
  auto spiega = [&](const campata& t) {
    if (!t.marcatori) return;
    per_ogni_marcatore(t.celle, [&](std::int64_t c) {
      spiegato[static_cast<std::size_t>(c)] = true;
      if (at(c).tipo == tipo_cella::libera) {
        n.add({place::cell, c},
              "a fourth cell of a span with tunnel markers holds no marker and no object");
      }
    });
  };
  std::vector<campata> registrate;  // over disjoint cells, in the order of the cells
  for (const tratto& tutto : tratti) {
    for (const campata& t : campate(tutto, celle)) {
      spiega(t);
      registrate.push_back(t);
    }
  }
  std::vector<std::int64_t> inspiegati;
  for (std::int64_t c = 0; c <= ultima_cella; ++c) {
    if (at(c).tipo == tipo_cella::marcatore_montagna && !spiegato[static_cast<std::size_t>(c)]) {
      inspiegati.push_back(c);
    }
  }
  for (const campata& t : campate_sotto(inspiegati, celle, false)) spiega(t);

  // In the order of the cells, the spans under markers last; in another
  // where that one takes more records than the reader reads. The spans
  // under markers as short as their markers allow, or started earlier where
  // that takes fewer records.
  auto registra_con = [&](bool da_prima) {
    const std::vector<campata> sotto = campate_sotto(inspiegati, celle, da_prima);
    const std::vector<bool> coperte = celle_coperte(sotto, celle.size());
    std::vector<campata> proprie = registrate;
    togli_le_ridate(proprie, coperte);
    std::vector<campata> in_ordine = proprie;
    in_ordine.insert(in_ordine.end(), sotto.begin(), sotto.end());
    registrazione in_ordine_delle_celle = registra(in_ordine, ultima_cella);
    const bool oltre_80 = in_ordine_delle_celle.cella_ottantunesima.has_value();
    candidati out = candidato(std::move(in_ordine_delle_celle));
    if (oltre_80) {
      const std::vector<campata> riordinate = senza_azzeramenti(proprie, sotto, coperte);
      const std::vector<campata>& prima_scelta = in_ordine;
      for (const auto* o : {&riordinate, &prima_scelta}) {
        prova(out, registra(meno_azzeramenti(*o), ultima_cella));
      }
    }
    return std::move(out).prendi();
  };
  candidati scelta = candidato(registra_con(false));
  if (!inspiegati.empty()) prova(scelta, registra_con(true));
  registrazione out = std::move(scelta).prendi();
  for (const std::int64_t c : inspiegati) {
    if (!spiegato[static_cast<std::size_t>(c)]) {
      n.add({place::cell, c},
            "a tunnel marker (code 11) in one of the first three cells, where no span has its "
            "fourth cell");
    }
  }
  if (out.cella_ottantunesima && legge_oltre) {
    // The reader would stop at the 81st record and read nothing after it:
    // the records past the 80th are left out, and the rest of the file is
    // read.
    nota_oltre_80(out, n,
                  "the spans take more than 80 records: this cell's span is left out, so that the "
                  "reader does not stop at the 81st");
    // What those records put reaches further: tunnel markers the placement
    // pass then writes over, spans of type 0 that the records left out
    // reset.
    n.add_for_all(place::cell,
                  "the spans take more than 80 records, and the ones left out change what the "
                  "text puts in this cell");
    out.record.resize(static_cast<std::size_t>(n_montagne_massimo));
  } else if (out.cella_ottantunesima) {
    // The files show that the reader stopped: the text stops it at the
    // 81st record too, and what the records after it put is lost.
    n.add({place::cell, *out.cella_ottantunesima},
          "the spans take more than 80 records: the reader stops at the 81st");
    nota_oltre_80(out, n,
                  "the spans take more than 80 records: this cell's span comes after the 81st, "
                  "where the reader stops");
  }
  return std::move(out.record);
}

}  // namespace scenario::decompile
