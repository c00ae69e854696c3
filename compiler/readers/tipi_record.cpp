#include "compiler/readers/tipi_record.h"

#include <array>
#include <utility>

#include "base/cp1252.h"

namespace scenario {

namespace {

using enum tipo_valore;
namespace rel = relazione;

// What a field of each width keeps: every value the reader reads.
constexpr intervallo_valori tipo_long{-2147483648LL, 2147483647LL, 1};
constexpr intervallo_valori tipo_integer{-32768, 32767, 1};
constexpr intervallo_valori tipo_byte{0, 255, 1};
constexpr intervallo_valori senza_valori{0, 0, 1};  // a text
// A cell's 16-bit value, which keeps the low 16 bits of a Long; a marker's
// value from 1 up (0 or less: a marker without one).
constexpr intervallo_valori bassi_16{-32768, 32767, 1};
constexpr intervallo_valori valore_marcatore{-2147483648LL, 32767, 1};
// A real line's positions (the format's longest line) and speeds.
constexpr intervallo_valori posizioni{0, 1000000, 1};
constexpr intervallo_valori velocita_reali{0, 350, 1};

constexpr descrizione_campo campi_lunghezza[] = {
    {"lunghezza_percorso",
     long_32,
     "m",
     "length of the line from its origin; at most 1000000. The route model reaches 7000 m "
     "further: its cells (50 m each) and geometry points (one per metre) are sized from it",
     "entry 84 `fine`; the model gets R((L + 7000) / 50) + 1 cells",
     {0, 1000000, 1},
     {1000, 1000000, 1},
     rel::unico},
};

constexpr descrizione_campo campi_progressiva[] = {
    {"inizio",
     long_32,
     "m",
     "position from which the kilometric series applies",
     "`inizio` of entry 81, 82 or 83 (the series are sorted by start, greatest first); must be a "
     "multiple of 50",
     {-2147483648LL, 2147483647LL, 50},
     posizioni,
     rel::dentro_linea},
    {"origine",
     long_32,
     "m",
     "the kilometric progressive, in metres, that the series has at position 0 (a series that "
     "counts down along the line reads origine - p at position p)",
     "`fine` of the entry, plus 100 when `verso` is 1; must be a multiple of 50",
     {-2147483648LL, 2147483647LL, 50},
     {0, 2000000, 1},
     rel::nessuna},
    {"verso",
     long_32,
     "",
     "1 for a series in use, 0 for an unused one",
     "`posizione` of the entry",
     tipo_long,
     {0, 1, 1},
     rel::nessuna},
};

constexpr descrizione_campo campi_sfondo[] = {
    {"sfondo",
     long_32,
     "",
     "background selector (0 or 1); the simulator chooses the scenery by it",
     "entry 85: `inizio` (uno), `posizione` (due), `fine` (tre)",
     tipo_long,
     {0, 1, 1},
     rel::nessuna},
};

constexpr descrizione_campo campi_ripetizione[] = {
    {"inizio",
     long_32,
     "m",
     "start of the zone with coded signal repetition; a multiple of 50",
     "entry 86 `inizio`",
     {-2147483648LL, 2147483647LL, 50},
     posizioni,
     rel::dentro_linea},
    {"fine",
     long_32,
     "m",
     "end of the zone; a multiple of 50; 0 means no zone (the number of codes is then 0)",
     "entry 86 `fine`; the keyword's digit 4 or 9 goes to entry 86 `posizione`",
     {-2147483648LL, 2147483647LL, 50},
     posizioni,
     rel::dentro_linea | rel::dopo_inizio},
};

constexpr descrizione_campo campi_pendenza[] = {
    {"inizio", long_32, "m",
     "position from which the gradient applies, up to the next \"pendenza\" record",
     "the gradient holds from the cell R(inizio / 50) on", tipo_long, posizioni,
     rel::cella_profilo | rel::dentro_linea | rel::crescente},
    {"pendenza",
     long_32,
     "per mille",
     "gradient, positive uphill along the line",
     "`pendenza` of each cell = gradient + 100, low 8 bits (so -100 .. 155 are kept as written)",
     {-100, 155, 1},
     {-80, 80, 1},
     rel::nessuna},
};

constexpr descrizione_campo campi_curva[] = {
    {"inizio", long_32, "m", "start of the curve; the track runs straight up to it",
     "geometry points from here on turn", tipo_long, posizioni,
     rel::dentro_linea | rel::senza_sovrapposizione},
    {"lunghezza",
     long_32,
     "m",
     "length of the curve",
     "geometry points inizio + 1 .. inizio + lunghezza turn by the class's curvature per metre",
     tipo_long,
     {1, 20000, 1},
     rel::lunghezza_da_inizio},
};

constexpr descrizione_campo campi_montagna[] = {
    {"inizio", long_32, "m", "start of the mountain or tunnel span",
     "`montagna` of the cells R(inizio / 50) .. R(fine / 50 - 1)", tipo_long, posizioni,
     rel::cella_profilo | rel::dentro_linea},
    {"fine", long_32, "m", "end of the span", "last cell R(fine / 50 - 1)", tipo_long, posizioni,
     rel::cella_profilo | rel::dentro_linea | rel::dopo_inizio},
    {"tipo", long_32, "",
     "span type; above 10 means type - 10 with a marker every 200 m inside the span; a span "
     "starting 150 m or less after the previous one ends is of type 3",
     "`montagna` of the span's cells (low 8 bits); markers are cell code 11 in every 4th cell",
     tipo_long, tipo_long, rel::nessuna},
};

constexpr descrizione_campo campi_indicatori[] = {
    {"posizione", long_32, "m", "position of the speed board",
     "the board goes into cell R(posizione / 50 + 1), cell code 6", tipo_long, posizioni,
     rel::cella_oggetto | rel::dentro_linea},
    {"vas", long_32, "km/h", "category A speed on the left-hand board",
     "`dato1` = R(vad / 5 + vas x 20)", tipo_long, velocita_reali, rel::nessuna},
    {"vbs", long_32, "km/h", "category B speed on the left-hand board",
     "`dato2` = R(vbd / 5 + vbs x 20)", tipo_long, velocita_reali, rel::nessuna},
    {"vcs", long_32, "km/h", "category C speed on the left-hand board",
     "`dato3` = R(vcd / 5 + vcs x 20)", tipo_long, velocita_reali, rel::nessuna},
    {"strisces",
     long_32,
     "",
     "stripe count of the left-hand board (0, 1 or 2)",
     "`dato4` = strisces x 10 + strisced",
     {0, 9, 1},
     {0, 2, 1},
     rel::nessuna},
    {"vad",
     long_32,
     "km/h",
     "category A speed on the right-hand board; empty reads 0",
     "`dato1`, divided by 5: a multiple of 5 is kept exactly",
     {-2147483648LL, 2147483647LL, 5},
     velocita_reali,
     rel::nessuna},
    {"vbd",
     long_32,
     "km/h",
     "category B speed on the right-hand board; empty reads 0",
     "`dato2`, divided by 5",
     {-2147483648LL, 2147483647LL, 5},
     velocita_reali,
     rel::nessuna},
    {"vcd",
     long_32,
     "km/h",
     "category C speed on the right-hand board; empty reads 0",
     "`dato3`, divided by 5",
     {-2147483648LL, 2147483647LL, 5},
     velocita_reali,
     rel::nessuna},
    {"strisced",
     long_32,
     "",
     "stripe count of the right-hand board",
     "`dato4` units",
     {0, 9, 1},
     {0, 2, 1},
     rel::nessuna},
};

constexpr descrizione_campo campi_cartello[] = {
    {"posizione", long_32, "m", "position of the indication board",
     "the board goes into cell R(posizione / 50 + 1), cell code 14, `dato1` = its item slot",
     tipo_long, posizioni, rel::cella_oggetto | rel::dentro_linea},
    {"scritta", testo, "",
     "the board's text: one to three lines, each in parentheses, e.g. \"(P.L.A.)(km. 35+997)\"; "
     "\"(______)\" for a blank line; no comma",
     "`nome` of an item slot, 80 downward", senza_valori, senza_valori, rel::nessuna},
};

constexpr descrizione_campo campi_massa[] = {
    {"percentuale_massa_frenata",
     long_32,
     "%",
     "braked mass of the train",
     "entry 84 `inizio`",
     tipo_long,
     {0, 300, 1},
     rel::nessuna},
};

constexpr descrizione_campo campi_vetture[] = {
    {"numero_vetture",
     long_32,
     "",
     "number of cars of the train",
     "entry 84 `posizione`",
     tipo_long,
     {1, 50, 1},
     rel::nessuna},
};

constexpr descrizione_campo campi_velocita[] = {
    {"posizione", long_32, "m",
     "position from which the speed limit applies, up to the next \"velocita\" record; the first "
     "one at 0",
     "the limit holds from the cell R(posizione / 50) on", tipo_long, posizioni,
     rel::cella_profilo | rel::dentro_linea | rel::crescente},
    {"velocita",
     long_32,
     "km/h",
     "speed limit; a multiple of 5, at most 1275",
     "`velocita` of each cell = R(velocita / 5)",
     {0, 1275, 5},
     velocita_reali,
     rel::nessuna},
};

constexpr descrizione_campo campi_aderenza[] = {
    {"posizione", long_32, "m",
     "position from which the adhesion applies, up to the next \"aderenza\" record",
     "the adhesion holds from the cell R(posizione / 50) on", tipo_long, posizioni,
     rel::cella_profilo | rel::dentro_linea | rel::crescente},
    {"aderenza",
     long_32,
     "",
     "rail adhesion value, 0 to 255",
     "`aderenza` of each cell, low 8 bits",
     {0, 255, 1},
     {0, 255, 1},
     rel::nessuna},
};

constexpr descrizione_campo campi_orologio[] = {
    {"ore",
     integer_16,
     "h",
     "hours on the clock when the run starts",
     "entry 86 `dato_i3`",
     tipo_integer,
     {0, 23, 1},
     rel::nessuna},
    {"minuti",
     integer_16,
     "min",
     "minutes, 0 to 59",
     "entry 86 `dato_i4`",
     tipo_integer,
     {0, 59, 1},
     rel::nessuna},
    {"secondi",
     integer_16,
     "s",
     "seconds, 0 to 59",
     "entry 86 `dato_i5`",
     tipo_integer,
     {0, 59, 1},
     rel::nessuna},
};

constexpr descrizione_campo campi_sabbia[] = {
    {"sabbia", integer_16, "", "sanding value of the train, handed on to the simulator",
     "entry 86 `dato_i1`", tipo_integer, tipo_integer, rel::nessuna},
};

constexpr descrizione_campo campi_segnale[] = {
    {"posizione",
     long_32,
     "m",
     "position of the signal; at least 350 m, so its four approach cells exist",
     "the signal goes into cell R(posizione / 50 + 1), cell code 1; approach marks in the cells "
     "100 to 400 m before it",
     tipo_long,
     {350, 1000000, 1},
     rel::cella_oggetto | rel::dentro_linea},
    {"sx",
     long_32,
     "",
     "kind of the signal on the left side (1 or 2)",
     "`dato4` units = sx x 3 + dx, a single digit",
     tipo_long,
     {1, 2, 1},
     rel::nessuna},
    {"s1",
     long_32,
     "",
     "first left-side code, one digit",
     "`dato1` tens",
     {0, 9, 1},
     {0, 9, 1},
     rel::nessuna},
    {"s2",
     long_32,
     "",
     "second left-side code, one digit",
     "`dato2` tens",
     {0, 9, 1},
     {0, 9, 1},
     rel::nessuna},
    {"s3",
     long_32,
     "",
     "third left-side code, one digit",
     "`dato3` tens",
     {0, 9, 1},
     {0, 9, 1},
     rel::nessuna},
    {"rapp",
     long_32,
     "",
     "signal code, one digit",
     "`dato4` tens",
     {0, 9, 1},
     {0, 9, 1},
     rel::nessuna},
    {"dx",
     long_32,
     "",
     "kind of the signal on the right side (0 to 2)",
     "`dato4` units = sx x 3 + dx",
     tipo_long,
     {0, 2, 1},
     rel::nessuna},
    {"d1",
     long_32,
     "",
     "first right-side code, one digit",
     "`dato1` units",
     {0, 9, 1},
     {0, 9, 1},
     rel::nessuna},
    {"d2",
     long_32,
     "",
     "second right-side code, one digit",
     "`dato2` units",
     {0, 9, 1},
     {0, 9, 1},
     rel::nessuna},
    {"d3",
     long_32,
     "",
     "third right-side code, one digit",
     "`dato3` units",
     {0, 9, 1},
     {0, 9, 1},
     rel::nessuna},
    {"tempo",
     long_32,
     "s",
     "opening delay of the signal, 0 = none; 1 to 100 count as 101; used only when sx is 2; at "
     "most 255",
     "`dato5` (8 bits) when sx is 2, else 0",
     {0, 255, 1},
     {0, 255, 1},
     rel::nessuna},
};

constexpr descrizione_campo campi_rallentamento[] = {
    {"x", long_32, "m", "position where the slowdown begins",
     "start cell R(x / 50 + 1), cell code 3; warning board 1200 m before, cell code 4, when x is "
     "above 1500",
     tipo_long, posizioni, rel::cella_oggetto | rel::dentro_linea},
    {"v", long_32, "km/h", "speed limit within the slowdown",
     "`dato1` of the start, end and warning cells", bassi_16, velocita_reali, rel::nessuna},
    {"l",
     long_32,
     "m",
     "length of the slowdown",
     "end cell R((x + l) / 50 + 1), cell code 2",
     tipo_long,
     {1, 50000, 1},
     rel::cella_oggetto | rel::lunghezza_da_inizio},
    {"f_tt",
     long_32,
     "",
     "flag 0 or 1 copied into the start and end cells",
     "`dato3`",
     bassi_16,
     {0, 1, 1},
     rel::nessuna},
    {"f_ta", long_32, "",
     "nonzero: mark the four cells just before the warning board (slowdowns beyond 1500 m)",
     "four cells of code 5 numbered 1 to 4", tipo_long, tipo_long, rel::nessuna},
    {"d_v",
     long_32,
     "",
     "flag 0 or 1",
     "`dato2` of the cells the slowdown writes, when nonzero",
     bassi_16,
     {0, 1, 1},
     rel::nessuna},
};

constexpr descrizione_campo campi_abbattimento[] = {
    {"posizione", long_32, "m", "position of the marker",
     "the marker goes into cell R(posizione / 50)", tipo_long, posizioni,
     rel::cella_profilo | rel::dentro_linea},
    {"valore", long_32, "",
     "a value above 0 gives a marker with that value; 0 or less a marker without value",
     "cell code 12 with `dato1` = valore (16 bits), or cell code 13", valore_marcatore, tipo_long,
     rel::nessuna},
};

constexpr descrizione_campo campi_stazione[] = {
    {"posizione",
     long_32,
     "m",
     "position of the station's axis; a multiple of 50",
     "`posizione` of the station's item slot",
     {-2147483648LL, 2147483647LL, 50},
     posizioni,
     rel::dentro_linea | rel::crescente},
    {"tipo", byte_8, "",
     "station type code, 0 to 255; types 5-6 and 7-8 lay out the area differently; 25 and above "
     "get no end cell",
     "`tipo`", tipo_byte, tipo_byte, rel::nessuna},
    {"lunghezza_stazione",
     long_32,
     "m",
     "length of the station; a multiple of 100",
     "with posizione and tipo gives the area `inizio` and `fine`",
     {-2147483648LL, 2147483647LL, 100},
     {100, 2000, 1},
     rel::lunghezza_da_inizio},
    {"dato_b1", byte_8, "", "station datum for the simulator (1 at the end stations)", "`dato_b1`",
     tipo_byte, tipo_byte, rel::nessuna},
    {"dato_b4", byte_8, "", "station datum; cleared below 600 m of length and at the first station",
     "`dato_b4`", tipo_byte, tipo_byte, rel::nessuna},
    {"prolunga", byte_8, "", "nonzero lengthens a centred station's end by 50 m", "`prolunga`",
     tipo_byte, tipo_byte, rel::nessuna},
    {"dato_i1", integer_16, "", "station datum for the simulator", "`dato_i1`", tipo_integer,
     tipo_integer, rel::nessuna},
    {"dato_i2", integer_16, "", "station datum for the simulator", "`dato_i2`", tipo_integer,
     tipo_integer, rel::nessuna},
    {"dato_b2", byte_8, "", "station datum for the simulator", "`dato_b2`", tipo_byte, tipo_byte,
     rel::nessuna},
    {"dato_i3", integer_16, "", "station datum for the simulator", "`dato_i3`", tipo_integer,
     tipo_integer, rel::nessuna},
    {"dato_i4", integer_16, "", "station datum for the simulator", "`dato_i4`", tipo_integer,
     tipo_integer, rel::nessuna},
    {"dato_i5", integer_16, "", "station datum for the simulator", "`dato_i5`", tipo_integer,
     tipo_integer, rel::nessuna},
    {"dato_b3", byte_8, "", "station datum for the simulator (30 at intermediate stops)",
     "`dato_b3`", tipo_byte, tipo_byte, rel::nessuna},
    {"ore",
     long_32,
     "h",
     "hours of the timetabled time (0, 0, 0: no time)",
     "`orario` = (ore x 60 + minuti) x 60 + secondi",
     tipo_long,
     {0, 47, 1},
     rel::nessuna},
    {"minuti",
     long_32,
     "min",
     "minutes of the timetabled time, 0 to 59",
     "`orario`",
     tipo_long,
     {0, 59, 1},
     rel::nessuna},
    {"secondi",
     long_32,
     "s",
     "seconds of the timetabled time, 0 to 59",
     "`orario`",
     tipo_long,
     {0, 59, 1},
     rel::nessuna},
    {"nome", testo, "", "the station's name as the driver sees it; no comma", "`nome`",
     senza_valori, senza_valori, rel::nessuna},
};

constexpr std::array tabella = {
    descrizione_record{tipo_record::lunghezza_percorso,
                       file_sorgente::linea,
                       true,
                       "lunghezza percorso",
                       {"lunghezza", "percorso"},
                       false,
                       campi_lunghezza,
                       "the length of the line"},
    descrizione_record{tipo_record::progressiva_tre,
                       file_sorgente::linea,
                       true,
                       "progressiva chilometrica tre",
                       {"progressiva", "tre"},
                       true,
                       campi_progressiva,
                       "the third kilometric progressive series"},
    descrizione_record{tipo_record::progressiva_due,
                       file_sorgente::linea,
                       true,
                       "progressiva chilometrica due",
                       {"progressiva", "due"},
                       true,
                       campi_progressiva,
                       "the second kilometric progressive series"},
    descrizione_record{tipo_record::progressiva_uno,
                       file_sorgente::linea,
                       true,
                       "progressiva chilometrica uno",
                       {"progressiva", "uno"},
                       true,
                       campi_progressiva,
                       "the first kilometric progressive series"},
    descrizione_record{tipo_record::sfondo_uno,
                       file_sorgente::linea,
                       true,
                       "sfondo uno",
                       {"sfondo", "uno"},
                       true,
                       campi_sfondo,
                       "the first background selector"},
    descrizione_record{tipo_record::sfondo_due,
                       file_sorgente::linea,
                       true,
                       "sfondo due",
                       {"sfondo", "due"},
                       true,
                       campi_sfondo,
                       "the second background selector"},
    descrizione_record{tipo_record::sfondo_tre,
                       file_sorgente::linea,
                       true,
                       "sfondo tre",
                       {"sfondo", "tre"},
                       true,
                       campi_sfondo,
                       "the third background selector"},
    descrizione_record{tipo_record::ripetizione_segnali,
                       file_sorgente::linea,
                       true,
                       "ripetizione segnali 4 codici",
                       {"ripetizione", "segnali"},
                       true,
                       campi_ripetizione,
                       "the zone with coded signal repetition; the keyword names 4 or 9 codes"},
    descrizione_record{tipo_record::pendenza,
                       file_sorgente::linea,
                       false,
                       "pendenza",
                       {"pendenza", ""},
                       false,
                       campi_pendenza,
                       "a change of gradient"},
    descrizione_record{tipo_record::curva,
                       file_sorgente::linea,
                       false,
                       "curvad4",
                       {"curva", ""},
                       false,
                       campi_curva,
                       "a curve: \"curva\", the side (\"d\" right, \"s\" left) and the class 1 to "
                       "6 (radius 10000, 5000, 2500, 1000, 500, 333 m)"},
    descrizione_record{tipo_record::montagna,
                       file_sorgente::linea,
                       false,
                       "montagna",
                       {"montagna", ""},
                       false,
                       campi_montagna,
                       "a mountain or tunnel span"},
    descrizione_record{tipo_record::indicatori_vmax,
                       file_sorgente::linea,
                       false,
                       "indicatori_vmax",
                       {"indicatori_v", ""},
                       false,
                       campi_indicatori,
                       "a speed indicator board with its left and right-hand speeds"},
    descrizione_record{tipo_record::cartello_indicatore,
                       file_sorgente::linea,
                       false,
                       "cartello_indicatore",
                       {"cartello", "indicat"},
                       false,
                       campi_cartello,
                       "an indication board with its text"},
    descrizione_record{tipo_record::massa_frenata,
                       file_sorgente::servizio,
                       false,
                       "percentuale massa frenata",
                       {"massa", "frenata"},
                       false,
                       campi_massa,
                       "the braked mass of the train"},
    descrizione_record{tipo_record::numero_vetture,
                       file_sorgente::servizio,
                       false,
                       "numero vetture",
                       {"vetture", ""},
                       false,
                       campi_vetture,
                       "the number of cars of the train"},
    descrizione_record{tipo_record::velocita,
                       file_sorgente::servizio,
                       false,
                       "velocita",
                       {"velocit", ""},
                       false,
                       campi_velocita,
                       "a change of the speed limit"},
    descrizione_record{tipo_record::aderenza,
                       file_sorgente::servizio,
                       false,
                       "aderenza",
                       {"aderenza", ""},
                       false,
                       campi_aderenza,
                       "a change of rail adhesion"},
    descrizione_record{tipo_record::orologio,
                       file_sorgente::servizio,
                       false,
                       "orologio",
                       {"orologio", ""},
                       false,
                       campi_orologio,
                       "the clock when the run starts; the three values may be separated by "
                       "blanks"},
    descrizione_record{tipo_record::sabbia,
                       file_sorgente::servizio,
                       false,
                       "sabbia",
                       {"sabbia", ""},
                       false,
                       campi_sabbia,
                       "the train's sanding value"},
    descrizione_record{tipo_record::segnale,
                       file_sorgente::servizio,
                       false,
                       "segnale",
                       {"segnale", ""},
                       false,
                       campi_segnale,
                       "a signal with its codes"},
    descrizione_record{tipo_record::rallentamento,
                       file_sorgente::servizio,
                       false,
                       "rallentamento",
                       {"rallentamento", ""},
                       false,
                       campi_rallentamento,
                       "a temporary slowdown"},
    descrizione_record{tipo_record::abbattimento,
                       file_sorgente::servizio,
                       false,
                       "abbattimento",
                       {"abbattimento", ""},
                       false,
                       campi_abbattimento,
                       "a marker cell, with or without a value"},
    descrizione_record{tipo_record::stazione,
                       file_sorgente::servizio,
                       false,
                       "stazione",
                       {"stazione", ""},
                       false,
                       campi_stazione,
                       "a station with its layout data and timetabled time"},
};
static_assert(tabella.size() == n_tipi_record);

constexpr tipo_record corpo_linea[] = {tipo_record::pendenza, tipo_record::curva,
                                       tipo_record::montagna, tipo_record::indicatori_vmax,
                                       tipo_record::cartello_indicatore};
constexpr tipo_record corpo_servizio[] = {tipo_record::massa_frenata, tipo_record::numero_vetture,
                                          tipo_record::velocita,      tipo_record::aderenza,
                                          tipo_record::orologio,      tipo_record::sabbia,
                                          tipo_record::segnale,       tipo_record::rallentamento,
                                          tipo_record::abbattimento,  tipo_record::stazione};
constexpr tipo_record generale[] = {
    tipo_record::lunghezza_percorso, tipo_record::progressiva_tre,    tipo_record::progressiva_due,
    tipo_record::progressiva_uno,    tipo_record::sfondo_uno,         tipo_record::sfondo_due,
    tipo_record::sfondo_tre,         tipo_record::ripetizione_segnali};

}  // namespace

std::span<const descrizione_record> tipi_record() {
  return tabella;
}

const descrizione_record& descrizione(tipo_record t) {
  return tabella[static_cast<std::size_t>(t)];
}

std::string intervallo_in_parole(const intervallo_valori& v, tipo_valore tipo) {
  if (tipo == testo) return "-";
  const intervallo_valori intero = tipo == byte_8       ? tipo_byte
                                   : tipo == integer_16 ? tipo_integer
                                                        : tipo_long;
  std::string s;
  if (v.minimo == intero.minimo && v.massimo == intero.massimo) {
    s = "any";
  } else {
    s = std::to_string(v.minimo) + " to " + std::to_string(v.massimo);
  }
  if (v.passo != 1) s += (s == "any" ? " multiple of " : " in steps of ") + std::to_string(v.passo);
  return s;
}

std::string relazioni_in_parole(std::uint16_t relazioni) {
  constexpr std::pair<std::uint16_t, std::string_view> parole[] = {
      {rel::cella_oggetto, "into cell R(p / 50 + 1)"},
      {rel::cella_profilo, "from cell R(p / 50)"},
      {rel::dentro_linea, "inside the line"},
      {rel::crescente, "increasing along the file"},
      {rel::dopo_inizio, "after the start"},
      {rel::lunghezza_da_inizio, "start plus it inside the line"},
      {rel::senza_sovrapposizione, "at or after the previous one's end"},
      {rel::unico, "one in the file"},
  };
  std::string s;
  for (const auto& [bit, parola] : parole) {
    if ((relazioni & bit) == 0) continue;
    if (!s.empty()) s += "; ";
    s += parola;
  }
  return s.empty() ? "-" : s;
}

bool corrisponde(const descrizione_record& d, std::string_view campo) {
  for (std::string_view parola : d.parole) {
    if (parola.empty()) continue;
    if (d.maiuscole_esatte ? !contains(campo, parola) : !contains_any_case(campo, parola)) {
      return false;
    }
  }
  return true;
}

std::span<const tipo_record> tipi_corpo(file_sorgente f) {
  if (f == file_sorgente::linea) return corpo_linea;
  return corpo_servizio;
}

std::span<const tipo_record> tipi_generale() {
  return generale;
}

}  // namespace scenario
