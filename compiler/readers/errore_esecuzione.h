// A run-time failure while the description files are read: a read past the
// end of a file or of a number's range, an access outside the route model,
// a Long sum that would overflow. The readers turn it into code 25.
#pragma once

#include <cstdint>
#include <stdexcept>

namespace scenario {

// Why the reading failed, for the checker's message.
enum class motivo_guasto : std::uint8_t {
  fine_file,                // the file ends inside a record
  numero_fuori_intervallo,  // a number outside its field's type
  cella_fuori,              // a cell outside the route model
  punto_fuori,              // a geometry point outside the plan geometry
  overflow_long,            // a Long sum or product out of range
  modello_assente,          // a record before "lunghezza percorso" created the model
  dimensione_negativa,      // "lunghezza percorso" gives a model of negative size
  troppe_montagne,          // an 81st mountain span
  troppi_cartelli,          // an 81st indication board
  velocita_fuori_byte,      // a speed whose fifth does not fit a Byte
  file_mancante,            // the service file is missing or unreadable
  file_inaccessibile,       // a description file could not be deleted once read
};

class errore_esecuzione : public std::runtime_error {
 public:
  explicit errore_esecuzione(motivo_guasto motivo, const char* what)
      : std::runtime_error(what), motivo_(motivo) {}
  motivo_guasto motivo() const { return motivo_; }

 private:
  motivo_guasto motivo_;
};

}  // namespace scenario
