#include "compiler/memo_montagna.h"

#include "compiler/model_access.h"
#include "compiler/rounding.h"
#include "compiler/run_failure.h"

namespace scenario {

void memo_montagna(modello_percorso& m, std::int32_t inizio, std::int32_t fine, std::int32_t tipo) {
  bool con_marcatori = false;
  if (tipo > 10) {
    tipo -= 10;
    con_marcatori = true;
  }
  m.n_montagne += 1;
  const std::int32_t n = m.n_montagne;
  if (n < 0 || n > n_montagne_massimo) throw run_failure("more than 80 mountain spans");
  m.montagne_inizio[static_cast<std::size_t>(n)] = inizio;
  m.montagne_fine[static_cast<std::size_t>(n)] = fine;
  // A span that starts 150 m or less after the previous one ends is of type 3.
  if (n > 1 && long_di(std::int64_t{m.montagne_inizio[static_cast<std::size_t>(n)]} -
                       m.montagne_fine[static_cast<std::size_t>(n - 1)]) <= 150) {
    tipo = 3;
  }
  const std::int64_t primo = R(inizio / 50.0);
  const std::int64_t ultimo = R(fine / 50.0 - 1);
  std::int64_t indice = 0;  // counts the span's cells from 1
  for (std::int64_t i = primo; i <= ultimo; ++i) {
    ++indice;
    cella& c = cella_in(m, i);
    c.montagna = bassi_8(tipo);
    if (con_marcatori && indice % 4 == 0 && c.tipo == tipo_cella::libera) {
      c.tipo = tipo_cella::marcatore_montagna;
    }
  }
}

}  // namespace scenario
