#include "tools/route_files/cell_file.h"

#include <gtest/gtest.h>

#include "tools/route_files/decode_error.h"
#include "tools/testing/compiled_route_builder.h"

namespace scenario {
namespace {

std::optional<std::size_t> fault_offset(const std::string& bytes) {
  try {
    decode_cell_file(bytes, "r.dat");
  } catch (const decode_error& e) {
    return e.offset();
  }
  return std::nullopt;
}

TEST(CellFile, DecodesEveryFieldAtItsOffset) {
  const modello_percorso m = testing::sample_model();
  const std::string bytes = testing::encode_cells(m);
  const std::vector<cella> c = decode_cell_file(bytes, "r.dat");
  ASSERT_EQ(c.size(), 201u);
  EXPECT_EQ(c[1].dato1, 5121);
  EXPECT_EQ(c[1].dato2, 1234);
  EXPECT_EQ(static_cast<unsigned char>(bytes[16]), 1);  // 5121 = 0x1401
  EXPECT_EQ(static_cast<unsigned char>(bytes[17]), 20);
  EXPECT_EQ(c[41].tipo, tipo_cella::segnale);
  EXPECT_EQ(c[41].dato5, 130);
  EXPECT_EQ(c[14].dato4, 20);
  EXPECT_EQ(c[44].montagna, 2);
  EXPECT_EQ(c[25].pendenza, 112);
  EXPECT_EQ(c[199].velocita, 0);  // the last two cells keep no profile
}

TEST(CellFile, RejectsEmptyAndPartialCellsWithTheOffset) {
  EXPECT_EQ(fault_offset(""), 0u);
  EXPECT_EQ(fault_offset(std::string(14, '\0')), 0u);
  EXPECT_EQ(fault_offset(std::string(15 * 3 + 7, '\0')), 45u);
  EXPECT_EQ(fault_offset(std::string(15 * 3, '\0')), std::nullopt);
}

}  // namespace
}  // namespace scenario
