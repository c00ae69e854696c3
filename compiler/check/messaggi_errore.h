// What each error code of the compile step means, in plain words, and what
// the scenario author changes to clear it. The documentation quotes the same
// table, so the tool and the docs agree.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace scenario {

enum class file_colpevole : std::uint8_t { nessuno, linea, servizio, entrambi };

struct messaggio_errore {
  std::int32_t codice;
  file_colpevole file;           // the file whose records can set the code
  bool imposta_posizione;        // the code sets posizione_errore
  std::string_view significato;  // one sentence: what is wrong
  std::string_view rimedio;      // one sentence: what to change
};

// Every code, in ascending order (1250 and 1251 included).
std::span<const messaggio_errore> tabella_errori();

// The entry of `codice`; null for a number that is not a code.
const messaggio_errore* cerca_errore(std::int32_t codice);

}  // namespace scenario
