// Completion of record keywords where a keyword may stand: the first field
// of a line. The line file offers the general section's records inside
// "[generale]" and the others after it; the service file offers its own.
// Each item inserts the keyword with a snippet of its fields.
#pragma once

#include <string_view>

#include "tools/lsp/protocol_types.h"

namespace scenario::lsp {

struct completion_request {
  file_sorgente file = file_sorgente::linea;
  std::string_view utf8;  // the document as the editor holds it
  text_position position;
  position_encoding encoding = position_encoding::utf16;
  bool snippets = true;  // the client takes snippets
};

// A CompletionList (empty where no keyword may stand).
json complete(const completion_request& r);

// The snippet of a record: keyword, comma, a placeholder per field.
std::string record_snippet(const descrizione_record& d);

}  // namespace scenario::lsp
