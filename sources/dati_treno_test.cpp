// The service file: the lines whose blanks and bytes the reader depends on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "sources/writer_output.h"
#include "sources/writers.h"

namespace scenario {
namespace {

writer_output treno() {
  return run_writer(
      [](file_system& fs, const program_folder& c) {
        dati_treno(fs, c, "Viterbo_Attigliano_Orte", "7547");
      },
      "Viterbo_Attigliano_Orte_7547-.txt");
}

TEST(DatiTreno, ClockLineEndsWithOneBlankAndSlowdownHeaderIsFollowedByAnEmptyLine) {
  const writer_output out = treno();
  ASSERT_EQ(out.lines.size(), 48u);
  EXPECT_EQ(out.lines[4], "orologio,    13              48            40 ");
  EXPECT_NE(
      out.bytes.find("[rallentamenti]\r\n\r\nrallentamento,   22700,    30,  200, 1,  0,  0\r\n"),
      std::string::npos);
  EXPECT_EQ(out.lines[27], "");
  for (std::size_t i = 0; i < out.lines.size(); ++i) {
    if (i != 4) {
      EXPECT_FALSE(out.lines[i].ends_with(" ")) << i + 1;
    }
    if (i != 27) {
      EXPECT_FALSE(out.lines[i].empty()) << i + 1;
    }
  }
  EXPECT_EQ(out.lines.front(), "[generale]");
  EXPECT_EQ(out.lines[46], "[codici]");
  EXPECT_EQ(out.lines.back(), "[fine]");
}

TEST(DatiTreno, DegreeSignIsTheSingleByteB0InTheJunctionName) {
  const writer_output out = treno();
  ASSERT_EQ(out.lines.size(), 48u);
  EXPECT_EQ(
      out.lines[24],
      "stazione,   46650, 26,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, 2\xB0 Bivio Orte "
      "Nord");
  EXPECT_EQ(std::count(out.bytes.begin(), out.bytes.end(), '\xB0'), 1);
}

TEST(DatiTreno, HasEveryRecordOfItsSections) {
  const writer_output out = treno();
  ASSERT_EQ(out.lines.size(), 48u);
  auto count = [&](std::size_t from, std::size_t to, const std::string& prefix) {
    return std::count_if(out.lines.begin() + from - 1, out.lines.begin() + to,
                         [&](const std::string& l) { return l.starts_with(prefix); });
  };
  EXPECT_EQ(count(9, 16, "velocita,"), 8);
  EXPECT_EQ(count(18, 26, "stazione,"), 9);
  EXPECT_EQ(count(31, 46, "segnale,"), 16);
  EXPECT_EQ(
      out.lines[17],
      "stazione,       0, 12,  400,  1, 0, 1,  4,1,0,  2,1,1,    1,  13,49, 0, VITERBO P. F.");
  EXPECT_EQ(out.lines[37], "segnale,   38100,   2, 3, 1,  0, 0,    0,  0,0,0, 130");
  EXPECT_EQ(out.lines[45], "segnale,   51300,   2, 2, 3,  0, 0,    0,  2,1,0, 120");
}

}  // namespace
}  // namespace scenario
