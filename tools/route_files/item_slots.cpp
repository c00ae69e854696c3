#include "tools/route_files/item_slots.h"

namespace scenario {

namespace {

bool vuoto(const elemento& e) {
  return e.tipo == 0 && e.inizio == 0 && e.fine == 0 && e.posizione == 0 && e.dato_b1 == 0 &&
         e.nome.empty() && e.dato_i1 == 0 && e.dato_i2 == 0 && e.dato_i3 == 0 && e.dato_i4 == 0 &&
         e.dato_i5 == 0 && e.dato_b2 == 0 && e.dato_b3 == 0 && e.prolunga == 0 && e.dato_b4 == 0 &&
         e.orario == 0;
}

}  // namespace

slot_elementi trova_slot(const tabella_elementi& elementi) {
  slot_elementi s;
  for (int k = voce::ultimo_cartello; k >= voce::prima_stazione; --k) {
    if (vuoto(elementi[static_cast<std::size_t>(k)])) break;
    s.cartelli.push_back(k);
  }
  const int limite = s.cartelli.empty() ? voce::ultimo_cartello : s.cartelli.back() - 1;
  for (int k = voce::prima_stazione; k <= limite; ++k) {
    if (vuoto(elementi[static_cast<std::size_t>(k)])) break;
    s.stazioni.push_back(k);
  }
  return s;
}

}  // namespace scenario
