#include "tools/route_tool/label_layout.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(LabelLayout, TakesTheFirstFreeCandidateAndReservesIt) {
  label_layout l({0, 0, 100, 100});
  const std::vector<box> c = {{10, 10, 30, 20}, {40, 10, 60, 20}};
  EXPECT_EQ(l.place(c), 0u);
  EXPECT_EQ(l.place(c), 1u);  // the first is taken now
}

TEST(LabelLayout, AvoidsPointsObstaclesAndTheEdge) {
  label_layout l({0, 0, 100, 100});
  l.add_point(20, 15);
  l.add_obstacle({45, 5, 55, 25});
  const std::vector<box> c = {
      {10, 10, 30, 20}, {40, 10, 60, 20}, {90, 10, 110, 20}, {70, 70, 90, 80}};
  EXPECT_EQ(l.place(c), 3u);
}

TEST(LabelLayout, FallsBackToTheLeastCrowdedCandidate) {
  label_layout l({0, 0, 100, 100});
  l.add_point(20, 15);
  l.add_obstacle({40, 10, 60, 20});
  const std::vector<box> c = {{40, 10, 60, 20}, {10, 10, 30, 20}};
  EXPECT_EQ(l.place(c), 1u);  // one point beats a whole label
}

}  // namespace
}  // namespace scenario
