// The notes file: the layout of its two paragraphs and its fixed lines.
#include <gtest/gtest.h>

#include <string>

#include "sources/writer_output.h"
#include "sources/writers.h"

namespace scenario {
namespace {

writer_output note() {
  return run_writer(
      [](file_system& fs, const program_folder& c) {
        dati_note(fs, c, "Viterbo_Attigliano_Orte", "7547");
      },
      "Viterbo_Attigliano_Orte_7547_note.txt");
}

TEST(DatiNote, FirstParagraphIsBrokenAt89To98Characters) {
  const writer_output out = note();
  ASSERT_EQ(out.lines.size(), 49u);
  for (std::size_t n = 1; n <= 15; ++n) {
    EXPECT_GE(out.lines[n - 1].size(), 89u) << n;
    EXPECT_LE(out.lines[n - 1].size(), 98u) << n;
  }
  EXPECT_EQ(out.lines[15], "marciapiedi.");
}

TEST(DatiNote, SecondParagraphHasSixteenLinesOfAtMost107Characters) {
  const writer_output out = note();
  ASSERT_EQ(out.lines.size(), 49u);
  for (std::size_t n = 18; n <= 33; ++n) {
    EXPECT_FALSE(out.lines[n - 1].empty()) << n;
    EXPECT_LE(out.lines[n - 1].size(), 107u) << n;
  }
  EXPECT_TRUE(out.lines[17].starts_with("Il treno 7547 "));
}

TEST(DatiNote, EmptyAndFixedLinesStandInTheirPlaces) {
  const writer_output out = note();
  ASSERT_EQ(out.lines.size(), 49u);
  for (std::size_t n : {17, 34, 38, 39, 40, 48}) EXPECT_EQ(out.lines[n - 1], "") << n;
  EXPECT_EQ(out.lines[34], "Per segnalare errori o possibili modifiche:");
  EXPECT_FALSE(out.lines[35].empty());
  EXPECT_FALSE(out.lines[36].empty());
  EXPECT_EQ(out.lines[40], "ULTIMO AGGIORNAMENTO");
  EXPECT_EQ(out.lines[41], "Ho rivisto soprattutto il tratto Attigliano-Orte:");
  EXPECT_EQ(out.lines[42],
            "- Riposizionato inizio e fine zona codificata e segnalato con appositi cartelli");
  EXPECT_EQ(out.lines[43], "- Inseriti cartelli con numeri dei Posti di Blocco");
  EXPECT_EQ(out.lines[44], "- Eliminato i segnali sulla destra dei P.B.");
  EXPECT_EQ(out.lines[45],
            "- Inserito all' avviso e al prot. di Orte segnale ad una vela a destra");
  EXPECT_EQ(out.lines[46], "- Riposizionata galleria di Orte");
  EXPECT_EQ(out.lines[48], "Ho anche rivisto la planimetria del tratto Viterbo-Attigliano.");
}

TEST(DatiNote, AccentedLettersAndDegreeSignAreOneByteEach) {
  const writer_output out = note();
  ASSERT_EQ(out.lines.size(), 49u);
  // The paragraphs use each of them; the set of bytes above 0x7F is checked
  // for every writer, so no UTF-8 sequence slips through.
  for (char c : {'\xE0', '\xE8', '\xF2', '\xF9', '\xB0'}) {
    EXPECT_NE(out.bytes.find(c), std::string::npos) << int{static_cast<unsigned char>(c)};
  }
  EXPECT_NE(out.bytes.find("velocit\xE0"), std::string::npos);
}

}  // namespace
}  // namespace scenario
