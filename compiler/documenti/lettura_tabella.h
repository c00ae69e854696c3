// Reading the table of a driver's document drawn with "|" and "_": the
// heading, the rows cell by cell with their places, and the closing rule;
// page after page. Whatever the bytes, it ends: what cannot be read is a
// finding at its place (an empty document, another layout, UTF-8 text,
// tabs, line ends other than CR LF, a line in the table that is no row, a
// table cut short), and the rows read so far stay usable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "compiler/documenti/rilievi.h"

namespace scenario {

struct cella_letta {
  std::string_view testo;    // without the blanks around it
  std::string_view intera;   // everything between the two bars
  std::int32_t colonna = 0;  // 1-based, of `testo` (of the cell when it is blank)
};

struct riga_letta {
  std::int32_t riga = 0;  // 1-based line of the document
  std::vector<cella_letta> celle;
  posto dove(std::size_t i) const;  // cell i's text, its length at least 1
};

struct tabella_letta {
  std::vector<riga_letta> righe;  // rows that hold anything, in document order
  rilievi rilievi_lettura;        // reading findings, in document order
  bool trovata = false;           // a table heading was found
  bool intera = false;            // every table found ends with its closing rule
  std::int32_t prima_riga = 0;    // where the first table's rows begin
  std::int32_t ultima_riga = 0;   // the last line of the document
};

struct forma_tabella {
  documento doc = documento::scheda;
  std::size_t n_celle = 0;
  const char* nome = "";        // "timetable sheet", for messages
  const char* altro_nome = "";  // the other document
  bool (*intestazione)(std::string_view riga) = nullptr;
  bool (*intestazione_altra)(std::string_view riga) = nullptr;
  bool asterischi = false;  // lines of "*" close the list and are read over
};

tabella_letta leggi_tabella(std::string_view bytes, const forma_tabella& forma);

// The finding of id `id` of `genere` for `doc`.
rilievo rilievo_di(const char* id, documento doc, genere_rilievo genere, const posto& dove,
                   std::string messaggio);

}  // namespace scenario
