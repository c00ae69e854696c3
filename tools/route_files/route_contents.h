// What a compiled route holds, in words: object names of the cell codes,
// the decoded values of each object, which item-table slots are stations and
// which are board texts, and the profile runs along the line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/route_model/route_model.h"
#include "tools/route_files/compiled_route.h"

namespace scenario {

// "signal", "speed board", ...; "object 7" for a code without a name.
std::string nome_oggetto(std::uint8_t tipo);

// A cell worth listing: it holds an object, a value or an approach mark.
bool cella_occupata(const cella& c);

// The values of the cell's object in words, e.g. "speed 30 km/h, flag 1".
std::string valori_cella(const cella& c, const compiled_route& r);

// A signal's codes unpacked from dato1..dato4.
struct codici_segnale {
  int sx = 0, dx = 0, rapp = 0;
  int s[3] = {0, 0, 0};
  int d[3] = {0, 0, 0};
};
codici_segnale decodifica_segnale(const cella& c);

// A speed board's values unpacked: speeds A, B, C in km/h and stripes per side.
struct velocita_cartello {
  int sinistra[3] = {0, 0, 0};
  int destra[3] = {0, 0, 0};
  int strisce_sinistra = 0, strisce_destra = 0;
};
velocita_cartello decodifica_cartello(const cella& c);

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
