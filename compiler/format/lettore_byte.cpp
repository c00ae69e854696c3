#include "compiler/format/lettore_byte.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

#include "base/coding.h"
#include "base/cp1252.h"
#include "compiler/format/errore_decodifica.h"

namespace scenario {

namespace {

// A Windows-1252 text as UTF-8 on one line: control bytes, quotes and
// backslashes as \xNN, so each field stays on its own line.
std::string tra_virgolette(std::string_view bytes) {
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

lettore_byte::lettore_byte(std::string_view bytes, std::string file, osservatore_campi* osservatore)
    : bytes_(bytes), file_(std::move(file)), osservatore_(osservatore) {}

void lettore_byte::fallisci(std::size_t offset, std::string motivo) const {
  throw errore_decodifica(file_, offset, std::move(motivo));
}

const unsigned char* lettore_byte::prendi(std::size_t n, std::string_view record,
                                          std::string_view campo) {
  if (rimasti() < n) {
    fallisci(offset_, "the file ends inside " + std::string(record) + ", field " +
                          std::string(campo) + " (" + std::to_string(n) + " bytes needed, " +
                          std::to_string(rimasti()) + " left)");
  }
  const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data()) + offset_;
  offset_ += n;
  return p;
}

void lettore_byte::annota(std::size_t inizio, std::string_view record, std::string_view campo,
                          std::string_view valore) {
  if (osservatore_ == nullptr) return;
  osservatore_->nota(
      nota_campo{file_, inizio, bytes_.substr(inizio, offset_ - inizio), record, campo, valore});
}

std::uint8_t lettore_byte::leggi_byte(std::string_view record, std::string_view campo) {
  const std::size_t inizio = offset_;
  const std::uint8_t v = *prendi(1, record, campo);
  if (osservatore_ != nullptr) annota(inizio, record, campo, std::to_string(v));
  return v;
}

std::uint16_t lettore_byte::leggi_uint16(std::string_view record, std::string_view campo) {
  const std::size_t inizio = offset_;
  const std::uint16_t v = decode_fixed16(prendi(2, record, campo));
  if (osservatore_ != nullptr) annota(inizio, record, campo, std::to_string(v));
  return v;
}

std::int16_t lettore_byte::leggi_int16(std::string_view record, std::string_view campo) {
  const std::size_t inizio = offset_;
  const auto v = static_cast<std::int16_t>(decode_fixed16(prendi(2, record, campo)));
  if (osservatore_ != nullptr) annota(inizio, record, campo, std::to_string(v));
  return v;
}

std::int32_t lettore_byte::leggi_int32(std::string_view record, std::string_view campo) {
  const std::size_t inizio = offset_;
  const auto v = static_cast<std::int32_t>(decode_fixed32(prendi(4, record, campo)));
  if (osservatore_ != nullptr) annota(inizio, record, campo, std::to_string(v));
  return v;
}

double lettore_byte::leggi_doppio(std::string_view record, std::string_view campo) {
  const std::size_t inizio = offset_;
  const double v = decode_double(prendi(8, record, campo));
  if (osservatore_ != nullptr) annota(inizio, record, campo, doppio_esatto(v));
  return v;
}

std::string lettore_byte::leggi_testo(std::string_view record, std::string_view campo) {
  const std::size_t inizio_lunghezza = offset_;
  const std::string nome_lunghezza = "length of " + std::string(campo);
  const std::uint16_t n = leggi_uint16(record, nome_lunghezza);
  if (rimasti() < n) {
    fallisci(inizio_lunghezza, std::string(record) + ": the length " + std::to_string(n) + " of " +
                                   std::string(campo) + " runs past the end of the file (" +
                                   std::to_string(rimasti()) + " bytes left)");
  }
  const std::size_t inizio = offset_;
  std::string valore(bytes_.substr(inizio, n));
  offset_ += n;
  if (osservatore_ != nullptr) annota(inizio, record, campo, "\"" + tra_virgolette(valore) + "\"");
  return valore;
}

std::string doppio_esatto(double v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, result.ptr);
}

}  // namespace scenario
