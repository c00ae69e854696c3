// The record kinds of the two description files: how the readers recognise
// each keyword, the value fields that follow it with their types, units and
// meaning, and what the route model keeps of them. The readers dispatch on
// this table; the checker, the language server and the decompiler describe
// records from it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
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

// Whole numbers from `minimo` to `massimo`, both included, in steps of
// `passo` (a multiple of it).
struct intervallo_valori {
  std::int64_t minimo;
  std::int64_t massimo;
  std::int64_t passo;
  constexpr bool contiene(std::int64_t v) const {
    return v >= minimo && v <= massimo && v % passo == 0;
  }
};

// How a field relates to the cells, the line and the other records, as
// bits of descrizione_campo::relazioni.
namespace relazione {
inline constexpr std::uint16_t nessuna = 0;
// A position of an object that goes into the cell R(p / 50 + 1).
inline constexpr std::uint16_t cella_oggetto = 1u << 0;
// A position from which a profile value holds: from the cell R(p / 50).
inline constexpr std::uint16_t cella_profilo = 1u << 1;
// A position from 0 to the line's length.
inline constexpr std::uint16_t dentro_linea = 1u << 2;
// The records of the kind go in increasing order of this position.
inline constexpr std::uint16_t crescente = 1u << 3;
// An end: after the record's start (its first value).
inline constexpr std::uint16_t dopo_inizio = 1u << 4;
// A length from the record's start (its first value); start plus length
// is a position too.
inline constexpr std::uint16_t lunghezza_da_inizio = 1u << 5;
// Starts at or after the previous record of the kind ends.
inline constexpr std::uint16_t senza_sovrapposizione = 1u << 6;
// One record of the kind in a file.
inline constexpr std::uint16_t unico = 1u << 7;
}  // namespace relazione

struct descrizione_campo {
  std::string_view nome;         // the field's name: "posizione"
  tipo_valore tipo;              // what the reader reads it as
  std::string_view unita;        // "m", "km/h", "per mille", or empty
  std::string_view significato;  // what it means, in plain words
  std::string_view memorizzato;  // what the route model keeps of it
  // The values the compiled files keep as written (the type's own range
  // when they keep every one), and the values a real line has; a text
  // field has neither.
  intervallo_valori tenuto;
  intervallo_valori reale;
  std::uint16_t relazioni;  // bits of `relazione`
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

// A range in words: "-100 to 155", "0 to 1275 in steps of 5", "any" for
// every value of its width (`tipo`), "-" for a text.
std::string intervallo_in_parole(const intervallo_valori& v, tipo_valore tipo);
// A field's relations in words, "-" for none: "cell R(p / 50 + 1); inside
// the line".
std::string relazioni_in_parole(std::uint16_t relazioni);

// The reader's keyword test.
bool corrisponde(const descrizione_record& d, std::string_view campo);

// The kinds a file's reader tests after its general section, in their order.
std::span<const tipo_record> tipi_corpo(file_sorgente f);
// The kinds of the line file's general section, in their order.
std::span<const tipo_record> tipi_generale();

}  // namespace scenario
