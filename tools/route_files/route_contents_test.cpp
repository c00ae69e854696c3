#include "tools/route_files/route_contents.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"
#include "tools/testing/compiled_route_builder.h"

namespace scenario {
namespace {

TEST(RouteContents, SignalCodesUnpackFromTensAndUnits) {
  cella c;
  c.dato4 = 18;  // rapp 1, sx 2, dx 2
  c.dato1 = 42;
  c.dato2 = 11;
  c.dato3 = 7;
  const codici_segnale s = decodifica_segnale(c);
  EXPECT_EQ(s.rapp, 1);
  EXPECT_EQ(s.sx, 2);
  EXPECT_EQ(s.dx, 2);
  EXPECT_EQ(s.s[0], 4);
  EXPECT_EQ(s.d[0], 2);
  EXPECT_EQ(s.s[2], 0);
  EXPECT_EQ(s.d[2], 7);
}

TEST(RouteContents, BoardSpeedsUnpackLeftTimesTwentyPlusRightFifth) {
  cella c;
  c.dato1 = 2020;  // 100 and 100
  c.dato2 = 2121;  // 105 and 105
  c.dato3 = 1600;  // 80 and nothing
  c.dato4 = 21;
  const velocita_cartello b = decodifica_cartello(c);
  EXPECT_EQ(b.sinistra[0], 100);
  EXPECT_EQ(b.destra[0], 100);
  EXPECT_EQ(b.sinistra[1], 105);
  EXPECT_EQ(b.destra[1], 105);
  EXPECT_EQ(b.sinistra[2], 80);
  EXPECT_EQ(b.destra[2], 0);
  EXPECT_EQ(b.strisce_sinistra, 2);
  EXPECT_EQ(b.strisce_destra, 1);
}

TEST(RouteContents, SlotsProfileRunsAndGeometry) {
  memory_file_system fs;
  const program_folder folder{"/r", '/'};
  testing::write_route_files(fs, folder, testing::sample_model());
  const compiled_route r = load_compiled_route(fs, folder, "Prova", "12");
  const slot_elementi s = trova_slot(r);
  EXPECT_EQ(s.stazioni, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(s.cartelli, (std::vector<int>{80}));
  const auto runs = tratti_profilo(r.celle);
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_EQ(runs[3].prima, 40u);
  EXPECT_EQ(runs[3].ultima, 47u);
  EXPECT_EQ(runs[3].montagna, 2);
  const sommario_geometria g = riassumi_geometria(r);
  EXPECT_EQ(g.punti, 10001u);
  EXPECT_EQ(g.punti_valorizzati, 9999u);
  EXPECT_NEAR(g.curvatura_netta, -17.18868, 1e-4);
  EXPECT_NEAR(g.curvatura_totale, 74.4844, 1e-3);
}

}  // namespace
}  // namespace scenario
