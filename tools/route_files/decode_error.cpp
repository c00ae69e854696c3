#include "tools/route_files/decode_error.h"

#include <utility>

namespace scenario {

namespace {
std::string describe(const std::string& file, const std::optional<std::size_t>& offset,
                     const std::string& reason) {
  std::string text = file;
  if (offset) text += ": byte " + std::to_string(*offset);
  text += ": " + reason;
  return text;
}
}  // namespace

decode_error::decode_error(std::string file, std::optional<std::size_t> offset, std::string reason)
    : std::runtime_error(describe(file, offset, reason)),
      file_(std::move(file)),
      offset_(offset),
      reason_(std::move(reason)) {}

}  // namespace scenario
