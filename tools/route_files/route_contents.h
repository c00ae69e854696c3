// What a compiled route holds, in words: the decoded values of each object
// (unpacked by the cell codec, which also names the codes), which
// item-table slots are stations and which are board texts, and the profile
// runs along the line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/format/codifica_celle.h"
#include "compiler/route_model/route_model.h"
#include "tools/route_files/compiled_route.h"

namespace scenario {

// A cell worth listing: it holds an object, a value or an approach mark.
bool cella_occupata(const cella& c);

// The values of the cell's object in words, e.g. "speed 30 km/h, flag 1".
std::string valori_cella(const cella& c, const compiled_route& r);

// Item-table slots: stations grow from 1 upward, board texts from 80 downward.
struct slot_elementi {
  std::vector<int> stazioni;
  std::vector<int> cartelli;
};
slot_elementi trova_slot(const compiled_route& r);

// A stretch of cells with the same profile values.
struct tratto_profilo {
  std::size_t prima = 0, ultima = 0;  // cell indices, inclusive
  std::uint8_t velocita = 0, pendenza = 0, aderenza = 0, montagna = 0;
};
std::vector<tratto_profilo> tratti_profilo(const std::vector<cella>& celle);

// Geometry figures of the line data file.
struct sommario_geometria {
  std::size_t punti = 0;              // per column
  std::size_t punti_valorizzati = 0;  // points that hold a value in both columns
  double x_fine = 0, y_fine = 0;      // last point with a value
  double x_linea = 0, y_linea = 0;    // point at the line's length, if it holds a value
  bool ha_punto_linea = false;
  double lunghezza = 0;         // metres along the points with a value
  double curvatura_netta = 0;   // degrees, positive to the right
  double curvatura_totale = 0;  // degrees, the sum of all turns either way
  double x_min = 0, x_max = 0, y_min = 0, y_max = 0;
};
sommario_geometria riassumi_geometria(const compiled_route& r);

}  // namespace scenario
