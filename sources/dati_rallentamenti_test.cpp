// The slowdown order form: its table widths and the order of the
// prescriptions.
#include <gtest/gtest.h>

#include <string>

#include "sources/writer_output.h"
#include "sources/writers.h"

namespace scenario {
namespace {

writer_output rallentamenti() {
  return run_writer(
      [](file_system& fs, const program_folder& c) {
        dati_rallentamenti(fs, c, "Viterbo_Attigliano_Orte", "7547");
      },
      "Viterbo_Attigliano_Orte_7547_rallentamenti.txt");
}

TEST(DatiRallentamenti, TableLinesHaveTheirWidthsAndNoLineEndsWithABlank) {
  const writer_output out = rallentamenti();
  ASSERT_EQ(out.lines.size(), 46u);
  EXPECT_EQ(out.lines[3], " " + std::string(80, '_'));
  EXPECT_EQ(out.lines[7].size(), 81u);
  for (std::size_t n = 9; n <= 39; ++n) EXPECT_EQ(out.lines[n - 1].size(), 82u) << n;
  for (std::size_t n = 14; n <= 16; ++n) EXPECT_EQ(out.lines[n - 1], " " + std::string(81, '*'));
  for (const std::string& l : out.lines) EXPECT_FALSE(l.ends_with(" ")) << l;
  EXPECT_EQ(out.lines[0], "");
  EXPECT_EQ(out.lines[5], "");
  EXPECT_EQ(out.lines[39], "");
}

TEST(DatiRallentamenti, CarriesTheFixedOrderAndPrescriptionsADC) {
  const writer_output out = rallentamenti();
  ASSERT_EQ(out.lines.size(), 46u);
  EXPECT_EQ(out.lines[1], std::string(31, ' ') + "Modulo M. 3");
  EXPECT_EQ(out.lines[2], std::string(27, ' ') + "ORDINE DI RALLENTAMENTO");
  EXPECT_EQ(out.lines[6],
            "  Si ordina al macchinista del treno 7547 di effettuare i seguenti rallentamenti");
  EXPECT_EQ(out.lines[12],
            " |   |   GROTTE SANTO STEFANO     |    17      |    30    |   300   |    A-B     |");
  EXPECT_TRUE(out.lines[41].starts_with(" A - "));
  EXPECT_TRUE(out.lines[42].starts_with(" B - "));
  EXPECT_EQ(out.lines[43], " D - Rallentamneto N. ... e N. ...  sono contigui");
  EXPECT_TRUE(out.lines[44].starts_with(" C - "));
  EXPECT_EQ(out.lines[45], "     i giorni esclusi i seguenti:.........");
}

}  // namespace
}  // namespace scenario
