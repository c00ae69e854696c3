#include "tools/decompile/signals.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <queue>
#include <string>
#include <utility>

#include "compiler/format/codifica_celle.h"

namespace scenario::decompile {

namespace {

// The cell of a signal's r-th approach mark, when it lies inside the model.
std::optional<std::size_t> cella_segno(std::size_t c, std::int64_t r) {
  const std::int64_t s = static_cast<std::int64_t>(c) - passo_segni_segnale * r;
  if (s < 0) return std::nullopt;
  return static_cast<std::size_t>(s);
}

// Marks that other signals are taken to have written: cell -> values.
using segni_altrui = std::multimap<std::size_t, std::uint8_t>;

bool di_altri(const segni_altrui& altri, std::size_t cella, std::uint8_t valore) {
  const auto [da, a] = altri.equal_range(cella);
  return std::any_of(da, a, [&](const auto& v) { return v.second == valore; });
}

// sx x 3 + dx, which dato4 holds as its units only (rapp x 10 + it): the
// approach marks hold it in full, as (it x 10 + r) in 8 bits. Each mark
// gives the smallest sum, non-negative first, that fits it and dato4; the
// one most marks agree on wins, leaving out marks that other signals wrote
// over these (their values are in `altri`), the smaller one on a tie.
std::int32_t somma_lati(const std::vector<cella>& celle, std::size_t c, const segni_altrui& altri) {
  const std::int32_t dato4 = celle[c].dato4;
  std::int32_t scelta = spacchetta_decine(dato4).unita;
  int consensi_scelta = 0;
  auto minore = [](std::int32_t a, std::int32_t b) {
    return (a >= 0) != (b >= 0) ? a >= 0 : std::abs(a) < std::abs(b);
  };
  for (std::int64_t r = n_segni_segnale; r >= 1; --r) {
    const auto s = cella_segno(c, r);
    if (!s) continue;
    constexpr std::int32_t periodo = 640;  // 10 x 128: the period of both conditions
    for (std::int32_t passo = 0; passo < 2 * periodo; ++passo) {
      const std::int32_t l = passo < periodo ? passo : periodo - 1 - passo;
      if (segno_segnale(l, r) != celle[*s].segno || (dato4 - l) % 10 != 0) continue;
      int consensi = 0;
      for (std::int64_t q = 1; q <= n_segni_segnale; ++q) {
        const auto t = cella_segno(c, q);
        if (t && celle[*t].segno == segno_segnale(l, q) &&
            !di_altri(altri, *t, segno_segnale(l, q))) {
          ++consensi;
        }
      }
      if (consensi > consensi_scelta || (consensi == consensi_scelta && minore(l, scelta))) {
        scelta = l;
        consensi_scelta = consensi;
      }
      break;
    }
  }
  return scelta;
}

struct segnale_in_cella {
  segnale s;
  std::size_t cella = 0;
  std::int32_t somma = 0;
};

// rapp, sx and dx from dato4 = rapp x 10 + sx x 3 + dx, once the sum is known.
void metti_lati(const cella& x, segnale_in_cella& y) {
  y.s.rapp = (x.dato4 - y.somma) / 10;
  // A left kind of 2 when the signal has an opening delay, which only such
  // signals keep.
  y.s.sx = x.dato5 != 0 ? 2 : spacchetta_lati(y.somma).sx;
  y.s.dx = static_cast<std::int32_t>(y.somma - scenario::somma_lati(y.s.sx, 0));
}

// The codes and delay a signal's cell holds (dato1 to dato3, dato5).
segnale codici_in_cella(const cella& x, std::size_t c) {
  segnale s;
  s.posizione = static_cast<std::int32_t>(posizione_oggetto(static_cast<std::int64_t>(c)));
  const valori_segnale codici = spacchetta_segnale(x);
  s.s1 = codici.s[0];
  s.d1 = codici.d[0];
  s.s2 = codici.s[1];
  s.d2 = codici.d[1];
  s.s3 = codici.s[2];
  s.d3 = codici.d[2];
  s.tempo = tempo_del_record(x.dato5);
  return s;
}

// The order of the signals that leaves every approach mark as the files
// show it: where several signals mark one cell, the one whose mark stands
// comes after the others. By position wherever the marks allow.
std::vector<std::size_t> ordine(const std::vector<segnale_in_cella>& v,
                                const std::vector<cella>& celle, notes& n) {
  std::map<std::size_t, std::vector<std::pair<std::size_t, std::uint8_t>>> per_cella;
  for (std::size_t i = 0; i < v.size(); ++i) {
    for (std::int64_t r = 1; r <= n_segni_segnale; ++r) {
      if (const auto s = cella_segno(v[i].cella, r))
        per_cella[*s].push_back({i, segno_segnale(v[i].somma, r)});
    }
  }
  std::vector<std::vector<std::size_t>> dopo(v.size());  // i -> the signals after i
  std::vector<int> prima(v.size(), 0);
  for (const auto& [c, scritti] : per_cella) {
    if (scritti.size() < 2) continue;
    const std::uint8_t visto = celle[c].segno;
    const auto ultimo = std::find_if(scritti.begin(), scritti.end(),
                                     [&](const auto& w) { return w.second == visto; });
    if (ultimo == scritti.end()) continue;  // the verification names the cell
    for (const auto& w : scritti) {
      if (w.second == visto) continue;
      dopo[w.first].push_back(ultimo->first);
      ++prima[ultimo->first];
    }
  }
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> pronti;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (prima[i] == 0) pronti.push(i);
  }
  std::vector<std::size_t> out;
  while (!pronti.empty()) {
    const std::size_t i = pronti.top();
    pronti.pop();
    out.push_back(i);
    for (const std::size_t j : dopo[i]) {
      if (--prima[j] == 0) pronti.push(j);
    }
  }
  if (out.size() != v.size()) {
    // Marks no order gives: by position, and the verification names them.
    n.add({place::cell, static_cast<std::int64_t>(v.front().cella)},
          "the signals' approach marks overwrite each other in no possible order");
    out.clear();
    for (std::size_t i = 0; i < v.size(); ++i) out.push_back(i);
  }
  return out;
}

// Each signal's kinds from its marks: first from all of them, then leaving
// out the marks the other signals, so read, wrote.
void sistema_lati(std::vector<segnale_in_cella>& v, std::optional<segnale_in_cella>& ultimo,
                  const std::vector<cella>& celle) {
  std::vector<segnale_in_cella*> tutti;
  for (segnale_in_cella& x : v) tutti.push_back(&x);
  if (ultimo) tutti.push_back(&*ultimo);
  for (segnale_in_cella* x : tutti) x->somma = somma_lati(celle, x->cella, {});
  for (segnale_in_cella* x : tutti) {
    segni_altrui altri;
    for (const segnale_in_cella* y : tutti) {
      if (y == x) continue;
      for (std::int64_t r = 1; r <= n_segni_segnale; ++r) {
        if (const auto s = cella_segno(y->cella, r)) altri.emplace(*s, segno_segnale(y->somma, r));
      }
    }
    x->somma = somma_lati(celle, x->cella, altri);
  }
  for (segnale_in_cella* x : tutti) metti_lati(celle[x->cella], *x);
}

// The last approach mark lies 8 cells before the signal: a signal nearer
// than that to the origin stops the reader while it writes them.
constexpr std::int64_t prima_completa = passo_segni_segnale * n_segni_segnale;

// Whether cell m's mark is a station's approach mark: 80 + n, n cells
// before a station's end.
bool di_una_stazione(const std::vector<cella>& celle, std::size_t m) {
  const int n = numero_segno_stazione(celle[m].segno);
  if (n == 0) return false;
  const std::size_t fine = m + static_cast<std::size_t>(n);
  return fine < celle.size() && celle[fine].tipo == tipo_cella::fine_stazione;
}

// The approach marks of a signal at c that a station's end, recorded after
// it, left showing: the station's own marks cover the nearer two when its
// type has them, and other stations' marks are theirs. A mark is
// (sum x 10 + r) in 8 bits, so only its parity is known to match r.
std::vector<std::size_t> segni_sotto_stazione(const std::vector<cella>& celle, std::size_t c) {
  std::vector<std::size_t> out;
  for (std::int64_t r = 1; r <= n_segni_segnale; ++r) {
    const std::size_t m = *cella_segno(c, r);
    if (celle[m].segno == 0 || di_una_stazione(celle, m) || (celle[m].segno - r) % 2 != 0) {
      continue;
    }
    out.push_back(m);
  }
  return out;
}

// A signal recorded before a station whose end was written over its own
// cell: the station took its type and first codes. What is left of it is
// kept, to try before the stations; its marks and cell are named, for when
// that does not give them back.
void segnali_sotto_stazioni(const std::vector<cella>& celle, notes& n,
                            std::vector<segnale_coperto>& out) {
  for (std::size_t c = 0; c < celle.size(); ++c) {
    if (!segnale_sotto_stazione(celle, c)) continue;
    const std::string perche =
        "the end of a station recorded after it was written over the signal in cell " +
        std::to_string(c) + ", and no signal recorded before that station gives it back";
    for (const std::size_t m : segni_sotto_stazione(celle, c)) {
      n.add({place::cell, static_cast<std::int64_t>(m)}, "an approach mark of a signal: " + perche);
    }
    n.add({place::cell, static_cast<std::int64_t>(c)}, "a station's end over a signal: " + perche);
    segnale_in_cella y{codici_in_cella(celle[c], c), c, somma_lati(celle, c, {})};
    y.s.s1 = 0;  // the station's number took dato1
    y.s.d1 = 0;
    metti_lati(celle[c], y);
    out.push_back({y.s, celle[c].dato1});
  }
}

}  // namespace

bool segnale_sotto_stazione(const std::vector<cella>& celle, std::size_t c) {
  if (c >= celle.size() || static_cast<std::int64_t>(c) < prima_completa) return false;
  if (celle[c].tipo != tipo_cella::fine_stazione) return false;
  return celle[c].dato5 != 0 || !segni_sotto_stazione(celle, c).empty();
}

signal_recovery recover_signals(const std::vector<cella>& celle, notes& n) {
  signal_recovery out;
  std::vector<segnale_in_cella> trovati;
  std::optional<segnale_in_cella> ultimo;
  for (std::size_t c = 0; c < celle.size(); ++c) {
    const cella& x = celle[c];
    if (x.tipo != tipo_cella::segnale) continue;
    const segnale s = codici_in_cella(x, c);
    if (static_cast<std::int64_t>(c) < prima_completa && !ultimo) {
      ultimo = segnale_in_cella{s, c, 0};  // the reader stops at it, while it writes its marks
      continue;
    }
    if (static_cast<std::int64_t>(c) < prima_completa) {
      // Left out: it too would stop the reader, before the records after it.
      n.add({place::cell, static_cast<std::int64_t>(c)},
            "a second signal nearer than 350 m to the origin: the first one stops the reader");
      continue;
    }
    trovati.push_back({s, c, 0});
  }
  segnali_sotto_stazioni(celle, n, out.sotto_stazioni);
  sistema_lati(trovati, ultimo, celle);
  if (ultimo) out.ultimo = ultimo->s;
  if (trovati.empty()) return out;
  for (const std::size_t i : ordine(trovati, celle, n)) out.segnali.push_back(trovati[i].s);
  return out;
}

}  // namespace scenario::decompile
