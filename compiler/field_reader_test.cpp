#include "compiler/field_reader.h"

#include <gtest/gtest.h>

#include "compiler/run_failure.h"

namespace scenario {
namespace {

TEST(FieldReader, BlanksBeforeAFieldAreSkippedTrailingBlanksOfATextStay) {
  field_reader r("   lunghezza percorso  ,    60000\r\n");
  EXPECT_EQ(r.read_text(), "lunghezza percorso  ");
  EXPECT_EQ(r.read_long(), 60000);
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, TextRunsToCommaOrLineEndWithBlanksAndQuotesInside) {
  field_reader r("cartello_indicatore,  2100,   (Cippo Km.)( 37+000  )\r\n\"a\" b,x\r\n");
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
  field_reader r("indicatori_vmax,  500,  65,  ,  ,  0\r\n");
  EXPECT_EQ(r.read_text(), "indicatori_vmax");
  EXPECT_EQ(r.read_long(), 500);
  EXPECT_EQ(r.read_long(), 65);
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, NumberEndedByABlankTakesTheCommaAfterTheBlanks) {
  field_reader r("12   , 7 x\r\n");
  EXPECT_EQ(r.read_long(), 12);
  EXPECT_EQ(r.read_long(), 7);
  // "x" is the next field, on the same line.
  EXPECT_EQ(r.read_text(), "x");
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, ClockLineReadsThreeNumbersThenTheNextLine) {
  field_reader r("orologio,    13              48            40 \r\n[aderenze]\r\n");
  EXPECT_EQ(r.read_text(), "orologio");
  EXPECT_EQ(r.read_integer(), 13);
  EXPECT_EQ(r.read_integer(), 48);
  EXPECT_EQ(r.read_integer(), 40);
  EXPECT_EQ(r.read_text(), "[aderenze]");
  EXPECT_EQ(r.field_line(), 2);
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, AnEmptyLineIsOneEmptyTextField) {
  field_reader r("[rallentamenti]\r\n\r\nrallentamento\r\n");
  EXPECT_EQ(r.read_text(), "[rallentamenti]");
  EXPECT_EQ(r.read_text(), "");
  EXPECT_EQ(r.field_line(), 2);
  EXPECT_EQ(r.read_text(), "rallentamento");
  EXPECT_EQ(r.field_line(), 3);
}

TEST(FieldReader, LoneLfAndLoneCrEndLinesToo) {
  field_reader r("a\nb\rc\r\n\n");
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
  field_reader r("abc,12x,-,+,1e3,--5,-17,+8,007\r\n");
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
  field_reader r("2.5,3.5,2.51,-2.5,-3.5,.5,1.,0.49\r\n");
  EXPECT_EQ(r.read_long(), 2);
  EXPECT_EQ(r.read_long(), 4);
  EXPECT_EQ(r.read_long(), 3);
  EXPECT_EQ(r.read_long(), -2);
  EXPECT_EQ(r.read_long(), -4);
  EXPECT_EQ(r.read_long(), 0);
  EXPECT_EQ(r.read_long(), 1);
  EXPECT_EQ(r.read_long(), 0);
}

TEST(FieldReader, EachTypeTakesItsWholeRangeAndFailsOneBeyond) {
  field_reader ok("0,255,-32768,32767,-2147483648,2147483647\r\n");
  EXPECT_EQ(ok.read_byte(), 0);
  EXPECT_EQ(ok.read_byte(), 255);
  EXPECT_EQ(ok.read_integer(), -32768);
  EXPECT_EQ(ok.read_integer(), 32767);
  EXPECT_EQ(ok.read_long(), -2147483647 - 1);
  EXPECT_EQ(ok.read_long(), 2147483647);

  EXPECT_THROW(field_reader("256").read_byte(), run_failure);
  EXPECT_THROW(field_reader("-1").read_byte(), run_failure);
  EXPECT_THROW(field_reader("32768").read_integer(), run_failure);
  EXPECT_THROW(field_reader("-32769").read_integer(), run_failure);
  EXPECT_THROW(field_reader("2147483648").read_long(), run_failure);
  EXPECT_THROW(field_reader("-2147483649").read_long(), run_failure);
  EXPECT_THROW(field_reader("99999999999999999999999999").read_long(), run_failure);
  EXPECT_THROW(field_reader("255.5").read_byte(), run_failure);  // rounds to 256
}

TEST(FieldReader, OverflowReportsTheLineOfTheField) {
  field_reader r("a\r\nb, 300\r\n");
  r.read_text();
  r.read_text();
  try {
    r.read_byte();
    FAIL();
  } catch (const run_failure& f) {
    EXPECT_EQ(r.last_field().riga, 2);
  }
}

TEST(FieldReader, ReadingPastTheEndInsideARecordFails) {
  field_reader r("segnale,   10000,   2\r\n");
  EXPECT_EQ(r.read_text(), "segnale");
  EXPECT_EQ(r.read_long(), 10000);
  EXPECT_EQ(r.read_long(), 2);
  EXPECT_TRUE(r.at_end());
  try {
    r.read_long();
    FAIL();
  } catch (const run_failure& f) {
    EXPECT_EQ(r.last_field().riga, 1);
  }
  EXPECT_THROW(r.read_text(), run_failure);
  EXPECT_THROW(field_reader("").read_text(), run_failure);
}

TEST(FieldReader, AFileWithoutAFinalLineEndEndsAtItsLastField) {
  field_reader r("pendenza, 5\r\n[fine]");
  EXPECT_EQ(r.read_text(), "pendenza");
  EXPECT_EQ(r.read_long(), 5);
  EXPECT_FALSE(r.at_end());
  EXPECT_EQ(r.read_text(), "[fine]");
  EXPECT_TRUE(r.at_end());

  field_reader n("x,  42");
  n.read_text();
  EXPECT_EQ(n.read_long(), 42);
  EXPECT_TRUE(n.at_end());
}

TEST(FieldReader, TrailingBlanksAndACommaAtTheEndLeaveAnEmptyField) {
  // After "5," the position is not at the end: one empty field is left.
  field_reader r("5,   ");
  EXPECT_EQ(r.read_long(), 5);
  EXPECT_FALSE(r.at_end());
  EXPECT_EQ(r.read_text(), "");
  EXPECT_TRUE(r.at_end());
}

}  // namespace
}  // namespace scenario
