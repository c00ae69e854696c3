// What an item table entry holds, as stations and boards tell theirs apart:
// a board's entry holds its text and no number; an entry nothing filled
// holds neither.
#pragma once

#include "compiler/route_model/route_model.h"

namespace scenario::decompile {

inline bool senza_numeri(const elemento& e) {
  return e.tipo == 0 && e.inizio == 0 && e.fine == 0 && e.posizione == 0 && e.dato_b1 == 0 &&
         e.dato_i1 == 0 && e.dato_i2 == 0 && e.dato_i3 == 0 && e.dato_i4 == 0 && e.dato_i5 == 0 &&
         e.dato_b2 == 0 && e.dato_b3 == 0 && e.prolunga == 0 && e.dato_b4 == 0 && e.orario == 0;
}

inline bool vuota(const elemento& e) {
  return senza_numeri(e) && e.nome.empty();
}

}  // namespace scenario::decompile
