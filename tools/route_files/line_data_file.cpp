#include "tools/route_files/line_data_file.h"

#include "base/coding.h"
#include "tools/route_files/byte_reader.h"

namespace scenario {

namespace {

// First pass: checks every tag and value length; returns the element count
// and the offset at which each element starts.
std::vector<std::size_t> element_offsets(std::string_view bytes, const std::string& file) {
  byte_reader in(bytes, file, nullptr);
  std::vector<std::size_t> offsets;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  while (!in.at_end()) {
    const std::size_t at = in.offset();
    const std::string record = "element " + std::to_string(offsets.size());
    if (in.remaining() < 2) {
      in.fail(at, "the file ends inside the tag of " + record + " (1 byte left)");
    }
    const std::uint16_t tag = decode_fixed16(data + at);
    std::size_t value_bytes = 0;
    if (tag == tag_intero) {
      value_bytes = 2;
    } else if (tag == tag_doppio) {
      value_bytes = 8;
    } else if (tag != tag_vuoto) {
      in.fail(at, "unknown Variant tag " + std::to_string(tag) + " in " + record +
                      " (known: 0 empty, 2 Integer, 5 Double)");
    }
    if (in.remaining() - 2 < value_bytes) {
      in.fail(at + 2, "the file ends inside the value of " + record + " (" +
                          std::to_string(value_bytes) + " bytes needed, " +
                          std::to_string(in.remaining() - 2) + " left)");
    }
    offsets.push_back(at);
    in.uint16(record, "tag");
    if (value_bytes == 2) in.int16(record, "value");
    if (value_bytes == 8) in.float64(record, "value");
  }
  return offsets;
}

}  // namespace

geometria decode_line_data_file(std::string_view bytes, const std::string& file,
                                std::optional<std::size_t> punti_attesi, field_sink* sink) {
  byte_reader check(bytes, file, nullptr);
  if (bytes.empty()) check.fail(0, "the file is empty: a line data file holds two columns");
  const std::vector<std::size_t> offsets = element_offsets(bytes, file);
  const std::size_t n = offsets.size();
  if (n % 2 != 0) {
    check.fail(bytes.size(), "the x and y halves differ in length: " + std::to_string(n) +
                                 " elements, an odd count (x " + std::to_string(n / 2 + 1) +
                                 ", y " + std::to_string(n / 2) + ")");
  }
  if (punti_attesi && n != 2 * *punti_attesi) {
    const std::size_t at = n > 2 * *punti_attesi ? offsets[2 * *punti_attesi] : bytes.size();
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
