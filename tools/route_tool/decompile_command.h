// `route_tool decompile`: the two description files back from the three
// compiled files of a folder, such that compiling them gives the same
// files byte for byte; where no text can, each cell, entry and point that
// cannot come back is named on stderr and the closest text is written.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "tools/decompile/decompile.h"

namespace scenario {

struct decompile_options {
  std::string dir;
  std::string out_dir;
  std::optional<std::string> route;  // found in the folder when not given
  std::optional<std::string> train;
  std::string line_file;     // empty: OUT/NAME_linea.txt
  std::string service_file;  // empty: OUT/NAME_NUMBER-.txt
};

// One line per difference, "FILE: error: PLACE: WHY: FIELD V in the file,
// W from the text, ...", and a closing count when not all are listed.
void write_decompile_diagnostics(const compiled_route& r, const decompile::verification& v,
                                 std::ostream& err);

// Decodes, decompiles, writes both texts and reports. Returns 0 when the
// texts give the files back byte for byte, 1 otherwise. Throws
// errore_decodifica for a bad compiled file and usage_error when a text cannot
// be written.
int run_decompile(const decompile_options& o, std::ostream& out, std::ostream& err);

}  // namespace scenario
