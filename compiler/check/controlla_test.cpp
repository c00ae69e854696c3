#include "compiler/check/controlla.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "compiler/check/contesto_check.h"
#include "compiler/check/errori.h"
#include "compiler/format/file_binari.h"

namespace scenario {
namespace {

std::string leggi(const std::string& percorso) {
  std::ifstream in(percorso, std::ios::binary);
  EXPECT_TRUE(in) << percorso;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The example scenario of the format document, line by line.
std::vector<std::string> righe_di(const std::string& testo) {
  std::vector<std::string> righe;
  std::size_t inizio = 0;
  for (std::size_t fine; (fine = testo.find("\r\n", inizio)) != std::string::npos;) {
    righe.push_back(testo.substr(inizio, fine - inizio));
    inizio = fine + 2;
  }
  return righe;
}

std::string unisci(const std::vector<std::string>& righe) {
  std::string s;
  for (const auto& r : righe) s += r + "\r\n";
  return s;
}

const std::vector<std::string>& esempio_linea() {
  static const auto r = righe_di(leggi(std::string(VO_DOCS_DIR) + "/examples/Esempio_linea.txt"));
  return r;
}
const std::vector<std::string>& esempio_servizio() {
  static const auto r = righe_di(leggi(std::string(VO_DOCS_DIR) + "/examples/Esempio_1234-.txt"));
  return r;
}

esito_controllo controlla_testi(const std::string& linea, const std::string& servizio) {
  ingresso_controllo in;
  in.linea = linea;
  in.servizio = servizio;
  in.nome_file_linea = "l.txt";
  in.nome_file_servizio = "s.txt";
  in.nome_linea = "Esempio";
  in.numero_treno = "1234";
  return controlla(in);
}

// The diagnostics other than the timetable's: an edit that moves a station
// or its time may make a section too short as well, and a value at an edge
// (a gradient of 155 per mille) may stall the train (avvisi_orario_test.cpp
// tests those).
std::vector<diagnostica> senza_orario(const esito_controllo& e) {
  std::vector<diagnostica> r;
  for (const diagnostica& d : e.diagnostiche) {
    using enum id_diagnostica;
    if (d.id != time_not_after_previous && d.id != section_too_short && d.id != time_outside_day &&
        d.id != run_not_timed) {
      r.push_back(d);
    }
  }
  return r;
}

// One line of the example replaced (or, with `inserisci`, put before it).
struct modifica {
  bool servizio = false;
  int riga = 0;  // 1-based
  std::string testo;
  bool inserisci = false;
};

esito_controllo controlla_modificato(const std::vector<modifica>& modifiche) {
  std::vector<std::string> l = esempio_linea();
  std::vector<std::string> s = esempio_servizio();
  for (const modifica& m : modifiche) {
    std::vector<std::string>& r = m.servizio ? s : l;
    const auto pos = r.begin() + (m.riga - 1);
    if (m.inserisci) {
      r.insert(pos, m.testo);
    } else {
      *pos = m.testo;
    }
  }
  return controlla_testi(unisci(l), unisci(s));
}

TEST(Check, TheExampleAndTheFixedScenarioAreClean) {
  for (const auto& [l, s] :
       {std::pair{unisci(esempio_linea()), unisci(esempio_servizio())},
        std::pair{leggi(std::string(VO_TESTDATA_DIR) + "/Viterbo_Attigliano_Orte_linea.txt"),
                  leggi(std::string(VO_TESTDATA_DIR) + "/Viterbo_Attigliano_Orte_7547-.txt")}}) {
    const esito_controllo e = controlla_testi(l, s);
    EXPECT_EQ(e.errori, 0);
    // The fixed scenario times S. Nicola with Grotte S. Stefano: its only
    // warning is the timetable's at that time.
    EXPECT_EQ(e.avvisi, 1 - static_cast<int>(s == unisci(esempio_servizio())));
    EXPECT_EQ(e.avvisi, static_cast<int>(e.diagnostiche.size() - senza_orario(e).size()));
    for (const auto& d : senza_orario(e)) ADD_FAILURE() << d.id << ": " << d.messaggio;
  }
  EXPECT_EQ(controlla_testi(unisci(esempio_linea()), unisci(esempio_servizio())).avvisi, 0);
}

struct caso_avviso {
  const char* nome;
  std::vector<modifica> modifiche;
  id_diagnostica id;
  bool servizio;
  int riga, colonna;
  const char* messaggio;
};

const caso_avviso casi_avviso[] = {
    {"misspelt keyword",
     {{false, 17, "pendeza,  5000,   0"}},
     id_diagnostica::unknown_keyword,
     false,
     17,
     1,
     "'pendeza' is not a keyword, so the reader skips it and the values after it; did you mean "
     "'pendenza'?"},
    {"misspelt curve",
     {{false, 12, "cruvas5,  6000,  400"}},
     id_diagnostica::unknown_keyword,
     false,
     12,
     1,
     "'cruvas5' is not a keyword, so the reader skips it and the values after it; did you mean "
     "'curvas5'?"},
    {"a value missing",
     {{true, 14, "stazione,    7500, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, Beta"}},
     id_diagnostica::field_count,
     true,
     14,
     1,
     "'stazione' takes 17 values, but line 14 has 16: the reader takes 'stazione' from line 15 as "
     "`nome`, and the record there is lost. Write every value of the record on its line"},
    {"a value too many",
     {{false, 16, "pendenza,  3000,   8, 9"}},
     id_diagnostica::field_count,
     false,
     16,
     23,
     "'pendenza' takes 2 values, but line 16 has more: the reader skips '9'. Remove it, or check "
     "the keyword"},
    {"keyword in a section header",
     {{true, 8, "[velocita]"}},
     id_diagnostica::keyword_in_text,
     true,
     8,
     1,
     "the section header '[velocita]' contains 'velocit', so the reader reads a \"velocita\" "
     "record "
     "from the fields after it. Name the section without a keyword"},
    {"keyword in a third comment",
     {{false, 14, "- tre pendenza", true}, {false, 14, "- due", true}, {false, 14, "- uno", true}},
     id_diagnostica::keyword_in_text,
     false,
     16,
     1,
     "only two comment fields in a row are passed over: '- tre pendenza' is read as a keyword and "
     "contains 'pendenza', so the reader reads a \"pendenza\" record from the fields after it. "
     "Leave at most two comment lines in a row"},
    {"dash inside a keyword",
     {{false, 12, "curva-s5,  6000,  400"}},
     id_diagnostica::dash_comment,
     false,
     12,
     1,
     "'curva-s5' contains '-', so the reader passes over it as a comment and the curve record on "
     "this line is lost. Write the keyword without '-'"},
    {"exact-case keyword in capitals",
     {{false, 4, "Progressiva chilometrica due,    0,    0,    0"}},
     id_diagnostica::keyword_case,
     false,
     4,
     1,
     "'Progressiva chilometrica due' is not read: in \"[generale]\" the words 'progressiva' and "
     "'due' must be written in lower case. Write \"progressiva chilometrica due\""},
    {"general record after the general section",
     {{false, 14, "sfondo tre,    0", true}},
     id_diagnostica::misplaced_general_record,
     false,
     14,
     1,
     "'sfondo tre' is read only in the \"[generale]\" section, before the next section header: "
     "here "
     "the reader skips it. Move it into \"[generale]\""},
    {"signal off the grid",
     {{true, 21, "segnale,    8230,   1, 4, 1,  0, 0,    0,  0,0,0, 0"}},
     id_diagnostica::off_grid,
     true,
     21,
     13,
     "8230 m is not a multiple of 50: the signal goes into cell 166 (8300 m), as if written at "
     "8250 m. Write 8200 or 8250"},
    {"gradient off the grid",
     {{false, 17, "pendenza,  5030,   0"}},
     id_diagnostica::off_grid,
     false,
     17,
     12,
     "5030 m is not a multiple of 50: the gradient takes effect from 5050 m (cell 101). Write 5000 "
     "or 5050"},
    {"speed not a multiple of 5",
     {{true, 10, "velocita,    1000,    92"}},
     id_diagnostica::speed_not_multiple_of_5,
     true,
     10,
     23,
     "the speed limit 92 km/h is not a multiple of 5: a cell keeps 90 km/h. Write 90"},
    {"gradient that wraps",
     {{false, 16, "pendenza,  3000,   250"}},
     id_diagnostica::gradient_out_of_range,
     false,
     16,
     20,
     "the gradient 250 per mille does not fit a cell, which keeps -100 to 155 per mille: it is "
     "stored as -6. Give a gradient from -100 to 155"},
    {"adhesion out of range",
     {{true, 7, "aderenza,   0,    300"}},
     id_diagnostica::adhesion_out_of_range,
     true,
     7,
     19,
     "the adhesion 300 does not fit a cell, which keeps 0 to 255: it is stored as 44. Give a value "
     "from 0 to 255"},
    {"station minutes of 60 or more",
     {{true, 14, "stazione,    7500, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,65, 0, Beta"}},
     id_diagnostica::time_over_59,
     true,
     14,
     66,
     "`minuti` is 65, not 0 to 59: the time is stored as 09:05:00. Give 0 to 59"},
    {"station seconds of 60 or more",
     {{true, 14, "stazione,    7500, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, 75, Beta"}},
     id_diagnostica::time_over_59,
     true,
     14,
     70,
     "`secondi` is 75, not 0 to 59: the time is stored as 08:39:15. Give 0 to 59"},
    {"clock seconds of 60 or more",
     {{true, 5, "orologio,    8              29            75 "}},
     id_diagnostica::time_over_59,
     true,
     5,
     43,
     "`secondi` is 75, not 0 to 59: the simulator gets it as written. Give 0 to 59"},
    {"signal code of two digits",
     {{true, 20, "segnale,    6800,   2, 13, 1,  0, 0,    0,  0,0,0, 0"}},
     id_diagnostica::signal_code_not_digit,
     true,
     20,
     24,
     "`s1` is 13, not one digit: the signal packs its codes as tens and units, so it reads as "
     "other "
     "codes. Give a digit 0 to 9"},
    {"signal delay raised to 101",
     {{true, 22, "segnale,   13800,   2, 3, 1,  0, 0,    0,  0,0,0, 60"}},
     id_diagnostica::signal_delay_not_kept,
     true,
     22,
     51,
     "the opening delay 60 is stored as 101: delays from 1 to 100 count as 101. Write 0 for none, "
     "or 101 to 255"},
    {"gradients out of order",
     {{false, 18, "pendenza,  4000,   2", true}},
     id_diagnostica::out_of_order,
     false,
     18,
     12,
     "this gradient at 4000 m comes after one at 5000 m: the reader fills at least one cell for "
     "each record, so it applies this one from the cell after the previous one. List the records "
     "in increasing order of position"},
    {"a curve keyword without its comma",
     {{false, 12, "curvas5 6000,  400"}},
     id_diagnostica::missing_comma,
     false,
     12,
     1,
     "missing comma after 'curvas5': the reader takes 'curvas5 6000' as the keyword and its "
     "values from the fields after it, down to 'curvad3' on line 13, so the record there is "
     "lost. Write 'curvas5, 6000'"},
    {"a speed board off the grid",
     {{false, 23, "indicatori_vmax,  525,  80,  85,  90,  0,  ,  ,  ,  0"}},
     id_diagnostica::off_grid,
     false,
     23,
     19,
     "525 m is not a multiple of 50: the speed board goes into cell 12 (600 m), as if written at "
     "550 m. Write 500 or 550"},
    {"an indication board off the grid",
     {{false, 26, "cartello_indicatore,  1225,   (Cippo Km.)( 13+800  )"}},
     id_diagnostica::off_grid,
     false,
     26,
     23,
     "1225 m is not a multiple of 50: the indication board goes into cell 26 (1300 m), as if "
     "written at 1250 m. Write 1200 or 1250"},
    {"a slowdown's start off the grid",
     {{true, 17, "rallentamento,    4025,    40,  300, 1,  0,  0"}},
     id_diagnostica::off_grid,
     true,
     17,
     19,
     "4025 m is not a multiple of 50: the slowdown's start goes into cell 82 (4100 m), as if "
     "written at 4050 m. Write 4000 or 4050"},
    {"speeds one past the board's 16 bits",
     {{false, 23, "indicatori_vmax,  500,  1638,  85,  90,  0,  40,  ,  ,  0"}},
     id_diagnostica::board_value_not_kept,
     false,
     23,
     25,
     "the speeds 1638 and 40 km/h do not fit the board's 16-bit value (left x 20 + right / 5). "
     "Give speeds of at most 1600 km/h"},
    {"a code of the right side not a digit",
     {{true, 19, "segnale,    1000,   2, 4, 1,  0, 0,    0,  12,0,0, 0"}},
     id_diagnostica::signal_code_not_digit,
     true,
     19,
     44,
     "`d1` is 12, not one digit: the signal packs its codes as tens and units, so it reads as "
     "other codes. Give a digit 0 to 9"},
    {"overlapping curves",
     {{false, 12, "curvas5,  2100,  400"}},
     id_diagnostica::curve_overlap,
     false,
     12,
     11,
     "this curve starts at 2100 m, before the previous curve ends at 2300 m: only its part after "
     "2300 m turns. Start it at 2300 m or later"},
    {"a curve inside the previous one",
     {{false, 12, "curvas5,  2100,  200"}},
     id_diagnostica::curve_overlap,
     false,
     12,
     11,
     "this curve starts at 2100 m, before the previous curve ends at 2300 m: it lies inside that "
     "curve and turns no point. Start it at 2300 m or later"},
    {"a curve that ends where the previous one ends",
     {{false, 12, "curvas5,  2100,  201"}},
     id_diagnostica::curve_overlap,
     false,
     12,
     11,
     "this curve starts at 2100 m, before the previous curve ends at 2300 m: only its part after "
     "2300 m turns. Start it at 2300 m or later"},
    {"span ending before it starts",
     {{false, 21, "montagna,   7400,  7000,  12"}},
     id_diagnostica::span_reversed,
     false,
     21,
     20,
     "the span ends at 7000 m, before it starts at 7400 m: no cell gets its type. Swap the two "
     "positions"},
    {"no speed limit at 0 m",
     {{true, 9, "velocita,     500,    60"}},
     id_diagnostica::no_speed_at_zero,
     true,
     9,
     15,
     "the first \"velocita\" record is at 500 m: the cells before it get speed limit 0. Begin with "
     "\"velocita, 0, ...\""},
    {"UTF-8 text",
     {{true, 13,
       "stazione,       0, 12,  400,  1, 0, 1,  4,1,0,  2,1,1,    1,   8,30, 0, Alf\xc3\xa0"}},
     id_diagnostica::not_cp1252,
     true,
     13,
     76,
     "this file holds UTF-8 text (1 line), but it is read as Windows-1252: '\xc3\xa0' is stored as "
     "the 2 characters '\xc3\x83\xc2\xa0'. Save the file as Windows-1252"},
    {"a tab inside a board's text",
     {{false, 27, "cartello_indicatore,  7050,   (Galleria)\t(Monte Rosso)"}},
     id_diagnostica::tab_separator,
     false,
     27,
     41,
     "a tab separates fields on this line, but only a comma does: a keyword or a text runs on over "
     "the tab. Use a comma"},
    {"comma inside a board text",
     {{false, 27, "cartello_indicatore,  7050,   (Galleria)(Monte, Rosso)"}},
     id_diagnostica::comma_in_text,
     false,
     27,
     49,
     "a comma ends the text `scritta`: '(Galleria)(Monte' is kept, and 'Rosso)' is read where a "
     "keyword is expected. Write the text without commas"},
    {"missing comma after a keyword",
     {{false, 16, "pendenza 3000,   8"}},
     id_diagnostica::missing_comma,
     false,
     16,
     1,
     "missing comma after 'pendenza': the reader takes 'pendenza 3000' as the keyword and its "
     "values from the fields after it, down to 'pendenza' on line 17, so the record there is lost. "
     "Write 'pendenza, 3000'"},
    {"right-hand board speed not a multiple of 5",
     {{false, 23, "indicatori_vmax,  500,  80,  85,  90,  0,  72,  ,  ,  0"}},
     id_diagnostica::board_value_not_kept,
     false,
     23,
     44,
     "the right-hand speed 72 km/h is not a multiple of 5: the board keeps 70 km/h"},
    {"two line lengths",
     {{false, 3, "lunghezza percorso,    16000", true}},
     id_diagnostica::duplicate_length,
     false,
     3,
     1,
     "a second \"lunghezza percorso\" builds the route model anew, and what the records before it "
     "placed is lost. Keep one"},
    {"a signal code of two digits",
     {{true, 19, "segnale,    1000,   2, 4, 1,  0, 12,    0,  0,0,0, 0"}},
     id_diagnostica::signal_code_not_digit,
     true,
     19,
     34,
     "`rapp` is 12, not one digit: the signal packs its codes as tens and units, so it reads as "
     "other codes. Give a digit 0 to 9"},
    {"sides that do not pack into one digit",
     {{true, 19, "segnale,    1000,   2, 4, 1,  0, 0,    4,  0,0,0, 0"}},
     id_diagnostica::signal_code_not_digit,
     true,
     19,
     21,
     "`sx` x 3 + `dx` is 10, not one digit: the signal packs it as the units of `dato4` and in its "
     "approach marks, so it reads as other codes. Give sx and dx with sx x 3 + dx from 0 to 9"},
    {"the shortest opening delay",
     {{true, 19, "segnale,    1000,   2, 4, 1,  0, 0,    0,  0,0,0, 1"}},
     id_diagnostica::signal_delay_not_kept,
     true,
     19,
     51,
     "the opening delay 1 is stored as 101: delays from 1 to 100 count as 101. Write 0 for none, "
     "or 101 to 255"},
    {"the longest delay stored as 101",
     {{true, 19, "segnale,    1000,   2, 4, 1,  0, 0,    0,  0,0,0, 100"}},
     id_diagnostica::signal_delay_not_kept,
     true,
     19,
     51,
     "the opening delay 100 is stored as 101: delays from 1 to 100 count as 101. Write 0 for none, "
     "or 101 to 255"},
    {"a delay past 8 bits",
     {{true, 19, "segnale,    1000,   2, 4, 1,  0, 0,    0,  0,0,0, 256"}},
     id_diagnostica::signal_delay_not_kept,
     true,
     19,
     51,
     "the opening delay 256 does not fit 8 bits: it is stored as 0. Give 0 to 255"},
    {"a stripe count of two digits",
     {{false, 23, "indicatori_vmax,  500,  80,  85,  90,  0,  ,  ,  ,  10"}},
     id_diagnostica::board_value_not_kept,
     false,
     23,
     53,
     "`strisced` is 10, not one digit: the board keeps the two stripe counts as tens and units. "
     "Give 0 to 9"},
    {"a left-hand speed past the board's 16 bits",
     {{false, 23, "indicatori_vmax,  500,  1700,  85,  90,  0,  ,  ,  ,  0"}},
     id_diagnostica::board_value_not_kept,
     false,
     23,
     25,
     "the speeds 1700 and 0 km/h do not fit the board's 16-bit value (left x 20 + right / 5). Give "
     "speeds of at most 1600 km/h"},
    {"a gradient just below the cell's range",
     {{false, 16, "pendenza,  3000,   -101"}},
     id_diagnostica::gradient_out_of_range,
     false,
     16,
     20,
     "the gradient -101 per mille does not fit a cell, which keeps -100 to 155 per mille: it is "
     "stored as 155. Give a gradient from -100 to 155"},
    {"an odd adhesion past 255",
     {{true, 7, "aderenza,   0,    301"}},
     id_diagnostica::adhesion_out_of_range,
     true,
     7,
     19,
     "the adhesion 301 does not fit a cell, which keeps 0 to 255: it is stored as 45. Give a value "
     "from 0 to 255"},
    {"a value too many after a blank",
     {{false, 16, "pendenza,  3000,   8 9"}},
     id_diagnostica::field_count,
     false,
     16,
     22,
     "'pendenza' takes 2 values, but line 16 has more: the reader skips '9'. Remove it, or check "
     "the keyword"},
    {"a span off the grid",
     {{false, 21, "montagna,   7025,  7400,  12"}},
     id_diagnostica::off_grid,
     false,
     21,
     13,
     "7025 m is not a multiple of 50: the span covers the cells 140 to 147. Write 7000 or 7050"},
    {"a slowdown's end off the grid",
     {{true, 17, "rallentamento,    4000,    40,  325, 1,  0,  0"}},
     id_diagnostica::off_grid,
     true,
     17,
     33,
     "4325 m is not a multiple of 50: the slowdown's end goes into cell 88 (4400 m), as if "
     "written at 4350 m. Write 4300 or 4350"},
    {"a speed-reducing marker off the grid",
     {{true, 18, "abbattimento,    5025,   5", true}},
     id_diagnostica::off_grid,
     true,
     18,
     18,
     "5025 m is not a multiple of 50: the marker goes into cell 100, as at 5000 m. Write 5000 or "
     "5050"},
    {"no speed record",
     {{true, 9, "- nessuna"}, {true, 10, "- velocita"}, {true, 11, "--"}},
     id_diagnostica::no_speed_at_zero,
     true,
     0,
     0,
     "there is no \"velocita\" record: every cell gets speed limit 0. Add \"velocita, 0, ...\""},
    {"text after the line length's keyword",
     {{false, 2, "lunghezza percorso (metri),    15000"}},
     id_diagnostica::missing_comma,
     false,
     2,
     1,
     "missing comma after 'lunghezza percorso': the reader takes 'lunghezza percorso (metri)' as "
     "the keyword and its values from the fields after it. Write 'lunghezza percorso, (metri)'"},
    {"a number where a keyword is expected",
     {{true, 23, "3000, 8", true}},
     id_diagnostica::unknown_keyword,
     true,
     23,
     1,
     "'3000' stands where a keyword is expected, so the reader skips this line's values. Begin "
     "the record with its keyword"},
};

// Numbers that read as 0 or rounded, unusual values, positions in km, past
// the line's end, trailing blanks, names that are values, signals among a
// station's marks: each alone, at its field, with its message.
const caso_avviso casi_campi[] = {
    {"a number in words",
     {{true, 2, "numero vetture,    sei"}},
     id_diagnostica::not_a_number,
     true,
     2,
     20,
     "'sei' is not a number: `numero_vetture` is stored as 0. Write it in digits: 6"},
    {"a letter O among the digits",
     {{true, 17, "rallentamento,    4000,    4O,  300, 1,  0,  0"}},
     id_diagnostica::not_a_number,
     true,
     17,
     28,
     "'4O' is not a number: `v` is stored as 0. The letter O stands among the digits: write 40"},
    {"a sign apart from its digits",
     {{false, 18, "pendenza,  9000,   - 6"}},
     id_diagnostica::not_a_number,
     false,
     18,
     20,
     "'-' is not a number: `pendenza` is stored as 0. Write the sign and the digits together: -6"},
    {"a decimal comma",
     {{false, 16, "pendenza,  3000,   8,5"}},
     id_diagnostica::not_a_number,
     false,
     16,
     20,
     "'8,5' is read as two fields: `pendenza` is stored as 8 and '5' is skipped. Write a decimal "
     "number with a point (8.5), or a whole number"},
    {"a decimal comma between nines",
     {{false, 16, "pendenza,  3000,   9,9"}},
     id_diagnostica::not_a_number,
     false,
     16,
     20,
     "'9,9' is read as two fields: `pendenza` is stored as 9 and '9' is skipped. Write a decimal "
     "number with a point (9.9), or a whole number"},
    {"a decimal point",
     {{false, 16, "pendenza,  3000,   8.5"}},
     id_diagnostica::not_a_number,
     false,
     16,
     20,
     "'8.5' is not a whole number: `pendenza` is stored as 8. Write a whole number"},
    {"a station's name split at a blank",
     {{true, 14, "stazione,    7500, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, Beta Nord"}},
     id_diagnostica::not_a_number,
     true,
     14,
     70,
     "'Beta' is not a number: `secondi` is stored as 0, and 'Nord' is read as `nome`, since a "
     "number ends at a blank: a value is missing before it. Write every value, then `nome`"},
    {"a slowdown's speed past 16 bits",
     {{true, 17, "rallentamento,    4000,    70000,  300, 1,  0,  0"}},
     id_diagnostica::value_not_kept,
     true,
     17,
     28,
     "`v` is 70000, but a cell keeps it in 16 bits: it is stored as 4464. Give -32768 to 32767"},
    {"a gradient no real line has",
     {{false, 16, "pendenza,  3000,   90"}},
     id_diagnostica::unusual_value,
     false,
     16,
     20,
     "`pendenza` is 90 per mille: the compiled files keep it, but a real line has -80 to 80 per "
     "mille. Check the value and its unit"},
    {"a position in km",
     {{true, 10, "velocita,    5,    90"}},
     id_diagnostica::position_in_km,
     true,
     10,
     14,
     "'5' is read as 5 m, far smaller than the \"velocita\" records around it (0 m before it and "
     "13500 m after it): did you mean 5000? Positions are in metres"},
    {"a signal past the line's end",
     {{true, 22, "segnale,   15500,   2, 3, 1,  0, 0,    0,  0,0,0, 120"}},
     id_diagnostica::past_line_end,
     true,
     22,
     12,
     "15500 m lies past the end of the line at 15000 m: it is compiled, but the train never gets "
     "there. Move it inside the line, or make \"lunghezza percorso\" 15500 or more"},
    {"blanks after a station's name",
     {{true, 14, "stazione,    7500, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, 0, Beta  "}},
     id_diagnostica::trailing_blanks,
     true,
     14,
     77,
     "'Beta  ' ends with 2 blanks, kept in `nome` and shown to the driver. Remove them"},
    {"a station's name that is a value",
     {{true, 14, "stazione,    7500, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, 0, 5 Beta"}},
     id_diagnostica::station_name_suspect,
     true,
     14,
     73,
     "the station's name '5 Beta' starts with a number, as a value does: a value too many before "
     "it? Write the 16 values of the station, then its name"},
    {"a signal among a station's marks",
     {{true, 20, "segnale,    7700,   2, 3, 1,  0, 0,    0,  0,0,0, 0"}},
     id_diagnostica::signal_in_station,
     true,
     20,
     13,
     "this signal's approach marks, 7350 m to 7650 m, fall among the marks before the end of the "
     "station 'Beta' (7400 m to 7550 m), and the later record overwrites the other's. Move the "
     "signal out of the station's area"},
    {"a service file without its general section",
     {{true, 1, "[generalx]"}},
     id_diagnostica::service_without_general,
     true,
     1,
     1,
     "this file has no \"[generale]\": the reader skips everything before it, so nothing of this "
     "file is read (0 of 3 speed limits, 0 of 4 signals, 0 of 1 slowdowns, 0 of 3 stations, 0 of "
     "5 other records are read). Begin the file with the line \"[generale]\""},
};

TEST(Check, EachWarningWithItsMessageLineAndColumn) {
  std::vector<caso_avviso> casi(std::begin(casi_avviso), std::end(casi_avviso));
  casi.insert(casi.end(), std::begin(casi_campi), std::end(casi_campi));
  for (const caso_avviso& c : casi) {
    SCOPED_TRACE(c.nome);
    const esito_controllo e = controlla_modificato(c.modifiche);
    EXPECT_EQ(e.errori, 0);
    const std::vector<diagnostica> ds = senza_orario(e);
    EXPECT_EQ(ds.size(), 1u);
    if (ds.empty()) continue;
    const diagnostica& d = ds[0];
    EXPECT_EQ(d.severita(), gravita::avviso);
    EXPECT_EQ(d.codice(), std::nullopt);
    EXPECT_EQ(d.id, c.id);
    EXPECT_EQ(d.dove.file, c.servizio ? file_sorgente::servizio : file_sorgente::linea);
    EXPECT_EQ(d.dove.riga, c.riga);
    EXPECT_EQ(d.dove.colonna, c.colonna);
    EXPECT_EQ(d.messaggio, c.messaggio);
    if (c.riga == 0) {
      EXPECT_EQ(d.dove.lunghezza, 0);  // the file as a whole
    }
  }
}

// What the warnings of the fields say is stored, read back from the
// compiled files: each text compiled, the cell and item files decoded.
struct compilato {
  std::vector<cella> celle;
  tabella_elementi elementi;
};

compilato compila_modificato(const std::vector<modifica>& modifiche) {
  std::vector<std::string> l = esempio_linea();
  std::vector<std::string> s = esempio_servizio();
  for (const modifica& m : modifiche)
    (m.servizio ? s : l)[static_cast<std::size_t>(m.riga - 1)] = m.testo;
  const std::string linea = unisci(l), servizio = unisci(s);
  opzioni_compilazione o;
  o.nome_linea = "Esempio";
  o.numero_treno = "1234";
  o.j = 0;
  const risultato_compilazione r = compila({linea, servizio}, o);
  EXPECT_EQ(r.esito, esito_compilazione::completato);
  return {decodifica_celle_dat(r.celle_dat, "dat"), decodifica_sim(r.sim, "sim")};
}

TEST(Check, TheFieldWarningsSayWhatTheCompiledFilesHold) {
  // 'sei' cars: 0 in entry 84.
  compilato c = compila_modificato({{true, 2, "numero vetture,    sei"}});
  EXPECT_EQ(c.elementi[voce::treno_e_linea].posizione, 0);
  // '4O' km/h: the slowdown's start cell (4050 m) holds speed 0.
  c = compila_modificato({{true, 17, "rallentamento,    4000,    4O,  300, 1,  0,  0"}});
  EXPECT_EQ(c.celle[81].tipo, tipo_cella::inizio_rallentamento);
  EXPECT_EQ(c.celle[81].dato1, 0);
  // '- 6', '8,5', '8.5' and 90 per mille: cells from 9000 m and 3000 m.
  c = compila_modificato({{false, 18, "pendenza,  9000,   - 6"}});
  EXPECT_EQ(c.celle[180].pendenza, 100);
  c = compila_modificato({{false, 16, "pendenza,  3000,   8,5"}});
  EXPECT_EQ(c.celle[60].pendenza, 108);
  c = compila_modificato({{false, 16, "pendenza,  3000,   8.5"}});
  EXPECT_EQ(c.celle[60].pendenza, 108);
  c = compila_modificato({{false, 16, "pendenza,  3000,   90"}});
  EXPECT_EQ(c.celle[60].pendenza, 190);
  // '5' for 5000: the speed 90 holds from cell 0, not from cell 100.
  c = compila_modificato({{true, 10, "velocita,    5,    90"}});
  EXPECT_EQ(c.celle[1].velocita, 18);
  // A signal at 15500 m on a line of 15000 m: in cell 311, past cell 300.
  c = compila_modificato({{true, 22, "segnale,   15500,   2, 3, 1,  0, 0,    0,  0,0,0, 120"}});
  EXPECT_EQ(c.celle[311].tipo, tipo_cella::segnale);
  // The name with its blanks; the name split at a blank keeps its second word.
  c = compila_modificato(
      {{true, 14,
        "stazione,    7500, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, 0, Beta  "}});
  EXPECT_EQ(c.elementi[2].nome, "Beta  ");
  c = compila_modificato(
      {{true, 14,
        "stazione,    7500, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, Beta Nord"}});
  EXPECT_EQ(c.elementi[2].nome, "Nord");
  EXPECT_EQ(c.elementi[2].orario, (8 * 60 + 38) * 60);
  // The signal at 7700 m overwrites two of the station's marks (cells 149, 151).
  const compilato senza = compila_modificato({});
  c = compila_modificato({{true, 20, "segnale,    7700,   2, 3, 1,  0, 0,    0,  0,0,0, 0"}});
  EXPECT_NE(c.celle[149].segno, senza.celle[149].segno);
  EXPECT_NE(c.celle[151].segno, senza.celle[151].segno);
  // 70000 km/h in a slowdown's cells: its low 16 bits.
  c = compila_modificato({{true, 17, "rallentamento,    4000,    70000,  300, 1,  0,  0"}});
  EXPECT_EQ(c.celle[81].dato1, 4464);
  // The older warnings' stored values: 92 km/h kept as 90, 250 per mille as
  // -6, adhesion 300 as 44, 8:75 as 9:15, a delay of 60 as 101, a board's
  // 72 km/h as 70, a signal at 8230 m in cell 166.
  c = compila_modificato({{true, 10, "velocita,    1000,    92"}});
  EXPECT_EQ(c.celle[20].velocita, 90 / 5);
  c = compila_modificato({{false, 16, "pendenza,  3000,   250"}});
  EXPECT_EQ(c.celle[60].pendenza, -6 + 100);
  c = compila_modificato({{true, 7, "aderenza,   0,    300"}});
  EXPECT_EQ(c.celle[0].aderenza, 44);
  c = compila_modificato(
      {{true, 14, "stazione,    7500, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,75, 0, Beta"}});
  EXPECT_EQ(c.elementi[2].orario, (9 * 60 + 15) * 60);
  c = compila_modificato({{true, 22, "segnale,   13800,   2, 3, 1,  0, 0,    0,  0,0,0, 60"}});
  EXPECT_EQ(c.celle[277].dato5, 101);
  c = compila_modificato({{false, 23, "indicatori_vmax,  500,  80,  85,  90,  0,  72,  ,  ,  0"}});
  EXPECT_EQ(c.celle[11].dato1, 80 * 20 + 70 / 5);
  c = compila_modificato({{true, 21, "segnale,    8230,   1, 4, 1,  0, 0,    0,  0,0,0, 0"}});
  EXPECT_EQ(c.celle[166].tipo, tipo_cella::segnale);
  // No "[generale]" in the service file: no station, no signal.
  c = compila_modificato({{true, 1, "[generalx]"}});
  EXPECT_EQ(c.elementi[voce::prima_stazione].nome, "");
  EXPECT_EQ(std::count_if(c.celle.begin(), c.celle.end(),
                          [](const cella& x) { return x.tipo == tipo_cella::segnale; }),
            0);
}

// Every field of every record, from the table of fields: a word in a
// number field, a value outside what a real line has, a position off the
// grid each get a diagnostic on the record's line (the word at its field).
TEST(Check, EveryFieldOfEveryRecordIsCovered) {
  struct riga_record {
    bool servizio;
    int riga;
    tipo_record tipo;
    std::vector<std::string> valori;
  };
  std::vector<std::string> l = esempio_linea(), s = esempio_servizio();
  s[4] = "orologio, 8, 29, 30";  // its values as fields
  s.insert(s.begin() + 22, "abbattimento, 5000, 5");
  std::vector<riga_record> righe;
  std::set<tipo_record> visti;
  for (const bool servizio : {false, true}) {
    const std::vector<std::string>& testo = servizio ? s : l;
    for (std::size_t k = 0; k < testo.size(); ++k) {
      std::vector<std::string> campi;
      std::size_t da = 0;
      for (std::size_t v; (v = testo[k].find(',', da)) != std::string::npos; da = v + 1) {
        campi.push_back(testo[k].substr(da, v - da));
      }
      campi.push_back(testo[k].substr(da));
      for (const descrizione_record& d : tipi_record()) {
        if (d.file != (servizio ? file_sorgente::servizio : file_sorgente::linea)) continue;
        if (!corrisponde(d, campi[0]) || campi.size() != d.campi.size() + 1) continue;
        if (!visti.insert(d.tipo).second) break;
        for (std::string& c : campi) {
          while (!c.empty() && c.front() == ' ') c.erase(0, 1);
        }
        righe.push_back({servizio, static_cast<int>(k) + 1, d.tipo,
                         std::vector<std::string>(campi.begin() + 1, campi.end())});
        break;
      }
    }
  }
  EXPECT_EQ(visti.size(), static_cast<std::size_t>(n_tipi_record));
  const auto controlla_con = [&](const riga_record& r, std::size_t i, const std::string& valore) {
    std::vector<std::string> valori = r.valori;
    valori[i] = valore;
    std::string riga = std::string(descrizione(r.tipo).parola_chiave);
    if (r.tipo == tipo_record::curva) riga = "curvad4";
    int colonna = 0;
    for (std::size_t k = 0; k < valori.size(); ++k) {
      riga += ", ";
      if (k == i) colonna = static_cast<int>(riga.size()) + 1;
      riga += valori[k];
    }
    std::vector<std::string> ll = l, ss = s;
    (r.servizio ? ss : ll)[static_cast<std::size_t>(r.riga - 1)] = riga;
    SCOPED_TRACE(riga);
    return std::pair{controlla_testi(unisci(ll), unisci(ss)), colonna};
  };
  const auto sulla_riga = [](const esito_controllo& e, const riga_record& r, int colonna) {
    return std::any_of(e.diagnostiche.begin(), e.diagnostiche.end(), [&](const diagnostica& d) {
      return d.dove.file == (r.servizio ? file_sorgente::servizio : file_sorgente::linea) &&
             d.dove.riga == r.riga && (colonna == 0 || d.dove.colonna == colonna);
    });
  };
  for (const riga_record& r : righe) {
    const auto campi = descrizione(r.tipo).campi;
    for (std::size_t i = 0; i < campi.size(); ++i) {
      const descrizione_campo& f = campi[i];
      SCOPED_TRACE(std::string(descrizione(r.tipo).parola_chiave) + " " + std::string(f.nome));
      if (f.tipo == tipo_valore::testo) continue;
      auto [e, colonna] = controlla_con(r, i, "x");
      EXPECT_TRUE(sulla_riga(e, r, colonna)) << "a word";
      for (const std::int64_t fuori : {f.reale.massimo + 1, f.reale.minimo - 1}) {
        const std::int64_t scritto = fuori / f.tenuto.passo * f.tenuto.passo +
                                     (fuori > f.reale.massimo ? f.tenuto.passo : -f.tenuto.passo) *
                                         (fuori % f.tenuto.passo != 0);
        if (!f.tenuto.contiene(scritto)) continue;
        std::tie(e, colonna) = controlla_con(r, i, std::to_string(scritto));
        EXPECT_TRUE(sulla_riga(e, r, 0)) << scritto;
      }
      if ((f.relazioni & (relazione::cella_oggetto | relazione::cella_profilo)) != 0) {
        std::tie(e, colonna) =
            controlla_con(r, i, std::to_string(valore_numero(r.valori[i]).value_or(0) + 20));
        EXPECT_TRUE(sulla_riga(e, r, 0)) << "off the grid";
      }
    }
  }
}

// Off the grid between two records of a profile: only the position that
// keeps the records in order is offered, and the cell named is where the
// compiled file has the value.
TEST(Check, AnOffGridPositionOffersWhatKeepsTheOrder) {
  const std::vector<modifica> m = {{false, 17, "pendenza,  3030,   2", true}};
  const esito_controllo e = controlla_modificato(m);
  ASSERT_EQ(e.diagnostiche.size(), 1u);
  const diagnostica& d = e.diagnostiche[0];
  EXPECT_EQ(d.id, id_diagnostica::off_grid);
  EXPECT_EQ(d.dove.riga, 17);
  EXPECT_EQ(d.dove.colonna, 12);
  EXPECT_EQ(d.messaggio,
            "3030 m is not a multiple of 50: the gradient takes effect from 3050 m (cell 61). "
            "Write 3050");
  ASSERT_EQ(d.correzioni.size(), 1u);
  EXPECT_EQ(d.correzioni[0].titolo, "Write 3050");
  const compilato c = compila_modificato({{false, 16, "pendenza,  3000,   8"}});
  std::vector<std::string> l = esempio_linea();
  l.insert(l.begin() + 16, "pendenza,  3030,   2");
  opzioni_compilazione o;
  o.j = 0;
  const risultato_compilazione r = compila({unisci(l), unisci(esempio_servizio())}, o);
  const std::vector<cella> celle = decodifica_celle_dat(r.celle_dat, "dat");
  EXPECT_EQ(celle[60].pendenza, c.celle[60].pendenza);  // 8 per mille up to 3050 m
  EXPECT_EQ(celle[60].pendenza, 108);
  EXPECT_EQ(celle[61].pendenza, 102);  // 2 per mille from cell 61
  // A slowdown's end off the grid: the cell the message names holds it.
  const compilato fine =
      compila_modificato({{true, 17, "rallentamento,    4000,    40,  325, 1,  0,  0"}});
  EXPECT_EQ(fine.celle[88].tipo, tipo_cella::fine_rallentamento);
}

// A line length too short for its records: one error at the length, with
// the compiler's code and each record beyond it as a note.
TEST(Check, AShortLineIsOneErrorAtItsLength) {
  const esito_controllo e = controlla_modificato({{false, 2, "lunghezza percorso,    2500"}});
  EXPECT_EQ(accordo_con_compilazione(e), "");
  ASSERT_EQ(e.diagnostiche.size(), 1u);
  const diagnostica& d = e.diagnostiche[0];
  EXPECT_EQ(d.id, id_diagnostica::outside_route);
  EXPECT_EQ(d.codice(), 15);
  EXPECT_EQ(d.dove.riga, 2);
  EXPECT_EQ(d.dove.colonna, 24);
  EXPECT_EQ(
      d.messaggio,
      "the line is 2500 m long, but 15 records lie beyond its end, the furthest at 13800 m; "
      "from the first past the route model's end (l.txt:13:11) the compile step skips the "
      "rest of that file. Make \"lunghezza percorso\" 13800 or more, the line's whole length");
  ASSERT_EQ(d.correlate.size(), 15u);
  EXPECT_EQ(d.correlate[0].dove.riga, 12);
  EXPECT_EQ(d.correlate[0].messaggio, "6000 m, past the line's end");
  EXPECT_EQ(d.correlate.back().dove.file, file_sorgente::servizio);
  EXPECT_EQ(d.correlate.back().messaggio, "13800 m, past the line's end");
}

// Several faults of the number fields on one line: the time advice stands
// beside the moved fields.
TEST(Check, ATimeInOneFieldIsToldAsThreeFields) {
  const esito_controllo e = controlla_modificato({{true, 5, "orologio,    9:08:30"}});
  std::vector<std::string> messaggi;
  for (const diagnostica& d : e.diagnostiche) {
    if (d.id == id_diagnostica::not_a_number) messaggi.push_back(d.messaggio);
  }
  EXPECT_EQ(messaggi, (std::vector<std::string>{"'9:08:30' is not a number: `ore` is stored as "
                                                "0. Write the time as three fields: 9, 8, 30"}));
  const esito_controllo f = controlla_modificato(
      {{true, 14,
        "stazione,    7500, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   09.00.00, 0, B"}});
  ASSERT_FALSE(f.diagnostiche.empty());
  bool trovato = false;
  for (const diagnostica& d : f.diagnostiche) {
    trovato = trovato || d.messaggio ==
                             "'09.00.00' is not a number: `ore` is stored as 0. Write "
                             "the time as three fields: 9, 0, 0";
  }
  EXPECT_TRUE(trovato);
  // A kilometre post's notation, and numbers too long for any field: said,
  // never a crash.
  const auto messaggi_di = [](const esito_controllo& x) {
    std::vector<std::string> m;
    for (const diagnostica& d : x.diagnostiche) {
      if (d.id == id_diagnostica::not_a_number) m.push_back(d.messaggio);
    }
    return m;
  };
  EXPECT_EQ(messaggi_di(controlla_modificato({{true, 11, "velocita,   13+500,    60"}})),
            (std::vector<std::string>{"'13+500' is not a number: `posizione` is stored as 0. "
                                      "Write the position in metres: 13500"}));
  // Hours and minutes only: the seconds are 0.
  EXPECT_EQ(messaggi_di(controlla_modificato({{true, 5, "orologio,    9:30"}})),
            (std::vector<std::string>{"'9:30' is not a number: `ore` is stored as 0. Write the "
                                      "time as three fields: 9, 30, 0"}));
  // A sign apart from its digits before further values: the digits are read
  // as the next field.
  EXPECT_EQ(
      messaggi_di(
          controlla_modificato({{true, 17, "rallentamento,    4000,    - 40,  300, 1,  0,  0"}})),
      (std::vector<std::string>{"'-' is not a number: `v` is stored as 0, and '40' is read as "
                                "`l`. Write the sign and the digits together: -40"}));
  // A value too many where codes are written close together: no decimal comma.
  const esito_controllo codici =
      controlla_modificato({{true, 19, "segnale,    1000,   2, 4, 1,  0, 0,    0,  0,0,0, 0, 7"}});
  ASSERT_EQ(codici.diagnostiche.size(), 1u);
  EXPECT_EQ(codici.diagnostiche[0].id, id_diagnostica::field_count);
  const std::string lungo(400, '7');
  for (const std::string& t : {lungo + ".5", lungo + "+500", "1" + lungo}) {
    const esito_controllo x = controlla_modificato({{true, 11, "velocita, " + t + ", 60"}});
    EXPECT_GE(x.diagnostiche.size(), 1u) << t;
  }
  // A byte-order mark before "[generale]" changes nothing and is not UTF-8 text to save.
  const esito_controllo b =
      controlla_testi("\xEF\xBB\xBF" + unisci(esempio_linea()), unisci(esempio_servizio()));
  EXPECT_EQ(b.diagnostiche.size(), 0u);
  // Quoted, it is named, never printed raw; UTF-8 after it is said alone.
  EXPECT_EQ(per_messaggio("\xEF\xBB\xBF[generale]"), "(byte-order mark)[generale]");
  std::vector<std::string> l = esempio_linea();
  l[26] = "cartello_indicatore,  7050,   (Galleria)(Monte Ros\xC3\xA0)";
  const esito_controllo u = controlla_testi("\xEF\xBB\xBF" + unisci(l), unisci(esempio_servizio()));
  ASSERT_EQ(u.diagnostiche.size(), 1u);
  EXPECT_EQ(u.diagnostiche[0].id, id_diagnostica::not_cp1252);
  EXPECT_EQ(u.diagnostiche[0].dove.riga, 27);
}

// Values at the edges of what the model and the boards keep: no warning
// that a value is not kept. Some are kept but no real line has them: those
// get unusual-value alone, and the closest station a signal's marks too.
TEST(Check, ValuesAtTheEdgesGiveNoWarning) {
  const modifica casi[] = {
      {true, 19, "segnale,    1000,   2, 9, 9,  9, 9,    0,  9,9,9, 0"},
      {true, 19, "segnale,    1000,   3, 4, 1,  0, 0,    0,  0,0,0, 0"},  // sx x 3 + dx = 9
      {true, 19, "segnale,    1000,   2, 4, 1,  0, 0,    0,  0,0,0, 101"},
      {true, 19, "segnale,    1000,   2, 4, 1,  0, 0,    0,  0,0,0, 255"},
      {false, 23, "indicatori_vmax,  500,  80,  85,  90,  9,  ,  ,  ,  2"},
      {false, 23, "indicatori_vmax,  500,  -1638,  85,  90,  0,  -40,  ,  ,  0"},  // -32768
      {false, 23, "indicatori_vmax,  500,  1638,  85,  90,  0,  35,  ,  ,  0"},    // 32767
      {false, 16, "pendenza,  3000,   -100"},
      {false, 16, "pendenza,  3000,   155"},
      {true, 7, "aderenza,   0,    255"},
      {true, 23, "abbattimento,    5000,   5", true},
      {false, 14, "[]"},  // the shortest section header
      // Tabs skipped like blanks: before a field, after a number.
      {false, 16, "pendenza,\t3000\t,\t8"},
      {false, 14, "\t[pendenze]\t"},
      // Its area starts 350 m after the previous station's ends (600 and 250 m).
      {true, 14, "stazione,     750, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, 0, Beta"},
  };
  for (const modifica& m : casi) {
    SCOPED_TRACE(m.testo);
    const esito_controllo e = controlla_modificato({m});
    for (const auto& d : senza_orario(e)) {
      if (d.id == id_diagnostica::unusual_value) continue;
      if (d.id == id_diagnostica::signal_in_station && m.testo.starts_with("stazione")) continue;
      ADD_FAILURE() << d.id << ": " << d.messaggio;
    }
  }
  // The last record of a file without a final line end, with blanks after
  // its last value: nothing is left on its line.
  std::vector<std::string> l = esempio_linea();
  l.pop_back();
  const esito_controllo e =
      controlla_testi(unisci(l) + "pendenza,  13000,   0   ", unisci(esempio_servizio()));
  ASSERT_EQ(e.diagnostiche.size(), 1u);
  EXPECT_EQ(e.diagnostiche[0].id, id_diagnostica::missing_fine);
}

TEST(Check, FileLevelWarnings) {
  // No "[fine]": the last line is still read, but nothing closes the file.
  std::vector<std::string> l = esempio_linea();
  l.pop_back();
  esito_controllo e = controlla_testi(unisci(l), unisci(esempio_servizio()));
  ASSERT_EQ(e.diagnostiche.size(), 1u);
  EXPECT_EQ(e.diagnostiche[0].id, id_diagnostica::missing_fine);
  EXPECT_EQ(e.diagnostiche[0].dove.riga, 27);
  EXPECT_EQ(e.diagnostiche[0].dove.colonna, 1);
  EXPECT_EQ(e.diagnostiche[0].dove.lunghezza, 0);
  EXPECT_EQ(e.diagnostiche[0].messaggio,
            "the file does not end with \"[fine]\": its last field is never read as a keyword. "
            "End the file with the line \"[fine]\"");
  // Lines of blanks after "[fine]" are no last field.
  e = controlla_testi(unisci(esempio_linea()) + "   \r\n\t \r\n", unisci(esempio_servizio()));
  EXPECT_EQ(e.diagnostiche.size(), 0u);

  // The two files given the other way round: said once per file, and the
  // route model that is missing then.
  e = controlla_testi(unisci(esempio_servizio()), unisci(esempio_linea()));
  std::vector<id_diagnostica> ids;
  for (const auto& d : e.diagnostiche) ids.push_back(d.id);
  EXPECT_EQ(ids, (std::vector<id_diagnostica>{
                     id_diagnostica::files_swapped, id_diagnostica::no_route_model,
                     id_diagnostica::no_adhesion_at_zero, id_diagnostica::no_speed_at_zero,
                     id_diagnostica::files_swapped}));
  EXPECT_EQ(e.errori, 1);
  const diagnostica& linea = e.diagnostiche.front();
  const diagnostica& servizio = e.diagnostiche.back();
  EXPECT_EQ(linea.dove.file, file_sorgente::linea);
  EXPECT_EQ(servizio.dove.file, file_sorgente::servizio);
  for (const diagnostica* d : {&linea, &servizio}) {
    EXPECT_EQ(d->dove.riga, 1);
    EXPECT_EQ(d->dove.colonna, 1);
    EXPECT_EQ(d->dove.lunghezza, 0);
  }
  EXPECT_EQ(linea.messaggio,
            "this file reads like a service file: 4 of its records belong there. Check that the "
            "line and service files are not swapped");
  EXPECT_EQ(servizio.messaggio,
            "this file reads like a line description file: 13 of its records belong there. Check "
            "that the line and service files are not swapped");
}

// The fix for a missing "[fine]" ends the last line with the file's first
// line end, even for a file of one line; a record cut short by the end of
// the file is its error alone; as many records of the other file as of its
// own do not make a file look swapped.
TEST(Check, FileLevelWarningsAtTheirEdges) {
  const auto fix_di_fine = [](const esito_controllo& x) {
    for (const diagnostica& d : x.diagnostiche) {
      if (d.id == id_diagnostica::missing_fine && d.correzioni.size() == 1 &&
          d.correzioni[0].modifiche.size() == 1) {
        return d.correzioni[0].modifiche[0];
      }
    }
    ADD_FAILURE() << "no missing-fine with one fix";
    return sostituzione{};
  };
  esito_controllo e = controlla_testi("[generale]\nlunghezza percorso, 15000\r\n[x]\r\n",
                                      unisci(esempio_servizio()));
  sostituzione f = fix_di_fine(e);
  EXPECT_EQ(f.testo, "\n[fine]");
  EXPECT_EQ(f.dove.riga, 3);
  EXPECT_EQ(f.dove.colonna, 4);

  e = controlla_testi(unisci(esempio_linea()), "[generale]");
  f = fix_di_fine(e);
  EXPECT_EQ(f.testo, "\r\n[fine]");
  EXPECT_EQ(f.dove.riga, 1);
  EXPECT_EQ(f.dove.colonna, 11);

  std::vector<id_diagnostica> ids;
  std::vector<std::string> l = esempio_linea();
  l.pop_back();
  e = controlla_testi(unisci(l) + "pendenza\r\n  13000", unisci(esempio_servizio()));
  ids.clear();
  for (const auto& d : e.diagnostiche) ids.push_back(d.id);
  EXPECT_EQ(ids, (std::vector<id_diagnostica>{id_diagnostica::missing_fine,
                                              id_diagnostica::record_cut_short}));

  e = controlla_testi(unisci({"[generale]", "lunghezza percorso, 1000", "[x]", "velocita, 0, 60",
                              "aderenza, 0, 100", "pendenza, 0, 1", "[fine]"}),
                      unisci(esempio_servizio()));
  for (const auto& d : e.diagnostiche)
    EXPECT_NE(d.id, id_diagnostica::files_swapped) << d.messaggio;
}

// The promise the fuzzers hold the checker to, each way it can break.
TEST(Check, AgreementWithTheCompileStepNamesWhatBroke) {
  esito_controllo e;
  e.compilazione.esito = esito_compilazione::completato;
  EXPECT_EQ(accordo_con_compilazione(e), "");
  e.errori = 2;
  EXPECT_EQ(accordo_con_compilazione(e), "compile records no code, the checker 2 errors");
  e.compilazione.modello.codice_errore = 15;
  EXPECT_EQ(accordo_con_compilazione(e), "compile records code 15, not among the errors");
  diagnostica d;
  d.id = id_diagnostica::outside_route;  // code 15
  e.diagnostiche.push_back(d);
  EXPECT_EQ(accordo_con_compilazione(e), "");
  for (const auto& [esito, codice, id] :
       {std::tuple{esito_compilazione::errore_1250, 1250, id_diagnostica::reserved_marker_slot},
        std::tuple{esito_compilazione::errore_1251, 1251, id_diagnostica::reserved_code_slot}}) {
    e.compilazione.esito = esito;
    EXPECT_EQ(accordo_con_compilazione(e), std::to_string(codice) + " missing");
    d.id = id;
    e.diagnostiche.push_back(d);
    EXPECT_EQ(accordo_con_compilazione(e), "");
    e.diagnostiche.pop_back();
  }
}

TEST(Check, OneFaultInTheLineFileAndTwoInTheServiceFileInOneRun) {
  const esito_controllo e = controlla_modificato({
      {false, 27, "cartello_indicatore,  1200,   (Doppio)"},  // the board at 1200 m again
      {true, 14, "stazione,    7525, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, 0, Beta"},
      {true, 21, "segnale,    4000,   1, 4, 1,  0, 0,    0,  0,0,0, 0"},  // the slowdown's start
  });
  ASSERT_EQ(e.errori, 3);
  EXPECT_EQ(e.avvisi, 0);
  struct atteso {
    int codice;
    id_diagnostica id;
    file_sorgente file;
    int riga, colonna;
  };
  const atteso attesi[] = {
      {6, id_diagnostica::board_cell_taken, file_sorgente::linea, 27, 23},
      {8, id_diagnostica::station_off_grid, file_sorgente::servizio, 14, 14},
      {16, id_diagnostica::signal_cell_taken, file_sorgente::servizio, 21, 13},
  };
  std::size_t i = 0;
  for (const diagnostica& d : e.diagnostiche) {
    if (d.severita() != gravita::errore) continue;
    SCOPED_TRACE(d.messaggio);
    EXPECT_EQ(d.codice(), attesi[i].codice);
    EXPECT_EQ(d.id, attesi[i].id);
    EXPECT_EQ(d.dove.file, attesi[i].file);
    EXPECT_EQ(d.dove.riga, attesi[i].riga);
    EXPECT_EQ(d.dove.colonna, attesi[i].colonna);
    ++i;
  }
  // The taken cells name their occupants, with where those were written.
  EXPECT_EQ(e.diagnostiche[0].messaggio,
            "this indication board goes into cell 25 (1250 m), which already holds the "
            "indication board at l.txt:26:1. Move the board to a free cell");
  ASSERT_EQ(e.diagnostiche[0].correlate.size(), 1u);
  EXPECT_EQ(e.diagnostiche[0].correlate[0].dove.riga, 26);
}

TEST(Check, NoCascadeAfterAFaultThatStopsTheReader) {
  // The compile step stops at the first station; the checker sets it aside
  // and finds the stations after it in order, with nothing more to say.
  const esito_controllo e = controlla_modificato(
      {{true, 13, "stazione,       0, 12,  450,  1, 0, 1,  4,1,0,  2,1,1,    1,   8,30, 0, Alfa"}});
  ASSERT_EQ(e.diagnostiche.size(), 1u);
  EXPECT_EQ(e.diagnostiche[0].codice(), 9);
  EXPECT_EQ(e.compilazione.modello.codice_errore, 9);

  // A record that does not fit skips the rest of the file for the compile
  // step; the checker reads on and the records after it raise nothing.
  const esito_controllo f = controlla_modificato({{false, 16, "pendenza,  30000,   8"}});
  ASSERT_EQ(f.diagnostiche.size(), 1u);
  EXPECT_EQ(f.diagnostiche[0].codice(), 15);
  EXPECT_EQ(f.diagnostiche[0].dove.colonna, 12);
  // ... and finds the faults of the records after it.
  const esito_controllo g =
      controlla_modificato({{false, 16, "pendenza,  30000,   8"},
                            {false, 27, "cartello_indicatore,  1200,   (Doppio)"}});
  ASSERT_EQ(g.diagnostiche.size(), 2u);
  EXPECT_EQ(g.diagnostiche[0].codice(), 15);
  EXPECT_EQ(g.diagnostiche[1].codice(), 6);
  EXPECT_EQ(g.diagnostiche[1].dove.riga, 27);
}

TEST(Check, ErrorsCarryTheCompilersCodeAtTheFieldAtFault) {
  struct caso {
    modifica m;
    int codice;
    id_diagnostica id;
    int colonna;
  };
  const caso casi[] = {
      {{false, 2, "lunghezza percorso,    2000000"}, 1, id_diagnostica::line_too_long, 24},
      {{false, 9, "ripetizione segnali 4 codici,    25,    0"},
       3,
       id_diagnostica::zone_start_off_grid,
       34},
      {{false, 9, "ripetizione segnali codici,    0,    0"},
       5,
       id_diagnostica::zone_codes_missing,
       1},
      {{false, 12, "curvas,  6000,  400"}, 103, id_diagnostica::bad_curve, 1},
      {{true, 14, "stazione,    7500, 24,  350,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, 0, Beta"},
       9,
       id_diagnostica::station_length,
       25},
      {{true, 14, "stazione,     500, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, 0, Beta"},
       22,
       id_diagnostica::stations_too_close,
       15},
      {{true, 17, "rallentamento,    1200,    40,  300, 1,  0,  0"},
       18,
       id_diagnostica::slowdown_start_cell_taken,
       19},
      {{true, 19, "segnale,    100,   2, 4, 1,  0, 0,    0,  0,0,0, 0"},
       25,
       id_diagnostica::outside_route_model,
       1},
      {{true, 13, "stazione,       0, 300,  400,  1, 0, 1,  4,1,0,  2,1,1,    1,   8,30, 0, Alfa"},
       25,
       id_diagnostica::number_out_of_range,
       20},
      {{false, 23, "indicatori_vmax,  0,  80,  85,  90,  0,  ,  ,  ,  0"},
       1250,
       id_diagnostica::reserved_marker_slot,
       19},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.id);
    const esito_controllo e = controlla_modificato({c.m});
    ASSERT_GE(e.errori, 1);
    const diagnostica* d = nullptr;
    for (const auto& x : e.diagnostiche) {
      if (x.severita() == gravita::errore && d == nullptr) d = &x;
    }
    EXPECT_EQ(d->codice(), c.codice);
    EXPECT_EQ(d->id, c.id);
    EXPECT_EQ(d->dove.riga, c.m.riga);
    EXPECT_EQ(d->dove.colonna, c.colonna);
  }
}

// Code 15 stands at the position of every kind of record that has one.
TEST(Check, APositionPastTheRouteIsCode15AtThePosition) {
  const modifica casi[] = {
      {false, 13, "curvad3,  23000,  500"},
      {false, 16, "pendenza,  23000,   8"},
      {false, 21, "montagna,   23000,  23400,  12"},
      {false, 23, "indicatori_vmax,  23000,  80,  85,  90,  0,  ,  ,  ,  0"},
      {false, 26, "cartello_indicatore,  23000,   (Cippo Km.)( 13+800  )"},
      {true, 7, "aderenza,   23000,    100"},
      {true, 10, "velocita,    23000,    90"},
      {true, 14, "stazione,   23000, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, 0, Beta"},
      {true, 17, "rallentamento,    23000,    40,  300, 1,  0,  0"},
      {true, 21, "segnale,    23000,   1, 4, 1,  0, 0,    0,  0,0,0, 0"},
      {true, 23, "abbattimento,    23000,   5", true},
  };
  for (const modifica& m : casi) {
    SCOPED_TRACE(m.testo);
    const esito_controllo e = controlla_modificato({m});
    ASSERT_GE(e.errori, 1);
    const auto d =
        std::find_if(e.diagnostiche.begin(), e.diagnostiche.end(),
                     [](const diagnostica& x) { return x.severita() == gravita::errore; });
    EXPECT_EQ(d->codice(), 15);
    EXPECT_EQ(d->dove.riga, m.riga);
    EXPECT_EQ(d->dove.colonna, static_cast<int>(m.testo.find("23000")) + 1);
    EXPECT_EQ(d->dove.lunghezza, 5);
  }
}

// The messages of errors found while reading a record: the field at fault
// by name, and nothing left behind by a record that was set aside.
TEST(Check, ErrorsFoundWhileReadingARecordNameTheirField) {
  struct caso {
    std::vector<modifica> modifiche;
    int codice;
    id_diagnostica id;
    int riga, colonna;
    const char* messaggio;
  };
  const caso casi[] = {
      {{{true, 13,
         "stazione,       0, 300,  400,  1, 0, 1,  4,1,0,  2,1,1,    1,   8,30, 0, Alfa"}},
       25,
       id_diagnostica::number_out_of_range,
       13,
       20,
       "'300' does not fit `tipo`, a Byte, 0 to 255. Give a value in that range (code 25: the "
       "compile step stops reading here)"},
      {{{false, 13, "curvad3,  22000,  500"}},
       15,
       id_diagnostica::outside_route,
       13,
       11,
       "the position 22000 m lies past the end of the route (21900 m for this record: the line "
       "length plus 7000 m, less 100 m), and the compile step skips the rest of this file. Move "
       "the record inside the line, or make \"lunghezza percorso\" longer"},
      {{{false, 24, "indicatori_vmax,  500,  100,  105,  110,  0,  ,  ,  ,  0"}},
       21,
       id_diagnostica::speed_board_cell_taken,
       24,
       19,
       "this speed board goes into cell 11 (550 m), which already holds the speed board at "
       "l.txt:23:1. Move the board to a free cell"},
      // The signal writes its cell before its approach marks fail; set aside,
      // it leaves the cell free for the record after it.
      {{{true, 19, "segnale,    100,   2, 4, 1,  0, 0,    0,  0,0,0, 0"},
        {true, 20, "abbattimento,    150,   5", true}},
       25,
       id_diagnostica::outside_route_model,
       19,
       1,
       "this 'segnale' record writes a cell outside the route model: a signal marks the four "
       "cells 100 to 400 m before it, so it must stand at 350 m or more (code 25: the compile "
       "step stops reading here)"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.id);
    const esito_controllo e = controlla_modificato(c.modifiche);
    EXPECT_EQ(e.errori, 1);
    for (const diagnostica& d : e.diagnostiche) {
      if (d.severita() != gravita::errore) continue;
      EXPECT_EQ(d.codice(), c.codice);
      EXPECT_EQ(d.id, c.id);
      EXPECT_EQ(d.dove.riga, c.riga);
      EXPECT_EQ(d.dove.colonna, c.colonna);
      EXPECT_EQ(d.messaggio, c.messaggio);
    }
  }
}

// Past the first number that does not fit (where the compile step stops),
// each later one is found by the checker alone, at its own field.
TEST(Check, EveryNumberOutOfRangeIsFoundAtItsField) {
  const esito_controllo e = controlla_modificato(
      {{false, 16, "pendenza,  3000,   99999999999"}, {false, 18, "pendenza,  99999999999,   -6"}});
  ASSERT_EQ(e.errori, 2);
  ASSERT_EQ(e.diagnostiche.size(), 2u);
  EXPECT_EQ(e.diagnostiche[0].dove.riga, 16);
  EXPECT_EQ(e.diagnostiche[0].dove.colonna, 20);
  EXPECT_EQ(e.diagnostiche[0].messaggio,
            "'99999999999' does not fit `pendenza`, a Long, -2147483648 to 2147483647. Give a "
            "value in that range (code 25: the compile step stops reading here)");
  EXPECT_EQ(e.diagnostiche[1].dove.riga, 18);
  EXPECT_EQ(e.diagnostiche[1].dove.colonna, 12);
  EXPECT_EQ(e.diagnostiche[1].messaggio,
            "'99999999999' does not fit `inizio`, a Long, -2147483648 to 2147483647. Give a "
            "value in that range (code 25; the compile step stopped reading at an earlier "
            "fault)");
}

// The placement pass's four rules, each with no room for its marker: the
// message names what holds the cell and where it was written.
TEST(Check, MarkersWithoutRoomNameWhatHoldsTheCell) {
  const auto segnale = [](const char* posizione, int riga) {
    return modifica{true, riga,
                    std::string("segnale, ") + posizione + ", 2, 4, 1, 0, 0, 0, 0,0,0, 0", true};
  };
  const auto cartello = [](const char* posizione, int riga) {
    return modifica{false, riga, std::string("cartello_indicatore, ") + posizione + ", (x)", true};
  };
  struct caso {
    std::vector<modifica> modifiche;
    int codice;
    id_diagnostica id;
    int riga;
    const char* messaggio;
    int riga_correlata;
    const char* correlata;
  };
  const caso casi[] = {
      {{segnale("3650", 23), segnale("3700", 24), segnale("3750", 25)},
       12,
       id_diagnostica::approach_marker_no_room,
       17,
       "a slowdown gets markers 250-350 m, 550-650 m and 900-1000 m before its start; the three "
       "cells of one group are all taken: cell 76 (3800 m), which already holds the signal at "
       "s.txt:25:1. Move the slowdown or the objects near it",
       25,
       "cell 76 (3800 m) is taken by the signal of this record"},
      {{cartello("2400", 25), cartello("2450", 26), segnale("2500", 23)},
       11,
       id_diagnostica::signal_marker_no_room,
       23,
       "this signal stands less than 1000 m before a slowdown's warning board, so a marker goes "
       "into one of the two cells before it; neither is free: cell 50 (2500 m), which already "
       "holds the indication board at l.txt:26:1. Move the slowdown or the objects near it",
       26,
       "cell 50 (2500 m) is taken by the indication board of this record"},
      {{cartello("9350", 25),
        cartello("9400", 26),
        cartello("9450", 27),
        {true, 23, "rallentamento, 9000, 40, 1000, 1, 0, 0", true}},
       13,
       id_diagnostica::slowdown_marker_no_room,
       23,
       "a slowdown slower than 110 km/h gets a marker every 400 m along it; at one of them the "
       "cell and its two neighbours are all taken: cell 189 (9450 m), which already holds the "
       "indication board at l.txt:26:1. Move the slowdown or the objects near it",
       26,
       "cell 189 (9450 m) is taken by the indication board of this record"},
      {{cartello("4350", 25), cartello("4400", 26), segnale("4450", 23)},
       13,
       id_diagnostica::signal_after_slowdown_no_room,
       17,
       "the first signal within 600 m after this slowdown's end gets a marker just before it; "
       "neither of the two cells before the signal is free: cell 89 (4450 m), which already "
       "holds the indication board at l.txt:26:1. Move the slowdown or the objects near it",
       26,
       "cell 89 (4450 m) is taken by the indication board of this record"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.id);
    const esito_controllo e = controlla_modificato(c.modifiche);
    EXPECT_EQ(e.compilazione.modello.codice_errore, c.codice);
    ASSERT_EQ(e.diagnostiche.size(), 1u);
    const diagnostica& d = e.diagnostiche[0];
    EXPECT_EQ(d.codice(), c.codice);
    EXPECT_EQ(d.id, c.id);
    EXPECT_EQ(d.dove.file, file_sorgente::servizio);
    EXPECT_EQ(d.dove.riga, c.riga);
    EXPECT_EQ(d.dove.colonna, 1);
    EXPECT_EQ(d.messaggio, c.messaggio);
    ASSERT_EQ(d.correlate.size(), 1u);
    EXPECT_EQ(d.correlate[0].dove.riga, c.riga_correlata);
    EXPECT_EQ(d.correlate[0].messaggio, c.correlata);
  }
}

// A signal refused for a taken cell: the message names what holds it.
TEST(Check, ATakenCellNamesWhatHoldsIt) {
  struct caso {
    const char* posizione;
    const char* cella;
    const char* occupante;
  };
  const caso casi[] = {
      {"4000", "cell 81 (4050 m)", "the start of the slowdown at s.txt:17:1"},
      {"4300", "cell 87 (4350 m)", "the end of the slowdown at s.txt:17:1"},
      {"2800", "cell 57 (2850 m)", "the warning board of the slowdown at s.txt:17:1"},
      {"500", "cell 11 (550 m)", "the speed board at l.txt:23:1"},
      {"14600", "cell 293 (14650 m)", "the end of the station at s.txt:15:1"},
      {"4950", "cell 100 (5000 m)", "the \"abbattimento\" marker at s.txt:23:1"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.posizione);
    std::vector<modifica> m;
    if (std::string(c.posizione) == "4950") m.push_back({true, 23, "abbattimento, 5000, 5", true});
    m.push_back({true, 23 + static_cast<int>(m.size()),
                 std::string("segnale, ") + c.posizione + ", 2, 4, 1, 0, 0, 0, 0,0,0, 0", true});
    const esito_controllo e = controlla_modificato(m);
    ASSERT_EQ(e.diagnostiche.size(), 1u);
    EXPECT_EQ(e.diagnostiche[0].id, id_diagnostica::signal_cell_taken);
    EXPECT_EQ(e.diagnostiche[0].messaggio, std::string("this signal goes into ") + c.cella +
                                               ", which already holds " + c.occupante +
                                               ". Move the signal to a free cell");
  }
}

std::vector<std::string> errori_e_avvisi(const esito_controllo& e) {
  std::vector<std::string> out;
  for (const diagnostica& d : e.diagnostiche) {
    out.push_back(std::to_string(d.codice().value_or(0)) + " " + std::string(d.nome()) + " " +
                  std::to_string(d.dove.riga) + ":" + std::to_string(d.dove.colonna));
  }
  return out;
}

// Faults that leave no route model say so, once: the line's own words, or
// the compile step's stop added to the fault before "lunghezza percorso".
TEST(Check, FaultsThatLeaveNoRouteModelSaySo) {
  struct caso {
    modifica m;
    const char* messaggio;
  };
  const caso casi[] = {
      {{false, 1, "[general]"},
       "the file has no \"[generale]\" section before its last line, so no route model is built "
       "(0 of 5 gradients, 0 of 3 curves, 0 of 13 other records are read). Begin the file with "
       "the line \"[generale]\""},
      {{false, 2, "lunghezza percorso,    2000000"},
       "the line is 2000000 m long, more than the 1000000 m a route can have, so no route model "
       "is built. Give a length of at most 1000000"},
      {{false, 2, "ripetizione segnali 4 codici, 25, 0", true},
       "the coded signal zone starts at 25 m, not a multiple of 50. Move its start to a multiple "
       "of 50; the compile step stops here, before any \"lunghezza percorso\", so no route model "
       "is built and nothing is written"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.m.testo);
    const esito_controllo e = controlla_modificato({c.m});
    EXPECT_EQ(e.compilazione.esito, esito_compilazione::senza_modello);
    ASSERT_GE(e.diagnostiche.size(), 1u);
    EXPECT_EQ(e.diagnostiche[0].messaggio, c.messaggio);
  }
  // With the line file unread, the service file is read against a stand-in
  // line: no placement and no reserved slots, which that line cannot judge.
  const esito_controllo e = controlla_modificato({
      {false, 2, "unghezza percorso,    15000"},
      {true, 23, "segnale, 3650, 2, 4, 1, 0, 0, 0, 0,0,0, 0", true},
      {true, 24, "segnale, 3700, 2, 4, 1, 0, 0, 0, 0,0,0, 0", true},
      {true, 25, "segnale, 3750, 2, 4, 1, 0, 0, 0, 0,0,0, 0", true},
      {true, 26, "rallentamento,   0,    0,  200, 1,  0,  1", true},
  });
  EXPECT_EQ(errori_e_avvisi(e),
            (std::vector<std::string>{"0 unknown-keyword 2:1", "25 no-route-model 10:1"}));
}

// A signal at 0 m fails its approach marks (code 25); the compile step has
// put it in the reserved cell 1 by then (1250), the checker's reading sets
// it aside: both faults are errors.
TEST(Check, TheCompileStepsReservedSlotFaultIsAmongTheErrors) {
  const esito_controllo e =
      controlla_modificato({{true, 23, "segnale, 0, 2, 4, 1, 0, 0, 0, 0,0,0, 0", true}});
  EXPECT_EQ(e.compilazione.esito, esito_compilazione::errore_1250);
  EXPECT_EQ(errori_e_avvisi(e), (std::vector<std::string>{"25 outside-route-model 23:1",
                                                          "1250 reserved-marker-slot 23:10"}));
  EXPECT_EQ(accordo_con_compilazione(e), "");
}

// The compile step's run lays the plan geometry only when asked.
TEST(Check, TheGeometryIsLaidOnRequest) {
  ingresso_controllo in;
  const std::string l = unisci(esempio_linea()), s = unisci(esempio_servizio());
  in.linea = l;
  in.servizio = s;
  EXPECT_EQ(controlla(in).compilazione.linea_dat().size(), 0u);
  in.posa_geometria = true;
  EXPECT_EQ(controlla(in).compilazione.linea_dat().size(), 439964u);
}

// Every kind of error with its message, each at the field at fault.
TEST(Check, EachErrorWithItsMessage) {
  struct caso {
    const char* nome;
    std::vector<modifica> modifiche;
    int codice;
    id_diagnostica id;
    int riga, colonna;
    const char* messaggio;
  };
  std::vector<caso> casi = {
      {"a series starting off the grid",
       {{false, 3, "progressiva chilometrica uno,    25,    15000,    1"}},
       2,
       id_diagnostica::series_off_grid,
       3,
       34,
       "the kilometric series 'progressiva chilometrica uno' starts at '25' m, not a multiple of "
       "50. Round it to 0 or 50"},
      {"a series' origin off the grid below 0",
       {{false, 3, "progressiva chilometrica uno,    100,    -25,    1"}},
       2,
       id_diagnostica::series_off_grid,
       3,
       42,
       "the kilometric series 'progressiva chilometrica uno' has '-25' as its origin, not a "
       "multiple of 50. Round it to -50 or 0"},
      {"a station off the grid",
       {{true, 14, "stazione,    7525, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, 0, Beta"}},
       8,
       id_diagnostica::station_off_grid,
       14,
       14,
       "the station's axis at 7525 m is not a multiple of 50. Move it to 7500 or 7550"},
      {"a series' origin off the grid",
       {{false, 3, "progressiva chilometrica uno,    0,    15025,    1"}},
       2,
       id_diagnostica::series_off_grid,
       3,
       40,
       "the kilometric series 'progressiva chilometrica uno' has '15025' as its origin, not a "
       "multiple of 50. Round it to 15000 or 15050"},
      {"a coded zone ending off the grid",
       {{false, 9, "ripetizione segnali 4 codici,    0,    1025"}},
       4,
       id_diagnostica::zone_end_off_grid,
       9,
       40,
       "the coded signal zone ends at 1025 m, not a multiple of 50. Move its end to a multiple of "
       "50, or write 0 for no zone"},
      {"a coded zone without 4 or 9 codes",
       {{false, 9, "ripetizione segnali codici,    0,    0"}},
       5,
       id_diagnostica::zone_codes_missing,
       9,
       1,
       "the keyword 'ripetizione segnali codici' names neither 4 nor 9 codes. Write \"ripetizione "
       "segnali 4 codici\" or \"ripetizione segnali 9 codici\""},
      {"an abbattimento in a taken cell",
       {{true, 23, "abbattimento, 4050, 5", true}},
       7,
       id_diagnostica::abbattimento_cell_taken,
       23,
       15,
       "this \"abbattimento\" goes into cell 81 (4050 m), which already holds the start of the "
       "slowdown at s.txt:17:1. Move it to a free cell"},
      {"a station length not a multiple of 100",
       {{true, 14, "stazione,    7500, 24,  350,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, 0, Beta"}},
       9,
       id_diagnostica::station_length,
       14,
       25,
       "the station's length 350 m is not a multiple of 100. Give 300 or 400"},
      {"a station past the end of the route",
       {{true, 15,
         "stazione,   21500,  4,  400,  1, 0, 0,  1,1,0,  2,1,1,    0,   8,47, 0, Gamma"}},
       15,
       id_diagnostica::outside_route,
       15,
       13,
       "the position 21500 m lies past the end of the route (21200 m for a station: the line "
       "length plus 7000 m, less 800 m), and the compile step skips the rest of this file. Move "
       "the record inside the line, or make \"lunghezza percorso\" longer"},
      {"a slowdown's warning board in a taken cell",
       {{false, 27, "cartello_indicatore,  2800,   (x)", true}},
       17,
       id_diagnostica::warning_cell_taken,
       17,
       19,
       "this slowdown's warning board, 1200 m before its start, goes into cell 57 (2850 m), which "
       "already holds the indication board at l.txt:27:1. Move the slowdown or that object"},
      {"a slowdown starting in a taken cell",
       {{false, 27, "cartello_indicatore,  4000,   (x)", true}},
       18,
       id_diagnostica::slowdown_start_cell_taken,
       17,
       19,
       "this slowdown starts in cell 81 (4050 m), which already holds the indication board at "
       "l.txt:27:1. Move the slowdown's start to a free cell"},
      {"a slowdown ending in a taken cell",
       {{false, 27, "cartello_indicatore,  4300,   (x)", true}},
       19,
       id_diagnostica::slowdown_end_cell_taken,
       17,
       19,
       "this slowdown ends (start plus length) in cell 87 (4350 m), which already holds the "
       "indication board at l.txt:27:1. Change its start or length so that it ends in a free cell"},
      {"a slowdown's approach cell taken",
       {{true, 17, "rallentamento,    4000,    40,  300, 1,  1,  0"},
        {false, 27, "cartello_indicatore,  2700,   (x)", true}},
       20,
       id_diagnostica::approach_cell_taken,
       17,
       19,
       "the four cells just before this slowdown's warning board must be free, but cell 55 (2750 "
       "m), which already holds the indication board at l.txt:27:1. Move the slowdown, or write 0 "
       "as its fifth value (f_ta)"},
      {"stations too close",
       {{true, 14, "stazione,     500, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, 0, Beta"}},
       22,
       id_diagnostica::stations_too_close,
       14,
       15,
       "this station's area starts at 350 m, less than 350 m after the previous station's area "
       "ends at 250 m. List the stations in order along the line, 350 m or more apart"},
      {"a station ending too early",
       {{true, 13, "stazione,       0, 4,  100,  1, 0, 1,  4,1,0,  2,1,1,    1,   8,30, 0, Alfa"}},
       24,
       id_diagnostica::station_too_early,
       13,
       17,
       "this station's area ends at 100 m, at or before 100 m, so it has no end cell. Move the "
       "station further along the line"},
      {"a curve keyword without class",
       {{false, 12, "curvas,  6000,  400"}},
       103,
       id_diagnostica::bad_curve,
       12,
       1,
       "the curve keyword 'curvas' has no class digit 1 to 6. Write \"curva\", the side \"d\" or "
       "\"s\" and the class, e.g. \"curvad4\""},
      {"a curve past point 1000000",
       {{false, 2, "lunghezza percorso,    1000000"}, {false, 13, "curvad3,  999000,  5000"}},
       103,
       id_diagnostica::bad_curve,
       13,
       20,
       "the plan geometry would pass 1000000 points here. Keep the curves inside 1000000 m"},
      {"a slowdown's direction in cell 1",
       {{true, 17, "rallentamento,   0,    0,  200, 1,  0,  1", true}},
       1251,
       id_diagnostica::reserved_code_slot,
       17,
       18,
       "cell 1, where objects less than 25 m from the origin go, holds the start of the slowdown "
       "at s.txt:17:1 with a second value, but that value is reserved: no binary file is written "
       "(Errore n. 1251). Move the object to 50 m or further"},
      {"a board in cell 1",
       {{false, 27, "cartello_indicatore,  0,   (Km. 0)", true}},
       1250,
       id_diagnostica::reserved_marker_slot,
       27,
       23,
       "cell 1, where objects less than 25 m from the origin go, holds the indication board at "
       "l.txt:27:1 with a first value, but that value is reserved: no binary file is written "
       "(Errore n. 1250). Move the object to 50 m or further"},
      {"a record cut short by the end of the file",
       {{true, 24, "segnale,   14000, 2"}},
       25,
       id_diagnostica::record_cut_short,
       24,
       20,
       "the file ends inside this 'segnale' record: it takes 11 values and 2 were found. Write "
       "every value of the record on its line (code 25: the compile step stops reading here)"},
      {"a negative line length",
       {{false, 2, "lunghezza percorso,    -8000"}},
       25,
       id_diagnostica::negative_length,
       2,
       1,
       "\"lunghezza percorso\" '-8000' gives a route model of negative size. Give a length of 0 or "
       "more (code 25: the compile step stops reading here); the compile step stops here, before "
       "any \"lunghezza percorso\", so no route model is built and nothing is written"},
      {"no line length",
       {{false, 2, "- no length"}},
       25,
       id_diagnostica::no_route_model,
       10,
       1,
       "the general section gives no \"lunghezza percorso\", so no route model is built and "
       "nothing is written. Add \"lunghezza percorso, LENGTH\" to \"[generale]\" (code 25: the "
       "compile step stops reading here)"},
      {"an origin that overflows a Long",
       {{false, 3, "progressiva chilometrica uno,    0,    2147483600,    1"}},
       25,
       id_diagnostica::long_overflow,
       10,
       1,
       "a value is so large that a sum over it overflows a Long. Give smaller values (code 25: the "
       "compile step stops reading here)"},
      {"a value past a Byte",
       {{true, 14,
         "stazione,    7500, 300,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,   8,38, 0, Beta"}},
       25,
       id_diagnostica::number_out_of_range,
       14,
       20,
       "'300' does not fit `tipo`, a Byte, 0 to 255. Give a value in that range (code 25: the "
       "compile step stops reading here)"},
  };
  // 74 boards more than the example's two take the item slots down to 5:
  // the third station finds none left for a fourth.
  caso slot{"stations and boards sharing the item slots",
            {},
            10,
            id_diagnostica::too_many_stations,
            15,
            1,
            "station 3 and the 76 indication boards use up the 78 item slots they share. Remove "
            "stations or indication boards"};
  for (int i = 0; i < 74; ++i) {
    slot.modifiche.push_back(
        {false, 27, "cartello_indicatore, " + std::to_string(15500 + 50 * i) + ", (b)", true});
  }
  casi.push_back(slot);
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const esito_controllo e = controlla_modificato(c.modifiche);
    const diagnostica* d = nullptr;
    for (const auto& x : e.diagnostiche) {
      if (x.severita() == gravita::errore && d == nullptr) d = &x;
    }
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->codice(), c.codice);
    EXPECT_EQ(d->id, c.id);
    EXPECT_EQ(d->dove.riga, c.riga);
    EXPECT_EQ(d->dove.colonna, c.colonna);
    EXPECT_EQ(d->messaggio, c.messaggio);
    if (d->id == id_diagnostica::stations_too_close) {
      ASSERT_EQ(d->correlate.size(), 1u);
      EXPECT_EQ(d->correlate[0].dove.riga, 13);
      EXPECT_EQ(d->correlate[0].messaggio, "the previous station");
    }
  }
}

// Faults of a file as a whole: given none, cut short, or not deleted.
TEST(Check, FaultsOfAWholeFileSaySo) {
  const esito_controllo vuoto = controlla_testi(unisci(esempio_linea()), "");
  ASSERT_EQ(vuoto.diagnostiche.size(), 1u);
  EXPECT_EQ(vuoto.diagnostiche[0].id, id_diagnostica::record_cut_short);
  EXPECT_EQ(vuoto.diagnostiche[0].messaggio,
            "the file is empty (code 25: the compile step stops reading here)");
  const esito_controllo tronco = controlla_testi(
      "[generale]\r\nlunghezza percorso, 1000\r\n-a\r\n-b", unisci(esempio_servizio()));
  // The example's records lie past this short line: the length's error comes first.
  ASSERT_GE(tronco.diagnostiche.size(), 3u);
  EXPECT_EQ(tronco.diagnostiche[0].id, id_diagnostica::outside_route);
  EXPECT_EQ(tronco.diagnostiche[2].id, id_diagnostica::record_cut_short);
  EXPECT_EQ(tronco.diagnostiche[2].dove.riga, 4);
  EXPECT_EQ(tronco.diagnostiche[2].messaggio,
            "the file ends where the reader still expects a field (code 25: the compile step "
            "stops reading here)");

  // Those that only the compile step on files can meet.
  const ingresso_controllo in;
  const modello_percorso m;
  const sorgenti_modello s;
  const contesto_check c{in, m, s};
  struct caso {
    codice codice_guasto;
    std::optional<motivo_guasto> motivo;
    id_diagnostica id;
    const char* messaggio;
  };
  const caso casi[] = {
      {codice::errore_lettura, motivo_guasto::file_mancante, id_diagnostica::service_file_missing,
       "the service file is missing or cannot be read (code 25: the compile step stops reading "
       "here)"},
      {codice::errore_lettura, motivo_guasto::file_inaccessibile, id_diagnostica::file_not_deleted,
       "the description file could not be deleted once read (code 25: the compile step stops "
       "reading here)"},
      {codice::file_linea_mancante, std::nullopt, id_diagnostica::line_file_missing,
       "the line description file does not exist"},
  };
  for (const caso& k : casi) {
    guasto g;
    g.codice_guasto = k.codice_guasto;
    g.motivo = k.motivo;
    const diagnostica d = diagnostica_guasto(g, c);
    EXPECT_EQ(d.codice(), numero(k.codice_guasto));
    EXPECT_EQ(d.id, k.id);
    EXPECT_EQ(d.messaggio, k.messaggio);
    EXPECT_EQ(d.dove.riga, 0);
  }
}

void verifica_accordo(const std::string& l, const std::string& s) {
  EXPECT_EQ(accordo_con_compilazione(controlla_testi(l, s)), "");
}

TEST(Check, AgreesWithCompileOnMutatedExamples) {
  const std::string l0 = unisci(esempio_linea());
  const std::string s0 = unisci(esempio_servizio());
  std::mt19937 rng(7547);
  const std::string pezzi[] = {",", "-", "0", "5", "\r\n", " ", "\t", "stazione", "[fine]", "x"};
  for (int n = 0; n < 300; ++n) {
    std::string l = l0, s = s0;
    std::string& t = (rng() & 1) ? l : s;
    for (int k = 0, quante = 1 + static_cast<int>(rng() % 3); k < quante; ++k) {
      const std::size_t pos = rng() % t.size();
      switch (rng() % 3) {
        case 0:
          t.erase(pos, 1 + rng() % 4);
          break;
        case 1:
          t.insert(pos, pezzi[rng() % std::size(pezzi)]);
          break;
        default:
          t[pos] = static_cast<char>('0' + rng() % 10);
      }
    }
    SCOPED_TRACE(n);
    verifica_accordo(l, s);
  }
}

TEST(Check, BadInputIsReportedNotCrashed) {
  std::mt19937 rng(1);
  std::string rumore(100000, '\0');
  for (char& ch : rumore) ch = static_cast<char>(rng());
  const std::string virgole(2000000, ',');
  const std::string l = unisci(esempio_linea());
  for (const auto& [a, b] : {std::pair{rumore, rumore}, std::pair{std::string(), std::string()},
                             std::pair{virgole, virgole}}) {
    const esito_controllo e = controlla_testi(a, b);
    EXPECT_GE(e.errori, 1);
    verifica_accordo(a, b);
  }
  // The line file given twice: the service reader finds none of its
  // records, and says the file looks swapped.
  const esito_controllo due_volte = controlla_testi(l, l);
  EXPECT_EQ(due_volte.errori, 0);
  EXPECT_EQ(due_volte.diagnostiche.back().id, id_diagnostica::files_swapped);
  verifica_accordo(l, l);
  // An empty file says so.
  const esito_controllo e = controlla_testi("", unisci(esempio_servizio()));
  ASSERT_FALSE(e.diagnostiche.empty());
  EXPECT_EQ(e.diagnostiche[0].messaggio,
            "the file is empty (code 25: the compile step stops reading here); the compile step "
            "stops here, before any \"lunghezza percorso\", so no route model is built and nothing "
            "is written");
}

// The format document shows the example scenario as it stands in its files.
TEST(Check, TheFormatDocumentShowsTheExample) {
  const std::string doc = leggi(std::string(VO_DOCS_DIR) + "/formats.md");
  std::string l = unisci(esempio_linea()), s = unisci(esempio_servizio());
  for (std::string* t : {&l, &s}) {
    for (std::size_t p; (p = t->find('\r')) != std::string::npos;) t->erase(p, 1);
    EXPECT_NE(doc.find("```\n" + *t + "```\n"), std::string::npos);
  }
}

// A speed no cell can hold is the fault of its own record, once, and only
// when some cell would be given it.
TEST(Check, ASpeedNoCellHoldsIsItsRecordsFaultOnlyWhenWritten) {
  // Replaced at the same cell before any cell is filled: nothing to say.
  esito_controllo e = controlla_modificato({{true, 9, "velocita,       0,    2000", true}});
  EXPECT_EQ(e.errori, 0);
  EXPECT_EQ(accordo_con_compilazione(e), "");
  // Held over 1000 m: the record's own fault, not the records after it.
  e = controlla_modificato({{true, 10, "velocita,    1000,    2000"}});
  ASSERT_EQ(e.errori, 1);
  EXPECT_EQ(e.diagnostiche[0].id, id_diagnostica::speed_too_high);
  EXPECT_EQ(e.diagnostiche[0].dove.riga, 10);
  EXPECT_EQ(e.diagnostiche[0].dove.colonna, 23);
  EXPECT_EQ(accordo_con_compilazione(e), "");
  // The bounds of a cell's byte, km/h / 5 rounded: 0 .. 255.
  for (const auto& [velocita, errori] :
       {std::pair{"1277", 0}, std::pair{"1278", 1}, std::pair{"-2", 0}, std::pair{"-3", 1}}) {
    SCOPED_TRACE(velocita);
    e = controlla_modificato({{true, 10, std::string("velocita,    1000,    ") + velocita}});
    ASSERT_EQ(e.errori, errori);
    if (errori == 0) continue;
    EXPECT_EQ(e.diagnostiche[0].id, id_diagnostica::speed_too_high);
    EXPECT_EQ(e.diagnostiche[0].dove.riga, 10);
    EXPECT_EQ(accordo_con_compilazione(e), "");
  }
  // At the end of the model: the records at the last place each fill one
  // cell, up to the last one; a speed replaced after that is never held.
  e = controlla_modificato({{true, 12, "velocita,   21900,    2000", true},
                            {true, 13, "velocita,   21900,    70", true},
                            {true, 14, "velocita,   21900,    2000", true},
                            {true, 15, "velocita,   21900,    80", true}});
  ASSERT_EQ(e.errori, 1);
  EXPECT_EQ(e.diagnostiche[0].id, id_diagnostica::speed_too_high);
  EXPECT_EQ(e.diagnostiche[0].dove.riga, 12);
  EXPECT_EQ(e.diagnostiche[0].dove.colonna, 23);
  EXPECT_EQ(accordo_con_compilazione(e), "");
}

// A record set aside takes back only its own writes: the entries the
// records before it wrote stay (here the off-grid origin, code 2).
TEST(Check, ARecordSetAsideKeepsTheEntriesWrittenBeforeIt) {
  const esito_controllo e =
      controlla_modificato({{false, 3, "progressiva chilometrica uno,    0,    15025,    1"},
                            {false, 13, "curvad3,  22000,  500"}});
  EXPECT_EQ(e.compilazione.modello.codice_errore, 2);
  std::vector<std::string> errori;
  for (const diagnostica& d : e.diagnostiche) {
    errori.push_back(std::to_string(d.codice().value_or(0)) + " " + std::string(d.nome()) + " " +
                     std::to_string(d.dove.riga) + ":" + std::to_string(d.dove.colonna));
  }
  EXPECT_EQ(errori, (std::vector<std::string>{"2 series-off-grid 3:40", "15 outside-route 13:11"}));
}

// What a record set aside takes back is its own writes and nothing else:
// not the boards of the records closed before it, not the last grade the
// line file fills in after its last record.
TEST(Check, ARecordSetAsideTakesBackOnlyItsOwnWrites) {
  esito_controllo e = controlla_modificato({{false, 27, "cartello_indicatore,  1200,   (Doppio)"}});
  ASSERT_EQ(e.errori, 1);
  EXPECT_EQ(e.modello_letto.elementi[voce::ultimo_cartello].nome, "(Cippo Km.)( 13+800  )");
  EXPECT_EQ(e.modello_letto.elementi[voce::ultimo_cartello - 1].nome, "");

  // The service file's first record fails its read: the line file's grade
  // of 5 per mille still holds from 12000 m to the third cell from the end.
  e = controlla_modificato(
      {{false, 19, "pendenza,  12000,   5"}, {true, 2, "numero vetture,    99999999999"}});
  ASSERT_EQ(e.errori, 1);
  const modello_percorso& m = e.modello_letto;
  ASSERT_EQ(m.n_celle, 440);
  EXPECT_EQ(m.celle[240].pendenza, 105);
  EXPECT_EQ(m.celle[437].pendenza, 105);
  EXPECT_EQ(m.celle[438].pendenza, 0);

  // A span that runs past the last cell is counted and stored before it
  // fails: set aside, the count and the spans are as before it.
  e = controlla_modificato({{false, 22, "montagna,   21000,  23000,  3", true}});
  ASSERT_EQ(e.errori, 1);
  EXPECT_EQ(e.modello_letto.n_montagne, 1);
  EXPECT_EQ(e.modello_letto.montagne_inizio[2], 0);
  EXPECT_EQ(e.modello_letto.montagne_fine[2], 0);

  // A series set aside leaves its entry as it was, and no record behind it.
  e = controlla_modificato(
      {{false, 4, "progressiva chilometrica due,    0,    99999999999,    0"}});
  ASSERT_EQ(e.errori, 1);
  EXPECT_EQ(e.modello_letto.elementi[voce::progressiva_due].fine, 0);
  EXPECT_EQ(e.sorgenti_letti.elementi[voce::progressiva_due], nessun_record);
  EXPECT_NE(e.sorgenti_letti.elementi[voce::progressiva_tre], nessun_record);

  // A signal writes its cell before its approach marks fail: set aside, the
  // cell is free again and no record holds it.
  e = controlla_modificato({{true, 19, "segnale,    100,   2, 4, 1,  0, 0,    0,  0,0,0, 0"}});
  ASSERT_EQ(e.errori, 1);
  EXPECT_EQ(e.modello_letto.celle[3].tipo, tipo_cella::libera);
  EXPECT_EQ(e.sorgenti_letti.celle[3].oggetto, nessun_record);
}

// Each part of a cell knows the record that wrote it: an editor shows the
// cells a record took from here.
TEST(Check, EachPartOfACellKnowsItsRecord) {
  const esito_controllo e = controlla_modificato({});
  const auto record_della_riga = [&](file_sorgente f, int riga) {
    for (std::size_t i = 0; i < e.sorgenti_letti.record.size(); ++i) {
      const record_letto& r = e.sorgenti_letti.record[i];
      if (r.file == f && r.chiave.riga == riga) return static_cast<std::int32_t>(i);
    }
    ADD_FAILURE() << riga;
    return nessun_record;
  };
  std::vector<int> segni, montagne;
  const std::int32_t segnale = record_della_riga(file_sorgente::servizio, 19);
  const std::int32_t montagna = record_della_riga(file_sorgente::linea, 21);
  for (std::size_t k = 0; k < e.sorgenti_letti.celle.size(); ++k) {
    if (e.sorgenti_letti.celle[k].segno == segnale) segni.push_back(static_cast<int>(k));
    if (e.sorgenti_letti.celle[k].montagna == montagna) montagne.push_back(static_cast<int>(k));
  }
  EXPECT_EQ(segni, (std::vector<int>{13, 15, 17, 19}));  // 400 to 100 m before the signal
  EXPECT_EQ(montagne, (std::vector<int>{140, 141, 142, 143, 144, 145, 146, 147}));
  const origine_cella& c = e.sorgenti_letti.celle[61];
  EXPECT_EQ(c.pendenza, record_della_riga(file_sorgente::linea, 16));
  EXPECT_EQ(c.velocita, record_della_riga(file_sorgente::servizio, 10));
  EXPECT_EQ(c.aderenza, record_della_riga(file_sorgente::servizio, 7));
  EXPECT_EQ(e.sorgenti_letti.celle[21].oggetto, segnale);
}

TEST(Check, GradesPastTheUsedUpCellsAreOneErrorWithACount) {
  // 15000 m make cells 0 .. 440; the grade at 12000 m fills up to cell 240
  // and each record at 50 m writes one more: the 202nd finds none.
  std::vector<modifica> m;
  for (int i = 0; i < 300; ++i) m.push_back({false, 20, "pendenza,  50,   1", true});
  esito_controllo e = controlla_modificato(m);
  ASSERT_EQ(e.errori, 1);
  const auto errore = [](const esito_controllo& x) {
    return *std::find_if(x.diagnostiche.begin(), x.diagnostiche.end(),
                         [](const diagnostica& d) { return d.severita() == gravita::errore; });
  };
  const diagnostica d = errore(e);
  EXPECT_EQ(d.id, id_diagnostica::outside_route_model);
  EXPECT_EQ(d.codice(), 25);
  EXPECT_EQ(d.dove.riga, 19 + 202);
  EXPECT_EQ(d.dove.colonna, 1);
  ASSERT_EQ(d.correlate.size(), 1u);
  EXPECT_EQ(d.correlate[0].messaggio,
            "98 later records of this kind find no cell either; the last is here");
  EXPECT_EQ(d.correlate[0].dove.riga, 19 + 300);
  EXPECT_EQ(accordo_con_compilazione(e), "");

  // The last record leaves the fill index past the cells without a fault
  // of its own: writing its grade at the end of the file is its fault.
  m.resize(201);
  e = controlla_modificato(m);
  ASSERT_EQ(e.errori, 1);
  EXPECT_EQ(errore(e).codice(), 25);
  EXPECT_EQ(errore(e).dove.riga, 19 + 201);
  EXPECT_EQ(e.compilazione.modello.codice_errore, 25);
  EXPECT_EQ(accordo_con_compilazione(e), "");
}

// A fix applied as an editor applies it: each replacement on its line.
std::string con_correzione(std::string testo, const correzione& c) {
  std::vector<sostituzione> modifiche = c.modifiche;
  // From the last place back, so the earlier places stay where they are.
  std::sort(modifiche.begin(), modifiche.end(), [](const sostituzione& a, const sostituzione& b) {
    return std::pair(a.dove.riga, a.dove.colonna) > std::pair(b.dove.riga, b.dove.colonna);
  });
  for (const sostituzione& m : modifiche) {
    const std::string_view riga = indice_righe(testo).riga(m.dove.riga);
    const std::size_t inizio = static_cast<std::size_t>(riga.data() - testo.data()) +
                               static_cast<std::size_t>(m.dove.colonna - 1);
    testo.replace(inizio, static_cast<std::size_t>(m.dove.lunghezza), m.testo);
  }
  return testo;
}

TEST(Check, EachFixGivesBackTheTextTheMessageAsksFor) {
  const std::string linea =
      leggi(std::string(VO_TESTDATA_DIR) + "/Viterbo_Attigliano_Orte_linea.txt");
  const std::string servizio =
      leggi(std::string(VO_TESTDATA_DIR) + "/Viterbo_Attigliano_Orte_7547-.txt");
  struct caso {
    bool nel_servizio;
    std::string da, a;  // the golden text's bytes, and what replaces them
    id_diagnostica id;
    const char* titolo;
  };
  const caso casi[] = {
      {true, "segnale,   21100", "segnalle,   21100", id_diagnostica::unknown_keyword,
       "Write 'segnale'"},
      {true, "segnale,   21100", "segnale   21100", id_diagnostica::missing_comma,
       "Insert ',' after 'segnale'"},
      {true, "segnale,   21100", "segnale,   21120", id_diagnostica::off_grid, "Write 21100"},
      {true, "30,  200, 1", "30,  210, 1", id_diagnostica::off_grid, "Write 200"},
      {true, "velocita,    2050", "velocita,    2060", id_diagnostica::off_grid, "Write 2050"},
      {false, "montagna,   30600", "montagna,   30610", id_diagnostica::off_grid, "Write 30600"},
      {true, "[fine]\r\n", "", id_diagnostica::missing_fine, "Add the line \"[fine]\""},
      {true, "0, Montefiascone", "0, Montefiascone  ", id_diagnostica::trailing_blanks,
       "Remove the blanks"},
      {true, "velocita,    2050", "velocita,    2.05", id_diagnostica::position_in_km,
       "Write 2050"},
  };
  for (const caso& c : casi) {
    std::string l = linea, s = servizio;
    std::string& testo = c.nel_servizio ? s : l;
    testo.replace(testo.find(c.da), c.da.size(), c.a);
    const esito_controllo e = controlla_testi(l, s);
    const auto d = std::find_if(e.diagnostiche.begin(), e.diagnostiche.end(),
                                [&](const diagnostica& x) { return !x.correzioni.empty(); });
    ASSERT_NE(d, e.diagnostiche.end()) << c.a;
    EXPECT_EQ(d->id, c.id);
    EXPECT_EQ(d->correzioni[0].titolo, c.titolo);
    testo = con_correzione(testo, d->correzioni[0]);
    EXPECT_EQ(testo, c.nel_servizio ? servizio : linea) << c.a;
  }
  // Off the grid both ways: the fixes name the two neighbours.
  std::string s = servizio;
  s.replace(s.find("segnale,   21100"), 16, "segnale,   21120");
  const std::vector<diagnostica> ds = senza_orario(controlla_testi(linea, s));
  ASSERT_EQ(ds.size(), 1u);
  ASSERT_EQ(ds[0].correzioni.size(), 2u);
  EXPECT_EQ(ds[0].correzioni[1].titolo, "Write 21150");
}

}  // namespace
}  // namespace scenario
