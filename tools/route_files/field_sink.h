// Receives every field a decoder reads, with its place in the file, so a
// byte dump can annotate each field with its record and value.
#pragma once

#include <cstddef>
#include <string_view>

namespace scenario {

struct field_note {
  std::string_view file;    // the file's name as given to the decoder
  std::size_t offset = 0;   // first byte of the field in the file
  std::string_view bytes;   // the field's bytes
  std::string_view record;  // e.g. "entry 85", "cell 1", "x[2]"
  std::string_view field;   // e.g. "orario", "dato1", "tag"
  std::string_view value;   // the decoded value as text
};

class field_sink {
 public:
  virtual ~field_sink() = default;
  virtual void note(const field_note& f) = 0;
};

}  // namespace scenario
