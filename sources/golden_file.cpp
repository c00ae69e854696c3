#include "sources/golden_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "base/file_system.h"

namespace scenario {

namespace {

bool rebase_requested() {
  const char* value = std::getenv("VO_REBASE_GOLDEN");
  return value != nullptr && std::string_view(value) == "1";
}

std::string describe_byte(std::string_view bytes, std::size_t offset) {
  if (offset >= bytes.size()) return "end of file";
  const auto b = static_cast<unsigned char>(bytes[offset]);
  char text[32];
  if (b >= 0x20 && b < 0x7F) {
    std::snprintf(text, sizeof text, "0x%02X '%c'", b, b);
  } else {
    std::snprintf(text, sizeof text, "0x%02X", b);
  }
  return text;
}

}  // namespace

std::string golden_dir() {
  return VO_TESTDATA_DIR;
}

std::string first_difference(std::string_view expected, std::string_view actual) {
  if (expected == actual) return "";
  std::size_t offset = 0;
  while (offset < expected.size() && offset < actual.size() && expected[offset] == actual[offset]) {
    ++offset;
  }
  std::size_t line = 1;
  std::size_t column = 1;
  for (std::size_t i = 0; i < offset; ++i) {
    if (expected[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "first difference at offset " + std::to_string(offset) + " (line " + std::to_string(line) +
         ", column " + std::to_string(column) + "): expected " + describe_byte(expected, offset) +
         ", got " + describe_byte(actual, offset) + "; expected " +
         std::to_string(expected.size()) + " bytes, got " + std::to_string(actual.size());
}

::testing::AssertionResult matches_golden(const std::string& name, std::string_view actual) {
  disk_file_system disk;
  const std::filesystem::path file = std::filesystem::path(golden_dir()) / name;
  if (rebase_requested()) {
    disk.write_file(file, actual);
    return ::testing::AssertionSuccess() << "rewrote " << file.string();
  }
  std::string expected;
  try {
    expected = disk.read_file(file);
  } catch (const file_error& e) {
    return ::testing::AssertionFailure()
           << "golden file missing: " << e.what() << " (VO_REBASE_GOLDEN=1 writes it)";
  }
  const std::string difference = first_difference(expected, actual);
  if (difference.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << name << ": " << difference;
}

}  // namespace scenario
