// The two description files laid out as the scenario's writers lay them
// out: the same sections in the same order, the same blanks after the
// commas, one byte per character (Windows-1252), CR LF after every line,
// "[fine]" last.
#pragma once

#include <string>
#include <vector>

#include "tools/decompile/source_records.h"

namespace scenario::decompile {

// The lines, without their ends.
std::vector<std::string> righe_linea(const testo_linea& t);
std::vector<std::string> righe_servizio(const testo_servizio& t);

// The file's bytes: every line followed by CR LF.
std::string testo_da_righe(const std::vector<std::string>& righe);

}  // namespace scenario::decompile
