// Test support for the readers: a program folder in memory holding a line
// description file and a service file, and a model ready to be read into.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>

#include "base/memory_file_system.h"
#include "base/program_folder.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/readers/memorizza_dati.h"
#include "compiler/route_model/nomi_file.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

// Lines joined, each ended by CR LF.
inline std::string righe(std::initializer_list<std::string> lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

struct cartella_prova {
  memory_file_system fs;
  program_folder dir{"/prog", '/'};
  modello_percorso m;

  cartella_prova() {
    m.nome_linea = "L";
    m.numero_treno = "T";
    m.genera_linea = 1;
  }
  std::filesystem::path linea() const { return file_path(dir, nome_file_linea_txt("L")); }
  std::filesystem::path servizio() const {
    return file_path(dir, nome_file_servizio_txt("L", "T"));
  }
  void scrivi_linea(const std::string& s) { fs.write_file(linea(), s); }
  void scrivi_servizio(const std::string& s) { fs.write_file(servizio(), s); }
  bool c_e_linea() { return fs.file_exists(linea()); }
  bool c_e_servizio() { return fs.file_exists(servizio()); }
  traccia_lettura traccia;

  // The readers on the folder's two files, which are then deleted as the
  // program deletes them.
  void leggi() {
    std::optional<std::string> l, s;
    if (fs.file_exists(linea())) l = fs.read_file(linea());
    if (fs.file_exists(servizio())) s = fs.read_file(servizio());
    testi_scenario t;
    if (l) t.linea = *l;
    if (s) t.servizio = *s;
    memorizza_dati(m, t,
                   {modo_lettura::esatto, true, elimina_dopo_lettura(fs, linea(), servizio())},
                   nullptr, &traccia);
  }

  // Where the fault that set the current error code stands.
  struct origine_guasto {
    file_sorgente file = file_sorgente::nessuno;
    std::int32_t riga = 0;
  };
  origine_guasto origine() const {
    for (auto it = traccia.guasti.rbegin(); it != traccia.guasti.rend(); ++it) {
      if (numero(it->codice_guasto) == m.codice_errore) return {it->file, it->dove.riga};
    }
    return {};
  }
  cella& c(int i) { return m.celle.at(static_cast<std::size_t>(i)); }
};

// A minimal line file: 1000 m of line, so n_celle = R(8000 / 50) = 160,
// with `corpo` after the general section.
inline std::string linea_minima(std::initializer_list<std::string> corpo) {
  std::string s = righe({"[generale]", "lunghezza percorso, 1000", "[corpo]"});
  for (const auto& l : corpo) s += l + "\r\n";
  return s + "[fine]\r\n";
}

inline std::string servizio_minimo(std::initializer_list<std::string> corpo) {
  std::string s = righe({"[generale]"});
  for (const auto& l : corpo) s += l + "\r\n";
  return s + "[fine]\r\n";
}

}  // namespace scenario
