// The timetable sheet: its box widths, trailing blanks and single-byte
// accented letters.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "sources/writer_output.h"
#include "sources/writers.h"

namespace scenario {
namespace {

writer_output scheda() {
  return run_writer(
      [](file_system& fs, const program_folder& c) {
        dati_scheda(fs, c, "Viterbo_Attigliano_Orte", "7547");
      },
      "Viterbo_Attigliano_Orte_7547_scheda_treno.txt");
}

std::size_t trailing_blanks(const std::string& l) {
  const auto last = l.find_last_not_of(' ');
  return last == std::string::npos ? l.size() : l.size() - last - 1;
}

TEST(DatiScheda, BoxesHaveTheirWidths) {
  const writer_output out = scheda();
  ASSERT_EQ(out.lines.size(), 54u);
  for (std::size_t n : {3, 8}) EXPECT_EQ(out.lines[n - 1].size(), 84u) << n;
  for (std::size_t n : {4, 5, 6, 7, 9, 10}) EXPECT_EQ(out.lines[n - 1].size(), 85u) << n;
  for (std::size_t n = 13; n <= 47; ++n) EXPECT_EQ(out.lines[n - 1].size(), 89u) << n;
  EXPECT_EQ(out.lines[47].size(), 91u);
  EXPECT_EQ(out.lines[1], std::string(42, ' ') + "SCHEDA TRENO");
}

TEST(DatiScheda, OnlyLines11And48EndWithBlanks) {
  const writer_output out = scheda();
  ASSERT_EQ(out.lines.size(), 54u);
  for (std::size_t n = 1; n <= out.lines.size(); ++n) {
    const std::string& l = out.lines[n - 1];
    const std::size_t expected = n == 11 ? 8 : n == 48 ? 2 : 0;
    EXPECT_EQ(trailing_blanks(l), expected) << n;
  }
  EXPECT_NE(out.bytes.find("|_____________|________|        \r\n\r\n"), std::string::npos);
  EXPECT_NE(out.bytes.find("|___________|  \r\n  NOTE:\r\n"), std::string::npos);
}

TEST(DatiScheda, BeginsWithOneEmptyLineAndEndsWithThree) {
  const writer_output out = scheda();
  ASSERT_EQ(out.lines.size(), 54u);
  EXPECT_EQ(out.lines[0], "");
  EXPECT_EQ(out.lines[11], "");
  EXPECT_EQ(out.lines[50], "  il + nella casella orario indica 1/2 minuto");
  EXPECT_TRUE(out.bytes.ends_with("1/2 minuto\r\n\r\n\r\n\r\n"));
  for (std::size_t n = 1; n <= 51; ++n) {
    if (n != 1 && n != 12) {
      EXPECT_FALSE(out.lines[n - 1].empty()) << n;
    }
  }
}

TEST(DatiScheda, AccentedLettersAreSingleBytes) {
  const writer_output out = scheda();
  ASSERT_EQ(out.lines.size(), 54u);
  EXPECT_NE(out.lines[3].find("scheda n\xB0 1/1"), std::string::npos);
  EXPECT_NE(out.lines[13].find("Localit\xE0 "), std::string::npos);
  EXPECT_NE(out.lines[31].find("|2\xB0 bivio Orte Nord      |"), std::string::npos);
  EXPECT_EQ(std::count(out.bytes.begin(), out.bytes.end(), '\xB0'), 2);
  EXPECT_EQ(std::count(out.bytes.begin(), out.bytes.end(), '\xE0'), 1);
}

TEST(DatiScheda, ListsTheEighteenPointsThenThirteenEmptyRows) {
  const writer_output out = scheda();
  ASSERT_EQ(out.lines.size(), 54u);
  EXPECT_NE(out.lines[16].find("|VITERBO P.F.            |          13.49 |"), std::string::npos);
  EXPECT_NE(out.lines[33].find("|ORTE                    |          14.38 |"), std::string::npos);
  for (std::size_t n = 17; n <= 34; ++n) EXPECT_NE(out.lines[n - 1].substr(26, 4), "    ") << n;
  const std::string empty_row =
      " |     |     |          |                        |                |         |           |";
  for (std::size_t n = 35; n <= 47; ++n) EXPECT_EQ(out.lines[n - 1], empty_row) << n;
}

}  // namespace
}  // namespace scenario
