// What the checker's messages are written from: the two texts with the
// names the author gave them, and a reading's model and sources. Places in
// the files, cells and objects in words.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/indice_righe.h"
#include "compiler/check/controlla.h"
#include "compiler/check/diagnostica.h"
#include "compiler/route_model/misure.h"
#include "compiler/route_model/route_model.h"
#include "compiler/sorgenti.h"

namespace scenario {

// The lines of every file of an input, indexed once, so that quoting a
// place costs nothing however many diagnostics a long file gets.
class righe_dei_file {
 public:
  explicit righe_dei_file(const ingresso_controllo& in);
  // The line of `l` without its end; empty outside the file.
  std::string_view riga(const luogo& l) const;

 private:
  std::vector<std::pair<file_sorgente, indice_righe>> indici_;
};

struct contesto_check {
  contesto_check(const ingresso_controllo& ingresso, const modello_percorso& modello,
                 const sorgenti_modello& sorgenti);

  const ingresso_controllo& in;
  const modello_percorso& m;
  const sorgenti_modello& s;
  righe_dei_file righe;  // for quoting fields

  std::string_view testo(file_sorgente f) const;
  const std::string& nome_file(file_sorgente f) const;

  // "servizio.txt:17:1", or the file's name alone for line 0.
  std::string posto(const luogo& l) const;
  luogo di_campo(file_sorgente f, const campo_testo& c) const;
  // A record's value `campo`, or its keyword for -1 (or a value not read).
  luogo di_record(std::int32_t record, int campo) const;
  // The field's text as UTF-8, for quoting.
  std::string citazione(const luogo& l) const;
  std::string citazione(file_sorgente f, const campo_testo& c) const;
  // The object held by a cell, in words, with where it was written:
  // "the warning board of the slowdown at servizio.txt:17:1".
  std::string oggetto(std::uint8_t tipo, std::int32_t record, regola_posa regola) const;
};

// A field's bytes for a message, as UTF-8; a byte-order mark is named, not
// shown (printed, it is invisible or three odd characters).
std::string per_messaggio(std::string_view campo);

// "4230 m".
std::string metri(std::int64_t m);

}  // namespace scenario
