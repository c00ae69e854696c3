// The outline: the sections of a file ("[stazioni]", "[segnali]", ...) and
// in them its stations, signals and slowdowns.
#pragma once

#include "tools/lsp/pair_check.h"
#include "tools/lsp/protocol_types.h"

namespace scenario::lsp {

// DocumentSymbol[] of file f.
json document_symbols(const pair_check& c, file_sorgente f, position_encoding e);

}  // namespace scenario::lsp
