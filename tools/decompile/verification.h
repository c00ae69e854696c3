// Compares the files compiled from the decompiled text with the files that
// were decompiled, place by place: every cell, item table entry and
// geometry point whose bytes differ, with the analysis' note as its reason.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tools/decompile/compile_in_memory.h"
#include "tools/decompile/findings.h"
#include "tools/route_files/compiled_route.h"

namespace scenario::decompile {

struct verification {
  bool exact = false;  // the text compiles to the same three files, byte for byte
  // Set when the text built no files at all (1250, 1251, no model).
  std::optional<std::string> no_files;
  std::vector<difference> differences;             // the first ones of each place, by index
  std::size_t cells = 0, entries = 0, points = 0;  // how many differ in all
};

// At most this many differences of each place are listed; all are counted.
inline constexpr std::size_t differenze_elencate = 200;

verification verify(const compiled_route& file, const compiled_texts& again, const notes& n);

}  // namespace scenario::decompile
