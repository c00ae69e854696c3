// The line data file: the plan geometry, every x of points 0 .. last, then
// every y of the same points, each a Variant (2-byte tag and its value).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/route_model/route_model.h"
#include "tools/route_files/field_sink.h"

namespace scenario {

struct geometria {
  std::vector<variante> x;  // points 0 .. last
  std::vector<variante> y;
};

// `punti_attesi`: the number of points per column the line length calls for,
// when known. Throws decode_error on an unknown tag, a value cut short, halves
// of different lengths or a point count other than the one expected.
geometria decode_line_data_file(std::string_view bytes, const std::string& file,
                                std::optional<std::size_t> punti_attesi = std::nullopt,
                                field_sink* sink = nullptr);

// The value of a point as a number; empty when the element is empty.
std::optional<double> valore(const variante& v);

}  // namespace scenario
