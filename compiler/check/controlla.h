// The checker: every fault of both description files in one run, with its
// line and column and the fix in plain words. Errors are exactly what the
// compile step records (its codes, 1250/1251, no route model), found past
// each other by setting each faulty record aside and reading on; warnings
// are what the compile step accepts but an author almost never means.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compiler/check/diagnostica.h"
#include "compiler/compila.h"

namespace scenario {

// A file beside the two descriptions that diagnostics may stand in (the
// driver's documents), with its name and bytes.
struct altro_file {
  file_sorgente file = file_sorgente::nessuno;
  std::string nome;
  std::string_view testo;
};

struct ingresso_controllo {
  std::string_view linea;     // the line description file's bytes
  std::string_view servizio;  // the service file's bytes
  // The files as the author named them, for the places in messages.
  std::string nome_file_linea = "linea.txt";
  std::string nome_file_servizio = "servizio.txt";
  std::vector<altro_file> altri_file;
  std::string nome_linea;    // the route name and train number, as the
  std::string numero_treno;  // compile step would be given them
  // Lay the plan geometry in the compile step's run too (a viewer draws it);
  // the checker itself needs only its point count.
  bool posa_geometria = false;
  // Make the three binary files' bytes in that run too, for a caller that
  // writes them (compile), so the texts are compiled once for both.
  bool file_binari = false;

  // The bytes and the name of the file `f` (the line file's for nessuno:
  // the place of a fault outside any file); empty for a file not given.
  std::string_view testo(file_sorgente f) const;
  const std::string& nome_file(file_sorgente f) const;
  // "servizio.txt:17:1", or the file's name alone for line 0.
  std::string posto(const luogo& l) const;
};

struct esito_controllo {
  // Sorted by file (the line file first), line and column.
  std::vector<diagnostica> diagnostiche;
  int errori = 0;
  int avvisi = 0;
  // The compile step's own run on the same texts (j = 1, sources kept, the
  // geometry laid and the binary files made only on request): the model,
  // its sources and its faults.
  risultato_compilazione compilazione;
  // The checker's own reading, past every fault: each record read (a faulty
  // one set aside) with its fields' places, and the model it built. Editors
  // look up the record under the cursor and the cells it took here.
  modello_percorso modello_letto;
  sorgenti_modello sorgenti_letti;
};

esito_controllo controlla(const ingresso_controllo& in);

// The checker's promise, for tests and fuzzers: the code the compile step
// records is among the errors (1250 and 1251 too), and there is no error
// when it records none and completes. Empty when it holds, else what broke.
std::string accordo_con_compilazione(const esito_controllo& e);

}  // namespace scenario
