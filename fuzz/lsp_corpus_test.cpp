// Every session kept in the language server fuzzer's corpus runs through the
// same checks as in the fuzzer. Sessions named ok_* end with "shutdown" and
// "exit" (status 0) in spite of what they hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/file_system.h"
#include "fuzz/lsp_check.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

TEST(LspCorpus, EverySessionHoldsTheChecks) {
  int ok = 0;
  for (const auto& e : fs::directory_iterator(VO_LSP_CORPUS_DIR)) {
    const std::string name = e.path().filename().string();
    SCOPED_TRACE(name);
    const lsp_check_result r = check_lsp_input(disk_file_system{}.read_file(e.path()));
    EXPECT_EQ(r.problem, "");
    EXPECT_GT(r.messages, 0u);
    if (name.starts_with("ok_")) {
      ++ok;
      EXPECT_EQ(r.exit_status, 0);
    }
  }
  EXPECT_GE(ok, 3);
}

}  // namespace
}  // namespace scenario
