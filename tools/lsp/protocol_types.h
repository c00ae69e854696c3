// The protocol's structures that several features share, to and from
// JSON: positions, ranges, the document a request names, and what the
// checker's diagnostics become.
#pragma once

#include <stdexcept>
#include <string>

#include "compiler/check/diagnostica.h"
#include "tools/lsp/json_rpc.h"
#include "tools/lsp/pair_check.h"
#include "tools/lsp/text_position.h"

namespace scenario::lsp {

// Parameters a request cannot be served with: answered with invalid_params.
class params_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

text_position position_from_json(const json& j);
text_range range_from_json(const json& j);
json to_json(const text_position& p);
json to_json(const text_range& r);

// params.textDocument.uri and params.position.
std::string document_uri(const json& params);
text_position request_position(const json& params);

// A diagnostic of the checker as the protocol's Diagnostic: its range, the
// severity, the stable id as the code, the compiler's code in "data", the
// message and the related places (those in a file of the pair).
json diagnostic_to_json(const diagnostica& d, const pair_check& c, position_encoding e);

// A replacement as a TextEdit in its file.
json edit_to_json(const sostituzione& s, const pair_check& c, position_encoding e);

// Strings from JSON are UTF-8; the checker's are Windows-1252 in places.
std::string encoding_name(position_encoding e);

}  // namespace scenario::lsp
