// Form1, the program's single object: the two identifiers of the scenario,
// the route model and the run sequence from start-up to the end.
#pragma once

#include <string>

#include "app/platform.h"
#include "base/file_system.h"
#include "base/program_folder.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

inline constexpr const char* titolo_applicazione = "viterbo_orte_7547";

class Form1 {
 public:
  Form1(platform& piattaforma, file_system& fs);

  // The whole run: fix the identifiers, show the waiting window, remove the
  // temporaries a killed run left, write the five text files, compile the
  // route, end the program. Never returns.
  [[noreturn]] void Form_Load();

  // The fatal report: " Errore n. " followed by the code, OK, then the end
  // of the program with status 1.
  [[noreturn]] void errore(const std::string& a);

  std::string nome_linea;
  std::string numero_treno;
  modello_percorso modello;

 private:
  // A run killed halfway may have left the temporary file of the write it
  // was in; this run removes those of every scenario file before writing.
  void remove_stale_temporaries(const program_folder& cartella);
  [[noreturn]] void unexpected_failure(const std::string& what);

  platform& piattaforma_;
  file_system& fs_;
};

}  // namespace scenario
