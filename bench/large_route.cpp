#include "bench/large_route.h"

#include <string>

namespace scenario::large_route {

namespace {

void add(std::string& out, const std::string& line) {
  out += line;
  out += "\r\n";
}

std::string n(std::int64_t v) {
  return std::to_string(v);
}

}  // namespace

std::string line_file() {
  std::string f;
  add(f, "[generale]");
  add(f, "lunghezza percorso,    " + n(lunghezza));
  add(f, "progressiva chilometrica uno,    0,    1000050,    1");
  add(f, "progressiva chilometrica due,    500000,    2000000,    1");
  add(f, "progressiva chilometrica tre,    0,    0,    0");
  add(f, "sfondo uno,    0");
  add(f, "sfondo due,    1");
  add(f, "sfondo tre,    0");
  add(f, "ripetizione segnali 4 codici,    500000,    510000");
  add(f, "[curve]");
  for (int k = 0; k < curve_count; ++k) {
    const char side = k % 2 == 0 ? 'd' : 's';
    add(f, std::string("curva") + side + n(k % 6 + 1) + ",  " + n(curve_first + k * curve_step) +
               ",  " + n(curve_length));
  }
  add(f, "[pendenze]");
  for (int k = 0; k < grade_count; ++k)
    add(f, "pendenza,  " + n(std::int64_t{k} * grade_step) + ",   " + n(grade_of(k)));
  add(f, "[montagne]");
  for (int k = 0; k < span_count; ++k) {
    const std::int64_t start = 5000 + std::int64_t{k} * 15000;
    add(f, "montagna,   " + n(start) + ",  " + n(start + 1000) + ",  " + (k % 2 ? "2" : "12"));
  }
  add(f, "[cartelli]");
  for (int k = 0; k < speed_board_count; ++k) {
    const int v = 60 + 5 * (k % 19);
    add(f, "indicatori_vmax,  " + n(650 + std::int64_t{k} * 7000) + ",  " + n(v) + ",  " +
               n(v + 5) + ",  " + n(v + 10) + ",  " + n(k % 3) + ",  ,  ,  ,  0");
  }
  add(f, "[indicazioni]");
  for (int k = 0; k < board_count; ++k)
    add(f, "cartello_indicatore,  " + n(board_first + std::int64_t{k} * board_step) + ",   (Km. " +
               n(k) + ")");
  add(f, "[fine]");
  return f;
}

std::string service_file() {
  std::string f;
  add(f, "[generale]");
  add(f, "numero vetture,    6");
  add(f, "percentuale massa frenata,    120");
  add(f, "sabbia,    1");
  add(f, "orologio,    6              0            0 ");
  add(f, "[aderenze]");
  for (int k = 0; k < 20; ++k)
    add(f, "aderenza,   " + n(std::int64_t{k} * 50000) + ",    " + n(80 + k));
  add(f, "[vel_limite]");
  for (int k = 0; k < 100; ++k)
    add(f, "velocita,   " + n(std::int64_t{k} * 10000) + ",    " + n(60 + 5 * (k % 19)));
  add(f, "[stazioni]");
  for (int k = 0; k < station_count; ++k) {
    const std::int64_t p = 20000 + std::int64_t{k} * 30000;
    const int minutes = 10 + k * 15;
    add(f, "stazione,   " + n(p) + ", 4,  400,  0, 0, 0,  1,1,0,  2,1,1,   30,  " +
               n(6 + minutes / 60) + "," + n(minutes % 60) + ", 0, Stazione " + n(k + 1));
  }
  add(f, "[rallentamenti]");
  add(f, "");
  for (int k = 0; k < slowdown_count; ++k)
    add(f, "rallentamento,   " + n(101000 + std::int64_t{k} * 200000) + ",    30,  600, 1,  1,  0");
  add(f, "[segnali]");
  for (int k = 0; k < signal_count; ++k)
    add(f,
        "segnale,   " + n(3400 + std::int64_t{k} * 3000) + ",   2, 4, 1,  0, 0,    0,  0,0,0, 0");
  add(f, "[codici]");
  add(f, "[fine]");
  return f;
}

}  // namespace scenario::large_route
