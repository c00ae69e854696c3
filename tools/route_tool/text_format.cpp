#include "tools/route_tool/text_format.h"

#include <cmath>
#include <cstdio>

namespace scenario {

std::string km(std::int64_t metri) {
  const bool negative = metri < 0;
  const std::uint64_t m =
      negative ? static_cast<std::uint64_t>(-metri) : static_cast<std::uint64_t>(metri);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "km %s%llu+%03llu", negative ? "-" : "",
                static_cast<unsigned long long>(m / 1000),
                static_cast<unsigned long long>(m % 1000));
  return buffer;
}

std::string metri_e_km(std::int64_t metri) {
  return std::to_string(metri) + " m (" + km(metri) + ")";
}

std::string hh_mm_ss(std::int64_t secondi) {
  const bool negative = secondi < 0;
  const std::uint64_t s =
      negative ? static_cast<std::uint64_t>(-secondi) : static_cast<std::uint64_t>(secondi);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%s%02llu:%02llu:%02llu", negative ? "-" : "",
                static_cast<unsigned long long>(s / 3600),
                static_cast<unsigned long long>(s / 60 % 60),
                static_cast<unsigned long long>(s % 60));
  return buffer;
}

std::string plural(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

namespace {

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0.
std::size_t utf8_sequence(std::string_view s) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char c = b(0);
  std::size_t n = 0;
  if (c >= 0xC2 && c <= 0xDF) n = 2;
  if (c >= 0xE0 && c <= 0xEF) n = 3;
  if (c >= 0xF0 && c <= 0xF4) n = 4;
  if (n == 0 || s.size() < n) return 0;
  for (std::size_t i = 1; i < n; ++i) {
    if ((b(i) & 0xC0) != 0x80) return 0;
  }
  if (c == 0xE0 && b(1) < 0xA0) return 0;   // overlong
  if (c == 0xED && b(1) >= 0xA0) return 0;  // surrogate
  if (c == 0xF0 && b(1) < 0x90) return 0;   // overlong
  if (c == 0xF4 && b(1) >= 0x90) return 0;  // past U+10FFFF
  return n;
}

}  // namespace

std::string utf8_sanitised(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      out += text[i++];
      continue;
    }
    const std::size_t n = utf8_sequence(text.substr(i));
    if (n == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else {
      out += text.substr(i, n);
      i += n;
    }
  }
  return out;
}

std::string json_string(std::string_view text) {
  const std::string utf8 = utf8_sanitised(text);
  std::string out = "\"";
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7f) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
          out += buffer;
        } else {
          out += ch;
        }
    }
  }
  out += '"';
  return out;
}

std::string json_number(double v, int decimals) {
  if (!std::isfinite(v)) return "null";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  return buffer;
}

}  // namespace scenario
