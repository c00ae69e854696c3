// The largest route the formats allow: a line of 1000000 m with hundreds of
// curves, grades, tunnel spans and boards, and a service over it with
// stations, speeds, signals and slowdowns. Object positions keep different
// remainders modulo 1000 m, so no two objects ever want the same cell and
// the run compiles with code 0. Used by the limits test and the benchmarks.
#pragma once

#include <cstdint>
#include <string>

namespace scenario::large_route {

inline constexpr std::int32_t lunghezza = 1000000;  // metres

// Curves: one every 5000 m from 1000 m, 300 m long; the class cycles 1 .. 6
// and the side alternates, right first (so the first is "curvad1").
inline constexpr std::int32_t curve_first = 1000;
inline constexpr std::int32_t curve_step = 5000;
inline constexpr std::int32_t curve_length = 300;
inline constexpr int curve_count = 199;  // the last ends at 991300 m

// Grades: one every 2000 m from 0, per mille ((k % 61) - 30) for record k.
inline constexpr std::int32_t grade_step = 2000;
inline constexpr int grade_count = 500;
inline constexpr std::int32_t grade_of(int k) {
  return k % 61 - 30;
}

// Indication boards: one every 25000 m from 850 m, texts "(Km. k)".
inline constexpr std::int32_t board_first = 850;
inline constexpr std::int32_t board_step = 25000;
inline constexpr int board_count = 40;

// Speed boards every 7000 m from 650 m; tunnel spans every 15000 m from
// 5000 m, 1000 m long; stations every 30000 m from 20000 m; signals every
// 3000 m from 3400 m; slowdowns every 200000 m from 101000 m.
inline constexpr int speed_board_count = 142;
inline constexpr int span_count = 66;
inline constexpr int station_count = 33;
inline constexpr int signal_count = 330;
inline constexpr int slowdown_count = 5;

std::string line_file();     // the line description file, CR LF lines
std::string service_file();  // the service file

}  // namespace scenario::large_route
