// Receives every field a decoder reads, with its place in the file, so a
// byte dump can annotate each field with its record and value.
#pragma once

#include <cstddef>
#include <string_view>

namespace scenario {

struct nota_campo {
  std::string_view file;    // the file's name as given to the decoder
  std::size_t offset = 0;   // first byte of the field in the file
  std::string_view bytes;   // the field's bytes
  std::string_view record;  // e.g. "entry 85", "cell 1", "x[2]"
  std::string_view campo;   // e.g. "orario", "dato1", "tag"
  std::string_view valore;  // the decoded value as text
};

class osservatore_campi {
 public:
  virtual ~osservatore_campi() = default;
  virtual void nota(const nota_campo& f) = 0;
};

}  // namespace scenario
