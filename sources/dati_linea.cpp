#include <array>
#include <string_view>

#include "sources/text_writer.h"
#include "sources/writers.h"

namespace scenario {

namespace {
// Placeholder content until the writer lands.
constexpr std::array<std::string_view, 1> testo = {""};
}  // namespace

void dati_linea(file_system& fs, const program_folder& cartella, std::string_view nome_linea) {
  scrivi_testo(fs, file_path(cartella, nome_file_linea_txt(nome_linea)), testo);
}

}  // namespace scenario
