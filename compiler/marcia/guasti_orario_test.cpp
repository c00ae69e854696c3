#include "compiler/marcia/guasti_orario.h"

#include <gtest/gtest.h>

#include <cmath>

namespace scenario {
namespace {

linea_marcia linea(std::vector<std::optional<std::int32_t>> orari) {
  linea_marcia l;
  double x = 0.0;
  for (const auto& o : orari) {
    stazione_marcia s;
    s.posizione = x;
    s.nome = "S" + std::to_string(static_cast<int>(x / 1000));
    s.orario = o;
    l.stazioni.push_back(s);
    x += 5000.0;
  }
  l.numero_vetture = 4;
  l.percentuale_massa_frenata = 100;
  return l;
}

TEST(GuastiOrario, UnOrarioNonDopoIlPrecedente) {
  // Equal, earlier, later: the station without a time is skipped over.
  const linea_marcia l = linea({36000, 36600, std::nullopt, 36600, 36500, 37500});
  const std::vector<guasto_orario> g = guasti_orario(l, nullptr);
  ASSERT_EQ(g.size(), 2u);
  EXPECT_EQ(g[0].tipo, tipo_guasto_orario::non_dopo_precedente);
  EXPECT_EQ(g[0].stazione, 3u);
  EXPECT_EQ(g[0].precedente, 1u);
  EXPECT_EQ(g[0].distanza, 10000.0);
  EXPECT_EQ(g[0].tempo_orario, 0.0);
  EXPECT_EQ(g[1].stazione, 4u);
  EXPECT_EQ(g[1].precedente, 3u);
  EXPECT_EQ(g[1].tempo_orario, -100.0);
  EXPECT_EQ(testo_guasto_orario(l, g[1]), "the time 10:08:20 of S20 is not after 10:10:00 of S15");
}

TEST(GuastiOrario, UnOrarioFuoriDallaGiornata) {
  const linea_marcia l = linea({86399, 86400, 90000, -1});
  const std::vector<guasto_orario> g = guasti_orario(l, nullptr);
  ASSERT_EQ(g.size(), 4u);
  EXPECT_EQ(g[0].tipo, tipo_guasto_orario::fuori_giornata);
  EXPECT_EQ(g[0].stazione, 1u);  // 23:59:59 is a time of day, 24:00:00 is not
  EXPECT_EQ(testo_guasto_orario(l, g[0]),
            "the time 24:00:00 of S5 is not a time of day (0:00:00 to 23:59:59)");
  EXPECT_EQ(g[1].stazione, 2u);
  EXPECT_EQ(g[2].tipo, tipo_guasto_orario::fuori_giornata);
  EXPECT_EQ(g[2].stazione, 3u);
  EXPECT_EQ(g[3].tipo, tipo_guasto_orario::non_dopo_precedente);
  EXPECT_EQ(g[3].stazione, 3u);
}

TEST(GuastiOrario, UnaSezionePiuCortaDellaCorsaPiuVeloce) {
  // 5000 m in 2 min cannot be driven, in 10 min it can.
  const linea_marcia l = linea({36000, 36120, 36720});
  const esito_marcia e = calcola_marcia(l, modello_treno{});
  const std::vector<guasto_orario> g = guasti_orario(l, &e);
  ASSERT_EQ(g.size(), 1u);
  EXPECT_EQ(g[0].tipo, tipo_guasto_orario::sezione_troppo_breve);
  EXPECT_EQ(g[0].stazione, 1u);
  EXPECT_EQ(g[0].tempo_minimo, e.sezioni[0].tempo_minimo);
  EXPECT_EQ(g[0].tempo_orario, 120.0);
  EXPECT_EQ(testo_guasto_orario(l, g[0]),
            "5000 m from S0 needs at least " +
                durata(static_cast<std::int64_t>(std::ceil(e.sezioni[0].tempo_minimo))) +
                "; the timetable gives 2 min 0 s");
  // Without the run, or when it cannot be timed, no section is judged.
  EXPECT_TRUE(guasti_orario(l, nullptr).empty());
  esito_marcia fermo = e;
  fermo.impedimento = impedimento_marcia{};
  EXPECT_TRUE(guasti_orario(l, &fermo).empty());
}

TEST(GuastiOrario, Durate) {
  EXPECT_EQ(durata(0), "0 s");
  EXPECT_EQ(durata(59), "59 s");
  EXPECT_EQ(durata(60), "1 min 0 s");
  EXPECT_EQ(durata(400), "6 min 40 s");
  EXPECT_EQ(durata(3600), "1 h 00 min 00 s");
  EXPECT_EQ(durata(3725), "1 h 02 min 05 s");
  EXPECT_EQ(durata(-90), "-1 min 30 s");
}

}  // namespace
}  // namespace scenario
