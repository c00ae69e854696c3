// One language server session on the bytes an editor might send, and the
// checks of what it wrote back: every answer is one framed JSON-RPC
// message, and the session ends. The fixed scenario's two files stand in a
// folder in memory, so that a document opened beside them pairs with one.
// Shared by the fuzz target and the corpus test.
#pragma once

#include <string>
#include <string_view>

namespace scenario {

struct lsp_check_result {
  int exit_status = 1;
  std::size_t messages = 0;  // framed messages written back
  std::string problem;       // empty when every check held
};

// The first byte sets the size of the pieces the rest is read in (1 to 256
// bytes), as a pipe may hand them over.
lsp_check_result check_lsp_input(std::string_view input);

}  // namespace scenario
