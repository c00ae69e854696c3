// The objects along a compiled line that the plot shows, in metres:
// stations, signals, slowdowns and tunnels.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/route_files/compiled_route.h"

namespace scenario {

struct station_info {
  int slot = 0;
  std::string name;  // UTF-8
  std::int32_t posizione = 0, inizio = 0, fine = 0, orario = 0;
};

struct slowdown_info {
  double start = 0, end = 0;  // metres
  int speed = 0;              // km/h
};

struct plot_objects {
  std::vector<station_info> stations;
  std::vector<double> signals;  // metres
  std::vector<slowdown_info> slowdowns;
  std::vector<std::pair<double, double>> tunnels;  // start and end, metres
};

plot_objects objects_of(const compiled_route& r);

}  // namespace scenario
