// Speed indicator boards (cell code 6, speeds and stripes unpacked) and
// indication boards (cell code 14 pointing at the entry that holds the
// text; entries 80 downward in the order of the records). A station's end
// cell, written over whatever stood there, may hide a board: a speed
// board's second to fourth values stay, an indication board leaves its
// text without a cell.
#pragma once

#include <vector>

#include "compiler/route_model/route_model.h"
#include "tools/decompile/findings.h"
#include "tools/decompile/source_records.h"

namespace scenario::decompile {

struct board_recovery {
  std::vector<record_indicatore> indicatori;  // by position
  std::vector<record_cartello> cartelli;      // by slot, 80 downward
  int posto_libero = voce::ultimo_cartello;   // the slot the next board would take
  bool ottantunesimo = false;                 // an 81st board stopped the line reader
};

// `celle` as the placement pass left them (before the compile step's stamps).
board_recovery recover_boards(const std::vector<cella>& celle, const tabella_elementi& elementi,
                              notes& n);

// Left and right speeds of the three categories and the stripes from a
// speed board's four values, as the cell codec unpacks them: speeds in
// steps of 5 km/h, the right-hand ones empty where every category's is 0.
record_indicatore unpack_speed_board(std::int32_t posizione, std::int16_t dato1, std::int16_t dato2,
                                     std::int16_t dato3, std::int16_t dato4);

}  // namespace scenario::decompile
