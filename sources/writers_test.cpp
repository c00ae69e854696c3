// What holds for every one of the five writers: the exact bytes (against the
// golden files), the line structure, replacing an older file, repeatability,
// failures and the file name.
#include "sources/writers.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "base/memory_file_system.h"
#include "compiler/route_model/nomi_file.h"
#include "sources/crlf_lines.h"
#include "sources/golden_file.h"

namespace scenario {
namespace {

using writer_fn = void (*)(file_system&, const program_folder&, std::string_view, std::string_view);
using name_fn = std::string (*)(std::string_view, std::string_view);

struct writer_case {
  const char* label;
  writer_fn write;
  name_fn file_name;
  std::size_t lines;
  std::size_t bytes;                          // 0 for the notes, whose prose has no fixed length
  std::set<unsigned char> bytes_above_ascii;  // the only ones allowed
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const writer_case& c, std::ostream* os) {
  *os << c.label;
}

void linea(file_system& fs, const program_folder& c, std::string_view l, std::string_view) {
  dati_linea(fs, c, l);
}
std::string nome_linea_txt(std::string_view l, std::string_view) {
  return nome_file_linea_txt(l);
}

const writer_case cases[] = {
    {"linea", linea, nome_linea_txt, 163, 5593, {}},
    {"treno", dati_treno, nome_file_servizio_txt, 48, 2138, {0xB0}},
    {"note", dati_note, nome_file_note, 49, 0, {0xB0, 0xE0, 0xE8, 0xF2, 0xF9}},
    {"rallentamenti", dati_rallentamenti, nome_file_rallentamenti, 46, 3302, {}},
    {"scheda", dati_scheda, nome_file_scheda, 54, 4259, {0xB0, 0xE0}},
};

constexpr std::string_view linea_std = "Viterbo_Attigliano_Orte";
constexpr std::string_view treno_std = "7547";
const program_folder cartella{"/programma", '/'};

class WriterTest : public ::testing::TestWithParam<writer_case> {
 protected:
  std::string path(std::string_view l = linea_std, std::string_view t = treno_std) const {
    return file_path(cartella, GetParam().file_name(l, t)).generic_string();
  }
  std::string write(memory_file_system& fs, std::string_view l = linea_std,
                    std::string_view t = treno_std) const {
    GetParam().write(fs, cartella, l, t);
    return fs.files.at(path(l, t));
  }
};

TEST_P(WriterTest, WritesExactlyTheGoldenBytesIntoOneFile) {
  memory_file_system fs;
  const std::string bytes = write(fs);
  EXPECT_EQ(fs.files.size(), 1u);
  EXPECT_EQ(fs.log, std::vector<std::string>{"write " + path()});
  EXPECT_TRUE(matches_golden(GetParam().file_name(linea_std, treno_std), bytes));
}

TEST_P(WriterTest, HasItsLineCountAndSizeWithCrLfAfterEveryLine) {
  memory_file_system fs;
  const std::string bytes = write(fs);
  const auto lines = crlf_lines(bytes);
  ASSERT_TRUE(lines.has_value()) << "a line end other than CR LF, or none after the last line";
  EXPECT_EQ(lines->size(), GetParam().lines);
  if (GetParam().bytes != 0) {
    EXPECT_EQ(bytes.size(), GetParam().bytes);
  }
  EXPECT_EQ(bytes.find("riferimento fine del file"), std::string::npos);
  EXPECT_EQ(bytes.find('\t'), std::string::npos);
}

TEST_P(WriterTest, WritesEachCharacterAsOneWindows1252Byte) {
  memory_file_system fs;
  const std::string bytes = write(fs);
  std::set<unsigned char> above;
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80) above.insert(b);
    if (b < 0x20) {
      EXPECT_TRUE(b == '\r' || b == '\n') << "control byte " << int{b};
    }
  }
  // Every accented letter the content uses comes out, and nothing else (no
  // UTF-8 lead bytes such as 0xC2 or 0xC3).
  EXPECT_EQ(above, GetParam().bytes_above_ascii);
  EXPECT_EQ(bytes.find('?'), std::string::npos) << "a character outside the code page";
}

TEST_P(WriterTest, ReplacesAnOlderLongerFileCompletely) {
  memory_file_system fresh;
  const std::string expected = write(fresh);

  memory_file_system fs;
  fs.files[path()] = std::string(20000, 'x') + "riferimento fine del file\r\n";
  EXPECT_EQ(write(fs), expected);
}

TEST_P(WriterTest, WritingTwiceGivesTheSameBytes) {
  memory_file_system fs;
  const std::string first = write(fs);
  const std::string second = write(fs);
  EXPECT_EQ(first, second);
  EXPECT_EQ(fs.files.size(), 1u);
}

TEST_P(WriterTest, AFailedWriteThrowsFileErrorNamingTheFile) {
  memory_file_system fs;
  fs.files[path()] = "older";
  fs.fail_write(path(), "disk full");
  try {
    GetParam().write(fs, cartella, linea_std, treno_std);
    FAIL() << "no file_error";
  } catch (const file_error& e) {
    EXPECT_EQ(e.file().generic_string(), path());
    EXPECT_EQ(e.reason(), "disk full");
    EXPECT_NE(std::string(e.what()).find(std::string(GetParam().file_name(linea_std, treno_std))),
              std::string::npos);
  }
  EXPECT_EQ(fs.files.at(path()), "older");
}

TEST_P(WriterTest, OtherIdentifiersChangeOnlyTheFileName) {
  memory_file_system standard;
  const std::string expected = write(standard);

  memory_file_system fs;
  const std::string bytes = write(fs, "Linea_Prova", "1234");
  EXPECT_EQ(bytes, expected);
  ASSERT_EQ(fs.files.size(), 1u);
  EXPECT_EQ(fs.files.begin()->first, path("Linea_Prova", "1234"));
}

INSTANTIATE_TEST_SUITE_P(AllFive, WriterTest, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(FirstDifference, NamesOffsetLineAndColumn) {
  EXPECT_EQ(first_difference("ab\r\ncd\r\n", "ab\r\ncd\r\n"), "");
  EXPECT_EQ(first_difference("ab\r\ncd\r\n", "ab\r\ncx\r\n"),
            "first difference at offset 5 (line 2, column 2): expected 0x64 'd', got 0x78 'x'; "
            "expected 8 bytes, got 8");
  EXPECT_EQ(first_difference("ab\r\n", "ab"),
            "first difference at offset 2 (line 1, column 3): expected 0x0D, got end of file; "
            "expected 4 bytes, got 2");
}

TEST(CrLfLines, AcceptsOnlyLinesEachEndedByCrLf) {
  EXPECT_EQ(crlf_lines("a\r\n\r\nb \r\n"), (std::vector<std::string>{"a", "", "b "}));
  EXPECT_EQ(crlf_lines(""), std::vector<std::string>{});
  EXPECT_FALSE(crlf_lines("a\r\nb").has_value());
  EXPECT_FALSE(crlf_lines("a\nb\r\n").has_value());
  EXPECT_FALSE(crlf_lines("a\rb\r\n").has_value());
}

}  // namespace
}  // namespace scenario
