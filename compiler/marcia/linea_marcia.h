// The line as the running-time calculation takes it: the profiles along the
// line (speed limit, grade, adhesion), the curves, the temporary slowdowns,
// the stations with their timetable, and the two train figures of the
// service file. Two adapters fill it, from the route model and from the
// compiled files, and give the same description for the same route.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace scenario {

// A value that holds from `inizio` (metres) up to the next step's start;
// the first step's value also holds before it, the last one's after it.
struct gradino {
  double inizio = 0.0;
  double valore = 0.0;
  bool operator==(const gradino&) const = default;
};

// A curve from `inizio` to `fine` (metres) of radius `raggio` (metres),
// either hand.
struct curva_marcia {
  double inizio = 0.0;
  double fine = 0.0;
  double raggio = 0.0;
  bool operator==(const curva_marcia&) const = default;
};

// A temporary slowdown: `velocita` (km/h) from `inizio` to `fine` (metres).
struct rallentamento_marcia {
  double inizio = 0.0;
  double fine = 0.0;
  double velocita = 0.0;
  bool operator==(const rallentamento_marcia&) const = default;
};

struct stazione_marcia {
  double posizione = 0.0;  // the station's axis, metres
  std::string nome;        // Windows-1252, as the service file spells it
  // Seconds after midnight; none where the service file gives 0, 0, 0.
  std::optional<std::int32_t> orario;
  std::int32_t voce = 0;     // its slot in the item table
  std::int32_t record = -1;  // the "stazione" record, where the sources are kept
  bool operator==(const stazione_marcia&) const = default;
};

struct linea_marcia {
  // Empty profiles mean: no line limit (only the train's own top speed),
  // level track, adhesion 100.
  std::vector<gradino> velocita;  // km/h
  std::vector<gradino> pendenze;  // per mille, positive uphill
  std::vector<gradino> aderenze;  // the service file's adhesion value, 0 .. 255
  std::vector<curva_marcia> curve;
  std::vector<rallentamento_marcia> rallentamenti;
  std::vector<stazione_marcia> stazioni;  // in running order
  std::int32_t numero_vetture = 0;
  std::int32_t percentuale_massa_frenata = 0;
  bool operator==(const linea_marcia&) const = default;
};

}  // namespace scenario
