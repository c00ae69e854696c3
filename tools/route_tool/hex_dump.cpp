#include "tools/route_tool/hex_dump.h"

#include <cstdio>
#include <ostream>

namespace scenario {

std::string hex_dump_line(const field_note& f) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%8zu:", f.offset);
  std::string line = buffer;
  for (const char ch : f.bytes) {
    std::snprintf(buffer, sizeof buffer, " %02x", static_cast<unsigned char>(ch));
    line += buffer;
  }
  line += " ; ";
  line += f.record;
  line += ", ";
  line += f.field;
  line += " = ";
  line += f.value;
  return line;
}

void hex_dump_sink::note(const field_note& f) {
  if (f.file != current_file_) {
    current_file_ = std::string(f.file);
    out_ << "# " << current_file_ << '\n';
  }
  out_ << hex_dump_line(f) << '\n';
}

}  // namespace scenario
