// The record kinds of the two description files: how the readers recognise
// each keyword, the value fields that follow it with their types, units and
// meaning, and what the route model keeps of them. The readers dispatch on
// this table; the checker, the language server and the decompiler describe
// records from it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace scenario {

// The files a record or a diagnostic stands in. The readers read the first
// two; the driver's documents (the timetable sheet and the slowdown order
// form) are only places of diagnostics.
enum class file_sorgente : std::uint8_t { nessuno, linea, servizio, scheda_treno, rallentamenti };

// In the order the readers test them: a field can match several kinds, and
// each one that matches reads its values, in this order.
enum class tipo_record : std::uint8_t {
  // Line description file, general section.
  lunghezza_percorso,
  progressiva_tre,
  progressiva_due,
  progressiva_uno,
  sfondo_uno,
  sfondo_due,
  sfondo_tre,
  ripetizione_segnali,
  // Line description file, after the general section.
  pendenza,
  curva,
  montagna,
  indicatori_vmax,
  cartello_indicatore,
  // Service file.
  massa_frenata,
  numero_vetture,
  velocita,
  aderenza,
  orologio,
  sabbia,
  segnale,
  rallentamento,
  abbattimento,
  stazione,
};
inline constexpr int n_tipi_record = 23;

// The width a value field is read at.
enum class tipo_valore : std::uint8_t { long_32, integer_16, byte_8, testo };

struct descrizione_campo {
  std::string_view nome;         // the field's name: "posizione"
  tipo_valore tipo;              // what the reader reads it as
  std::string_view unita;        // "m", "km/h", "per mille", or empty
  std::string_view significato;  // what it means, in plain words
  std::string_view memorizzato;  // what the route model keeps of it
};

struct descrizione_record {
  tipo_record tipo;
  file_sorgente file;
  bool sezione_generale;  // read only in the line file's general section
  // The keyword as the writers spell it ("curvad4" for curves: "curva",
  // side, class).
  std::string_view parola_chiave;
  // The reader's test: the field contains every non-empty word.
  std::string_view parole[2];
  bool maiuscole_esatte;  // the test minds letter case
  std::span<const descrizione_campo> campi;
  std::string_view descrizione;  // what the record is, one sentence
};

// Every kind, in the order of tipo_record.
std::span<const descrizione_record> tipi_record();
const descrizione_record& descrizione(tipo_record t);

// The reader's keyword test.
bool corrisponde(const descrizione_record& d, std::string_view campo);

// The kinds a file's reader tests after its general section, in their order.
std::span<const tipo_record> tipi_corpo(file_sorgente f);
// The kinds of the line file's general section, in their order.
std::span<const tipo_record> tipi_generale();

}  // namespace scenario
