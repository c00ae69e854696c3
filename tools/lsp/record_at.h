// The record and field under the cursor, from the checker's own reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "compiler/sorgenti.h"

namespace scenario::lsp {

struct field_at {
  std::int32_t record = nessun_record;  // index in the reading's records
  int value = -1;                       // the value's index; -1 for the keyword
};

// The field of file f that holds the byte offset (its end included, so a
// cursor just after a word is on it). The first record wins where one
// keyword field was read as several kinds.
std::optional<field_at> field_at_offset(const sorgenti_modello& s, file_sorgente f,
                                        std::size_t offset);

}  // namespace scenario::lsp
