#include "compiler/recorders/scrittura.h"

#include "compiler/readers/errore_esecuzione.h"

namespace scenario {

void giornale_modello::cella(std::int64_t i, const scenario::cella& c, const origine_cella* o) {
  celle_.push_back({i, c, o != nullptr ? *o : origine_cella{}});
}

namespace {

// The value and its source, of a cell or of a const cell.
template <class Cella>
auto& campo_di(Cella& c, campo_profilo f) {
  switch (f) {
    case campo_profilo::pendenza:
      return c.pendenza;
    case campo_profilo::velocita:
      return c.velocita;
    case campo_profilo::aderenza:
      break;
  }
  return c.aderenza;
}

}  // namespace

void giornale_modello::profilo(std::int64_t i, campo_profilo f, const scenario::cella& c,
                               const origine_cella* o) {
  profili_.push_back({static_cast<std::int32_t>(i), f, campo_di(c, f),
                      o != nullptr ? campo_di(*o, f) : nessun_record});
}

void giornale_modello::voce(int j, const elemento& e, std::int32_t origine) {
  voci_.push_back({j, e, origine});
}

void giornale_modello::annulla(modello_percorso& m, sorgenti_modello* s) {
  // Whole cells first, then profile values: no write other than a fill
  // changes a profile value, so each cell's oldest whole copy holds the
  // right values but for the profile values filled before it, and the
  // oldest note of each profile value puts that back.
  for (auto it = celle_.rbegin(); it != celle_.rend(); ++it) {
    const auto k = static_cast<std::size_t>(it->indice);
    if (k < m.celle.size()) m.celle[k] = it->valore;
    if (s != nullptr && k < s->celle.size()) s->celle[k] = it->origine;
  }
  for (auto it = profili_.rbegin(); it != profili_.rend(); ++it) {
    const auto k = static_cast<std::size_t>(it->indice);
    if (k < m.celle.size()) campo_di(m.celle[k], it->campo) = it->valore;
    if (s != nullptr && k < s->celle.size()) campo_di(s->celle[k], it->campo) = it->origine;
  }
  for (auto it = voci_.rbegin(); it != voci_.rend(); ++it) {
    const auto k = static_cast<std::size_t>(it->indice);
    m.elementi[k] = it->valore;
    if (s != nullptr) s->elementi[k] = it->origine;
  }
  dimentica();
}

void giornale_modello::dimentica() {
  celle_.clear();
  profili_.clear();
  voci_.clear();
}

std::size_t scrittura::indice(std::int64_t i) const {
  if (i < 0 || i >= static_cast<std::int64_t>(m_.celle.size())) {
    throw errore_esecuzione(motivo_guasto::cella_fuori, "cell index outside the route model");
  }
  return static_cast<std::size_t>(i);
}

elemento& scrittura::voce(int j) {
  const auto k = static_cast<std::size_t>(j);
  if (g_ != nullptr) g_->voce(j, m_.elementi[k], s_ != nullptr ? s_->elementi[k] : nessun_record);
  if (s_ != nullptr) s_->elementi[k] = record_;
  return m_.elementi[k];
}

void scrittura::celle_create() {
  if (s_ != nullptr) s_->celle.assign(m_.celle.size(), origine_cella{});
}

}  // namespace scenario
