// Test support: random valid scenarios, a line description and a service
// file an author could write: curves of every class and side, grades, spans
// with and without markers, speed and indication boards, stations of every
// kind of type, slowdowns with and without warning boards and approach
// cells, signals with every code (in running order or not), speeds,
// adhesion and "abbattimento" points. Objects never ask for a cell another object holds, so the
// readers accept every record.
#pragma once

#include <cstdint>
#include <string>

namespace scenario::decompile::testing {

struct generated_scenario {
  std::string line_text;  // Windows-1252, CR LF
  std::string service_text;
};

generated_scenario generate_scenario(std::uint32_t seed);

}  // namespace scenario::decompile::testing
