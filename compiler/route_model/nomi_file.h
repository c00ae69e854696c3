// The names of the scenario's files, from the route name and the train
// number. Writers, readers, the program and the tools build them here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scenario {

namespace nomi_file_detail {
inline std::string per_treno(std::string_view nome_linea, std::string_view numero_treno,
                             std::string_view suffisso) {
  std::string nome(nome_linea);
  nome += '_';
  nome += numero_treno;
  nome += suffisso;
  return nome;
}
}  // namespace nomi_file_detail

// Line description: `nome_linea`_linea.txt.
inline std::string nome_file_linea_txt(std::string_view nome_linea) {
  return std::string(nome_linea) + "_linea.txt";
}
// Service file: `nome_linea`_`numero_treno`-.txt.
inline std::string nome_file_servizio_txt(std::string_view nome_linea,
                                          std::string_view numero_treno) {
  return nomi_file_detail::per_treno(nome_linea, numero_treno, "-.txt");
}
// Notes for the driver.
inline std::string nome_file_note(std::string_view nome_linea, std::string_view numero_treno) {
  return nomi_file_detail::per_treno(nome_linea, numero_treno, "_note.txt");
}
// Slowdown order form.
inline std::string nome_file_rallentamenti(std::string_view nome_linea,
                                           std::string_view numero_treno) {
  return nomi_file_detail::per_treno(nome_linea, numero_treno, "_rallentamenti.txt");
}
// Timetable sheet.
inline std::string nome_file_scheda(std::string_view nome_linea, std::string_view numero_treno) {
  return nomi_file_detail::per_treno(nome_linea, numero_treno, "_scheda_treno.txt");
}
// Train model of the running-time calculation, beside the service file;
// written by authors, never by the program.
inline std::string nome_file_modello_treno(std::string_view nome_linea,
                                           std::string_view numero_treno) {
  return nomi_file_detail::per_treno(nome_linea, numero_treno, "_treno.json");
}
// Line data (the plan geometry).
inline std::string nome_file_linea_dat(std::string_view nome_linea) {
  return std::string(nome_linea) + "_linea.dat";
}
// Simulation file (the item table).
inline std::string nome_file_sim(std::string_view nome_linea, std::string_view numero_treno) {
  return nomi_file_detail::per_treno(nome_linea, numero_treno, ".sim");
}
// Cell data.
inline std::string nome_file_celle_dat(std::string_view nome_linea, std::string_view numero_treno) {
  return nomi_file_detail::per_treno(nome_linea, numero_treno, ".dat");
}

// All eight, in the order a run writes them: the two descriptions, the
// three documents, the three compiled files.
inline std::vector<std::string> nomi_file_scenario(std::string_view nome_linea,
                                                   std::string_view numero_treno) {
  return {nome_file_linea_txt(nome_linea),
          nome_file_servizio_txt(nome_linea, numero_treno),
          nome_file_note(nome_linea, numero_treno),
          nome_file_rallentamenti(nome_linea, numero_treno),
          nome_file_scheda(nome_linea, numero_treno),
          nome_file_linea_dat(nome_linea),
          nome_file_sim(nome_linea, numero_treno),
          nome_file_celle_dat(nome_linea, numero_treno)};
}

}  // namespace scenario
