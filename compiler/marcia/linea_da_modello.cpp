#include "compiler/marcia/linea_da_modello.h"

#include <cstddef>

#include "compiler/marcia/linea_da_celle.h"

namespace scenario {

linea_marcia linea_da_modello(const modello_percorso& m, const sorgenti_modello& s) {
  linea_marcia l = linea_da_celle(m.celle, m.elementi, m.n_stazioni, s.curve);
  for (stazione_marcia& st : l.stazioni) {
    st.record = s.elementi[static_cast<std::size_t>(st.voce)];
  }
  return l;
}

}  // namespace scenario
