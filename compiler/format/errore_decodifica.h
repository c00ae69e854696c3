// A compiled route file that does not decode: which file, where, and why.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace scenario {

class errore_decodifica : public std::runtime_error {
 public:
  // `offset` is the byte at which the fault was found; none for a missing file.
  errore_decodifica(std::string file, std::optional<std::size_t> offset, std::string motivo);

  const std::string& file() const { return file_; }
  const std::optional<std::size_t>& offset() const { return offset_; }
  const std::string& motivo() const { return motivo_; }

 private:
  std::string file_;
  std::optional<std::size_t> offset_;
  std::string motivo_;
};

}  // namespace scenario
