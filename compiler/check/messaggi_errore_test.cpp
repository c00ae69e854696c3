#include "compiler/check/messaggi_errore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

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

namespace scenario {
namespace {

// The documentation quotes the table: every sentence must appear in it as is.
TEST(ErrorMessages, TheFormatDocumentQuotesEverySentence) {
  std::ifstream in(std::string(VO_DOCS_DIR) + "/formats.md", std::ios::binary);
  ASSERT_TRUE(in) << VO_DOCS_DIR;
  const std::string doc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (const auto& m : tabella_errori()) {
    const std::string row = "| " + std::to_string(m.codice) + " |";
    EXPECT_NE(doc.find(row), std::string::npos) << m.codice;
    EXPECT_NE(doc.find(std::string(m.significato)), std::string::npos) << m.codice;
    EXPECT_NE(doc.find(std::string(m.rimedio)), std::string::npos) << m.codice;
  }
}

}  // namespace
}  // namespace scenario
