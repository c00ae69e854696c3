// One run of route_tool's readers on three compiled route files held in
// memory: decode (with the annotated byte dump), and when the files decode,
// the text and JSON dumps and the drawing. Any outcome but a errore_decodifica
// naming one of the three files at an offset inside it, or a finished
// dump and drawing, is a problem. Shared by the fuzz target and its corpus
// test.
#pragma once

#include <string>
#include <string_view>

namespace scenario {

struct decode_check_result {
  bool decoded = false;  // the three files were accepted
  std::string problem;   // empty when every check held
};

// The fuzzer's input: a 4-byte little-endian length, that many bytes of
// simulation file, another 4-byte length and that many bytes of cell data
// file; the rest is the line data file. A length that runs past the end is
// cut to what is there.
decode_check_result check_decode_input(std::string_view input);

// The input that holds these three files.
std::string pack_decode_input(std::string_view sim, std::string_view cells,
                              std::string_view line_data);

}  // namespace scenario
