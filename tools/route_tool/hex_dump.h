// The annotated byte dump: one line per field,
// "OFFSET: BYTES ; RECORD, FIELD = VALUE", with a heading line per file, so
// that `diff` of two dumps points at the first field that differs.
#pragma once

#include <iosfwd>
#include <string>

#include "compiler/format/osservatore_campi.h"

namespace scenario {

class hex_dump_sink : public osservatore_campi {
 public:
  explicit hex_dump_sink(std::ostream& out) : out_(out) {}
  void nota(const nota_campo& f) override;

 private:
  std::ostream& out_;
  std::string current_file_;
};

// One dump line, without its line end; offsets in decimal.
std::string hex_dump_line(const nota_campo& f);

}  // namespace scenario
