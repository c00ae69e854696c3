// A diagnostic of the checker: one fault or doubtful record, where it
// stands, what it is (its row of the catalogue: id, severity, the code the
// compile step records for an error) and what to change, in plain words.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/check/catalogo_diagnostiche.h"
#include "compiler/readers/tipi_record.h"

namespace scenario {

// A place in one of the files: 1-based line and column of a field and its
// length in bytes. Line 0: the file as a whole.
struct luogo {
  file_sorgente file = file_sorgente::nessuno;
  std::int32_t riga = 0;
  std::int32_t colonna = 0;
  std::int32_t lunghezza = 0;
};

struct nota {
  luogo dove;
  std::string messaggio;
};

// One replacement in a file: the `lunghezza` bytes of `dove` from its column
// on its line (none: an insertion) become `testo`, in Windows-1252.
struct sostituzione {
  luogo dove;
  std::string testo;
};

// A fix an editor can apply in one action.
struct correzione {
  std::string titolo;  // "Write 'segnale'"
  std::vector<sostituzione> modifiche;
};

struct diagnostica {
  id_diagnostica id = id_diagnostica::unknown_keyword;  // its row of the catalogue
  luogo dove;
  std::string messaggio;        // what is wrong and what to change
  std::vector<nota> correlate;  // related places, e.g. the record holding a cell
  // The fixes, when the message names exactly what to write.
  std::vector<correzione> correzioni;

  // From the catalogue.
  gravita severita() const { return dal_catalogo(id).severita; }
  std::string_view nome() const { return dal_catalogo(id).nome; }  // "unknown-keyword"
  // The compiler's code, for errors.
  std::optional<std::int32_t> codice() const {
    const scenario::codice c = dal_catalogo(id).codice_compilatore;
    if (c == scenario::codice::nessuno) return std::nullopt;
    return numero(c);
  }
};

}  // namespace scenario
