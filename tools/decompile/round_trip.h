// Test support: compile two texts in memory, decompile the files they give,
// compile the decompiled texts and compare the two sets of files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tools/decompile/compile_in_memory.h"
#include "tools/decompile/decompile.h"

namespace scenario::decompile::testing {

struct round_trip {
  compiled_texts first;                        // from the original texts
  std::optional<decompiled_route> decompiled;  // when the first compile wrote files
  compiled_texts second;                       // from the decompiled texts
  // The three files of both compiles are equal byte for byte.
  bool same_bytes() const {
    return decompiled && first.line_data == second.line_data && first.sim == second.sim &&
           first.cells == second.cells;
  }
};

// `service_text` empty: no service file at all.
round_trip run_round_trip(std::string_view line_text, std::optional<std::string_view> service_text,
                          const std::string& nome_linea = "Viterbo_Attigliano_Orte",
                          const std::string& numero_treno = "7547");

}  // namespace scenario::decompile::testing
