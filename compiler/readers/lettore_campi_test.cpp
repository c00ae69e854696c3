#include "compiler/readers/lettore_campi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/readers/errore_esecuzione.h"

namespace scenario {
namespace {

TEST(FieldReader, BlanksBeforeAFieldAreSkippedTrailingBlanksOfATextStay) {
  lettore_campi r("   lunghezza percorso  ,    60000\r\n");
  EXPECT_EQ(r.read_text(), "lunghezza percorso  ");
  EXPECT_EQ(r.read_long(), 60000);
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, TextRunsToCommaOrLineEndWithBlanksAndQuotesInside) {
  lettore_campi r("cartello_indicatore,  2100,   (Cippo Km.)( 37+000  )\r\n\"a\" b,x\r\n");
  EXPECT_EQ(r.read_text(), "cartello_indicatore");
  EXPECT_EQ(r.read_long(), 2100);
  EXPECT_EQ(r.read_text(), "(Cippo Km.)( 37+000  )");
  EXPECT_EQ(r.field_line(), 1);
  EXPECT_EQ(r.read_text(), "\"a\" b");
  EXPECT_EQ(r.field_line(), 2);
  EXPECT_EQ(r.read_text(), "x");
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, EmptyNumberFieldsReadZero) {
  lettore_campi r("indicatori_vmax,  500,  65,  ,  ,  0\r\n");
  EXPECT_EQ(r.read_text(), "indicatori_vmax");
  EXPECT_EQ(r.read_long(), 500);
  EXPECT_EQ(r.read_long(), 65);
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, NumberEndedByABlankTakesTheCommaAfterTheBlanks) {
  lettore_campi r("12   , 7 x\r\n");
  EXPECT_EQ(r.read_long(), 12);
  EXPECT_EQ(r.read_long(), 7);
  // "x" is the next field, on the same line.
  EXPECT_EQ(r.read_text(), "x");
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, ClockLineReadsThreeNumbersThenTheNextLine) {
  lettore_campi r("orologio,    13              48            40 \r\n[aderenze]\r\n");
  EXPECT_EQ(r.read_text(), "orologio");
  EXPECT_EQ(r.read_integer(), 13);
  EXPECT_EQ(r.read_integer(), 48);
  EXPECT_EQ(r.read_integer(), 40);
  EXPECT_EQ(r.read_text(), "[aderenze]");
  EXPECT_EQ(r.field_line(), 2);
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, AnEmptyLineIsOneEmptyTextField) {
  lettore_campi r("[rallentamenti]\r\n\r\nrallentamento\r\n");
  EXPECT_EQ(r.read_text(), "[rallentamenti]");
  EXPECT_EQ(r.read_text(), "");
  EXPECT_EQ(r.field_line(), 2);
  EXPECT_EQ(r.read_text(), "rallentamento");
  EXPECT_EQ(r.field_line(), 3);
}

TEST(FieldReader, LoneLfAndLoneCrEndLinesToo) {
  lettore_campi r("a\nb\rc\r\n\n");
  EXPECT_EQ(r.read_text(), "a");
  EXPECT_EQ(r.read_text(), "b");
  EXPECT_EQ(r.field_line(), 2);
  EXPECT_EQ(r.read_text(), "c");
  EXPECT_EQ(r.field_line(), 3);
  EXPECT_FALSE(r.at_end());
  EXPECT_EQ(r.read_text(), "");
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, NumbersThatAreNotNumbersReadZero) {
  lettore_campi r("abc,12x,-,+,1e3,--5,-17,+8,007\r\n");
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_EQ(r.read_long(), -17);
  EXPECT_EQ(r.read_long(), 8);
  EXPECT_EQ(r.read_long(), 7);
}

TEST(FieldReader, DecimalFractionsRoundHalfToEven) {
  lettore_campi r("2.5,3.5,2.51,-2.5,-3.5,.5,1.,0.49\r\n");
  EXPECT_EQ(r.read_long(), 2);
  EXPECT_EQ(r.read_long(), 4);
  EXPECT_EQ(r.read_long(), 3);
  EXPECT_EQ(r.read_long(), -2);
  EXPECT_EQ(r.read_long(), -4);
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_EQ(r.read_long(), 1);
  EXPECT_EQ(r.read_long(), 0);
  // Only the first fraction digit decides, even when it is a zero.
  EXPECT_EQ(valore_numero("2.06"), 2);
  EXPECT_EQ(valore_numero("3.05"), 3);
  EXPECT_EQ(valore_numero("3.09"), 3);
}

TEST(FieldReader, EachTypeTakesItsWholeRangeAndFailsOneBeyond) {
  lettore_campi ok("0,255,-32768,32767,-2147483648,2147483647\r\n");
  EXPECT_EQ(ok.read_byte(), 0);
  EXPECT_EQ(ok.read_byte(), 255);
  EXPECT_EQ(ok.read_integer(), -32768);
  EXPECT_EQ(ok.read_integer(), 32767);
  EXPECT_EQ(ok.read_long(), -2147483647 - 1);
  EXPECT_EQ(ok.read_long(), 2147483647);

  EXPECT_THROW(lettore_campi("256").read_byte(), errore_esecuzione);
  EXPECT_THROW(lettore_campi("-1").read_byte(), errore_esecuzione);
  EXPECT_THROW(lettore_campi("32768").read_integer(), errore_esecuzione);
  EXPECT_THROW(lettore_campi("-32769").read_integer(), errore_esecuzione);
  EXPECT_THROW(lettore_campi("2147483648").read_long(), errore_esecuzione);
  EXPECT_THROW(lettore_campi("-2147483649").read_long(), errore_esecuzione);
  EXPECT_THROW(lettore_campi("99999999999999999999999999").read_long(), errore_esecuzione);
  EXPECT_THROW(lettore_campi("255.5").read_byte(), errore_esecuzione);  // rounds to 256
}

TEST(FieldReader, OverflowReportsTheLineOfTheField) {
  lettore_campi r("a\r\nb, 300\r\n");
  r.read_text();
  r.read_text();
  try {
    r.read_byte();
    FAIL();
  } catch (const errore_esecuzione& f) {
    EXPECT_EQ(r.last_field().riga, 2);
  }
}

TEST(FieldReader, ReadingPastTheEndInsideARecordFails) {
  lettore_campi r("segnale,   10000,   2\r\n");
  EXPECT_EQ(r.read_text(), "segnale");
  EXPECT_EQ(r.read_long(), 10000);
  EXPECT_EQ(r.read_long(), 2);
  EXPECT_TRUE(r.at_end());
  try {
    r.read_long();
    FAIL();
  } catch (const errore_esecuzione& f) {
    EXPECT_EQ(r.last_field().riga, 1);
  }
  EXPECT_THROW(r.read_text(), errore_esecuzione);
  EXPECT_THROW(lettore_campi("").read_text(), errore_esecuzione);
}

// A read past the end stands just after the last line's last byte, CR LF,
// lone LF or lone CR alike; without a final line end, after the last byte.
TEST(FieldReader, AReadPastTheEndStandsAtTheEndOfTheLastLine) {
  struct caso {
    const char* testo;
    std::int32_t riga, colonna;
    std::uint32_t dove;
  };
  for (const caso& k : {caso{"a\r\nsegnale,   2\r\n", 2, 13, 15},
                        caso{"a\nsegnale,   2\n", 2, 13, 14}, caso{"segnale,   2\r", 1, 13, 12},
                        caso{"a\r\nsegnale,   2", 2, 13, 15}, caso{"\r\n", 1, 1, 0}}) {
    SCOPED_TRACE(k.testo);
    lettore_campi r(k.testo);
    r.set_tolerant(true);
    while (!r.at_end()) r.read_text();
    EXPECT_EQ(r.read_long(), 0);
    const auto f = r.take_failure();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->motivo, motivo_guasto::fine_file);
    EXPECT_EQ(f->campo.riga, k.riga);
    EXPECT_EQ(f->campo.colonna, k.colonna);
    EXPECT_EQ(f->campo.inizio, k.dove);
    EXPECT_EQ(f->campo.fine, k.dove);
    // A text read past the end stands at the same place.
    EXPECT_EQ(r.read_text(), "");
    EXPECT_EQ(r.last_field().inizio, k.dove);
    EXPECT_EQ(r.last_field().fine, k.dove);
  }
}

TEST(FieldReader, LineEndedTellsWhetherMoreFieldsFollowOnTheLine) {
  lettore_campi r("a, 1, b\r\nc\r\n7 , d");
  std::vector<bool> chiuse;
  for (int i = 0; i < 3; ++i) {
    r.read_text();
    chiuse.push_back(r.line_ended());
    r.read_long();
    chiuse.push_back(r.line_ended());
  }
  EXPECT_EQ(chiuse, (std::vector<bool>{false, false, true, true, false, true}));

  // The end of the file closes a text field's line as a line end does.
  lettore_campi t("x, y");
  t.read_text();
  EXPECT_FALSE(t.line_ended());
  t.read_text();
  EXPECT_TRUE(t.line_ended());
}

TEST(FieldReader, NumbersPastTwoToTheFortiethHaveNoValue) {
  EXPECT_EQ(valore_numero("1099511627775"), 1099511627775);
  EXPECT_EQ(valore_numero("-1099511627775"), -1099511627775);
  EXPECT_EQ(valore_numero("1099511627774.5"), 1099511627774);
  EXPECT_EQ(valore_numero("1099511627776"), std::nullopt);
  EXPECT_EQ(valore_numero("1099511627775.5"), std::nullopt);  // rounds up to 2^40
  EXPECT_EQ(valore_numero("99999999999999999999999"), std::nullopt);
  EXPECT_EQ(valore_numero("12x"), 0);
}

// The keyword of the next record: up to two dash fields are passed over and
// seen by the callback; false when a read reached the end of the file.
TEST(FieldReader, KeywordFieldPassesOverTwoDashFieldsAtMost) {
  lettore_campi r("-a, -b, -c, x\r\n-d, y, z\r\n-e, -f");
  std::vector<std::string> commenti;
  const auto nota = [&](std::string_view c, const campo_testo&) { commenti.emplace_back(c); };
  std::string_view riga;
  EXPECT_TRUE(leggi_campo_chiave(r, riga, nota));
  EXPECT_EQ(riga, "-c");
  EXPECT_TRUE(leggi_campo_chiave(r, riga, nota));
  EXPECT_EQ(riga, "x");
  EXPECT_TRUE(leggi_campo_chiave(r, riga, nota));
  EXPECT_EQ(riga, "y");
  EXPECT_EQ(commenti, (std::vector<std::string>{"-a", "-b", "-d"}));
  EXPECT_TRUE(leggi_campo_chiave(r, riga));
  EXPECT_EQ(riga, "z");
  // "-f" is the file's last field: never examined.
  EXPECT_FALSE(leggi_campo_chiave(r, riga));
  EXPECT_TRUE(r.at_end());
  EXPECT_FALSE(leggi_campo_chiave(r, riga));
  EXPECT_FALSE(r.take_failure());
}

TEST(FieldReader, AFileWithoutAFinalLineEndEndsAtItsLastField) {
  lettore_campi r("pendenza, 5\r\n[fine]");
  EXPECT_EQ(r.read_text(), "pendenza");
  EXPECT_EQ(r.read_long(), 5);
  EXPECT_FALSE(r.at_end());
  EXPECT_EQ(r.read_text(), "[fine]");
  EXPECT_TRUE(r.at_end());

  lettore_campi n("x,  42");
  n.read_text();
  EXPECT_EQ(n.read_long(), 42);
  EXPECT_TRUE(n.at_end());
}

TEST(FieldReader, TrailingBlanksAndACommaAtTheEndLeaveAnEmptyField) {
  // After "5," the position is not at the end: one empty field is left.
  lettore_campi r("5,   ");
  EXPECT_EQ(r.read_long(), 5);
  EXPECT_FALSE(r.at_end());
  EXPECT_EQ(r.read_text(), "");
  EXPECT_TRUE(r.at_end());
}

}  // namespace
}  // namespace scenario
