#include "sources/text_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "base/memory_file_system.h"

namespace scenario {
namespace {

TEST(TestoFile, EndsEveryLineWithCrLfAndWritesOneBytePerCharacter) {
  constexpr std::array<std::string_view, 4> righe = {"a", "", "2° città ", "ù"};
  EXPECT_EQ(testo_file(righe), "a\r\n\r\n2\xB0 citt\xE0 \r\n\xF9\r\n");
  EXPECT_EQ(testo_file({}), "");
}

TEST(ScriviTesto, ReplacesTheWholeFile) {
  memory_file_system fs;
  fs.files["/d/f.txt"] = std::string(100, 'x');
  constexpr std::array<std::string_view, 1> righe = {"ok"};
  scrivi_testo(fs, "/d/f.txt", righe);
  EXPECT_EQ(fs.files.at("/d/f.txt"), "ok\r\n");
}

}  // namespace
}  // namespace scenario
