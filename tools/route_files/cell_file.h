// The cell data file: one 15-byte record per 50 m cell, cells 0 .. n_celle.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compiler/route_model/route_model.h"
#include "tools/route_files/field_sink.h"

namespace scenario {

// Throws decode_error when the file is empty or does not hold whole cells.
std::vector<cella> decode_cell_file(std::string_view bytes, const std::string& file,
                                    field_sink* sink = nullptr);

}  // namespace scenario
