#include "tools/route_tool/hex_dump.h"

#include <ostream>
#include <string>

namespace scenario {

std::string hex_dump_line(const nota_campo& f) {
  // Formatted by hand: a line data file has two entries for every metre.
  static constexpr char cifre[] = "0123456789abcdef";
  constexpr std::size_t larghezza_offset = 8;
  const std::string offset = std::to_string(f.offset);
  std::string line;
  line.reserve(larghezza_offset + 1 + 3 * f.bytes.size() + 3 + f.record.size() + 2 +
               f.campo.size() + 3 + f.valore.size());
  if (offset.size() < larghezza_offset) line.append(larghezza_offset - offset.size(), ' ');
  line += offset;
  line += ':';
  for (const char ch : f.bytes) {
    const auto b = static_cast<unsigned char>(ch);
    line += ' ';
    line += cifre[b >> 4];
    line += cifre[b & 0xf];
  }
  line += " ; ";
  line += f.record;
  line += ", ";
  line += f.campo;
  line += " = ";
  line += f.valore;
  return line;
}

void hex_dump_sink::nota(const nota_campo& f) {
  if (f.file != current_file_) {
    current_file_ = std::string(f.file);
    out_ << "# " << current_file_ << '\n';
  }
  out_ << hex_dump_line(f) << '\n';
}

}  // namespace scenario
