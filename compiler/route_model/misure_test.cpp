#include "compiler/route_model/misure.h"

#include <gtest/gtest.h>

#include <limits>

namespace scenario {
namespace {

TEST(Misure, KilometreFigures) {
  EXPECT_EQ(metri_e_km(22700), "22700 m (km 22+700)");
  EXPECT_EQ(km(0), "km 0+000");
  EXPECT_EQ(km(12475), "km 12+475");
  EXPECT_EQ(km(1000000), "km 1000+000");
  EXPECT_EQ(km(-50), "km -0+050");
  // The extremes of a 64-bit figure, the most negative one included.
  EXPECT_EQ(km(std::numeric_limits<std::int64_t>::min()), "km -9223372036854775+808");
  EXPECT_EQ(km(std::numeric_limits<std::int64_t>::max()), "km 9223372036854775+807");
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
