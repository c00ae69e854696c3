// Service file of train 7547: make-up, start clock, adhesion and speed
// profiles, stations with timetable, the slowdown and the signals. Line 5
// ends with a blank and the line after "[rallentamenti]" is empty; the
// reader skips both. "2°" becomes the single byte 0xB0.
#include <array>
#include <string_view>

#include "compiler/route_model/nomi_file.h"
#include "sources/text_writer.h"
#include "sources/writers.h"

namespace scenario {

namespace {
// One entry per line of the file, UTF-8 here; CR LF is added on writing.
// clang-format off
constexpr std::array<std::string_view, 48> testo_treno = {
    "[generale]",
    "numero vetture,    4",
    "percentuale massa frenata,    100",
    "sabbia,    0",
    "orologio,    13              48            40 ",
    "[aderenze]",
    "aderenza,   0,    100",
    "[vel_limite]",
    "velocita,       0,    70",
    "velocita,    2050,   100",
    "velocita,    8000,    75",
    "velocita,   12650,    85",
    "velocita,   23050,    75",
    "velocita,   33800,    90",
    "velocita,   39100,    30",
    "velocita,   39400,   100",
    "[stazioni]",
    "stazione,       0, 12,  400,  1, 0, 1,  4,1,0,  2,1,1,    1,  13,49, 0, VITERBO P. F.",
    "stazione,   12450, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,  14, 0, 0, Montefiascone",
    "stazione,   22850, 24,  300,  0, 0, 1,  0,0,0,  4,1,1,   30,  14, 9, 0, Grotte S. Stefano",
    "stazione,   31900, 27,  200,  0, 0, 0,  0,0,0,  0,0,0,   30,  14, 9, 0, Sipicciano S. Nicola",
    "stazione,   33650, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,  14,22, 0, Sipicciano",
    "stazione,   38950, 22,  400,  0, 0, 0,  0,0,0,  2,4,1,   30,  14,27,30, ATTIGLIANO",
    "stazione,   44200, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 0, 0, Bassano in Teverina",
    "stazione,   46650, 26,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, 2° Bivio Orte Nord",
    "stazione,   52600,  4,  400,  1, 0, 0,  1,1,0,  2,1,1,    0,  14,38, 0, ORTE",
    "[rallentamenti]",
    "",
    "rallentamento,   22700,    30,  200, 1,  0,  0",
    "[segnali]",
    "segnale,   10000,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   11000,   2, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   21100,   2, 5, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   22100,   2, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   31800,   2, 5, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   33000,   2, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   37000,   1, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   38100,   2, 3, 1,  0, 0,    0,  0,0,0, 130",
    "segnale,   42100,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   43200,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,   45050,   2, 4, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   46400,   2, 4, 1,  1, 0,    2,  2,1,1, 0",
    "segnale,   47300,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   48850,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
    "segnale,   50000,   2, 3, 1,  0, 0,    1,  3,1,0, 0",
    "segnale,   51300,   2, 2, 3,  0, 0,    0,  2,1,0, 120",
    "[codici]",
    "[fine]",
};
// clang-format on
}  // namespace

void dati_treno(file_system& fs, const program_folder& cartella, std::string_view nome_linea,
                std::string_view numero_treno) {
  scrivi_testo(fs, file_path(cartella, nome_file_servizio_txt(nome_linea, numero_treno)),
               testo_treno);
}

}  // namespace scenario
