// The calculation's line read from cells: slowdowns paired start to end,
// the stations of the item table.
#include "compiler/marcia/linea_da_celle.h"

#include <gtest/gtest.h>

#include "compiler/format/codifica_celle.h"

namespace scenario {
namespace {

void rallentamento_in(std::vector<cella>& celle, std::size_t i, std::uint8_t tipo,
                      std::int32_t kmh) {
  impacca_rallentamento(celle[i], tipo, {kmh, 0, 0});
}

TEST(LineaDaCelle, RallentamentiDellaStessaVelocitaUnoDopoLAltro) {
  // An object in cell i stands at 50 (i - 1) m. Two slowdowns of 30 km/h one
  // after the other each end at their own end cell; one of 60 km/h with no
  // end holds to the end of the 100 cells (5000 m).
  std::vector<cella> celle(100);
  rallentamento_in(celle, 10, tipo_cella::inizio_rallentamento, 30);
  rallentamento_in(celle, 20, tipo_cella::fine_rallentamento, 30);
  rallentamento_in(celle, 30, tipo_cella::inizio_rallentamento, 30);
  rallentamento_in(celle, 40, tipo_cella::fine_rallentamento, 30);
  rallentamento_in(celle, 50, tipo_cella::inizio_rallentamento, 60);
  rallentamento_in(celle, 60, tipo_cella::fine_rallentamento, 45);  // no start of 45: left alone
  const linea_marcia l = linea_da_celle(celle, tabella_elementi{}, 0, {});
  const std::vector<rallentamento_marcia> attesi = {
      {450.0, 950.0, 30.0}, {1450.0, 1950.0, 30.0}, {2450.0, 5000.0, 60.0}};
  EXPECT_EQ(l.rallentamenti, attesi);
  EXPECT_TRUE(l.stazioni.empty());
}

TEST(LineaDaCelle, LeStazioniDelleVociUnoAN) {
  // Slots 1 .. n of the item table, the last one included; a station at
  // 0, 0, 0 has no time.
  tabella_elementi e{};
  for (int k = 1; k <= 3; ++k) {
    e[static_cast<std::size_t>(k)].posizione = 1000 * k;
    e[static_cast<std::size_t>(k)].orario = k == 2 ? 0 : 36000 + k;
  }
  e[4].posizione = 9000;  // past n: not a station of the run
  const linea_marcia l = linea_da_celle(std::vector<cella>(200), e, 3, {});
  ASSERT_EQ(l.stazioni.size(), 3u);
  EXPECT_EQ(l.stazioni[0].posizione, 1000.0);
  EXPECT_EQ(l.stazioni[0].orario, 36001);
  EXPECT_EQ(l.stazioni[0].voce, 1);
  EXPECT_FALSE(l.stazioni[1].orario);
  EXPECT_EQ(l.stazioni[2].posizione, 3000.0);
  EXPECT_EQ(l.stazioni[2].voce, 3);
}

}  // namespace
}  // namespace scenario
