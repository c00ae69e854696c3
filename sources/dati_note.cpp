#include <array>
#include <string_view>

#include "sources/text_writer.h"
#include "sources/writers.h"

namespace scenario {

namespace {
// Placeholder content until the writer lands.
constexpr std::array<std::string_view, 1> testo = {""};
}  // namespace

void dati_note(file_system& fs, const program_folder& cartella, std::string_view nome_linea,
               std::string_view numero_treno) {
  scrivi_testo(fs, file_path(cartella, nome_file_note(nome_linea, numero_treno)), testo);
}

}  // namespace scenario
