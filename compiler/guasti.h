// What the readers, recorders and the placement pass found wrong, each
// fault with where it stands: the compile step's record of its faults,
// beside the error pair that keeps only the last one.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "compiler/format/formato.h"
#include "compiler/readers/errore_esecuzione.h"
#include "compiler/readers/lettore_campi.h"
#include "compiler/readers/tipi_record.h"
#include "compiler/sorgenti.h"

namespace scenario {

struct guasto {
  codice codice_guasto = codice::nessuno;
  file_sorgente file = file_sorgente::nessuno;
  std::int32_t record = nessun_record;       // the record at fault, when sources are kept
  tipo_record tipo = tipo_record::pendenza;  // its kind (valid when the fault has a record)
  bool ha_record = false;
  campo_testo dove;         // the field at fault
  std::int32_t campo = -1;  // its value index in the record; -1 for the keyword
  std::optional<std::int32_t> posizione_errore;  // what the code records as position
  std::int64_t cella = -1;                       // the cell concerned, if any
  // What held that cell when the fault was found.
  std::uint8_t tipo_occupante = 0;
  std::int32_t record_occupante = nessun_record;
  regola_posa regola_occupante = regola_posa::nessuna;
  std::optional<motivo_guasto> motivo;        // code 25: why the reading failed
  regola_posa regola = regola_posa::nessuna;  // codes 11 to 13: the rule that found no room
  // Figures for the message, by code: 22 the station's start and the
  // previous one's end (its record is record_occupante); 24 the station's
  // end; 10 the station's slot and the boards placed.
  std::int64_t valore_a = 0;
  std::int64_t valore_b = 0;
};

// A field read where a keyword is expected, for the checker.
struct campo_chiave {
  file_sorgente file = file_sorgente::nessuno;
  campo_testo dove;
  std::string_view testo;         // the field's bytes (a view of the input)
  std::uint32_t tipi = 0;         // bit t set: kind t matched
  bool commento = false;          // passed over by the dash rule
  bool non_esaminato = false;     // the file's last field: never examined
  bool sezione_generale = false;  // read in the line file's general section
};

// What a reading left besides the model: every fault, and on request every
// keyword field.
struct traccia_lettura {
  std::vector<guasto> guasti;
  bool registra_chiavi = false;
  std::vector<campo_chiave> chiavi;
};

}  // namespace scenario
