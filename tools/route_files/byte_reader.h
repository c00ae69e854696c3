// Reads the little-endian fields of one compiled route file in order,
// checking that each field lies inside the file. A field that would run past
// the end throws decode_error naming the file and the field's offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/route_files/field_sink.h"

namespace scenario {

class byte_reader {
 public:
  // `sink` may be null; `bytes` must outlive the reader.
  byte_reader(std::string_view bytes, std::string file, field_sink* sink);

  std::uint8_t byte(std::string_view record, std::string_view field);
  std::int16_t int16(std::string_view record, std::string_view field);
  std::uint16_t uint16(std::string_view record, std::string_view field);
  std::int32_t int32(std::string_view record, std::string_view field);
  double float64(std::string_view record, std::string_view field);
  // A 2-byte length and that many bytes of text (Windows-1252).
  std::string text(std::string_view record, std::string_view field);

  std::size_t offset() const { return offset_; }
  std::size_t size() const { return bytes_.size(); }
  std::size_t remaining() const { return bytes_.size() - offset_; }
  bool at_end() const { return offset_ == bytes_.size(); }
  const std::string& file() const { return file_; }

  [[noreturn]] void fail(std::size_t offset, std::string reason) const;

 private:
  const unsigned char* take(std::size_t n, std::string_view record, std::string_view field);
  void note(std::size_t start, std::string_view record, std::string_view field,
            std::string_view value);

  std::string_view bytes_;
  std::string file_;
  field_sink* sink_;
  std::size_t offset_ = 0;
};

// A double as the shortest decimal text that reads back to the same bits.
std::string exact_double(double v);

}  // namespace scenario
