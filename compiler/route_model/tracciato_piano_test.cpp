// The plan geometry before and at its seeding: no point holds a value until
// points 0 and 1 are seeded, and laying before that lays nothing.
#include "compiler/route_model/tracciato_piano.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <variant>

namespace scenario {
namespace {

TEST(TracciatoPiano, NothingHoldsAValueBeforeSeeding) {
  tracciato_piano t;
  EXPECT_FALSE(t.creato());
  EXPECT_EQ(t.prossimo(), 0);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(t.punto(0, 0)));
  EXPECT_EQ(t.size(), 0u);

  t.crea(3);  // points 0 .. 3, empty
  t.posa(3, 0.0, false);
  EXPECT_EQ(t.prossimo(), 0);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(t.punto(0, 0)));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(t.punto(3, 1)));
  EXPECT_EQ(t.size(), 2u * 4u * 2u);  // two columns of four empty Variants, a 2-byte tag each

  ASSERT_TRUE(t.semina());
  EXPECT_EQ(t.prossimo(), 2);
  EXPECT_EQ(t.punto(1, 1), variante{std::int16_t{1}});
  EXPECT_TRUE(std::holds_alternative<std::monostate>(t.punto(2, 0)));
}

}  // namespace
}  // namespace scenario
