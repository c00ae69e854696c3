// The elements of the line data file: a 2-byte tag and its value, empty, a
// 16-bit Integer or a Double. Written and read here, each kind once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <variant>

#include "base/coding.h"
#include "compiler/format/formato.h"

namespace scenario {

// An element of the geometry: empty, a 16-bit Integer or a Double.
using variante = std::variant<std::monostate, std::int16_t, double>;

// Each element written at p, tag and value; p has room for its bytes.
inline void codifica_vuoto(char* p) {
  encode_fixed16(p, tag_vuoto);
}
inline void codifica_intero(char* p, std::int16_t v) {
  encode_fixed16(p, tag_intero);
  encode_fixed16(p + 2, static_cast<std::uint16_t>(v));
}
inline void codifica_doppio(char* p, double v) {
  encode_fixed16(p, tag_doppio);
  encode_double(p + 2, v);
}

// The bytes of the value after a tag; none for a tag the format has not.
inline std::optional<std::size_t> byte_dopo_tag(std::uint16_t tag) {
  if (tag == tag_vuoto) return byte_variante_vuota - 2;
  if (tag == tag_intero) return byte_variante_intero - 2;
  if (tag == tag_doppio) return byte_variante_doppio - 2;
  return std::nullopt;
}

// The value of an element as a number; none when it is empty.
inline std::optional<double> valore(const variante& v) {
  if (const auto* i = std::get_if<std::int16_t>(&v)) return static_cast<double>(*i);
  if (const auto* d = std::get_if<double>(&v)) return *d;
  return std::nullopt;
}

}  // namespace scenario
