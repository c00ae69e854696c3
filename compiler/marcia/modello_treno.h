// The train of the running-time calculation: a small JSON file of figures,
// every one optional with its default, and the train they give for a
// service file's number of cars and braked mass. The defaults describe the
// fixed scenario's train, a four-car regional electric multiple unit of two
// motor cars and two trailers for 130 km/h; docs/timing.md gives every
// field's unit, default and where the figure comes from.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "compiler/marcia/impedimento_marcia.h"

namespace scenario {

inline constexpr double accelerazione_gravita = 9.80665;  // m/s^2

struct modello_treno {
  double velocita_massima_kmh = 130.0;
  double massa_vettura_t = 55.0;             // per car; the mass is cars x this
  std::optional<double> massa_t;             // the whole train's, instead
  double lunghezza_vettura_m = 26.86;        // per car; the length is cars x this
  std::optional<double> lunghezza_m;         // the whole train's, instead
  double quota_massa_aderente = 0.636;       // share of the mass on driven axles
  double fattore_masse_rotanti = 0.08;       // rotating masses as a share of the mass
  double sforzo_avviamento_kn = 110.0;       // tractive effort at low speed
  double potenza_kw = 2000.0;                // at the wheel rims
  double resistenza_a_n_t = 15.0;            // Davis A per tonne
  double resistenza_b_n_t_s_m = 0.3;         // Davis B per tonne, N per (m/s)
  double resistenza_c_n_s2_m2 = 6.5;         // Davis C of the whole train, N per (m/s)^2
  double decelerazione_servizio_m_s2 = 0.6;  // at 100 per cent braked mass
  double coefficiente_aderenza = 0.25;       // at the service file's adhesion 100
  double sosta_minima_s = 30.0;              // at a stop with a time
  bool operator==(const modello_treno&) const = default;
};

// One field of the JSON file: its name, unit and the values it may take
// (above `minimo`, or from it when `minimo_incluso`, up to `massimo`).
struct campo_modello_treno {
  std::string_view nome;
  std::string_view unita;
  double minimo = 0.0;
  bool minimo_incluso = false;
  double massimo = 0.0;
  double modello_treno::*valore = nullptr;  // or, for a field that may be null:
  std::optional<double> modello_treno::*facoltativo = nullptr;
};
std::span<const campo_modello_treno> campi_modello_treno();

struct errore_modello_treno {
  std::string campo;  // the field at fault; empty when the file is not a JSON object
  std::string testo;  // e.g. field "potenza_kw": must be above 0 kW, not -5
};

// Reads the JSON text: an object whose fields are all known, each a number
// (or null where it may be) in its range; a field left out keeps its default.
std::variant<modello_treno, errore_modello_treno> leggi_modello_treno(std::string_view json);

// The model as a JSON object of every field, for reports.
std::string json_modello_treno(const modello_treno& m);

// The train in SI units for a service file's cars and braked mass.
struct treno_marcia {
  double massa = 0.0;              // kg
  double massa_equivalente = 0.0;  // kg, with the rotating masses
  double massa_aderente = 0.0;     // kg on the driven axles
  double lunghezza = 0.0;          // m
  double sforzo_avviamento = 0.0;  // N
  double potenza = 0.0;            // W
  double a = 0.0;                  // N
  double b = 0.0;                  // N per (m/s)
  double c = 0.0;                  // N per (m/s)^2
  double decelerazione = 0.0;      // m/s^2, scaled by the braked mass
  double coefficiente_aderenza = 0.0;
  double velocita_massima = 0.0;  // m/s
  double sosta_minima = 0.0;      // s
};

// Refuses (senza_treno, senza_frenatura) a train of no cars without a mass
// and length of its own, and a braked mass of 0 per cent or less.
std::variant<treno_marcia, impedimento_marcia> risolvi_treno(
    const modello_treno& m, std::int32_t numero_vetture, std::int32_t percentuale_massa_frenata);

}  // namespace scenario
