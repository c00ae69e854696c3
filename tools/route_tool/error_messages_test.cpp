#include "tools/route_tool/error_messages.h"

#include <gtest/gtest.h>

#include <set>

namespace scenario {
namespace {

TEST(ErrorMessages, EveryCodeOfTheCompilerHasOneEntry) {
  const std::set<int> codes = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,  11,  12,  13,   15,
                               16, 17, 18, 19, 20, 21, 22, 24, 25, 101, 102, 103, 1250, 1251};
  std::set<int> seen;
  for (const auto& m : tabella_errori()) {
    EXPECT_TRUE(seen.insert(m.codice).second) << m.codice;
    EXPECT_FALSE(m.significato.empty());
    EXPECT_FALSE(m.rimedio.empty());
    EXPECT_EQ(m.significato.back(), '.') << m.codice;  // one sentence each
    EXPECT_EQ(m.rimedio.back(), '.') << m.codice;
  }
  EXPECT_EQ(seen, codes);
  EXPECT_EQ(cerca_errore(14), nullptr);
  EXPECT_EQ(cerca_errore(23), nullptr);
  EXPECT_EQ(cerca_errore(0), nullptr);
}

TEST(ErrorMessages, PositionFlagsMatchTheCodesThatSetOne) {
  for (const int c : {6, 7, 8, 9, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22}) {
    EXPECT_TRUE(cerca_errore(c)->imposta_posizione) << c;
  }
  for (const int c : {1, 2, 3, 4, 5, 10, 24, 25, 101, 102, 103, 1250, 1251}) {
    EXPECT_FALSE(cerca_errore(c)->imposta_posizione) << c;
  }
}

}  // namespace
}  // namespace scenario
