#include "compiler/route_model/tracciato_piano.h"

#include <algorithm>
#include <cstring>

#include "base/coding.h"

namespace scenario {

namespace {

void scrivi_tag(char* p, std::uint16_t tag) {
  encode_fixed16(p, tag);
}

}  // namespace

std::size_t tracciato_piano::meta(std::int64_t posati) const {
  const auto vuoti = static_cast<std::size_t>(n_ - posati);
  if (posati == 0) return vuoti * byte_variante_vuota;
  return offset(posati) + vuoti * byte_variante_vuota;
}

tracciato_piano& tracciato_piano::operator=(const tracciato_piano& altro) {
  if (this == &altro) return *this;
  n_ = altro.n_;
  posati_ = altro.posati_;
  inizio_y_ = altro.inizio_y_;
  capienza_ = altro.capienza_;
  chiuso_ = altro.chiuso_;
  buffer_.reset(capienza_ == 0 ? nullptr : new char[capienza_]);
  if (capienza_ != 0) std::memcpy(buffer_.get(), altro.buffer_.get(), capienza_);
  return *this;
}

void tracciato_piano::crea(std::int64_t lunghezza_tracciato) {
  n_ = lunghezza_tracciato + 1;
  posati_ = 0;
  chiuso_ = false;
  // Laid out for the usual end: every point laid but the last two. A
  // geometry too short for that gets room for every point as a Double.
  inizio_y_ = n_ >= 4 ? meta(n_ - 2) : static_cast<std::size_t>(n_) * byte_variante_doppio;
  capienza_ = 2 * inizio_y_;
  buffer_.reset(new char[capienza_]);
}

void tracciato_piano::cancella() {
  n_ = 0;
  posati_ = 0;
  inizio_y_ = 0;
  capienza_ = 0;
  buffer_.reset();
  chiuso_ = false;
}

bool tracciato_piano::semina() {
  if (n_ < 2 || chiuso_) return false;
  constexpr std::int16_t x[2] = {0, 0};
  constexpr std::int16_t y[2] = {0, 1};
  for (int k = 0; k < 2; ++k) {
    char* px = buffer_.get() + k * byte_variante_intero;
    char* py = px + inizio_y_;
    scrivi_tag(px, tag_intero);
    encode_fixed16(px + 2, static_cast<std::uint16_t>(x[k]));
    scrivi_tag(py, tag_intero);
    encode_fixed16(py + 2, static_cast<std::uint16_t>(y[k]));
  }
  posati_ = 2;
  return true;
}

void tracciato_piano::scrivi_doppio(std::size_t offset, double v) {
  char* p = buffer_.get() + offset;
  scrivi_tag(p, tag_doppio);
  encode_double(p + 2, v);
}

void tracciato_piano::scrivi_vuoti(std::size_t offset, std::int64_t quanti) {
  char* p = buffer_.get() + offset;
  for (std::int64_t i = 0; i < quanti; ++i, p += byte_variante_vuota) scrivi_tag(p, tag_vuoto);
}

void tracciato_piano::riordina(std::size_t capienza_x) {
  const std::size_t usati = posati_ == 0 ? 0 : fine_x(posati_);
  std::unique_ptr<char[]> nuovo(new char[2 * capienza_x]);
  std::memcpy(nuovo.get(), buffer_.get(), usati);
  std::memcpy(nuovo.get() + capienza_x, buffer_.get() + inizio_y_, usati);
  buffer_ = std::move(nuovo);
  inizio_y_ = capienza_x;
  capienza_ = 2 * capienza_x;
}

variante tracciato_piano::punto(std::int64_t k, int colonna) const {
  if (k < 0 || k >= posati_) return std::monostate{};
  if (k < 2) return static_cast<std::int16_t>(colonna == 1 && k == 1 ? 1 : 0);
  const char* p = buffer_.get() + (colonna == 0 ? 0 : inizio_y_) + offset(k) + 2;
  return decode_double(reinterpret_cast<const unsigned char*>(p));
}

std::string_view tracciato_piano::byte() {
  if (n_ == 0) return {};
  const std::size_t meta_finale = meta(posati_);
  if (!chiuso_) {
    if (meta_finale > inizio_y_) riordina(meta_finale);
    const std::size_t usati = posati_ == 0 ? 0 : fine_x(posati_);
    scrivi_vuoti(usati, n_ - posati_);
    if (inizio_y_ != meta_finale) {
      std::memmove(buffer_.get() + meta_finale, buffer_.get() + inizio_y_, usati);
      inizio_y_ = meta_finale;
    }
    scrivi_vuoti(inizio_y_ + usati, n_ - posati_);
    chiuso_ = true;
  }
  return {buffer_.get(), 2 * meta_finale};
}

}  // namespace scenario
