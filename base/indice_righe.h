// Where each line of a text starts, so that quoting line n costs nothing
// however many diagnostics a long file gets. A line ends at "\r\n", "\r" or
// "\n", as the description files' readers end a field's line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace scenario {

class indice_righe {
 public:
  indice_righe() = default;
  explicit indice_righe(std::string_view testo);

  // Line n (1-based) without its end; empty outside 1 .. n_righe().
  std::string_view riga(std::int64_t n) const;
  // A text of k line ends has k + 1 lines, the last one maybe empty.
  std::int64_t n_righe() const { return static_cast<std::int64_t>(inizi_.size()); }

 private:
  std::string_view testo_;
  std::vector<std::size_t> inizi_;
};

}  // namespace scenario
