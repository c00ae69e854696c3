// A compiled route file that does not decode: which file, where, and why.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace scenario {

class decode_error : public std::runtime_error {
 public:
  // `offset` is the byte at which the fault was found; none for a missing file.
  decode_error(std::string file, std::optional<std::size_t> offset, std::string reason);

  const std::string& file() const { return file_; }
  const std::optional<std::size_t>& offset() const { return offset_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string file_;
  std::optional<std::size_t> offset_;
  std::string reason_;
};

}  // namespace scenario
