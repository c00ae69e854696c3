// Slowdown order form (Modulo M. 3) handed to the driver of train 7547. Its
// text is fixed: it is not derived from the service file's slowdown record
// (200 m there, 300 m on the form). The misspelt "Rallentamneto" is part of
// the form's established text and stays as it is.
#include <array>
#include <string_view>

#include "compiler/route_model/nomi_file.h"
#include "sources/documenti_fissi.h"
#include "sources/text_writer.h"
#include "sources/writers.h"

namespace scenario {

namespace {
// One entry per line of the file, UTF-8 here; CR LF is added on writing.
// clang-format off
constexpr std::array<std::string_view, 46> testo_rallentamenti = {
    "",
    "                               Modulo M. 3",
    "                           ORDINE DI RALLENTAMENTO",
    " ________________________________________________________________________________",
    "  Linea  Viterbo - Attigliano",
    "",
    "  Si ordina al macchinista del treno 7547 di effettuare i seguenti rallentamenti",
    "  _______________________________________________________________________________",
    " |   |                            |Inizio dopo |          |         |            |",
    " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
    " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
    " |___|____________________________|____________|__________|_________|____________|",
    " |   |   GROTTE SANTO STEFANO     |    17      |    30    |   300   |    A-B     |",
    " *********************************************************************************",
    " *********************************************************************************",
    " *********************************************************************************",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |___|____________________________|____________|__________|_________|____________|",
    "",
    "              Prescrizioni specifiche",
    " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
    " B - Interessa anche la stazione di GROTTE SANTO STEFANO",
    " D - Rallentamneto N. ... e N. ...  sono contigui",
    " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
    "     i giorni esclusi i seguenti:.........",
};
// clang-format on
}  // namespace

std::span<const std::string_view> righe_rallentamenti() {
  return testo_rallentamenti;
}

void dati_rallentamenti(file_system& fs, const program_folder& cartella,
                        std::string_view nome_linea, std::string_view numero_treno) {
  scrivi_testo(fs, file_path(cartella, nome_file_rallentamenti(nome_linea, numero_treno)),
               testo_rallentamenti);
}

}  // namespace scenario
