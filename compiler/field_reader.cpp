#include "compiler/field_reader.h"

#include <utility>

#include "compiler/run_failure.h"

namespace scenario {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}
bool is_line_end(char c) {
  return c == '\r' || c == '\n';
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Beyond this a number fits no target type; stop growing to stay in range.
constexpr std::int64_t too_big = std::int64_t{1} << 40;

// The value of a number field, or 0 when the field is not a number.
// "huge" reports a magnitude beyond every target type.
std::int64_t parse_number(const std::string& field, bool& huge) {
  huge = false;
  std::size_t i = 0;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  std::int64_t whole = 0;
  bool digits = false;
  for (; i < field.size() && is_digit(field[i]); ++i) {
    digits = true;
    if (whole < too_big) whole = whole * 10 + (field[i] - '0');
  }
  // Decimal fraction: rounded to the nearest whole number, halves to even.
  int first_fraction_digit = -1;
  bool rest_nonzero = false;
  if (i < field.size() && field[i] == '.') {
    ++i;
    for (; i < field.size() && is_digit(field[i]); ++i) {
      digits = true;
      if (first_fraction_digit < 0) {
        first_fraction_digit = field[i] - '0';
      } else if (field[i] != '0') {
        rest_nonzero = true;
      }
    }
  }
  if (!digits || i != field.size()) return 0;
  if (first_fraction_digit > 5 || (first_fraction_digit == 5 && (rest_nonzero || whole % 2 != 0))) {
    ++whole;
  }
  if (whole >= too_big) huge = true;
  return negative ? -whole : whole;
}

}  // namespace

field_reader::field_reader(std::string bytes) : bytes_(std::move(bytes)) {}

bool field_reader::at_line_end() const {
  return pos_ < bytes_.size() && is_line_end(bytes_[pos_]);
}

void field_reader::skip_line_end() {
  // CR LF, lone LF or lone CR: one line end.
  if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
}

void field_reader::skip_blanks() {
  while (pos_ < bytes_.size() && is_blank(bytes_[pos_])) ++pos_;
}

std::int32_t field_reader::failure_line() const {
  // At the end of a file that ends with a line end, the failing read
  // belongs to the last line, not to the empty one after it.
  if (at_end() && !bytes_.empty() && is_line_end(bytes_.back())) return line_ - 1;
  return line_;
}

void field_reader::start_field() {
  if (at_end()) throw run_failure("read past the end of the file", failure_line());
  skip_blanks();
  field_line_ = line_;
}

std::string field_reader::read_text() {
  start_field();
  const std::size_t begin = pos_;
  while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !is_line_end(bytes_[pos_])) ++pos_;
  std::string field = bytes_.substr(begin, pos_ - begin);
  if (pos_ < bytes_.size()) {
    if (bytes_[pos_] == ',') {
      ++pos_;
    } else {
      skip_line_end();
    }
  }
  return field;
}

std::int64_t field_reader::read_number(std::int64_t min, std::int64_t max) {
  start_field();
  const std::int32_t line = field_line_;
  const std::size_t begin = pos_;
  while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !is_blank(bytes_[pos_]) &&
         !is_line_end(bytes_[pos_])) {
    ++pos_;
  }
  const std::string field = bytes_.substr(begin, pos_ - begin);
  // Delimiter: blanks, then at most one comma or one line end.
  skip_blanks();
  if (pos_ < bytes_.size()) {
    if (bytes_[pos_] == ',') {
      ++pos_;
    } else if (at_line_end()) {
      skip_line_end();
    }
  }
  bool huge = false;
  const std::int64_t value = parse_number(field, huge);
  if (huge || value < min || value > max) throw run_failure("number out of range", line);
  return value;
}

std::int32_t field_reader::read_long() {
  return static_cast<std::int32_t>(read_number(-2147483648LL, 2147483647LL));
}

std::int16_t field_reader::read_integer() {
  return static_cast<std::int16_t>(read_number(-32768, 32767));
}

std::uint8_t field_reader::read_byte() {
  return static_cast<std::uint8_t>(read_number(0, 255));
}

bool read_keyword_field(field_reader& r, std::string& riga) {
  if (r.at_end()) return false;
  riga = r.read_text();
  if (r.at_end()) return false;
  for (int commenti = 0; commenti < 2 && riga.find('-') != std::string::npos; ++commenti) {
    riga = r.read_text();
    if (r.at_end()) return false;
  }
  return true;
}

}  // namespace scenario
