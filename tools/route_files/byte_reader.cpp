#include "tools/route_files/byte_reader.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

#include "base/coding.h"
#include "base/cp1252.h"
#include "tools/route_files/decode_error.h"

namespace scenario {

namespace {

// A Windows-1252 text as UTF-8 on one line: control bytes, quotes and
// backslashes as \xNN, so each field stays on its own line.
std::string quoted(std::string_view bytes) {
  std::string safe;
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7f || c == '"' || c == '\\') {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
      safe += buffer;
    } else {
      safe += cp1252_to_utf8(std::string_view(&ch, 1));
    }
  }
  return safe;
}

}  // namespace

byte_reader::byte_reader(std::string_view bytes, std::string file, field_sink* sink)
    : bytes_(bytes), file_(std::move(file)), sink_(sink) {}

void byte_reader::fail(std::size_t offset, std::string reason) const {
  throw decode_error(file_, offset, std::move(reason));
}

const unsigned char* byte_reader::take(std::size_t n, std::string_view record,
                                       std::string_view field) {
  if (remaining() < n) {
    fail(offset_, "the file ends inside " + std::string(record) + ", field " + std::string(field) +
                      " (" + std::to_string(n) + " bytes needed, " + std::to_string(remaining()) +
                      " left)");
  }
  const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data()) + offset_;
  offset_ += n;
  return p;
}

void byte_reader::note(std::size_t start, std::string_view record, std::string_view field,
                       std::string_view value) {
  if (sink_ == nullptr) return;
  sink_->note(
      field_note{file_, start, bytes_.substr(start, offset_ - start), record, field, value});
}

std::uint8_t byte_reader::byte(std::string_view record, std::string_view field) {
  const std::size_t start = offset_;
  const std::uint8_t v = *take(1, record, field);
  if (sink_ != nullptr) note(start, record, field, std::to_string(v));
  return v;
}

std::uint16_t byte_reader::uint16(std::string_view record, std::string_view field) {
  const std::size_t start = offset_;
  const std::uint16_t v = decode_fixed16(take(2, record, field));
  if (sink_ != nullptr) note(start, record, field, std::to_string(v));
  return v;
}

std::int16_t byte_reader::int16(std::string_view record, std::string_view field) {
  const std::size_t start = offset_;
  const auto v = static_cast<std::int16_t>(decode_fixed16(take(2, record, field)));
  if (sink_ != nullptr) note(start, record, field, std::to_string(v));
  return v;
}

std::int32_t byte_reader::int32(std::string_view record, std::string_view field) {
  const std::size_t start = offset_;
  const auto v = static_cast<std::int32_t>(decode_fixed32(take(4, record, field)));
  if (sink_ != nullptr) note(start, record, field, std::to_string(v));
  return v;
}

double byte_reader::float64(std::string_view record, std::string_view field) {
  const std::size_t start = offset_;
  const double v = decode_double(take(8, record, field));
  if (sink_ != nullptr) note(start, record, field, exact_double(v));
  return v;
}

std::string byte_reader::text(std::string_view record, std::string_view field) {
  const std::size_t length_at = offset_;
  const std::string length_name = "length of " + std::string(field);
  const std::uint16_t n = uint16(record, length_name);
  if (remaining() < n) {
    fail(length_at, std::string(record) + ": the length " + std::to_string(n) + " of " +
                        std::string(field) + " runs past the end of the file (" +
                        std::to_string(remaining()) + " bytes left)");
  }
  const std::size_t start = offset_;
  std::string value(bytes_.substr(start, n));
  offset_ += n;
  if (sink_ != nullptr) note(start, record, field, "\"" + quoted(value) + "\"");
  return value;
}

std::string exact_double(double v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, result.ptr);
}

}  // namespace scenario
