// Decompiling: the line description and the service file back from the
// three compiled files, such that compiling them gives the same files byte
// for byte, and where no text can, every cell, entry and point that differs
// and why.
#pragma once

#include <string>

#include "tools/decompile/source_records.h"
#include "tools/decompile/verification.h"
#include "tools/route_files/compiled_route.h"

namespace scenario::decompile {

struct decompiled_route {
  testo_linea linea;
  testo_servizio servizio;
  std::string line_text;  // the files' bytes: Windows-1252, CR LF
  std::string service_text;
  verification check;  // the text compiled again, against the files
};

// `nome_linea` and `numero_treno` are the identifiers the files were found
// by; the compile step stamps codes made from them.
decompiled_route decompile_route(const compiled_route& r, const std::string& nome_linea,
                                 const std::string& numero_treno);

}  // namespace scenario::decompile
