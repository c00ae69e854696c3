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
// Failures: a read when the position is already at the end of the file, or
// a number outside its target type. By default they throw errore_esecuzione; a
// tolerant reader (for the checker, which reads on past faults) returns an
// empty text or 0 instead and keeps the first failure for the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/readers/errore_esecuzione.h"

namespace scenario {

// Where a field stands in its file: 1-based line and column (in bytes), and
// its bytes [inizio, fine), leading blanks excluded.
struct campo_testo {
  std::int32_t riga = 0;
  std::int32_t colonna = 0;
  std::uint32_t inizio = 0;
  std::uint32_t fine = 0;
};

// The value a number field reads as: whole numbers, a decimal fraction
// rounded to even, 0 for anything else. Nothing when the magnitude is past
// every target type.
std::optional<std::int64_t> valore_numero(std::string_view campo);

// True when the field is a number as written: a sign, digits and a
// decimal fraction; false for an empty field and for anything else, which
// read as 0.
bool scritto_come_numero(std::string_view campo);

class lettore_campi {
 public:
  // The bytes must outlive the reader.
  explicit lettore_campi(std::string_view bytes) : bytes_(bytes) {}

  // True when the whole file has been read: after a field and its
  // delimiter, this is "the read reached the end of the file".
  bool at_end() const { return pos_ == bytes_.size(); }

  std::string_view read_text();
  std::int32_t read_long();     // 32-bit signed
  std::int16_t read_integer();  // -32768 .. 32767
  std::uint8_t read_byte();     // 0 .. 255

  // The last field read, and whether a line end (or the end of the file)
  // closed it: false when more fields follow on its line.
  const campo_testo& last_field() const { return last_; }
  bool line_ended() const { return line_ended_; }
  // 1-based line where the last field read began.
  std::int32_t field_line() const { return last_.riga; }

  // Tolerant reading: failures are kept instead of thrown.
  void set_tolerant(bool tolerant) { tolerant_ = tolerant; }
  // The first failure since the last call, and the field it happened at.
  struct failure {
    motivo_guasto motivo;
    campo_testo campo;
  };
  std::optional<failure> take_failure();

  std::string_view bytes() const { return bytes_; }

 private:
  bool start_field();
  bool at_line_end() const;
  void skip_line_end();
  void skip_blanks();
  std::int64_t read_number(std::int64_t min, std::int64_t max);
  void fail(motivo_guasto motivo, const campo_testo& campo);
  campo_testo end_of_file_field() const;

  std::string_view bytes_;
  std::size_t pos_ = 0;
  std::int32_t line_ = 1;
  std::size_t line_start_ = 0;
  campo_testo last_;
  bool line_ended_ = true;
  bool tolerant_ = false;
  std::optional<failure> failure_;
};

// The next record's keyword, as both readers look for it: a field that
// contains "-" is a comment and the next one is read instead, at most two
// in a row. False when a read reached the end of the file: the file's last
// field is never examined. `commento` sees each comment field passed over.
template <class F>
bool leggi_campo_chiave(lettore_campi& r, std::string_view& riga, F&& commento) {
  if (r.at_end()) return false;
  riga = r.read_text();
  if (r.at_end()) return false;
  for (int commenti = 0; commenti < 2 && riga.find('-') != std::string_view::npos; ++commenti) {
    commento(riga, r.last_field());
    riga = r.read_text();
    if (r.at_end()) return false;
  }
  return true;
}

inline bool leggi_campo_chiave(lettore_campi& r, std::string_view& riga) {
  return leggi_campo_chiave(r, riga, [](std::string_view, const campo_testo&) {});
}

}  // namespace scenario
