// Hover: on a keyword, the record and its fields in order with their units;
// on a value, the field's name, type, unit and meaning, what the model keeps
// of it, and for a position its metres, its kilometre figure and the cells
// the record took.
#pragma once

#include "tools/lsp/pair_check.h"
#include "tools/lsp/protocol_types.h"

namespace scenario::lsp {

// A Hover result, or null when the cursor is on no record.
json hover(const pair_check& c, file_sorgente f, const text_position& p, position_encoding e);

// The Markdown texts, for the hover and for completion's documentation.
std::string record_markdown(const descrizione_record& d);
std::string field_markdown(const descrizione_record& d, std::size_t i);

}  // namespace scenario::lsp
