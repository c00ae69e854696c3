// A hand-written timetable sheet and slowdown order form read in the
// layouts of the program's own: each row's cells as values, with their
// places. A cell that is no number or no time is a finding at its place and
// reads as empty; the rest of the row is still read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/documenti/lettura_tabella.h"

namespace scenario {

// The time cell of a sheet's row.
struct orari_riga {
  std::optional<std::int64_t> arrivo;  // half minutes of the day
  std::optional<std::int64_t> partenza;
  std::optional<std::int64_t> passaggio;  // one time centred, or marked "(c)", "(X)"
  bool vuota() const { return !arrivo && !partenza && !passaggio; }
};

struct riga_scheda {
  std::int32_t riga = 0;
  std::optional<std::int32_t> velocita;
  std::optional<std::int64_t> km;  // metres
  std::string nome;                // the continuation rows' words added
  orari_riga orari;
  posto dove_km, dove_nome, dove_orario;
};

struct riga_modulo {
  std::int32_t riga = 0;
  std::string stazioni;
  // The cell "Inizio dopo il cippo chilometrico": a post ("17") or a
  // progressive ("16+350"), metres.
  std::optional<std::int64_t> km;
  bool cippo = false;  // km is a post's
  std::optional<std::int32_t> velocita;
  std::optional<std::int32_t> lunghezza;
  posto dove, dove_km, dove_velocita, dove_lunghezza;  // dove: the stations' cell
};

// A document's rows as read, with the reading findings.
template <class riga>
struct documento_letto {
  std::vector<riga> righe;
  rilievi rilievi_lettura;
  bool trovata = false;         // a table heading was found
  bool intera = false;          // every table ends with its closing rule
  std::int32_t prima_riga = 0;  // where the rows begin
  std::int32_t ultima_riga = 0;
};
using scheda_letta = documento_letto<riga_scheda>;
using modulo_letto = documento_letto<riga_modulo>;

scheda_letta leggi_scheda(std::string_view bytes);
modulo_letto leggi_modulo(std::string_view bytes);

// A kilometre as the documents write it: "39.050", "39,050", "39+050",
// "km 16+350", "-0.050"; "17" alone is whole kilometres. Metres, and whether
// the text was whole kilometres only.
struct km_letto {
  std::int64_t metri = 0;
  bool interi = false;
};
std::optional<km_letto> leggi_km(std::string_view t);

}  // namespace scenario
