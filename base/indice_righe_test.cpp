#include "base/indice_righe.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

TEST(IndiceRighe, EveryLineEndEndsALine) {
  const indice_righe r("uno\r\ndue\rtre\nquattro");
  ASSERT_EQ(r.n_righe(), 4);
  EXPECT_EQ(r.riga(1), "uno");
  EXPECT_EQ(r.riga(2), "due");
  EXPECT_EQ(r.riga(3), "tre");
  EXPECT_EQ(r.riga(4), "quattro");
}

TEST(IndiceRighe, OutsideTheTextIsEmpty) {
  const indice_righe r("a\r\n");
  EXPECT_EQ(r.n_righe(), 2);
  EXPECT_EQ(r.riga(2), "");
  EXPECT_EQ(r.riga(0), "");
  EXPECT_EQ(r.riga(-1), "");
  EXPECT_EQ(r.riga(3), "");
  EXPECT_EQ(indice_righe().riga(1), "");
  EXPECT_EQ(indice_righe("").riga(1), "");
}

TEST(IndiceRighe, EmptyLinesAndLoneReturnsCount) {
  const indice_righe r("\n\r\r\n\n\rx");
  // "\n", "\r", "\r\n", "\n", "\r": five ends, six lines.
  ASSERT_EQ(r.n_righe(), 6);
  for (int n = 1; n <= 5; ++n) EXPECT_EQ(r.riga(n), "") << n;
  EXPECT_EQ(r.riga(6), "x");
}

TEST(IndiceRighe, ManyLinesAreFoundAtOnce) {
  std::string t;
  for (int i = 1; i <= 200000; ++i) t += "riga " + std::to_string(i) + "\r\n";
  const indice_righe r(t);
  EXPECT_EQ(r.riga(1), "riga 1");
  EXPECT_EQ(r.riga(123456), "riga 123456");
  EXPECT_EQ(r.riga(200000), "riga 200000");
}

}  // namespace
}  // namespace scenario
