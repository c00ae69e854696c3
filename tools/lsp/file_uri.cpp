#include "tools/lsp/file_uri.h"

#include "base/path_utf8.h"

namespace scenario::lsp {

namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool unreserved(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/';
}

bool drive_letter(std::string_view s) {
  return s.size() >= 2 && ((s[0] >= 'a' && s[0] <= 'z') || (s[0] >= 'A' && s[0] <= 'Z')) &&
         s[1] == ':';
}

}  // namespace

std::optional<std::filesystem::path> path_of_uri(std::string_view uri) {
  constexpr std::string_view scheme = "file://";
  if (uri.size() < scheme.size()) return std::nullopt;
  for (std::size_t i = 0; i < scheme.size(); ++i) {
    if ((uri[i] | 0x20) != (scheme[i] | 0x20) && uri[i] != scheme[i]) return std::nullopt;
  }
  std::string_view rest = uri.substr(scheme.size());
  // An authority other than the local host names another machine.
  const std::size_t slash = rest.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view host = rest.substr(0, slash);
  if (!host.empty() && host != "localhost") return std::nullopt;
  rest = rest.substr(slash);
  if (const std::size_t end = rest.find_first_of("?#"); end != std::string_view::npos) {
    rest = rest.substr(0, end);
  }
  std::string decoded;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] != '%') {
      decoded += rest[i];
      continue;
    }
    if (i + 2 >= rest.size()) return std::nullopt;
    const int hi = hex_value(rest[i + 1]);
    const int lo = hex_value(rest[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    decoded += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  if (decoded.find('\0') != std::string::npos) return std::nullopt;
  // "/c:/x" is the drive path "c:/x".
  if (decoded.size() >= 3 && decoded[0] == '/' &&
      drive_letter(std::string_view(decoded).substr(1))) {
    decoded.erase(0, 1);
  }
  return std::filesystem::path(std::u8string(decoded.begin(), decoded.end()));
}

namespace {

// `s` with "\\" as "/" and every byte outside the unreserved set and "/"
// percent-escaped (a drive's colon, at index 1, stays readable).
std::string escaped_path(std::string s) {
  for (char& c : s) {
    if (c == '\\') c = '/';
  }
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (unreserved(c) || (i == 1 && drive_letter(s))) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

}  // namespace

std::string uri_of_path(const std::filesystem::path& p) {
  const std::string s = path_utf8(p);
  return (drive_letter(s) ? "file:///" : "file://") + escaped_path(s);
}

std::string uri_reference_of_path(const std::filesystem::path& p) {
  if (p.is_absolute()) return uri_of_path(p);
  return escaped_path(path_utf8(p));
}

}  // namespace scenario::lsp
