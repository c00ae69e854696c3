#include "base/program_folder.h"

namespace scenario {

std::filesystem::path file_path(const program_folder& folder, std::string_view name) {
  std::filesystem::path::string_type full = folder.dir.native();
  full += static_cast<std::filesystem::path::value_type>(folder.separator);
  full += std::filesystem::path(std::string(name)).native();
  return std::filesystem::path(std::move(full));
}

namespace {
std::string train_file(std::string_view nome_linea, std::string_view numero_treno,
                       std::string_view suffix) {
  std::string name(nome_linea);
  name += '_';
  name += numero_treno;
  name += suffix;
  return name;
}
}  // namespace

std::string nome_file_linea_txt(std::string_view nome_linea) {
  return std::string(nome_linea) + "_linea.txt";
}
std::string nome_file_servizio_txt(std::string_view nome_linea, std::string_view numero_treno) {
  return train_file(nome_linea, numero_treno, "-.txt");
}
std::string nome_file_note(std::string_view nome_linea, std::string_view numero_treno) {
  return train_file(nome_linea, numero_treno, "_note.txt");
}
std::string nome_file_rallentamenti(std::string_view nome_linea, std::string_view numero_treno) {
  return train_file(nome_linea, numero_treno, "_rallentamenti.txt");
}
std::string nome_file_scheda(std::string_view nome_linea, std::string_view numero_treno) {
  return train_file(nome_linea, numero_treno, "_scheda_treno.txt");
}
std::string nome_file_linea_dat(std::string_view nome_linea) {
  return std::string(nome_linea) + "_linea.dat";
}
std::string nome_file_sim(std::string_view nome_linea, std::string_view numero_treno) {
  return train_file(nome_linea, numero_treno, ".sim");
}
std::string nome_file_celle_dat(std::string_view nome_linea, std::string_view numero_treno) {
  return train_file(nome_linea, numero_treno, ".dat");
}

std::vector<std::string> nomi_file_scenario(std::string_view nome_linea,
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
