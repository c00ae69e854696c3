#include "compiler/marcia/linea_da_modello.h"

#include <cstddef>
#include <utility>

#include "compiler/marcia/linea_da_celle.h"

namespace scenario {

linea_marcia linea_da_modello(const modello_percorso& m, const sorgenti_modello& s) {
  linea_marcia l = linea_da_celle(m.celle, m.elementi, m.n_stazioni, s.curve);
  for (stazione_marcia& st : l.stazioni) {
    st.record = s.elementi[static_cast<std::size_t>(st.voce)];
  }
  return l;
}

opzioni_compilazione opzioni_compilazione_marcia(std::string nome_linea, std::string numero_treno) {
  opzioni_compilazione o;
  o.nome_linea = std::move(nome_linea);
  o.numero_treno = std::move(numero_treno);
  o.sorgenti = true;
  o.posa_geometria = false;
  o.file_binari = false;
  return o;
}

}  // namespace scenario
