#include "compiler/readers/lettore_campi.h"

#include "base/text_format.h"

namespace scenario {

namespace {

bool is_line_end(char c) {
  return c == '\r' || c == '\n';
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Beyond this a number fits no target type; stop growing to stay in range.
constexpr std::int64_t too_big = std::int64_t{1} << 40;

// The value of a number field, or 0 when the field is not a number
// ("number" false). "huge" reports a magnitude beyond every target type.
std::int64_t parse_number(std::string_view field, bool& huge, bool& number) {
  huge = false;
  number = false;
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
  number = true;
  if (first_fraction_digit > 5 || (first_fraction_digit == 5 && (rest_nonzero || whole % 2 != 0))) {
    ++whole;
  }
  if (whole >= too_big) huge = true;
  return negative ? -whole : whole;
}

}  // namespace

std::optional<std::int64_t> valore_numero(std::string_view campo) {
  bool huge = false, number = false;
  const std::int64_t v = parse_number(campo, huge, number);
  if (huge) return std::nullopt;
  return v;
}

bool scritto_come_numero(std::string_view campo) {
  bool huge = false, number = false;
  parse_number(campo, huge, number);
  return number;
}

bool lettore_campi::at_line_end() const {
  return pos_ < bytes_.size() && is_line_end(bytes_[pos_]);
}

void lettore_campi::skip_line_end() {
  // CR LF, lone LF or lone CR: one line end.
  if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
  line_start_ = pos_;
  line_ended_ = true;
}

void lettore_campi::skip_blanks() {
  while (pos_ < bytes_.size() && blank(bytes_[pos_])) ++pos_;
}

campo_testo lettore_campi::end_of_file_field() const {
  // At the end of a file that ends with a line end, the failing read
  // belongs to the last line, not to the empty one after it.
  campo_testo c;
  const auto end = static_cast<std::uint32_t>(bytes_.size());
  c.inizio = c.fine = end;
  if (!bytes_.empty() && is_line_end(bytes_.back())) {
    std::size_t line_end = bytes_.size() - 1;
    if (bytes_[line_end] == '\n' && line_end > 0 && bytes_[line_end - 1] == '\r') --line_end;
    std::size_t start = line_end;
    while (start > 0 && !is_line_end(bytes_[start - 1])) --start;
    c.riga = line_ - 1;
    c.colonna = static_cast<std::int32_t>(line_end - start) + 1;
    c.inizio = c.fine = static_cast<std::uint32_t>(line_end);
  } else {
    c.riga = line_;
    c.colonna = static_cast<std::int32_t>(pos_ - line_start_) + 1;
  }
  return c;
}

void lettore_campi::fail(motivo_guasto motivo, const campo_testo& campo) {
  last_ = campo;
  if (!tolerant_) {
    throw errore_esecuzione(motivo, motivo == motivo_guasto::fine_file
                                        ? "read past the end of the file"
                                        : "number out of range");
  }
  if (!failure_) failure_ = failure{motivo, campo};
}

std::optional<lettore_campi::failure> lettore_campi::take_failure() {
  auto f = failure_;
  failure_.reset();
  return f;
}

bool lettore_campi::start_field() {
  if (at_end()) {
    fail(motivo_guasto::fine_file, end_of_file_field());
    return false;
  }
  skip_blanks();
  last_.riga = line_;
  last_.colonna = static_cast<std::int32_t>(pos_ - line_start_) + 1;
  last_.inizio = static_cast<std::uint32_t>(pos_);
  line_ended_ = false;
  return true;
}

std::string_view lettore_campi::read_text() {
  if (!start_field()) return {};
  const std::size_t begin = pos_;
  while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !is_line_end(bytes_[pos_])) ++pos_;
  last_.fine = static_cast<std::uint32_t>(pos_);
  const std::string_view field = bytes_.substr(begin, pos_ - begin);
  if (pos_ < bytes_.size()) {
    if (bytes_[pos_] == ',') {
      ++pos_;
    } else {
      skip_line_end();
    }
  } else {
    line_ended_ = true;
  }
  return field;
}

std::int64_t lettore_campi::read_number(std::int64_t min, std::int64_t max) {
  if (!start_field()) return 0;
  const std::size_t begin = pos_;
  while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !blank(bytes_[pos_]) &&
         !is_line_end(bytes_[pos_])) {
    ++pos_;
  }
  last_.fine = static_cast<std::uint32_t>(pos_);
  const std::string_view field = bytes_.substr(begin, pos_ - begin);
  // Delimiter: blanks, then at most one comma or one line end.
  skip_blanks();
  if (pos_ < bytes_.size()) {
    if (bytes_[pos_] == ',') {
      ++pos_;
    } else if (at_line_end()) {
      skip_line_end();
    }
  } else {
    line_ended_ = true;
  }
  bool huge = false, number = false;
  const std::int64_t value = parse_number(field, huge, number);
  if (huge || value < min || value > max) {
    fail(motivo_guasto::numero_fuori_intervallo, last_);
    return 0;
  }
  return value;
}

std::int32_t lettore_campi::read_long() {
  return static_cast<std::int32_t>(read_number(-2147483648LL, 2147483647LL));
}

std::int16_t lettore_campi::read_integer() {
  return static_cast<std::int16_t>(read_number(-32768, 32767));
}

std::uint8_t lettore_campi::read_byte() {
  return static_cast<std::uint8_t>(read_number(0, 255));
}

}  // namespace scenario
