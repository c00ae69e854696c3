// Where everything in the route model came from: the records the readers
// read, with the line and column of the keyword and of each value, and for
// every cell, item entry, curve and span the record that put it there. It
// sits beside the model, is filled only on request, and never changes an
// output byte.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "compiler/format/formato.h"
#include "compiler/readers/lettore_campi.h"
#include "compiler/readers/tipi_record.h"

namespace scenario {

inline constexpr std::int32_t nessun_record = -1;

struct record_letto {
  file_sorgente file = file_sorgente::nessuno;
  tipo_record tipo = tipo_record::pendenza;
  campo_testo chiave;
  std::vector<campo_testo> valori;  // as many as were read, in file order
  bool messo_da_parte = false;      // set aside after a fault (the checker reads on)
};

// Which placement rule put a marker into a cell, for the record it serves.
enum class regola_posa : std::uint8_t {
  nessuna,
  segnale_prima_avviso,     // a marker before a signal that precedes a warning board
  prima_inizio,             // the three markers before a slowdown's start
  lungo_rallentamento,      // every 400 m along a slow slowdown
  prima_segnale_dopo_fine,  // before the first signal after a slowdown's end
};

// The record of each part of a cell; nessun_record where nothing put it.
struct origine_cella {
  std::int32_t oggetto = nessun_record;  // `tipo` and `dato1` .. `dato5`
  std::int32_t segno = nessun_record;
  std::int32_t montagna = nessun_record;
  std::int32_t velocita = nessun_record;
  std::int32_t pendenza = nessun_record;
  std::int32_t aderenza = nessun_record;
  regola_posa regola = regola_posa::nessuna;  // the object is a marker of the placement pass
};

struct curva_posata {
  std::int32_t record = nessun_record;
  std::int64_t primo_punto = 0;  // first and last geometry point laid turning
  std::int64_t ultimo_punto = 0;
  double curvatura = 0.0;  // radians per metre, negative for a left-hand curve
};

struct sorgenti_modello {
  std::vector<record_letto> record;
  std::vector<origine_cella> celle;                 // one per cell of the model
  std::array<std::int32_t, n_elementi> elementi{};  // the record that filled each entry
  std::vector<curva_posata> curve;
  std::array<std::int32_t, n_montagne_massimo + 1> montagne{};  // span n's record
  // The last record of each kind: where the header values came from.
  std::array<std::int32_t, n_tipi_record> ultimo{};

  sorgenti_modello() {
    elementi.fill(nessun_record);
    montagne.fill(nessun_record);
    ultimo.fill(nessun_record);
  }

  const record_letto* trova(std::int32_t i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= record.size()) return nullptr;
    return &record[static_cast<std::size_t>(i)];
  }
};

}  // namespace scenario
