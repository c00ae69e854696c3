#include "tools/route_files/line_data_file.h"

#include <gtest/gtest.h>

#include "base/coding.h"
#include "tools/route_files/decode_error.h"
#include "tools/testing/compiled_route_builder.h"

namespace scenario {
namespace {

decode_error fault(const std::string& bytes, std::optional<std::size_t> points = std::nullopt) {
  try {
    decode_line_data_file(bytes, "r_linea.dat", points);
  } catch (const decode_error& e) {
    return e;
  }
  ADD_FAILURE() << "no error";
  return decode_error("", std::nullopt, "");
}

TEST(LineDataFile, DecodesTagsAndValuesColumnByColumn) {
  const modello_percorso m = testing::sample_model();
  const std::string bytes = testing::encode_line(m);
  // Per column: 2 Integers, 9997 Doubles, 2 empties.
  EXPECT_EQ(bytes.size(), 2u * (2 * 4 + 9997 * 10 + 2 * 2));
  const geometria g = decode_line_data_file(bytes, "r_linea.dat", 10001);
  ASSERT_EQ(g.x.size(), 10001u);
  ASSERT_EQ(g.y.size(), 10001u);
  EXPECT_EQ(std::get<std::int16_t>(g.y[1]), 1);
  EXPECT_EQ(std::get<double>(g.y[2]), 2.0);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(g.x[10000]));
  EXPECT_EQ(valore(g.x[5000]), valore(m.tracciato.punto(5000, 0)));
}

TEST(LineDataFile, UnknownTagNamesItsOffset) {
  std::string b;
  put_fixed16(b, 2);
  put_int16(b, 0);
  put_fixed16(b, 8);  // a String tag: never written
  const decode_error e = fault(b);
  EXPECT_EQ(e.offset(), 4u);
  EXPECT_NE(e.reason().find("unknown Variant tag 8"), std::string::npos) << e.what();
}

TEST(LineDataFile, ValueCutShortAndTagCutShort) {
  std::string b;
  put_fixed16(b, 5);
  put_int32(b, 0);
  EXPECT_EQ(fault(b).offset(), 2u);
  std::string c;
  put_fixed16(c, 0);
  c.push_back('\0');
  EXPECT_EQ(fault(c).offset(), 2u);
}

TEST(LineDataFile, HalvesOfDifferentLengthAndWrongPointCount) {
  std::string b;
  for (int i = 0; i < 3; ++i) put_fixed16(b, 0);
  const decode_error odd = fault(b);
  EXPECT_EQ(odd.offset(), 6u);
  EXPECT_NE(odd.reason().find("halves differ in length"), std::string::npos) << odd.what();

  put_fixed16(b, 0);  // 4 elements: 2 points per column
  EXPECT_NO_THROW(decode_line_data_file(b, "r_linea.dat", 2));
  EXPECT_EQ(fault(b, 1).offset(), 4u);  // element 2 is where the surplus starts
  EXPECT_EQ(fault(b, 3).offset(), 8u);  // short: the end of the file
  EXPECT_EQ(fault("").offset(), 0u);
}

}  // namespace
}  // namespace scenario
