// Little-endian encoding of the binary route files, byte by byte with
// shifts, so the output is the same on any host whatever its byte order.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace scenario {

inline void put_byte(std::string& out, std::uint8_t v) {
  out.push_back(static_cast<char>(v));
}

inline void put_fixed16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xff));
  out.push_back(static_cast<char>((v >> 8) & 0xff));
}

inline void put_fixed32(std::string& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xff));
}

inline void put_fixed64(std::string& out, std::uint64_t v) {
  for (int shift = 0; shift < 64; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xff));
}

inline void put_int16(std::string& out, std::int16_t v) {
  put_fixed16(out, static_cast<std::uint16_t>(v));
}
inline void put_int32(std::string& out, std::int32_t v) {
  put_fixed32(out, static_cast<std::uint32_t>(v));
}

// IEEE 754 binary64, the host's double reinterpreted bit for bit.
inline void put_double(std::string& out, double v) {
  static_assert(sizeof(double) == 8);
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  put_fixed64(out, bits);
}

// The same encodings into room already made, for buffers written in place.
inline void encode_fixed16(char* p, std::uint16_t v) {
  p[0] = static_cast<char>(v & 0xff);
  p[1] = static_cast<char>((v >> 8) & 0xff);
}

inline void encode_fixed32(char* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

inline void encode_fixed64(char* p, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

inline void encode_double(char* p, double v) {
  std::uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  encode_fixed64(p, bits);
}

inline std::uint16_t decode_fixed16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t decode_fixed32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::uint64_t decode_fixed64(const unsigned char* p) {
  return static_cast<std::uint64_t>(decode_fixed32(p)) |
         (static_cast<std::uint64_t>(decode_fixed32(p + 4)) << 32);
}

inline double decode_double(const unsigned char* p) {
  const std::uint64_t bits = decode_fixed64(p);
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

}  // namespace scenario
