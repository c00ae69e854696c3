// What the driver's two documents are made of, taken from a compiled route:
// the stations in running order with their timetabled times, the changes
// of the line's speed limit, the slowdowns, the kilometric series and the
// train's figures. From the texts the route model comes with its sources,
// so each station and slowdown knows the service file's record it came
// from; from compiled files alone it does not.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compila.h"
#include "compiler/documenti/rilievi.h"
#include "compiler/marcia/linea_marcia.h"
#include "compiler/route_model/misure.h"
#include "compiler/route_model/route_model.h"
#include "compiler/sorgenti.h"

namespace scenario {

struct stazione_documento {
  std::string nome;  // Windows-1252
  std::int32_t posizione = 0;
  std::int32_t inizio = 0;  // the station's extent, metres
  std::int32_t fine = 0;
  std::int32_t orario = 0;   // seconds after midnight; 0: no timetabled time
  std::int32_t record = -1;  // the "stazione" record, or -1
  std::int32_t voce = 0;     // its slot in the item table
  posto chiave;              // its keyword
  posto campo_posizione;
  posto campo_orario;  // hours to seconds
};

struct cambio_velocita {
  std::int32_t posizione = 0;  // metres, on the 50 m grid
  std::int32_t velocita = 0;   // km/h
};

struct rallentamento_documento {
  std::int32_t x = 0;  // where it begins, metres
  std::int32_t v = 0;  // km/h
  std::int32_t l = 0;  // metres
  std::int32_t record = -1;
  posto chiave, campo_x, campo_v, campo_l;
};

struct dati_documenti {
  std::string nome_linea;
  std::string numero_treno;
  std::int32_t numero_vetture = 0;
  std::int32_t massa_frenata = 0;         // percent
  std::vector<serie_chilometrica> serie;  // in use, by start
  std::vector<stazione_documento> stazioni;
  std::vector<cambio_velocita> velocita;               // from the first cell on, one per change
  std::vector<rallentamento_documento> rallentamenti;  // by start

  // The kilometric progressive at p, metres: the series counts down, so
  // origin - p. Nothing when no series is in use.
  std::optional<std::int64_t> progressiva(std::int64_t p) const;
  // The line speed in force at p; 0 before the first cell.
  std::int32_t velocita_a(std::int64_t p) const;
};

// The data of a compiled route: cells, item table and which slots are
// stations. With `s` (and the service text it refers to) each station and
// slowdown carries its record.
dati_documenti dati_da_modello(std::span<const cella> celle, const tabella_elementi& elementi,
                               std::span<const int> slot_stazioni, std::string nome_linea,
                               std::string numero_treno, const sorgenti_modello* s = nullptr,
                               std::string_view servizio = {});

// The two texts compiled in memory (no geometry, no files). `errore` says
// why there are no data: no route model, or the compile step recorded a
// fault (the readers stop at the first, so later records would be missing).
// `linea` is the same route for the running-time calculation, which gives
// the sheet its passing times.
struct dati_da_testi_esito {
  std::optional<dati_documenti> dati;
  linea_marcia linea;
  std::string errore;
};
dati_da_testi_esito dati_da_testi(std::string_view linea, std::string_view servizio,
                                  std::string nome_linea, std::string numero_treno);

// The same from the compile step's result on the texts (with its sources
// kept), as the checker's run gives it.
dati_da_testi_esito dati_da_compilazione(const risultato_compilazione& r, std::string_view servizio,
                                         std::string nome_linea, std::string numero_treno);

// What the documents need and the data lack, in words ("a station"); empty
// when nothing is missing.
std::vector<std::string> dati_mancanti(const dati_documenti& d);

// The kilometre post after which a point of progressive `km` metres lies,
// for a series counting down: km 16.350 lies after post 17.
std::int64_t cippo_prima(std::int64_t km);

// "16.350", "-0.050": metres as kilometres with three decimals.
std::string testo_km(std::int64_t metri);

}  // namespace scenario
