// The line description file: sections where the reader expects them and the
// blanks written exactly.
#include <gtest/gtest.h>

#include <string>

#include "sources/writer_output.h"
#include "sources/writers.h"

namespace scenario {
namespace {

writer_output linea() {
  return run_writer([](file_system& fs,
                       const program_folder& c) { dati_linea(fs, c, "Viterbo_Attigliano_Orte"); },
                    "Viterbo_Attigliano_Orte_linea.txt");
}

// Lines numbered from 1, as in the file.
const std::string& line(const writer_output& out, std::size_t n) {
  return out.lines.at(n - 1);
}

std::size_t count_starting(const writer_output& out, std::size_t from, std::size_t to,
                           const std::string& prefix) {
  std::size_t n = 0;
  for (std::size_t i = from; i <= to; ++i) n += line(out, i).starts_with(prefix) ? 1 : 0;
  return n;
}

TEST(DatiLinea, SectionHeadersStandWhereTheRecordsBeginAndEnd) {
  const writer_output out = linea();
  ASSERT_EQ(out.lines.size(), 163u);
  EXPECT_EQ(line(out, 1), "[generale]");
  EXPECT_EQ(line(out, 10), "[curve]");
  EXPECT_EQ(line(out, 56), "[pendenze]");
  EXPECT_EQ(line(out, 102), "[montagne]");
  EXPECT_EQ(line(out, 108), "[cartelli]");
  EXPECT_EQ(line(out, 123), "[indicazioni]");
  EXPECT_EQ(line(out, 163), "[fine]");
  EXPECT_TRUE(out.bytes.ends_with("\n[fine]\r\n"));

  EXPECT_EQ(count_starting(out, 11, 55, "curva"), 45u);
  EXPECT_EQ(count_starting(out, 57, 101, "pendenza,"), 45u);
  EXPECT_EQ(count_starting(out, 103, 107, "montagna,   "), 5u);
  EXPECT_EQ(count_starting(out, 109, 122, "indicatori_vmax,  "), 14u);
  EXPECT_EQ(count_starting(out, 124, 162, "cartello_indicatore,  "), 39u);
}

TEST(DatiLinea, GeneralSectionIsWrittenExactly) {
  const writer_output out = linea();
  ASSERT_EQ(out.lines.size(), 163u);
  EXPECT_EQ(line(out, 2), "lunghezza percorso,    60000");
  EXPECT_EQ(line(out, 3), "progressiva chilometrica uno,    0,    39050,    1");
  EXPECT_EQ(line(out, 4), "progressiva chilometrica due,    39100,    135150,    1");
  EXPECT_EQ(line(out, 5), "progressiva chilometrica tre,    0,    0,    0");
  EXPECT_EQ(line(out, 9), "ripetizione segnali 4 codici,    45000,    51300");
}

TEST(DatiLinea, KeepsTheBlanksOfEveryRecordType) {
  const writer_output out = linea();
  ASSERT_EQ(out.lines.size(), 163u);
  EXPECT_EQ(line(out, 11), "curvad4,  500,  300");
  EXPECT_EQ(line(out, 55), "curvad3,  52000,  400");
  // The first gradient has three and four blanks, all the others two and three.
  EXPECT_EQ(line(out, 57), "pendenza,   0,    0");
  EXPECT_EQ(line(out, 58), "pendenza,  500,   3");
  EXPECT_EQ(line(out, 60), "pendenza,  5000,   -5");
  EXPECT_EQ(line(out, 101), "pendenza,  33150,   0");
  for (std::size_t n = 58; n <= 101; ++n) {
    EXPECT_TRUE(line(out, n).starts_with("pendenza,  ") &&
                !line(out, n).starts_with("pendenza,   "))
        << n;
    EXPECT_NE(line(out, n).find(",   "), std::string::npos) << n;
  }
  EXPECT_EQ(line(out, 103), "montagna,   6950,  7050,  2");
  EXPECT_EQ(line(out, 107), "montagna,   49200,  49600,  12");
  // Empty right-hand board fields are written as nothing between the commas.
  EXPECT_EQ(line(out, 109), "indicatori_vmax,  500,  65,  70,  80,  0,  ,  ,  ,  0");
  for (std::size_t n = 109; n <= 120; ++n) {
    EXPECT_NE(line(out, n).find(",  ,  ,  ,  0"), std::string::npos) << n;
  }
  EXPECT_EQ(line(out, 121), "indicatori_vmax,  39400,  100,  105,  110,  0,  100,  105,  110,  0");
  EXPECT_EQ(line(out, 122), "indicatori_vmax,  50900,  90,  95,  100,  0,  90,  95,  100,  0");
  EXPECT_EQ(line(out, 124), "cartello_indicatore,  2100,   (Cippo Km.)( 37+000  )");
  EXPECT_EQ(line(out, 138), "cartello_indicatore,  14100,   (P.L.A.)(25+024)");
  EXPECT_EQ(line(out, 156), "cartello_indicatore,  35800,   (Ponte Fiume)(  Tevere   )");
  EXPECT_EQ(line(out, 162), "cartello_indicatore,  51700,   (Dev. I.)");
  for (const std::string& l : out.lines) {
    EXPECT_FALSE(l.ends_with(" ")) << l;
    EXPECT_FALSE(l.starts_with("\"")) << l;
  }
}

}  // namespace
}  // namespace scenario
