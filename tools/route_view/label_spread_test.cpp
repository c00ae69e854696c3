#include "tools/route_view/label_spread.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(LabelSpread, LabelsWithRoomStayLevelWithTheirMarkers) {
  std::vector<spread_item> items = {{50, 10}, {20, 10}, {80, 10}};
  spread_labels(items, 0, 100, 2);
  EXPECT_EQ(items[0].placed, 50);
  EXPECT_EQ(items[1].placed, 20);
  EXPECT_EQ(items[2].placed, 80);
}

TEST(LabelSpread, CrowdedLabelsArePushedApartInOrder) {
  std::vector<spread_item> items = {{50, 10}, {52, 10}, {51, 10}};
  spread_labels(items, 0, 100, 2);
  EXPECT_EQ(items[0].placed, 50);
  EXPECT_EQ(items[2].placed, 62);
  EXPECT_EQ(items[1].placed, 74);
}

TEST(LabelSpread, LabelsAtOrBeforeTheStartStandJustInside) {
  // No gap before the first label: wanted at the column's start or above
  // it, a label of 10 is centred 5 inside.
  for (const double lo : {0.0, 30.0}) {
    std::vector<spread_item> items = {{lo - 20, 10}, {lo + 16, 10}};
    spread_labels(items, lo, 100, 4);
    EXPECT_EQ(items[0].placed, lo + 5) << lo;
    EXPECT_EQ(items[1].placed, lo + 19) << lo;
  }
}

TEST(LabelSpread, LabelsPastTheEndArePulledBackInside) {
  std::vector<spread_item> items = {{95, 10}, {98, 10}};
  spread_labels(items, 0, 100, 0);
  EXPECT_EQ(items[1].placed, 95);
  EXPECT_EQ(items[0].placed, 85);
}

TEST(LabelSpread, TooShortAColumnKeepsOrderAndNoOverlap) {
  std::vector<spread_item> items = {{5, 10}, {6, 10}, {7, 10}};
  spread_labels(items, 0, 20, 0);
  EXPECT_EQ(items[0].placed, 5);
  EXPECT_EQ(items[1].placed, 15);
  EXPECT_EQ(items[2].placed, 25);
}

}  // namespace
}  // namespace scenario
