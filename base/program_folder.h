// Where the scenario's files live, and the rule that names them: the folder,
// one separator (always inserted, even after a drive root), then the name.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

struct program_folder {
  std::filesystem::path dir;
  char separator = '/';  // "\" on Windows
};

std::filesystem::path file_path(const program_folder& folder, std::string_view name);

// The names of the scenario's files, from the route name and the train number.
std::string nome_file_linea_txt(std::string_view nome_linea);  // line description
std::string nome_file_servizio_txt(std::string_view nome_linea, std::string_view numero_treno);
std::string nome_file_note(std::string_view nome_linea, std::string_view numero_treno);
std::string nome_file_rallentamenti(std::string_view nome_linea, std::string_view numero_treno);
std::string nome_file_scheda(std::string_view nome_linea, std::string_view numero_treno);
std::string nome_file_linea_dat(std::string_view nome_linea);  // line data (geometry)
std::string nome_file_sim(std::string_view nome_linea, std::string_view numero_treno);
std::string nome_file_celle_dat(std::string_view nome_linea, std::string_view numero_treno);

// All eight, in the order a run writes them: the two descriptions, the three
// documents, the three compiled files.
std::vector<std::string> nomi_file_scenario(std::string_view nome_linea,
                                            std::string_view numero_treno);

}  // namespace scenario
