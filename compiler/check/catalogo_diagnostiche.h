// The catalogue of the checker's diagnostics, made from the rows of
// diagnostiche.def: the enum that names each one in the code, and for each
// the id users see, its severity, the compiler's code, the file it stands
// in, and one sentence each of what is wrong and what to change.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string_view>

#include "compiler/format/formato.h"

namespace scenario {

enum class gravita : std::uint8_t {
  errore,  // the compile step records it: a code, 1250/1251, or no route model
  avviso,  // accepted by the compile step, but an author almost never means it
};

// The file a diagnostic stands in: one of the two descriptions (or either),
// or one of the driver's documents read beside them (or either of those).
enum class file_colpevole : std::uint8_t {
  linea,
  servizio,
  entrambi,
  scheda_treno,
  rallentamenti,
  documenti,
};

#define VO_DIAGNOSTICA(n, g, c, f, p, s, r) n,
enum class id_diagnostica : std::uint8_t {
#include "compiler/check/diagnostiche.def"
};
#undef VO_DIAGNOSTICA

struct voce_catalogo {
  id_diagnostica id;
  std::string_view nome;  // "signal-cell-taken": the id in JSON, editors and docs
  gravita severita;
  codice codice_compilatore;  // codice::nessuno for a warning
  file_colpevole file;
  bool imposta_posizione;  // the code sets posizione_errore
  std::string_view sommario;
  std::string_view rimedio;
};

// Every row, in the order of diagnostiche.def (the enum's order).
std::span<const voce_catalogo> catalogo();

const voce_catalogo& dal_catalogo(id_diagnostica id);

// Writes the id users see.
std::ostream& operator<<(std::ostream& out, id_diagnostica id);

// The diagnostic whose id users see as `nome`.
std::optional<id_diagnostica> cerca_diagnostica(std::string_view nome);

// The first row that records `c`: the one that tells whether the code sets
// a position, and what it means when no fault says more. Null for
// codice::nessuno and for numbers that are no code.
const voce_catalogo* prima_voce_del_codice(std::int32_t c);

}  // namespace scenario
