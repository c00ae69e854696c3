// Document formatting: records laid out in columns as the service file's
// writer lays out its speed limits and stations. In each run of records of
// one kind on consecutive lines, the keyword is followed directly by its
// comma, every number stands right-aligned under the widest of its column
// with the blanks the widest have before them (the most usual count), and a
// text starts after the usual number of blanks. Only lines that hold one
// whole record with a single comma between its fields are touched, and no
// field's content changes, so the readers read exactly what they read before.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/sorgenti.h"
#include "tools/lsp/pair_check.h"
#include "tools/lsp/protocol_types.h"

namespace scenario::lsp {

struct line_layout {
  std::size_t line = 0;  // 0-based
  std::string text;      // the new line, Windows-1252, without its end
};

// The lines of file f (its Windows-1252 text) that the layout changes.
std::vector<line_layout> lay_out_records(std::string_view bytes, const sorgenti_modello& s,
                                         file_sorgente f);

// TextEdit[] for the document of file f.
json format_document(const pair_check& c, file_sorgente f, position_encoding e);

}  // namespace scenario::lsp
