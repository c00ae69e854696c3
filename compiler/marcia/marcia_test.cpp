// The running-time calculation against closed forms, its named reasons,
// and properties over generated lines.
#include "compiler/marcia/marcia.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace scenario {
namespace {

stazione_marcia stazione(double x, std::optional<std::int32_t> orario = std::nullopt) {
  stazione_marcia s;
  s.posizione = x;
  s.nome = "S" + std::to_string(static_cast<long long>(x));
  s.orario = orario;
  return s;
}

// Level track, no limit, two stations; four cars of the default model.
linea_marcia linea_piana(double lunghezza) {
  linea_marcia l;
  l.stazioni = {stazione(0.0), stazione(lunghezza)};
  l.numero_vetture = 4;
  l.percentuale_massa_frenata = 100;
  return l;
}

// A train of constant force F0 and nothing else: no resistance, no
// rotating masses, power and adhesion beyond reach.
modello_treno treno_a_forza_costante() {
  modello_treno m;
  m.velocita_massima_kmh = 1000.0;
  m.massa_t = 200.0;
  m.lunghezza_m = 100.0;
  m.sforzo_avviamento_kn = 100.0;  // a = 0.5 m/s^2
  m.potenza_kw = 1.0e5;
  m.resistenza_a_n_t = 0.0;
  m.resistenza_b_n_t_s_m = 0.0;
  m.resistenza_c_n_s2_m2 = 0.0;
  m.fattore_masse_rotanti = 0.0;
  m.quota_massa_aderente = 1.0;
  m.coefficiente_aderenza = 1.0;
  m.decelerazione_servizio_m_s2 = 0.5;
  return m;
}

const orario_stazione& a(const esito_marcia& e, std::size_t k) {
  return e.stazioni.at(k);
}

TEST(MarciaFormeChiuse, ForzaCostanteInPiano) {
  // t = sqrt(2 d / a), at a station passed 1000 m out, long before any
  // braking: sqrt(2 x 1000 / 0.5) = 63.2456 s.
  linea_marcia l = linea_piana(100000.0);
  l.stazioni.insert(l.stazioni.begin() + 1, stazione(1000.0));
  const esito_marcia e = calcola_marcia(l, treno_a_forza_costante());
  ASSERT_FALSE(e.impedimento);
  EXPECT_FALSE(a(e, 1).ferma);
  EXPECT_NEAR(a(e, 1).arrivo - a(e, 0).partenza, std::sqrt(2.0 * 1000.0 / 0.5), 1e-9);
}

TEST(MarciaFormeChiuse, ArrestoDaVelocitaVInVQuadroSuDueB) {
  // Held at 72 km/h (20 m/s), the train stops at 0.5 m/s^2 over
  // 20^2 / (2 x 0.5) = 400 m, in 40 s: the braking curve leaves the
  // limit at 9600 m.
  linea_marcia l = linea_piana(10000.0);
  l.velocita = {{0.0, 72.0}};
  const esito_marcia e = calcola_marcia(l, treno_a_forza_costante());
  ASSERT_FALSE(e.impedimento);
  double inizio_frenata = 0.0;
  double tempo_inizio = 0.0;
  for (const nodo_marcia& n : e.nodi) {
    if (std::fabs(n.velocita - 20.0) < 1e-9) {
      inizio_frenata = n.posizione;
      tempo_inizio = n.orario;
    }
  }
  EXPECT_NEAR(inizio_frenata, 10000.0 - 400.0, 1e-6);
  EXPECT_NEAR(a(e, 1).arrivo - tempo_inizio, 40.0, 1e-9);
}

TEST(MarciaFormeChiuse, TempoSuUnTrattoAlLimite) {
  // Stations passed at 2000 m and 7000 m, with the train held at 90 km/h
  // (25 m/s) all between: 5000 / 25 = 200 s. It reaches 90 km/h after
  // 25^2 / (2 x 0.5) = 625 m and brakes 625 m before the end.
  linea_marcia l = linea_piana(10000.0);
  l.velocita = {{0.0, 90.0}};
  l.stazioni.insert(l.stazioni.begin() + 1, {stazione(2000.0), stazione(7000.0)});
  const esito_marcia e = calcola_marcia(l, treno_a_forza_costante());
  ASSERT_FALSE(e.impedimento);
  EXPECT_NEAR(a(e, 2).arrivo - a(e, 1).arrivo, 200.0, 1e-9);
  // The whole run: 50 s up to speed, 8750 m held, 50 s braking.
  EXPECT_NEAR(a(e, 3).arrivo - a(e, 0).partenza, 50.0 + 8750.0 / 25.0 + 50.0, 1e-9);
}

TEST(MarciaFormeChiuse, UnRallentamentoFuoriGrigliaFrenaFinoAlSuoInizio) {
  // Held at 72 km/h (20 m/s), a slowdown of 36 km/h (10 m/s) from 5005 m,
  // between two nodes of the 10 m grid: the train brakes at 0.5 m/s^2 over
  // (20^2 - 10^2) / (2 x 0.5) = 300 m, from 4705 m to the slowdown's very
  // start.
  linea_marcia l = linea_piana(10000.0);
  l.velocita = {{0.0, 72.0}};
  l.rallentamenti = {{5005.0, 5505.0, 36.0}};
  const esito_marcia e = calcola_marcia(l, treno_a_forza_costante());
  ASSERT_FALSE(e.impedimento);
  double inizio_frenata = 0.0;
  for (const nodo_marcia& n : e.nodi) {
    if (n.posizione < 5005.0 && std::fabs(n.velocita - 20.0) < 1e-9) inizio_frenata = n.posizione;
  }
  EXPECT_NEAR(inizio_frenata, 4705.0, 1e-6);
  const auto al_rallentamento = std::find_if(
      e.nodi.begin(), e.nodi.end(), [](const nodo_marcia& n) { return n.posizione == 5005.0; });
  ASSERT_NE(al_rallentamento, e.nodi.end());
  EXPECT_NEAR(al_rallentamento->velocita, 10.0, 1e-9);
}

TEST(MarciaFermate, DueFermatePiuViciniDelPassoHannoUnNodoInMezzo) {
  // Stations 50 m apart with 100 m steps: a node at 25 m lets the train
  // move. At 0.5 m/s^2 both ways it reaches 5 m/s there after 10 s and
  // stops 10 s later.
  const linea_marcia l = linea_piana(50.0);
  opzioni_marcia o;
  o.passo = 100.0;
  const esito_marcia e = calcola_marcia(l, treno_a_forza_costante(), o);
  ASSERT_FALSE(e.impedimento);
  ASSERT_EQ(e.nodi.size(), 3u);
  EXPECT_EQ(e.nodi[1].posizione, 25.0);
  EXPECT_NEAR(e.nodi[1].velocita, 5.0, 1e-9);
  EXPECT_NEAR(e.nodi[1].orario, 10.0, 1e-9);
  EXPECT_NEAR(a(e, 1).arrivo - a(e, 0).partenza, 20.0, 1e-9);
}

TEST(MarciaFermate, IlProfiloAllaFermataDaLArrivo) {
  // A stop of a late train: arrival, then a wait for its time; the profile
  // point at the station gives the arrival, the next one a time after the
  // departure.
  linea_marcia l = linea_piana(4000.0);
  l.stazioni = {stazione(0.0, 36000), stazione(2000.0, 37000), stazione(4000.0)};
  const esito_marcia e = calcola_marcia(l, treno_a_forza_costante());
  ASSERT_FALSE(e.impedimento);
  ASSERT_EQ(a(e, 1).partenza, 37000.0);
  ASSERT_LT(a(e, 1).arrivo, 36500.0);
  ASSERT_GT(e.profilo.size(), 201u);
  const punto_marcia& p = e.profilo[200];
  EXPECT_EQ(p.posizione, 2000.0);
  EXPECT_EQ(p.velocita_kmh, 0.0);
  EXPECT_NEAR(p.orario, a(e, 1).arrivo, 1e-9);
  EXPECT_GT(e.profilo[201].orario, 37000.0);
}

TEST(MarciaFormeChiuse, UnaCurvaComeLaSuaPendenzaEquivalente) {
  // A curve of radius r costs 800 / r per mille: 500 m radius over
  // 3000 .. 5000 m runs as a grade of 1.6 per mille there, on a climb
  // where the train cannot hold its limit.
  linea_marcia con_curva = linea_piana(12000.0);
  con_curva.velocita = {{0.0, 120.0}, {6000.0, 80.0}};
  con_curva.pendenze = {{0.0, 25.0}};
  con_curva.curve = {{3000.0, 5000.0, 500.0}};
  linea_marcia con_pendenza = con_curva;
  con_pendenza.curve.clear();
  con_pendenza.pendenze = {{0.0, 25.0}, {3000.0, 26.6}, {5000.0, 25.0}};
  const esito_marcia e1 = calcola_marcia(con_curva, modello_treno{});
  const esito_marcia e2 = calcola_marcia(con_pendenza, modello_treno{});
  ASSERT_FALSE(e1.impedimento);
  EXPECT_NEAR(a(e1, 1).arrivo, a(e2, 1).arrivo, 1e-9);
  ASSERT_EQ(e1.nodi.size(), e2.nodi.size());
  for (std::size_t k = 0; k < e1.nodi.size(); ++k) {
    EXPECT_NEAR(e1.nodi[k].velocita, e2.nodi[k].velocita, 1e-9);
  }
  // And it costs time: without the curve the run is shorter.
  con_curva.curve.clear();
  EXPECT_LT(a(calcola_marcia(con_curva, modello_treno{}), 1).arrivo, a(e1, 1).arrivo - 0.1);
}

TEST(MarciaLimiti, UnLimitePiuBassoValeFinCheLaCodaNonNeEsce) {
  // 40 km/h over 5000 .. 5200 m: a 100 m train keeps it from its head at
  // 5000 m to its head at 5300 m, and meets it at 40 km/h.
  linea_marcia l = linea_piana(10000.0);
  l.velocita = {{0.0, 100.0}, {5000.0, 40.0}, {5200.0, 100.0}};
  const esito_marcia e = calcola_marcia(l, treno_a_forza_costante());
  const funzione_gradini lim = limite_efficace(l, 100.0, 1000.0 / 3.6);
  EXPECT_NEAR(lim.in(4999.9) * 3.6, 100.0, 1e-9);
  EXPECT_NEAR(lim.in(5000.0) * 3.6, 40.0, 1e-9);
  EXPECT_NEAR(lim.in(5299.9) * 3.6, 40.0, 1e-9);
  EXPECT_NEAR(lim.in(5300.0) * 3.6, 100.0, 1e-9);
  for (const nodo_marcia& n : e.nodi) {
    if (n.posizione >= 5000.0 && n.posizione <= 5300.0) {
      EXPECT_LE(n.velocita, 40.0 / 3.6 + 1e-9);
    }
  }
  // A slowdown likewise, and the train's own top speed over all.
  l.velocita = {{0.0, 100.0}};
  l.rallentamenti = {{6000.0, 6400.0, 30.0}};
  const funzione_gradini r = limite_efficace(l, 100.0, 90.0 / 3.6);
  EXPECT_NEAR(r.in(0.0) * 3.6, 90.0, 1e-9);
  EXPECT_NEAR(r.in(6000.0) * 3.6, 30.0, 1e-9);
  EXPECT_NEAR(r.in(6499.0) * 3.6, 30.0, 1e-9);
  EXPECT_NEAR(r.in(6500.0) * 3.6, 90.0, 1e-9);
}

TEST(MarciaFermate, SostaMinimaEOrario) {
  // Stops at stations with a time, for at least the dwell; leaves no
  // earlier than its time; passes the others.
  linea_marcia l = linea_piana(6000.0);
  l.stazioni = {stazione(0.0, 36000), stazione(2000.0, 36001), stazione(4000.0),
                stazione(6000.0, 37000)};
  modello_treno m;
  m.sosta_minima_s = 45.0;
  const esito_marcia e = calcola_marcia(l, m);
  ASSERT_FALSE(e.impedimento);
  EXPECT_EQ(a(e, 0).partenza, 36000.0);
  EXPECT_TRUE(a(e, 1).ferma);
  EXPECT_NEAR(a(e, 1).partenza - a(e, 1).arrivo, 45.0, 1e-9);  // late: the dwell only
  EXPECT_FALSE(a(e, 2).ferma);
  EXPECT_EQ(a(e, 2).arrivo, a(e, 2).partenza);
  ASSERT_EQ(e.sezioni.size(), 2u);
  EXPECT_NEAR(e.sezioni[0].tempo_minimo, a(e, 1).arrivo - 36000.0 + 45.0, 1e-9);
  EXPECT_EQ(e.sezioni[0].tempo_orario, 1.0);
  EXPECT_FALSE(e.sezioni[0].percorribile());
  // The last section ends with the arrival: no dwell.
  EXPECT_NEAR(e.sezioni[1].tempo_minimo, a(e, 3).arrivo - a(e, 1).partenza, 1e-9);
  EXPECT_NEAR(e.sezioni[1].margine, 999.0 - e.sezioni[1].tempo_minimo, 1e-9);
  EXPECT_NEAR(e.sezioni[1].margine_percento,
              e.sezioni[1].margine / e.sezioni[1].tempo_minimo * 100.0, 1e-9);
  ASSERT_TRUE(e.intera);
  EXPECT_EQ(e.intera->da, 0u);
  EXPECT_EQ(e.intera->a, 3u);
  EXPECT_EQ(e.intera->tempo_orario, 1000.0);
  EXPECT_NEAR(e.intera->tempo_minimo, e.sezioni[0].tempo_minimo + e.sezioni[1].tempo_minimo, 1e-9);
  EXPECT_FALSE(e.percorribile());
}

TEST(MarciaFermate, SenzaOrarioAllaPrimaStazioneLOrologioParteDallaPrimaOra) {
  // The first station has no time: the train reaches the first timed
  // station the dwell before its time.
  linea_marcia l = linea_piana(6000.0);
  l.stazioni = {stazione(0.0), stazione(3000.0, 40000), stazione(6000.0, 41000)};
  const esito_marcia e = calcola_marcia(l, modello_treno{});
  ASSERT_FALSE(e.impedimento);
  EXPECT_NEAR(a(e, 1).arrivo, 40000.0 - 30.0, 1e-9);
  EXPECT_EQ(a(e, 1).partenza, 40000.0);
  EXPECT_LT(a(e, 0).partenza, a(e, 1).arrivo);
  EXPECT_EQ(e.sezioni.size(), 1u);
  // Without any time the clock starts at 0.
  l.stazioni = {stazione(0.0), stazione(3000.0)};
  const esito_marcia senza = calcola_marcia(l, modello_treno{});
  EXPECT_EQ(a(senza, 0).partenza, 0.0);
  EXPECT_TRUE(senza.sezioni.empty());
  EXPECT_FALSE(senza.intera);
  EXPECT_TRUE(senza.percorribile());
}

TEST(MarciaImpedimenti, OgniRagioneHaNomeELuogo) {
  const auto ragione = [](const linea_marcia& l, const modello_treno& m = {}) {
    const esito_marcia e = calcola_marcia(l, m);
    EXPECT_TRUE(e.sezioni.empty());
    return e.impedimento.value_or(impedimento_marcia{tipo_impedimento::poche_stazioni, -1, "none"});
  };
  linea_marcia l = linea_piana(20000.0);

  linea_marcia una = l;
  una.stazioni.pop_back();
  EXPECT_EQ(ragione(una).testo, "the service file has 1 station: a run needs two");

  linea_marcia fuori = l;
  fuori.stazioni.push_back(stazione(20000.0));
  EXPECT_EQ(ragione(fuori).testo,
            "station \"S20000\" at 20000 m does not lie beyond \"S20000\" at 20000 m");

  linea_marcia zero = l;
  zero.velocita = {{0.0, 80.0}, {12350.0, 0.0}, {12400.0, 80.0}};
  const impedimento_marcia z = ragione(zero);
  EXPECT_EQ(z.tipo, tipo_impedimento::limite_zero);
  EXPECT_EQ(z.posizione, 12350.0);
  EXPECT_EQ(z.testo, "the speed limit is 0 km/h at 12350 m: the train cannot pass");
  zero.velocita.clear();
  zero.rallentamenti = {{300.0, 500.0, 0.0}};
  EXPECT_EQ(ragione(zero).posizione, 300.0);

  linea_marcia senza_presa = l;
  senza_presa.aderenze = {{0.0, 100.0}, {5000.0, 0.0}};
  EXPECT_EQ(ragione(senza_presa).testo,
            "the adhesion is 0 at 5000 m: the wheels can neither pull nor brake");

  linea_marcia ripida = l;
  ripida.pendenze = {{0.0, 0.0}, {12000.0, 35.0}};
  modello_treno debole;
  debole.sforzo_avviamento_kn = 60.0;  // 60 kN against 75.5 kN of grade alone
  const impedimento_marcia s = ragione(ripida, debole);
  EXPECT_EQ(s.tipo, tipo_impedimento::stallo);
  EXPECT_GT(s.posizione, 12000.0);
  EXPECT_EQ(s.testo, "the train stalls at " + std::to_string(std::llround(s.posizione)) +
                         " m on 35 per mille");
  ripida.curve = {{0.0, 20000.0, 500.0}};
  EXPECT_NE(ragione(ripida, debole).testo.find(" in a curve of 500 m radius"), std::string::npos);
  // From a stand on the climb: it stalls where it stands.
  ripida.curve.clear();
  ripida.stazioni = {stazione(13000.0), stazione(20000.0)};
  EXPECT_EQ(ragione(ripida, debole).testo, "the train stalls at 13000 m on 35 per mille");
  // Its profile is the one point where it stands, at 0 km/h.
  const esito_marcia fermo = calcola_marcia(ripida, debole);
  ASSERT_EQ(fermo.profilo.size(), 1u);
  EXPECT_EQ(fermo.profilo[0].posizione, 13000.0);
  EXPECT_EQ(fermo.profilo[0].velocita_kmh, 0.0);

  linea_marcia senza_vetture = l;
  senza_vetture.numero_vetture = 0;
  EXPECT_EQ(ragione(senza_vetture).tipo, tipo_impedimento::senza_treno);
  modello_treno proprio;
  proprio.massa_t = 100.0;
  proprio.lunghezza_m = 50.0;
  EXPECT_FALSE(calcola_marcia(senza_vetture, proprio).impedimento);

  linea_marcia senza_freni = l;
  senza_freni.percentuale_massa_frenata = 0;
  EXPECT_EQ(ragione(senza_freni).testo,
            "the service file gives a braked mass of 0 per cent: the train cannot brake");
}

TEST(MarciaLimiti, UnaCorsaDiUnMilioneDiChilometriRestaLimitata) {
  // A station far before the origin (the room test bounds positions from
  // above only): at most half a million steps and profile points.
  linea_marcia l = linea_piana(1000.0);
  l.stazioni.front().posizione = -1.0e9;
  const esito_marcia e = calcola_marcia(l, modello_treno{});
  ASSERT_FALSE(e.impedimento);
  EXPECT_LE(e.profilo.size(), 500002u);
  EXPECT_LE(e.nodi.size(), 500100u);
  EXPECT_TRUE(std::isfinite(e.stazioni.back().arrivo));
  // At 130 km/h nearly all the way.
  EXPECT_NEAR(e.stazioni.back().arrivo, 1.0e9 / (130.0 / 3.6), 1000.0);
}

// ------------------------------------------------ generated scenarios ---

// A line of 5 to 30 km: limits of 30 to 150 km/h on a 50 m grid, grades of
// -30 to 30 per mille, curves, slowdowns, three to six stations, most with
// a time.
linea_marcia linea_generata(std::mt19937& rng) {
  const auto intero = [&](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
  };
  linea_marcia l;
  const double lunghezza = 50.0 * intero(100, 600);
  for (double x = 0.0; x < lunghezza; x += 50.0 * intero(4, 60)) {
    l.velocita.push_back({x, 5.0 * intero(6, 30)});
  }
  for (double x = 0.0; x < lunghezza; x += 50.0 * intero(2, 40)) {
    l.pendenze.push_back({x, static_cast<double>(intero(-30, 30))});
  }
  for (double x = 50.0 * intero(0, 20); x < lunghezza; x += 50.0 * intero(10, 60)) {
    const double fine = x + 50.0 * intero(2, 10);
    l.curve.push_back({x, fine, 1.0 / (0.0001 * intero(1, 30))});
    x = fine;
  }
  for (int k = intero(0, 2); k > 0; --k) {
    const double x = 50.0 * intero(1, static_cast<int>(lunghezza / 50.0) - 10);
    l.rallentamenti.push_back({x, x + 50.0 * intero(2, 10), 5.0 * intero(2, 12)});
  }
  const int n = intero(3, 6);
  std::int32_t ora = 8 * 3600;
  for (int k = 0; k < n; ++k) {
    const double x = k == 0 ? 0.0 : std::floor(lunghezza * k / (n - 1) / 50.0) * 50.0;
    const bool con_orario = k == 0 || k == n - 1 || intero(0, 3) > 0;
    l.stazioni.push_back(stazione(x, con_orario ? std::optional<std::int32_t>(ora) : std::nullopt));
    ora += intero(60, 900);
  }
  l.numero_vetture = intero(1, 8);
  l.percentuale_massa_frenata = intero(60, 140);
  return l;
}

// The arrival at every station.
std::vector<double> arrivi(const esito_marcia& e) {
  std::vector<double> out;
  for (const orario_stazione& s : e.stazioni) out.push_back(s.arrivo);
  return out;
}

constexpr int scenari = 60;

TEST(MarciaProprieta, AlzareUnLimiteNonAllungaMaiLaCorsa) {
  std::mt19937 rng(7547);
  for (int n = 0; n < scenari; ++n) {
    const linea_marcia l = linea_generata(rng);
    const esito_marcia prima = calcola_marcia(l, modello_treno{});
    if (prima.impedimento) continue;
    linea_marcia alzata = l;
    const std::size_t k = std::uniform_int_distribution<std::size_t>(
        0, alzata.velocita.size() + alzata.rallentamenti.size() - 1)(rng);
    const double di = 5.0 * std::uniform_int_distribution<int>(1, 10)(rng);
    if (k < alzata.velocita.size()) {
      alzata.velocita[k].valore += di;
    } else {
      alzata.rallentamenti[k - alzata.velocita.size()].velocita += di;
    }
    const esito_marcia dopo = calcola_marcia(alzata, modello_treno{});
    ASSERT_FALSE(dopo.impedimento) << n;
    const std::vector<double> t0 = arrivi(prima), t1 = arrivi(dopo);
    for (std::size_t s = 0; s < t0.size(); ++s) EXPECT_LE(t1[s], t0[s] + 1e-6) << n << " " << s;
  }
}

TEST(MarciaProprieta, UnRallentamentoInPiuNonAccorciaMaiLaCorsa) {
  std::mt19937 rng(75470);
  for (int n = 0; n < scenari; ++n) {
    const linea_marcia l = linea_generata(rng);
    const esito_marcia prima = calcola_marcia(l, modello_treno{});
    if (prima.impedimento) continue;
    linea_marcia rallentata = l;
    const double fine = l.stazioni.back().posizione;
    const double x =
        50.0 * std::uniform_int_distribution<int>(0, static_cast<int>(fine / 50.0))(rng);
    rallentata.rallentamenti.push_back({x,
                                        x + 50.0 * std::uniform_int_distribution<int>(1, 20)(rng),
                                        5.0 * std::uniform_int_distribution<int>(2, 30)(rng)});
    const esito_marcia dopo = calcola_marcia(rallentata, modello_treno{});
    if (dopo.impedimento) continue;  // a slower run may stall on a climb
    const std::vector<double> t0 = arrivi(prima), t1 = arrivi(dopo);
    // To 0.1 ms: the slowdown's ends become nodes, and a Runge-Kutta step
    // split in two differs from the whole one by its truncation error, a
    // few microseconds at most.
    for (std::size_t s = 0; s < t0.size(); ++s) EXPECT_GE(t1[s], t0[s] - 1e-4) << n << " " << s;
  }
}

TEST(MarciaProprieta, LaCorsaNonSuperaMaiUnLimite) {
  std::mt19937 rng(4711);
  int corse = 0;
  for (int n = 0; n < scenari; ++n) {
    const linea_marcia l = linea_generata(rng);
    const esito_marcia e = calcola_marcia(l, modello_treno{});
    if (e.impedimento) continue;
    ++corse;
    for (const nodo_marcia& p : e.nodi) ASSERT_LE(p.velocita, p.limite * (1 + 1e-12)) << n;
    for (const punto_marcia& p : e.profilo) {
      ASSERT_LE(p.velocita_kmh, p.limite_kmh * (1 + 1e-12)) << n << " at " << p.posizione;
    }
    // and the limits are the line's, the slowdowns' and the train's.
    const funzione_gradini lim = limite_efficace(l, e.treno->lunghezza, e.treno->velocita_massima);
    for (const nodo_marcia& p : e.nodi) {
      ASSERT_LE(p.limite, lim.in(p.posizione) + 1e-12);
    }
  }
  EXPECT_GT(corse, scenari / 2);
}

TEST(MarciaProprieta, DimezzareIlPassoSpostaOgniOrarioDiMenoDiUnDecimo) {
  std::mt19937 rng(1234);
  for (int n = 0; n < scenari; ++n) {
    const linea_marcia l = linea_generata(rng);
    const esito_marcia e5 = calcola_marcia(l, modello_treno{});
    const esito_marcia e25 = calcola_marcia(l, modello_treno{}, {opzioni_marcia{}.passo / 2, 10.0});
    ASSERT_EQ(e5.impedimento.has_value(), e25.impedimento.has_value()) << n;
    if (e5.impedimento) continue;
    ASSERT_EQ(e5.stazioni.size(), e25.stazioni.size());
    for (std::size_t s = 0; s < e5.stazioni.size(); ++s) {
      EXPECT_NEAR(e5.stazioni[s].arrivo, e25.stazioni[s].arrivo, 0.1) << n << " " << s;
      EXPECT_NEAR(e5.stazioni[s].partenza, e25.stazioni[s].partenza, 0.1) << n << " " << s;
    }
  }
}

TEST(MarciaProprieta, OgniRisultatoEFinito) {
  std::mt19937 rng(99);
  for (int n = 0; n < scenari; ++n) {
    linea_marcia l = linea_generata(rng);
    // Steeper and weaker now and then, for stalls.
    for (gradino& g : l.pendenze) g.valore *= 2.0;
    const esito_marcia e = calcola_marcia(l, modello_treno{});
    for (const nodo_marcia& p : e.nodi) {
      ASSERT_TRUE(std::isfinite(p.velocita) && std::isfinite(p.orario)) << n;
    }
    for (const sezione_marcia& s : e.sezioni) ASSERT_TRUE(std::isfinite(s.margine_percento));
    if (e.impedimento) {
      EXPECT_FALSE(e.impedimento->testo.empty());
    }
  }
}

}  // namespace
}  // namespace scenario
