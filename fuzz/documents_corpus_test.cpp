// Every document kept in the documents fuzzer's corpus runs through the
// same checks as in the fuzzer.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/file_system.h"
#include "fuzz/documents_check.h"

namespace scenario {
namespace {

TEST(DocumentsCorpus, EveryDocumentHoldsTheChecks) {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator(VO_DOCUMENTS_CORPUS_DIR)) {
    SCOPED_TRACE(e.path().filename().string());
    EXPECT_EQ(check_documents_input(disk_file_system{}.read_file(e.path())), "");
    ++n;
  }
  EXPECT_GE(n, 6);
}

}  // namespace
}  // namespace scenario
