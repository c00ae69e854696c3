// Compiles the two text files in a folder, or writes the largest route's
// two text files into it: a whole process to time and to measure the peak
// memory of.
//   compile_folder write-large DIR   writes the largest route's text files
//   compile_folder compile DIR       compiles them (j = 1) into DIR
#include <cstdio>
#include <exception>
#include <string>

#include "base/file_system.h"
#include "base/program_folder.h"
#include "bench/large_route.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/route_model/nomi_file.h"

int main(int argc, char** argv) {
  using namespace scenario;
  if (argc != 3) {
    std::fprintf(stderr, "usage: compile_folder write-large|compile DIR\n");
    return 2;
  }
  const std::string command = argv[1];
  const program_folder cartella{argv[2], '/'};
  const std::string linea = "Viterbo_Attigliano_Orte";
  const std::string treno = "7547";
  disk_file_system disk;
  try {
    if (command == "write-large") {
      disk.write_file(file_path(cartella, nome_file_linea_txt(linea)), large_route::line_file());
      disk.write_file(file_path(cartella, nome_file_servizio_txt(linea, treno)),
                      large_route::service_file());
      return 0;
    }
    if (command == "compile") {
      modello_percorso m;
      m.nome_linea = linea;
      m.numero_treno = treno;
      const esito_compilazione esito = memorizza_percorso(m, disk, cartella, 1);
      std::printf("outcome %d, code %d, position %d, cells %d\n", static_cast<int>(esito),
                  m.codice_errore, m.posizione_errore, m.n_celle);
      return esito == esito_compilazione::completato ? 0 : 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "compile_folder: %s\n", e.what());
    return 2;
  }
  std::fprintf(stderr, "compile_folder: unknown command %s\n", command.c_str());
  return 2;
}
