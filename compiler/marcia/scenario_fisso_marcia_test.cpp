// The fixed scenario's run with the default train model, pinned against
// figures worked out apart from this code.
//
// The independent figures come from a time-stepped simulation written
// from the scenario's tables alone (the service file's "velocita" records,
// the slowdown of 30 km/h over 22700 .. 22900 m, the 45 grade records, the
// 45 curves with their class radii, the nine stations): rows every 0.002 s
// with the columns of a spreadsheet,
//   t, x, v, limit(x) = lowest limit over [x - 107.44 m, x],
//   F = min(110 kN, 2000 kW / v, 0.25 x 140 t x g),
//   R = 3300 N + 66 N s/m v + 6.5 N s^2/m^2 v^2,
//   G = 220 t x g x (grade + 800 / r) / 1000,
//   a = (F - R - G) / (220 t x 1.08),
//   v' = min(v + a dt, limit(x), braking envelope sqrt(vt^2 + 2 x 0.6 x (p - x))
//        over every lower limit vt at p ahead and the stop),
// stopping each section's run at its end station. Its running times (s):
//   VITERBO P. F. - Montefiascone      12450 m   579.15
//   Montefiascone - Grotte S. Stefano  10400 m   493.61
//   Grotte S. Stefano - S. Nicola       9050 m   480.16
//   S. Nicola - Sipicciano              1750 m   116.93
//   Sipicciano - ATTIGLIANO             5300 m   261.30
//   ATTIGLIANO - ORTE                  13650 m   586.08
// and, from ATTIGLIANO, Bassano in Teverina passed after 260.53 s, the
// 2nd Bivio Orte Nord after 348.73 s. A section's fastest time adds the
// dwell of 30 s, but for the last, ORTE.
//
// S. Nicola - Sipicciano by hand (grade -25 per mille to 32450 m, a curve
// of 1000 m radius over 32400 .. 32700 m, level from 33150 m, 75 km/h all
// along), the simulation's rows at:
//      x (m)   v (km/h)   t (s)
//      32000     41.63    17.23   (about 0.67 m/s^2 from a stand downhill)
//      32150     65.51    27.31   (F0 gives way to P / v at 65.5 km/h)
//      32400     75.00    39.57
//      32650     75.00    51.57   (250 m at 20.833 m/s: 12.00 s)
//      32900     75.00    63.57
//      33150     75.00    75.57
// Braking from 20.833 m/s at 0.6 m/s^2 takes 20.833^2 / 1.2 = 361.7 m and
// 20.833 / 0.6 = 34.72 s, so it begins at 33650 - 361.7 = 33288.3 m:
// 75.57 + 138.3 m / 20.833 m/s (6.64 s) + 34.72 = 116.93 s.
#include <gtest/gtest.h>

#include "compiler/compila.h"
#include "compiler/marcia/guasti_orario.h"
#include "compiler/marcia/linea_da_modello.h"
#include "compiler/marcia/marcia.h"
#include "sources/testi_fissi.h"

namespace scenario {
namespace {

linea_marcia linea_fissa() {
  const fixed_scenario_texts t = fixed_texts();
  const risultato_compilazione r =
      compila({t.line, t.service}, opzioni_compilazione_marcia("Viterbo_Attigliano_Orte", "7547"));
  return linea_da_modello(r.modello, r.sorgenti);
}

struct attesa {
  const char* da;
  const char* a;
  double distanza;
  double minimo;  // the independent running time, with the dwell
  double orario;
};

TEST(ScenarioFissoMarcia, SezioniComeIlCalcoloIndipendente) {
  const linea_marcia l = linea_fissa();
  const esito_marcia e = calcola_marcia(l, modello_treno{});
  ASSERT_FALSE(e.impedimento);
  const attesa attese[] = {
      {"VITERBO P. F.", "Montefiascone", 12450, 579.15 + 30, 660},
      {"Montefiascone", "Grotte S. Stefano", 10400, 493.61 + 30, 540},
      {"Grotte S. Stefano", "Sipicciano S. Nicola", 9050, 480.16 + 30, 0},
      {"Sipicciano S. Nicola", "Sipicciano", 1750, 116.93 + 30, 780},
      {"Sipicciano", "ATTIGLIANO", 5300, 261.30 + 30, 330},
      {"ATTIGLIANO", "ORTE", 13650, 586.08, 630},
  };
  ASSERT_EQ(e.sezioni.size(), std::size(attese));
  double totale = 0.0;
  for (std::size_t k = 0; k < e.sezioni.size(); ++k) {
    const sezione_marcia& s = e.sezioni[k];
    EXPECT_EQ(l.stazioni[s.da].nome, attese[k].da);
    EXPECT_EQ(l.stazioni[s.a].nome, attese[k].a);
    EXPECT_EQ(s.distanza, attese[k].distanza);
    EXPECT_NEAR(s.tempo_minimo, attese[k].minimo, 0.1) << k;
    EXPECT_EQ(s.tempo_orario, attese[k].orario);
    EXPECT_NEAR(s.margine, attese[k].orario - attese[k].minimo, 0.1) << k;
    EXPECT_EQ(s.percorribile(), k != 2) << k;
    totale += attese[k].minimo;
  }
  ASSERT_TRUE(e.intera);
  EXPECT_EQ(e.intera->distanza, 52600.0);
  EXPECT_EQ(e.intera->tempo_orario, 49 * 60.0);
  EXPECT_NEAR(e.intera->tempo_minimo, totale, 0.5);
  EXPECT_FALSE(e.percorribile());

  // The stations without a time are passed at computed times.
  ASSERT_EQ(e.stazioni.size(), 9u);
  const orario_stazione& attigliano = e.stazioni[5];
  EXPECT_EQ(attigliano.partenza, 14 * 3600 + 27 * 60 + 30);
  EXPECT_FALSE(e.stazioni[6].ferma);
  EXPECT_NEAR(e.stazioni[6].arrivo - attigliano.partenza, 260.53, 0.1);
  EXPECT_NEAR(e.stazioni[7].arrivo - attigliano.partenza, 348.73, 0.1);
}

TEST(ScenarioFissoMarcia, SanNicolaSipiccianoRigaPerRiga) {
  const linea_marcia l = linea_fissa();
  const esito_marcia e = calcola_marcia(l, modello_treno{});
  const double partenza = e.stazioni[3].partenza;
  const struct {
    double x, v, t;
  } righe[] = {{32000, 41.63, 17.23}, {32150, 65.51, 27.31}, {32400, 75.00, 39.57},
               {32650, 75.00, 51.57}, {32900, 75.00, 63.57}, {33150, 75.00, 75.57}};
  for (const auto& r : righe) {
    const auto p = std::find_if(e.profilo.begin(), e.profilo.end(),
                                [&](const punto_marcia& q) { return q.posizione == r.x; });
    ASSERT_NE(p, e.profilo.end());
    EXPECT_NEAR(p->velocita_kmh, r.v, 0.05) << r.x;
    EXPECT_NEAR(p->orario - partenza, r.t, 0.05) << r.x;
    EXPECT_EQ(p->limite_kmh, 75.0);
  }
  EXPECT_NEAR(e.stazioni[4].arrivo - partenza, 116.93, 0.05);
}

TEST(ScenarioFissoMarcia, IlProfiloOgniDieciMetri) {
  const esito_marcia e = calcola_marcia(linea_fissa(), modello_treno{});
  ASSERT_EQ(e.profilo.size(), 52600u / 10 + 1);
  EXPECT_EQ(e.profilo.front().posizione, 0.0);
  EXPECT_EQ(e.profilo.front().orario, 13 * 3600 + 49 * 60);
  EXPECT_EQ(e.profilo.back().posizione, 52600.0);
  EXPECT_EQ(e.profilo.back().velocita_kmh, 0.0);
  // The slowdown's 30 km/h holds from 22700 m until the tail leaves 22900 m.
  EXPECT_EQ(e.profilo[22700 / 10].limite_kmh, 30.0);
  EXPECT_EQ(e.profilo[23000 / 10].limite_kmh, 30.0);
  EXPECT_EQ(e.profilo[23010 / 10].limite_kmh, 85.0);
}

TEST(ScenarioFissoMarcia, SenzaLaCorsaGliStessiOrari) {
  const linea_marcia l = linea_fissa();
  const esito_marcia e = calcola_marcia(l, modello_treno{});
  opzioni_marcia o;
  o.corsa = false;
  const esito_marcia solo = calcola_marcia(l, modello_treno{}, o);
  EXPECT_TRUE(solo.nodi.empty());
  EXPECT_TRUE(solo.profilo.empty());
  ASSERT_EQ(solo.sezioni.size(), e.sezioni.size());
  for (std::size_t k = 0; k < e.sezioni.size(); ++k) {
    EXPECT_EQ(solo.sezioni[k].tempo_minimo, e.sezioni[k].tempo_minimo);
  }
  ASSERT_EQ(solo.stazioni.size(), e.stazioni.size());
  for (std::size_t k = 0; k < e.stazioni.size(); ++k) {
    EXPECT_EQ(solo.stazioni[k].arrivo, e.stazioni[k].arrivo);
  }
}

TEST(ScenarioFissoMarcia, IGuastiDellOrario) {
  const linea_marcia l = linea_fissa();
  const esito_marcia e = calcola_marcia(l, modello_treno{});
  const std::vector<guasto_orario> g = guasti_orario(l, &e);
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0].tipo, tipo_guasto_orario::non_dopo_precedente);
  EXPECT_EQ(l.stazioni[g[0].stazione].nome, "Sipicciano S. Nicola");
  EXPECT_EQ(testo_guasto_orario(l, g[0]),
            "the time 14:09:00 of Sipicciano S. Nicola is not after 14:09:00 of Grotte S. Stefano");
  EXPECT_EQ(g[1].tipo, tipo_guasto_orario::sezione_troppo_breve);
  EXPECT_EQ(testo_guasto_orario(l, g[1]),
            "9050 m from Grotte S. Stefano needs at least 8 min 31 s; the timetable gives 0 s");
}

}  // namespace
}  // namespace scenario
