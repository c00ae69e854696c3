// The fastest run of a train over a line, against the timetable. A pure
// function: the line (linea_marcia.h) and the train model in, the run out.
//
// The speed allowed at each point is the lowest of the line's limit, every
// slowdown over it and the train's top speed, a lower limit holding until
// the whole train has passed its end. Braking curves at the service
// deceleration run back from every lower limit and every stop; forward the
// train accelerates with the tractive effort min(F0, P / v), limited by
// adhesion, against the running resistance A + Bv + Cv^2 and the grade plus
// 800 / r per mille in curves, on its mass with the rotating masses. The
// train stops at every station with a time (for at least the minimum
// dwell), passes the others, and ends standing at the last station.
//
// Integration is over distance, on the square of the speed: between two
// nodes (at most `passo` apart, and at every point where a limit, grade,
// curve, adhesion or station begins or ends) one classical Runge-Kutta
// step of d(v^2)/ds = 2 a(v), and the time of a piece where v^2 runs
// linearly as 2 d / (v0 + v1), exact for a constant acceleration. docs/
// timing.md has the equations and the assumptions.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "compiler/marcia/funzione_gradini.h"
#include "compiler/marcia/impedimento_marcia.h"
#include "compiler/marcia/linea_marcia.h"
#include "compiler/marcia/modello_treno.h"

namespace scenario {

// Both steps grow where a run is longer than half a million of them (5000 km
// at 10 m), which only a station far before the origin can give.
struct opzioni_marcia {
  double passo = 10.0;          // metres between integration nodes, at most
  double passo_profilo = 10.0;  // metres between the points of the drawn profile
  // The run itself, node by node and as a profile; without it only the
  // stations' times and the sections (for a checker, which needs no more).
  bool corsa = true;
};

// A node of the run: the train's head at `posizione` (m) at `velocita`
// (m/s) at the time of day `orario` (s), under the limit `limite` (m/s: the
// lower of the limits on either side). A stop gives two nodes, arrival and
// departure.
struct nodo_marcia {
  double posizione = 0.0;
  double velocita = 0.0;
  double orario = 0.0;
  double limite = 0.0;
};

// A point of the profile drawn along the line.
struct punto_marcia {
  double posizione = 0.0;  // m
  double velocita_kmh = 0.0;
  double limite_kmh = 0.0;
  double orario = 0.0;  // s after midnight
};

// The run at a station: stopping (a time, or the first or last station) or
// passing (arrivo = partenza).
struct orario_stazione {
  std::size_t stazione = 0;  // index in linea_marcia::stazioni
  bool ferma = false;
  double arrivo = 0.0;  // s after midnight
  double partenza = 0.0;
};

// A section between two stations with a time, or the whole run from the
// first to the last of them.
struct sezione_marcia {
  std::size_t da = 0;  // indices in linea_marcia::stazioni
  std::size_t a = 0;
  double distanza = 0.0;          // m
  double tempo_minimo = 0.0;      // s: the fastest run from departure, with the dwell at `a`
                                  // unless it is the last station
  double tempo_orario = 0.0;      // s: the timetable's time from `da` to `a`
  double margine = 0.0;           // s: tempo_orario - tempo_minimo
  double margine_percento = 0.0;  // of tempo_minimo
  bool percorribile() const { return margine >= 0.0; }
};

struct esito_marcia {
  // Set when the run cannot be timed; the run up to there is kept.
  std::optional<impedimento_marcia> impedimento;
  std::optional<treno_marcia> treno;
  // Every station reached, in running order. Times of day: the train leaves
  // the first station with a time at that time, never leaves a stop before
  // its time, and runs as fast as it can in between. Without any time the
  // clock starts at 0 at the first station.
  std::vector<orario_stazione> stazioni;
  std::vector<sezione_marcia> sezioni;
  std::optional<sezione_marcia> intera;
  std::vector<nodo_marcia> nodi;
  std::vector<punto_marcia> profilo;  // every passo_profilo metres, and the last station
  // No reason stands in the way and every section can be driven in its time.
  bool percorribile() const;
};

// The lowest speed limit at each position of the train's head (m/s), for a
// train of `lunghezza` metres and top speed `massima` (m/s).
funzione_gradini limite_efficace(const linea_marcia& l, double lunghezza, double massima);

esito_marcia calcola_marcia(const linea_marcia& l, const modello_treno& m,
                            const opzioni_marcia& o = {});

}  // namespace scenario
