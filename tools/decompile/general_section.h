// The general sections of both files and the header entries 81 to 86 of
// the item table: line length, the three kilometric series (their +100
// undone and their order inverted), backgrounds, the coded signal zone,
// the train's figures, clock and sanding; and the reserved slots, which
// hold the stamps and competition codes of the compile step and no record.
#pragma once

#include <string>
#include <vector>

#include "tools/decompile/findings.h"
#include "tools/decompile/source_records.h"
#include "tools/route_files/compiled_route.h"

namespace scenario::decompile {

// The line length the model's size was built from: the geometry holds
// points 0 .. L + 7000.
std::int32_t lunghezza_dal_tracciato(const compiled_route& r);

// Fills the general section of the line file. `interrotta` tells whether
// the series were sorted (they are not when the reader stopped inside the
// general section).
void recover_line_general(const compiled_route& r, interruzione interrotta, testo_linea& out,
                          notes& n);

// True when the files show the reader stopped inside the general section
// by a record of its own: a second length above 1000000 m or a coded zone
// off the 50 m grid.
bool general_section_stops_itself(const compiled_route& r);

// Fills the general section of the service file.
void recover_service_general(const compiled_route& r, testo_servizio& out);

// The cells as the placement pass left them: the compile step stamps its
// marker and competition code into cell 1 only where both slots hold 0, so
// whatever object stands there held 0 in them.
std::vector<cella> celle_prima_dei_timbri(const compiled_route& r);

// Notes what the header entries and the reserved slots hold beyond what
// records and the compile step's stamps write.
void check_header(const compiled_route& r, const std::string& nome_linea,
                  const std::string& numero_treno, notes& n);

}  // namespace scenario::decompile
