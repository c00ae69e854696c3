// The simulation file: the 87 entries of the item table, each 34 bytes plus
// the length of its name.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "compiler/route_model/route_model.h"
#include "tools/route_files/field_sink.h"

namespace scenario {

// Throws decode_error when the file ends inside an entry, a name's length
// runs past the end, or bytes follow entry 86.
std::array<elemento, n_elementi> decode_sim_file(std::string_view bytes, const std::string& file,
                                                 field_sink* sink = nullptr);

}  // namespace scenario
