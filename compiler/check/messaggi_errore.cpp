#include "compiler/check/messaggi_errore.h"

#include <algorithm>
#include <array>

namespace scenario {

namespace {

using enum file_colpevole;

constexpr std::array tabella = {
    messaggio_errore{1, linea, false,
                     "the \"lunghezza percorso\" record gives a line longer than 1000000 m.",
                     "Give a length of at most 1000000 m."},
    messaggio_errore{2, linea, false,
                     "a \"progressiva chilometrica\" series has a start or an origin value that "
                     "is not a multiple of 50 m.",
                     "Round the start and the origin of every \"progressiva chilometrica\" record "
                     "to a multiple of 50."},
    messaggio_errore{3, linea, false,
                     "the start of the coded signal repetition zone (\"ripetizione segnali\", "
                     "first value) is not a multiple of 50 m.",
                     "Move the start of the zone to a multiple of 50."},
    messaggio_errore{4, linea, false,
                     "the end of the coded signal repetition zone (\"ripetizione segnali\", "
                     "second value) is not a multiple of 50 m.",
                     "Move the end of the zone to a multiple of 50, or write 0 for no zone."},
    messaggio_errore{5, linea, false,
                     "the \"ripetizione segnali\" keyword names neither 4 nor 9 codes.",
                     "Write the keyword as \"ripetizione segnali 4 codici\" or "
                     "\"ripetizione segnali 9 codici\"."},
    messaggio_errore{6, linea, true,
                     "an indication board (\"cartello_indicatore\") falls in a 50 m cell that "
                     "already holds another object.",
                     "Move the board to a free cell, at least 50 m away from the other object."},
    messaggio_errore{7, servizio, true,
                     "an \"abbattimento\" point falls in a 50 m cell that already holds another "
                     "object.",
                     "Move the \"abbattimento\" point to a free cell."},
    messaggio_errore{8, servizio, true, "a station's position is not a multiple of 50 m.",
                     "Move the station's axis to a multiple of 50."},
    messaggio_errore{9, servizio, true, "a station's length is not a multiple of 100 m.",
                     "Give the station a length that is a multiple of 100."},
    messaggio_errore{10, entrambi, false,
                     "there are more stations and indication boards than the 78 slots they "
                     "share.",
                     "Remove stations or indication boards until they number 78 at most."},
    messaggio_errore{11, servizio, true,
                     "a signal within 1000 m before a slowdown's warning board has no free cell "
                     "for its marker in the 100 m before it.",
                     "Move the signal or the slowdown, or clear one of the two cells before the "
                     "signal."},
    messaggio_errore{12, servizio, true,
                     "there is no free cell for one of the three markers before a slowdown's "
                     "start.",
                     "Move the slowdown, or the objects in the cells 250 to 1000 m before its "
                     "start."},
    messaggio_errore{13, servizio, true,
                     "there is no free cell for a marker along a slowdown or just before the "
                     "first signal after its end.",
                     "Move the slowdown or the objects along it, or the signal right after its "
                     "end."},
    messaggio_errore{15, entrambi, true,
                     "a record's position lies beyond the end of the route model (the line "
                     "length plus 7000 m, less 100 m; less 800 m for a station); the rest of "
                     "that file was skipped.",
                     "Move the record inside the line, or make \"lunghezza percorso\" longer."},
    messaggio_errore{16, servizio, true,
                     "a signal falls in a 50 m cell that already holds another object.",
                     "Move the signal to a free cell, at least 50 m away from the other object."},
    messaggio_errore{17, servizio, true,
                     "a slowdown's warning board, 1200 m before its start, falls in a cell that "
                     "already holds another object.",
                     "Move the slowdown, or the object 1200 m before its start."},
    messaggio_errore{18, servizio, true,
                     "a slowdown's start falls in a 50 m cell that already holds another object.",
                     "Move the slowdown's start to a free cell."},
    messaggio_errore{19, servizio, true,
                     "a slowdown's end (start plus length) falls in a 50 m cell that already "
                     "holds another object.",
                     "Change the slowdown's length or start so that its end falls in a free "
                     "cell."},
    messaggio_errore{20, servizio, true,
                     "one of the four cells just before a slowdown's warning board (1200 to "
                     "1400 m before its start) already holds an object.",
                     "Move the slowdown, or set its fifth value (f_ta) to 0."},
    messaggio_errore{21, linea, true,
                     "a speed indicator board (\"indicatori_vmax\") falls in a 50 m cell that "
                     "already holds another object.",
                     "Move the board to a free cell, at least 50 m away from the other object."},
    messaggio_errore{22, servizio, true,
                     "a station begins less than 350 m after the previous station ends (or the "
                     "stations are not in order of position).",
                     "List the stations in order along the line, with 350 m or more between "
                     "them."},
    messaggio_errore{24, servizio, false,
                     "a station ends at or before 100 m, so it has no end cell.",
                     "Move the station further along the line."},
    messaggio_errore{25, entrambi, false,
                     "a record could not be read (a number out of its range, or the file ends "
                     "inside a record) or would put something outside the route model (past its "
                     "last cell, an 81st tunnel span or indication board, a signal nearer than "
                     "325 m to the origin).",
                     "Check the values and positions of the record on that line: Byte 0 to 255, "
                     "Integer -32768 to 32767, every value on the keyword's line, everything "
                     "inside the line."},
    messaggio_errore{101, linea, false, "the line description file does not exist.",
                     "Give an existing line description file."},
    messaggio_errore{102, linea, false, "the line description file has no \"[generale]\" section.",
                     "Begin the file with the line \"[generale]\"."},
    messaggio_errore{103, linea, false,
                     "a curve keyword has no class digit 1 to 6, or the track geometry runs "
                     "past 1000000 points.",
                     "Write curves as \"curva\", \"d\" or \"s\" and a digit 1 to 6 (e.g. "
                     "\"curvad4\"), and keep the curves inside the line."},
    messaggio_errore{1250, nessuno, false,
                     "a reserved marker slot was already set: cell 1, where objects placed less "
                     "than 25 m from the origin go, holds an object with a first value; no binary "
                     "file was written.",
                     "Move every signal, board or slowdown placed less than 25 m from the origin, "
                     "and every \"abbattimento\" between 25 and 75 m, further along the line."},
    messaggio_errore{1251, nessuno, false,
                     "a reserved code slot was already set: cell 1, where objects placed less "
                     "than 25 m from the origin go, holds an object with a second value; no "
                     "binary file was written.",
                     "Move every signal, board or slowdown placed less than 25 m from the origin "
                     "further along the line."},
};

static_assert(std::is_sorted(tabella.begin(), tabella.end(),
                             [](const auto& a, const auto& b) { return a.codice < b.codice; }));

}  // namespace

std::span<const messaggio_errore> tabella_errori() {
  return tabella;
}

const messaggio_errore* cerca_errore(std::int32_t codice) {
  const auto* it = std::find_if(tabella.begin(), tabella.end(),
                                [codice](const auto& m) { return m.codice == codice; });
  return it == tabella.end() ? nullptr : it;
}

}  // namespace scenario
