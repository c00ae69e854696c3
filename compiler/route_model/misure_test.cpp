#include "compiler/route_model/misure.h"

#include <gtest/gtest.h>

#include <limits>

#include "compiler/route_model/voci.h"

namespace scenario {
namespace {

TEST(Misure, KilometreFigures) {
  EXPECT_EQ(km(0), "km 0+000");
  EXPECT_EQ(km(12475), "km 12+475");
  EXPECT_EQ(km(1000000), "km 1000+000");
  EXPECT_EQ(km(-50), "km -0+050");
  // The extremes of a 64-bit figure, the most negative one included.
  EXPECT_EQ(km(std::numeric_limits<std::int64_t>::min()), "km -9223372036854775+808");
  EXPECT_EQ(km(std::numeric_limits<std::int64_t>::max()), "km 9223372036854775+807");
}

// The fixed scenario's series after the sort: "due" (0, 39050) and "tre"
// (39100, 135150) in use, each with the 100 m the sort adds.
tabella_elementi serie_del_percorso() {
  tabella_elementi e{};
  const auto serie = [&](int v, std::int32_t inizio, std::int32_t origine, std::int32_t verso) {
    inizio_serie(e, v) = inizio;
    origine_serie(e, v) = origine;
    verso_serie(e, v) = verso;
  };
  serie(voce::progressiva_tre, 39100, 135250, 1);
  serie(voce::progressiva_due, 0, 39150, 1);
  serie(voce::progressiva_uno, 0, 7000, 0);
  return e;
}

TEST(Misure, TheProgressiveAtAPositionIsTheOneWritten) {
  const auto s = serie_in_uso(serie_del_percorso());
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].inizio, 0);
  EXPECT_EQ(s[0].origine, 39050);
  EXPECT_EQ(s[1].inizio, 39100);
  EXPECT_EQ(s[1].origine, 135150);
  EXPECT_EQ(progressiva_a(s, 0), 39050);
  EXPECT_EQ(progressiva_a(s, 3050), 36000);
  EXPECT_EQ(progressiva_a(s, 39099), -49);
  EXPECT_EQ(progressiva_a(s, 39100), 96050);
  EXPECT_EQ(progressiva_a(s, 100.5), 38950);  // to the even metre
  EXPECT_EQ(progressiva_a(s, 101.5), 38948);
  EXPECT_EQ(progressiva_a(s, -1), std::nullopt);
  EXPECT_EQ(posizione_della_progressiva(s, 16784, 60000), 22266);
  EXPECT_EQ(posizione_della_progressiva(s, 82550, 60000), 52600);
  EXPECT_EQ(posizione_della_progressiva(s, 60000, 60000), std::nullopt);
  EXPECT_EQ(metri_e_progressiva(22700, s), "22700 m (km 16+350)");
  EXPECT_EQ(metri_e_progressiva(-50, s), "-50 m");
  EXPECT_EQ(metri_e_progressiva(22700, {}), "22700 m");
  EXPECT_EQ(origine_scritta(serie_del_percorso(), voce::progressiva_uno), 7000);
}

TEST(Misure, OfSeriesStartingTogetherTheLaterInTheFileStands) {
  // "tre" and "due" both from 0: due's figures, as the sort keeps the
  // entries' order (tre, due, uno) among equal starts.
  tabella_elementi e = serie_del_percorso();
  inizio_serie(e, voce::progressiva_tre) = 0;
  const auto s = serie_in_uso(e);
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].origine, 135150);
  EXPECT_EQ(s[1].origine, 39050);
  EXPECT_EQ(progressiva_a(s, 1000), 38050);
}

TEST(Misure, TimesOfDay) {
  EXPECT_EQ(hh_mm_ss(49740), "13:49:00");
  EXPECT_EQ(hh_mm_ss(0), "00:00:00");
  EXPECT_EQ(hh_mm_ss(52680), "14:38:00");
  EXPECT_EQ(hh_mm_ss(-61), "-00:01:01");
  EXPECT_EQ(hh_mm_ss(90000), "25:00:00");
  EXPECT_EQ(hh_mm_ss(std::numeric_limits<std::int64_t>::min()), "-2562047788015215:30:08");
}

}  // namespace
}  // namespace scenario
