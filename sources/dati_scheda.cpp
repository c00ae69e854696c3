// Timetable sheet (SCHEDA TRENO) of train 7547, boxes drawn with "|" and
// "_". Line 11 ends with eight blanks and line 48 with two; "°" and "à" are
// one byte each in the file.
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
constexpr std::array<std::string_view, 54> testo_scheda = {
    "",
    "                                          SCHEDA TRENO",
    "  ___________________ ________________                        ______________________",
    " |  Fascicolo Linee  |     Treno      |    scheda n° 1/1     | Sigla di composizione|",
    " |       113         |      7547      |                      |         V130 B       |",
    " |___________________|________________|    da: VITERBO P.F.  |          100%        |",
    "                     | Termine scheda |    a:  ORTE          |______________________|",
    "  ___________________|______ORTE______|                       ______________________",
    " |  CLASSIFICAZIONE  | Massa Bloccata |                      |             |        |",
    " |       Reg         |   2Ale + 2Le   |                      | ALe 801/940 |  RSC4  |",
    " |___________________|________________|                      |_____________|________|        ",
    "",
    "  _______________________________________________________________________________________",
    " |_Binari DX_| Progr Km    Località              |     Orario     | Bin. DX | SRS   SRS |",
    " | Vel.| Vel.|                                   |                | V. Max. | SX     DX |",
    " |_lim.|_Mar.|___________________________________|________________|_________|___________|",
    " |  70 |     |   39.050 |VITERBO P.F.            |          13.49 |    /    |           |",
    " | 100 |     |   37.000 |cippo Km 37+000         |       -        |         |           |",
    " |  75 |     |   31.000 |cippo Km 31+000         |       -        |         |           |",
    " |  85 |     |   26.650 |MONTEFIASCONE           |13.59+    14.00 |         |           |",
    " |     |     |   22.000 |cippo Km 22+000         |       -        |    /    |           |",
    " |     |     |   18.000 |cippo Km 18+000         |       -        |         |           |",
    " |  75 |     |   16.300 |GROTTE SANTO STEFANO    |14.08+    14.09 |         |           |",
    " |     |     |   16.000 |cippo Km 16+000         |       -        |    /    |           |",
    " |     |     |   13.000 |cippo Km 13+000         |       -        |         |           |",
    " |     |     |    7.350 |S. Nicola               |14.17+    14.18 |         |           |",
    " |  90 |     |    5.400 |SIPICCIANO              |14.21+    14.22 |    /    |           |",
    " |     |     |    5.200 |Dev. U.                 |       -        |         |           |",
    " |     |     |    0.000 |ATTIGLIANO-BOMARZO      |14.27     14.27+|    /    |           |",
    " | 100 |     |   96.100 |Dev. U.                 |       -        |   105   |           |",
    " |     |     |   90.900 |BASSANO IN TEVERINA     |     14.31 (X)  |         |           |",
    " |     |     |   88.400 |2° bivio Orte Nord      |     14.33      |         | COD   COD |",
    " |  95 |     |   82.200 |Dev. I.                 |       -        |   95    |NOCOD NOCOD|",
    " |     |     |   82.500 |ORTE                    |          14.38 |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |     |     |          |                        |                |         |           |",
    " |_____|_____|__________|________________________|________________|_________|___________|  ",
    "  NOTE:",
    "  * Fermata a richiesta (perditempo non compreso in orario 1.5 min.)",
    "  il + nella casella orario indica 1/2 minuto",
    "",
    "",
    "",
};
// clang-format on
}  // namespace

std::span<const std::string_view> righe_scheda() {
  return testo_scheda;
}

void dati_scheda(file_system& fs, const program_folder& cartella, std::string_view nome_linea,
                 std::string_view numero_treno) {
  scrivi_testo(fs, file_path(cartella, nome_file_scheda(nome_linea, numero_treno)), testo_scheda);
}

}  // namespace scenario
