#include <gtest/gtest.h>

#include <cstdio>

#include "compiler/compila.h"
#include "compiler/marcia/guasti_orario.h"
#include "compiler/marcia/linea_da_modello.h"
#include "compiler/marcia/marcia.h"
#include "sources/testi_fissi.h"

namespace scenario {
namespace {

TEST(ScenarioFissoMarcia, Stampa) {
  const fixed_scenario_texts t = fixed_texts();
  opzioni_compilazione o;
  o.nome_linea = "Viterbo_Attigliano_Orte";
  o.numero_treno = "7547";
  o.sorgenti = true;
  o.file_binari = false;
  const risultato_compilazione r = compila({t.line, t.service}, o);
  const linea_marcia l = linea_da_modello(r.modello, r.sorgenti);
  for (double passo : {5.0, 2.5, 1.0}) {
    opzioni_marcia om;
    om.passo = passo;
    const esito_marcia e = calcola_marcia(l, modello_treno{}, om);
    if (e.impedimento) std::printf("%s\n", e.impedimento->testo.c_str());
    for (const sezione_marcia& s : e.sezioni) {
      std::printf("%-22s %-22s %6.0f %8.2f %6.0f %8.2f %7.1f\n", l.stazioni[s.da].nome.c_str(),
                  l.stazioni[s.a].nome.c_str(), s.distanza, s.tempo_minimo, s.tempo_orario,
                  s.margine, s.margine_percento);
    }
    for (const orario_stazione& s : e.stazioni) {
      std::printf("  %-22s %d %9.2f %9.2f\n", l.stazioni[s.stazione].nome.c_str(), s.ferma,
                  s.arrivo, s.partenza);
    }
    std::printf("nodes %zu profile %zu\n", e.nodi.size(), e.profilo.size());
  }
}

}  // namespace
}  // namespace scenario
