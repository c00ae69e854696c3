// Sequential field reader for the two description files: the file is a
// stream of fields, each read as text or as a number of a given width.
//
// - A field ends at a comma or a line end (CR LF, lone LF or lone CR);
//   blanks (space, tab) before a field are skipped.
// - A text field runs to the next comma or line end, keeping its inner and
//   trailing blanks; there is no quoting (a double quote is a character).
// - A number field also ends at a blank; blanks after it, and one comma or
//   line end after those, belong to the same delimiter. So "13   48  40"
//   reads as three numbers.
// - A number is an optional sign and decimal digits, optionally with a
//   decimal fraction, which is rounded to a whole number, halves to even.
//   Anything else, and an empty field, reads as 0.
// - An empty line reads as one empty text field.
// Failures (run_failure): a read when the position is already at the end
// of the file, or a number outside its target type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace scenario {

class field_reader {
 public:
  explicit field_reader(std::string bytes);

  // True when the whole file has been read: after a field and its
  // delimiter, this is "the read reached the end of the file".
  bool at_end() const { return pos_ == bytes_.size(); }

  std::string read_text();
  std::int32_t read_long();     // 32-bit signed
  std::int16_t read_integer();  // -32768 .. 32767
  std::uint8_t read_byte();     // 0 .. 255

  // 1-based line where the last field read began.
  std::int32_t field_line() const { return field_line_; }

 private:
  void start_field();
  bool at_line_end() const;
  void skip_line_end();
  void skip_blanks();
  std::int64_t read_number(std::int64_t min, std::int64_t max);
  std::int32_t failure_line() const;

  std::string bytes_;
  std::size_t pos_ = 0;
  std::int32_t line_ = 1;
  std::int32_t field_line_ = 0;
};

// The next record's keyword, as both readers look for it: a field that
// contains "-" is a comment and the next one is read instead, at most two
// in a row. False when a read reached the end of the file: the file's last
// field is never examined.
bool read_keyword_field(field_reader& r, std::string& riga);

}  // namespace scenario
