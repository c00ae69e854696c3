#include "tools/route_files/sim_file.h"

#include <gtest/gtest.h>

#include "tools/route_files/decode_error.h"
#include "tools/testing/compiled_route_builder.h"

namespace scenario {
namespace {

decode_error fault(const std::string& bytes) {
  try {
    decode_sim_file(bytes, "r.sim");
  } catch (const decode_error& e) {
    return e;
  }
  ADD_FAILURE() << "no error";
  return decode_error("", std::nullopt, "");
}

TEST(SimFile, DecodesAll87Entries) {
  const modello_percorso m = testing::sample_model();
  const std::string bytes = testing::encode_sim(m);
  const auto e = decode_sim_file(bytes, "r.sim");
  EXPECT_EQ(e[2].nome, "Bet\xe0");
  EXPECT_EQ(e[2].orario, 8 * 3600 + 9 * 60 + 30);
  EXPECT_EQ(e[80].nome, "(P.L.A.)(km. 1+700)");
  EXPECT_EQ(e[85].dato_i1, 610);
  EXPECT_EQ(e[85].orario, 4242);
  EXPECT_EQ(e[86].nome, "12");
  EXPECT_EQ(e[86].dato_i5, 30);
  EXPECT_EQ(e[84].fine, 3000);
}

TEST(SimFile, EmptyNamesMake34ByteEntries) {
  modello_percorso m;
  const std::string bytes = testing::encode_sim(m);
  EXPECT_EQ(bytes.size(), 87u * 34u);
  EXPECT_NO_THROW(decode_sim_file(bytes, "r.sim"));
}

TEST(SimFile, BytesAfterEntry86AreAnError) {
  modello_percorso m;
  const std::string bytes = testing::encode_sim(m) + "zz";
  const decode_error e = fault(bytes);
  EXPECT_EQ(e.offset(), 87u * 34u);
  EXPECT_NE(e.reason().find("2 bytes follow entry 86"), std::string::npos) << e.what();
}

TEST(SimFile, FileEndingInsideAnEntryNamesEntryAndField) {
  modello_percorso m;
  const std::string bytes = testing::encode_sim(m).substr(0, 86 * 34 + 20);
  const decode_error e = fault(bytes);
  EXPECT_EQ(e.offset(), 86u * 34u + 20u);  // dato_i3 of entry 86 starts there
  EXPECT_NE(e.reason().find("entry 86, field dato_i3"), std::string::npos) << e.what();
}

TEST(SimFile, NameLengthRunningPastTheEnd) {
  modello_percorso m;
  std::string bytes = testing::encode_sim(m);
  bytes[86 * 34 + 14] = '\x40';  // entry 86 claims a 64-byte name
  const decode_error e = fault(bytes);
  EXPECT_EQ(e.offset(), 86u * 34u + 14u);
  EXPECT_NE(e.reason().find("length 64 of nome runs past the end"), std::string::npos) << e.what();
}

}  // namespace
}  // namespace scenario
