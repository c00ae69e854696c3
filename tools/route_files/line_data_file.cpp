#include "tools/route_files/line_data_file.h"

#include <optional>
#include <string>

#include "base/coding.h"
#include "tools/route_files/byte_reader.h"

namespace scenario {

namespace {

// The size of an element's value after its 2-byte tag, or none for an
// unknown tag.
std::optional<std::size_t> value_size(std::uint16_t tag) {
  if (tag == tag_vuoto) return 0;
  if (tag == tag_intero) return 2;
  if (tag == tag_doppio) return 8;
  return std::nullopt;
}

// First pass: checks every tag and value length; returns the element
// count. With `stop_at`, returns instead the offset at which that element
// starts (the file's size when it has no such element). Names are built
// only for a fault: the largest route holds two million elements.
std::size_t walk_elements(std::string_view bytes, const byte_reader& check,
                          std::optional<std::size_t> stop_at = std::nullopt) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t at = 0;
  std::size_t n = 0;
  while (at < bytes.size()) {
    if (stop_at && n == *stop_at) return at;
    auto record = [&] { return "element " + std::to_string(n); };
    const std::size_t left = bytes.size() - at;
    if (left < 2) check.fail(at, "the file ends inside the tag of " + record() + " (1 byte left)");
    const std::uint16_t tag = decode_fixed16(data + at);
    const std::optional<std::size_t> value_bytes = value_size(tag);
    if (!value_bytes) {
      check.fail(at, "unknown Variant tag " + std::to_string(tag) + " in " + record() +
                         " (known: 0 empty, 2 Integer, 5 Double)");
    }
    if (left - 2 < *value_bytes) {
      check.fail(at + 2, "the file ends inside the value of " + record() + " (" +
                             std::to_string(*value_bytes) + " bytes needed, " +
                             std::to_string(left - 2) + " left)");
    }
    at += 2 + *value_bytes;
    ++n;
  }
  return stop_at ? bytes.size() : n;
}

}  // namespace

geometria decode_line_data_file(std::string_view bytes, const std::string& file,
                                std::optional<std::size_t> punti_attesi, field_sink* sink) {
  byte_reader check(bytes, file, nullptr);
  if (bytes.empty()) check.fail(0, "the file is empty: a line data file holds two columns");
  const std::size_t n = walk_elements(bytes, check);
  if (n % 2 != 0) {
    check.fail(bytes.size(), "the x and y halves differ in length: " + std::to_string(n) +
                                 " elements, an odd count (x " + std::to_string(n / 2 + 1) +
                                 ", y " + std::to_string(n / 2) + ")");
  }
  if (punti_attesi && n != 2 * *punti_attesi) {
    const std::size_t at = walk_elements(bytes, check, 2 * *punti_attesi);
    check.fail(at, "the file holds " + std::to_string(n / 2) +
                       " points per column, the line length calls for " +
                       std::to_string(*punti_attesi));
  }

  geometria g;
  const std::size_t punti = n / 2;
  g.x.reserve(punti);
  g.y.reserve(punti);
  byte_reader in(bytes, file, sink);
  std::string record;
  for (std::size_t k = 0; k < n; ++k) {
    const bool is_x = k < punti;
    const std::size_t point = is_x ? k : k - punti;
    if (sink != nullptr) record = (is_x ? "x[" : "y[") + std::to_string(point) + "]";
    const std::uint16_t tag = in.uint16(record, "tag");
    variante v;
    if (tag == tag_intero) v = in.int16(record, "value");
    if (tag == tag_doppio) v = in.float64(record, "value");
    (is_x ? g.x : g.y).push_back(v);
  }
  return g;
}

std::optional<double> valore(const variante& v) {
  if (const auto* i = std::get_if<std::int16_t>(&v)) return static_cast<double>(*i);
  if (const auto* d = std::get_if<double>(&v)) return *d;
  return std::nullopt;
}

}  // namespace scenario
