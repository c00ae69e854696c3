// A diagnostic of the checker: one fault or doubtful record of the two
// description files, where it stands, what the compile step records for it
// (errors) and what to change, in plain words.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/readers/tipi_record.h"

namespace scenario {

enum class gravita : std::uint8_t {
  errore,  // the compile step records it: a code, 1250/1251, or no route model
  avviso,  // accepted by the compile step, but an author almost never means it
};

// A place in one of the two files: 1-based line and column of a field and
// its length in bytes. Line 0: the file as a whole.
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
  gravita severita = gravita::errore;
  std::optional<std::int32_t> codice;  // the compiler's code, for errors
  std::string id;                      // stable, e.g. "unknown-keyword"
  luogo dove;
  std::string messaggio;        // what is wrong and what to change
  std::vector<nota> correlate;  // related places, e.g. the record holding a cell
  // The fixes, when the message names exactly what to write.
  std::vector<correzione> correzioni;
};

}  // namespace scenario
