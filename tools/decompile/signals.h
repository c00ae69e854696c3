// Signals, from their cells (code 1): the left and right kinds from the
// packed sum 3 sx + dx, the codes of both sides from tens and units, the
// opening delay from the fifth value. A signal nearer than 350 m to the
// origin stops the reader while it writes its approach marks; it comes
// back as the last record of the file. A signal whose cell a later
// station's end took is found by what the station left of it.
#pragma once

#include <optional>
#include <vector>

#include "compiler/recorders/memo_segnale.h"
#include "compiler/route_model/route_model.h"
#include "tools/decompile/findings.h"

namespace scenario::decompile {

// A signal whose cell the end of a station recorded after it took.
struct segnale_coperto {
  segnale s;
  int stazione = 0;  // that station's number, which its end cell holds
};

struct signal_recovery {
  std::vector<segnale> segnali;   // by position
  std::optional<segnale> ultimo;  // the one the reader stopped at
  // Signals whose cell the end of a station recorded after them took: all
  // but their first codes (dato1, which the station's number replaced) are
  // still in the cell and its marks, so one recorded before the stations
  // may give the files back. By position.
  std::vector<segnale_coperto> sotto_stazioni;
};

signal_recovery recover_signals(const std::vector<cella>& celle, notes& n);

// Whether the station's end cell c shows a signal it was written over: the
// signal's approach marks, or an opening delay (a fifth value, which no
// board has). Such a cell's other values are the signal's, not a board's.
bool segnale_sotto_stazione(const std::vector<cella>& celle, std::size_t c);

}  // namespace scenario::decompile
