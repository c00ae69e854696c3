// Reads the little-endian fields of one compiled route file in order,
// checking that each field lies inside the file. A field that would run past
// the end throws errore_decodifica naming the file and the field's offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/format/osservatore_campi.h"

namespace scenario {

class lettore_byte {
 public:
  // `osservatore` may be null; `bytes` must outlive the reader.
  lettore_byte(std::string_view bytes, std::string file, osservatore_campi* osservatore);

  std::uint8_t leggi_byte(std::string_view record, std::string_view campo);
  std::int16_t leggi_int16(std::string_view record, std::string_view campo);
  std::uint16_t leggi_uint16(std::string_view record, std::string_view campo);
  std::int32_t leggi_int32(std::string_view record, std::string_view campo);
  double leggi_doppio(std::string_view record, std::string_view campo);
  // A 2-byte length and that many bytes of text (Windows-1252).
  std::string leggi_testo(std::string_view record, std::string_view campo);

  // A field of a record's field list, at the width of its type.
  void leggi(std::string_view record, std::string_view campo, std::uint8_t& v) {
    v = leggi_byte(record, campo);
  }
  void leggi(std::string_view record, std::string_view campo, std::int16_t& v) {
    v = leggi_int16(record, campo);
  }
  void leggi(std::string_view record, std::string_view campo, std::int32_t& v) {
    v = leggi_int32(record, campo);
  }
  void leggi(std::string_view record, std::string_view campo, std::string& v) {
    v = leggi_testo(record, campo);
  }

  std::size_t offset() const { return offset_; }
  std::size_t dimensione() const { return bytes_.size(); }
  std::size_t rimasti() const { return bytes_.size() - offset_; }
  bool alla_fine() const { return offset_ == bytes_.size(); }
  const std::string& file() const { return file_; }

  [[noreturn]] void fallisci(std::size_t offset, std::string motivo) const;

 private:
  const unsigned char* prendi(std::size_t n, std::string_view record, std::string_view campo);
  void annota(std::size_t inizio, std::string_view record, std::string_view campo,
              std::string_view valore);

  std::string_view bytes_;
  std::string file_;
  osservatore_campi* osservatore_;
  std::size_t offset_ = 0;
};

// A double as the shortest decimal text that reads back to the same bits.
std::string doppio_esatto(double v);

}  // namespace scenario
