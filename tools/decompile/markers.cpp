#include "tools/decompile/markers.h"

#include <algorithm>
#include <set>

#include "compiler/format/codifica_celle.h"
#include "compiler/placement/posa_marcatori.h"

namespace scenario::decompile {

namespace {

bool marcatore(const cella& c) {
  return c.tipo == tipo_cella::marcatore_valore || c.tipo == tipo_cella::abbattimento_senza_valore;
}

// An "abbattimento" gives code 12 with its value, or code 13 for a value
// below 1; the value keeps its low 16 bits.
void metti(cella& c, const cella& dal_file) {
  c.tipo = dal_file.tipo;
  if (dal_file.tipo == tipo_cella::marcatore_valore) c.dato1 = dal_file.dato1;
}

record_abbattimento record_di(std::int64_t c, const cella& x) {
  record_abbattimento a;
  a.posizione = static_cast<std::int32_t>(metri_di_cella(c));
  if (x.tipo == tipo_cella::marcatore_valore) a.valore = valore_abbattimento(x);
  return a;
}

bool uguali(const cella& a, const cella& b) {
  return a.tipo == b.tipo && a.dato1 == b.dato1;
}

cella marcatore_del_passo() {
  cella c;
  impacca_marcatore(c, valore_marcatore);
  return c;
}

}  // namespace

std::vector<record_abbattimento> recover_abbattimenti(const std::vector<cella>& celle, notes& n) {
  // The cells before the pass: every marker taken away (it stood in a free
  // cell, whose first value nothing had set).
  std::vector<cella> prima = celle;
  std::size_t marcatori = 0;
  for (cella& c : prima) {
    if (marcatore(c)) {
      c.tipo = tipo_cella::libera;
      c.dato1 = 0;
      ++marcatori;
    }
  }
  // Certainly "abbattimento": code 13, and code 12 with a value the pass
  // never leaves (it writes 180, and lowers a greater value to 180).
  std::set<std::int64_t> abbattimenti;
  for (std::size_t c = 0; c < celle.size(); ++c) {
    if (marcatore(celle[c]) && !uguali(celle[c], marcatore_del_passo())) {
      abbattimenti.insert(static_cast<std::int64_t>(c));
    }
  }
  // Then, one at a time from the origin on, each marker of 180 the pass
  // does not put there: the pass walks from the origin, so a marker it
  // misses near the origin may move the ones it puts further on.
  // The cells before the pass with the "abbattimento" points recorded.
  auto con_abbattimenti = [&] {
    std::vector<cella> out = prima;
    for (const std::int64_t c : abbattimenti) {
      metti(out[static_cast<std::size_t>(c)], celle[static_cast<std::size_t>(c)]);
    }
    return out;
  };
  modello_percorso prova;
  for (std::size_t giro = 0; giro <= marcatori; ++giro) {
    prova.celle = con_abbattimenti();
    posiziona_marcatori(prova);
    std::size_t c = 0;
    while (c < celle.size() && !(marcatore(celle[c]) && !uguali(prova.celle[c], celle[c]) &&
                                 !abbattimenti.count(static_cast<std::int64_t>(c)))) {
      ++c;
    }
    if (c == celle.size()) break;
    abbattimenti.insert(static_cast<std::int64_t>(c));
  }
  for (std::size_t c = 0; c < celle.size(); ++c) {
    if (!marcatore(celle[c]) && prova.celle[c].tipo == tipo_cella::marcatore_valore) {
      n.add({place::cell, static_cast<std::int64_t>(c)},
            "the placement pass puts a marker here, around the signals and slowdowns the files "
            "hold, but the cell holds none");
    }
  }
  // The cells no record gives back are missing from the text: where they
  // stopped the pass (a slowdown's cells that leave no room for its
  // marker), the text's pass goes on and puts markers the files lack.
  modello_percorso senza;
  senza.celle = con_abbattimenti();
  for (const std::int64_t c : n.cells()) {
    if (c < 0 || static_cast<std::size_t>(c) >= senza.celle.size()) continue;
    senza.celle[static_cast<std::size_t>(c)].tipo = tipo_cella::libera;
    senza.celle[static_cast<std::size_t>(c)].dato1 = 0;
  }
  posiziona_marcatori(senza);
  for (std::size_t c = 0; c < celle.size(); ++c) {
    if (!marcatore(celle[c]) && senza.celle[c].tipo == tipo_cella::marcatore_valore) {
      n.add({place::cell, static_cast<std::int64_t>(c)},
            "the placement pass puts a marker here once the cells that no record gives back are "
            "gone, but the cell holds none");
    }
    if (marcatore(celle[c]) && !uguali(senza.celle[c], celle[c])) {
      n.add({place::cell, static_cast<std::int64_t>(c)},
            "the cell holds a marker that the placement pass no longer puts here once the cells "
            "that no record gives back are gone");
    }
  }
  std::vector<record_abbattimento> out;
  for (const std::int64_t c : abbattimenti) {
    out.push_back(record_di(c, celle[static_cast<std::size_t>(c)]));
  }
  return out;
}

}  // namespace scenario::decompile
