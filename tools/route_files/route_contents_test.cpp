#include "tools/route_files/route_contents.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"
#include "tools/testing/compiled_route_builder.h"

namespace scenario {
namespace {

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
