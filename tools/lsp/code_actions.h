// Quick fixes: the checker's own fixes for the warnings whose message names
// what to write (the keyword meant by a typo, a position moved onto the
// 50 m grid, a missing "[fine]", a missing comma after a keyword).
#pragma once

#include "tools/lsp/pair_check.h"
#include "tools/lsp/protocol_types.h"

namespace scenario::lsp {

// CodeAction[] for the diagnostics of file f whose range meets `range`.
// Ranges are half-open, but one that only touches a diagnostic's range at
// either end meets it too: an editor asks with an empty range at the
// cursor, and a cursor just after a field's last character is on that field
// (as hover has it); a selection that ends where a field begins is next to it.
json code_actions(const pair_check& c, file_sorgente f, const text_range& range,
                  position_encoding e);

}  // namespace scenario::lsp
