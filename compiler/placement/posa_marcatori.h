// The placement pass: one walk over the cells, from the start of the line to
// its end, that adds marker cells (code 12, value 180) at fixed distances
// around signals and slowdowns. Where a marker has no room the pass records
// code 11, 12 or 13 with the cell index x 50 and carries on.
//
// At the end of the cells: the walk along a slowdown and the look-ahead
// after it stop at the last cell; a cell past it counts as taken. A
// slowdown's end cell is the first code-2 cell after its start, whatever
// its speed; the look-ahead for the next signal always starts there, and a
// slowdown with no end cell up to the last cell gets no look-ahead and no
// extra error code.
#pragma once

#include <cstdint>

#include "compiler/guasti.h"
#include "compiler/route_model/route_model.h"
#include "compiler/sorgenti.h"

namespace scenario {

inline constexpr std::int16_t valore_marcatore = 180;  // km/h carried by every marker placed here
inline constexpr std::int16_t velocita_rallentamento_veloce =
    110;  // km/h: slowdowns this fast get no markers along them
inline constexpr int celle_indietro_avviso = 20;  // look-back before a warning board (1000 m)
inline constexpr int passo_marcatori = 8;         // cells between markers along a slowdown (400 m)
inline constexpr int celle_avanti_fine = 12;      // look-ahead after a slowdown's end (600 m)

// Runs the pass over m.celle (cells 1 .. U - 2, U the last index). Changes
// only `tipo` and `dato1` of cells and the error pair. Reads and writes
// nothing outside the cells. With sources, each marker carries the record
// of the slowdown it serves; with a trace, each fault is noted there.
void posiziona_marcatori(modello_percorso& m, sorgenti_modello* s = nullptr,
                         traccia_lettura* traccia = nullptr);

}  // namespace scenario
