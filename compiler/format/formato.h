// The facts of the route format that the compiler, the tools and the tests
// share: the 50 m cell, the model's size from the line length, the room
// test, record sizes and Variant tags of the binary files, the reserved
// slots, and the table of error codes. Each lives here once.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "compiler/format/arrotondamento.h"

namespace scenario {

// ------------------------------------------------------------ the cells ---

// Cells are 50 m long.
inline constexpr std::int32_t metri_per_cella = 50;

// Positions are metres along the line; a position p is addressed in cells as
// p / 50, computed in floating point.
inline double in_celle(double metri) {
  return metri / metri_per_cella;
}

// The cell where a profile fill (grade, speed, adhesion) changes and where an
// "abbattimento" goes: R(p / 50).
inline std::int64_t cella_profilo(std::int64_t p) {
  return R(in_celle(static_cast<double>(p)));
}

// The cell of an object (signal, board, slowdown): R(p / 50 + 1), so an
// object at a multiple of 50 m sits in the cell after the boundary.
inline std::int64_t cella_oggetto(std::int64_t p) {
  return R(in_celle(static_cast<double>(p)) + 1);
}

// The metre of cell i, wherever a tool names a cell: its first metre,
// i x 50. Cell 0 begins at the origin, as the profile fills address cells
// (cella_profilo) and a station's end cell is the last one before its end.
inline std::int64_t metri_di_cella(std::int64_t i) {
  return i * metri_per_cella;
}

// The position an object standing in cell i was written at: (i - 1) x 50,
// the grid position whose cella_oggetto is i. An object goes into the cell
// after the one its position begins, so this is 50 m before the cell's metre.
inline std::int64_t posizione_oggetto(std::int64_t i) {
  return metri_di_cella(i - 1);
}

// ---------------------------------------------------------- model size ---

inline constexpr std::int32_t lunghezza_percorso_massima = 1000000;  // metres
inline constexpr std::int32_t coda_tracciato =
    7000;  // the model reaches 7000 m past the line's end
inline constexpr std::int64_t punti_massimi = 1000000;  // the geometry stops here (code 103)
inline constexpr int n_montagne_massimo = 80;           // span lists hold indices 1 .. 80

// Upper bound of the geometry's point index: L + 7000.
inline std::int64_t lunghezza_tracciato_di(std::int64_t lunghezza_percorso) {
  return lunghezza_percorso + coda_tracciato;
}

// Upper bound of the cell index: R((L + 7000) / 50). The model holds cells
// 0 .. n_celle.
inline std::int64_t n_celle_di(std::int64_t lunghezza_tracciato) {
  return R(in_celle(static_cast<double>(lunghezza_tracciato)));
}

// Cells and points per column that a line of `lunghezza` metres compiles
// to; none when the length is outside 0 .. 1000000.
inline std::optional<std::size_t> celle_attese(std::int64_t lunghezza) {
  if (lunghezza < 0 || lunghezza > lunghezza_percorso_massima) return std::nullopt;
  return static_cast<std::size_t>(n_celle_di(lunghezza_tracciato_di(lunghezza))) + 1;
}
inline std::optional<std::size_t> punti_attesi(std::int64_t lunghezza) {
  if (lunghezza < 0 || lunghezza > lunghezza_percorso_massima) return std::nullopt;
  return static_cast<std::size_t>(lunghezza_tracciato_di(lunghezza)) + 1;
}

// Room test margins: a record at p fits when (p + margin) / 50 does not
// exceed the last cell index.
inline constexpr std::int32_t margine_record = 100;    // metres
inline constexpr std::int32_t margine_stazione = 800;  // metres

inline bool entra_nelle_celle(std::int64_t p, std::int32_t margine, std::int64_t n_celle) {
  return in_celle(static_cast<double>(p + margine)) <= static_cast<double>(n_celle);
}

// ------------------------------------ what records put into the model ---
// The readers and recorders apply these; the decompiler reads them back.

// The low 8 or 16 bits of a value, for the fields that keep only those.
inline std::uint8_t bassi_8(std::int64_t v) {
  return static_cast<std::uint8_t>(v & 0xFF);
}
inline std::int16_t bassi_16(std::int64_t v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF));
}

// Curvature per metre of the curve classes 1 .. 6, radians; a left-hand
// curve ("s") turns by the negative value.
inline constexpr std::array<double, 6> curvatura_classe = {0.0001, 0.0002, 0.0004,
                                                           0.001,  0.002,  0.003};

// Cell values of the profiles: grade in per mille plus 100, speed in steps
// of 5 km/h.
inline constexpr std::int32_t scarto_pendenza = 100;
inline constexpr std::int32_t passo_velocita = 5;  // km/h

// Mountain spans: a type above 10 means type - 10 with a marker (code 11)
// in every fourth cell; a span starting 150 m or less after the one recorded
// before it is of type 3.
inline constexpr std::int32_t scarto_marcatori_montagna = 10;
inline constexpr std::int64_t passo_marcatori_montagna = 4;  // cells
inline constexpr std::int32_t distanza_tipo_3 = 150;         // metres
inline constexpr std::uint8_t tipo_montagna_ravvicinata = 3;

// Speed boards: per category left speed x 20 + right speed / 5; stripes as
// tens and units.
inline constexpr std::int32_t peso_lato_sinistro = 20;

// Signals: approach marks 2, 4, 6 and 8 cells before the signal; an opening
// delay of 1 .. 100 counts as 101.
inline constexpr std::int64_t passo_segni_segnale = 2;  // cells
inline constexpr int n_segni_segnale = 4;
inline constexpr std::int32_t tempo_minimo_segnale = 101;

// Slowdowns: the warning board stands 1200 m before the start, only for a
// start beyond 1500 m; four approach cells just before it.
inline constexpr std::int32_t distanza_avviso = 1200;    // metres
inline constexpr std::int32_t inizio_con_avviso = 1500;  // metres
inline constexpr int n_celle_approccio = 4;

// Stations: a type below 25 has an end cell (and, but for 5 and 6, the
// approach marks 81 .. 84 in the four cells before it); stations must leave
// 350 m between one's end and the next one's start; a station of type 5 or
// 6 ends 150 m after its axis; "prolunga" lengthens a centred station by
// 50 m.
inline constexpr int tipo_stazione_senza_celle = 25;
inline constexpr std::uint8_t segno_stazione = 80;
inline constexpr int n_segni_stazione = 4;  // approach marks, in the cells before the end
inline constexpr std::int32_t distanza_stazioni = 350;    // metres
inline constexpr std::int32_t coda_stazione_corta = 150;  // metres
inline constexpr std::int32_t prolunga_metri = 50;

// The kilometric series flagged 1 get 100 m added to their origin value.
inline constexpr std::int32_t aggiunta_progressiva = 100;

// ------------------------------------------------------- binary records ---

inline constexpr std::size_t dimensione_cella = 15;                // bytes per cell record
inline constexpr std::size_t dimensione_elemento_senza_nome = 34;  // bytes, plus the name
inline constexpr int n_elementi = 87;                              // item table entries 0 .. 86
inline constexpr std::size_t lunghezza_nome_massima = 0xFFFF;      // a name's length takes 2 bytes

// Variant tags of the line data file, and the bytes of a value of each kind.
inline constexpr std::uint16_t tag_vuoto = 0;   // empty: no value bytes
inline constexpr std::uint16_t tag_intero = 2;  // 16-bit Integer
inline constexpr std::uint16_t tag_doppio = 5;  // Double
inline constexpr std::size_t byte_variante_vuota = 2;
inline constexpr std::size_t byte_variante_intero = 2 + 2;
inline constexpr std::size_t byte_variante_doppio = 2 + 8;

// The reserved slots stamped at the end of the compile step.
inline constexpr std::int16_t marcatore_elemento = 610;  // `dato_i1` of entry 85
inline constexpr std::int16_t marcatore_cella = 5121;    // `dato1` of cell 1
inline constexpr std::size_t cella_riservata = 1;

// --------------------------------------------------------- error codes ---

// Every code the compile step records in `codice_errore` (0 = none), and
// the two that stop it. 14 and 23 are not used.
enum class codice : std::int32_t {
  nessuno = 0,
  lunghezza_eccessiva = 1,          // "lunghezza percorso" above 1000000
  progressiva_fuori_griglia = 2,    // a series' start or origin not a multiple of 50
  inizio_zona_fuori_griglia = 3,    // first "ripetizione segnali" value
  fine_zona_fuori_griglia = 4,      // second "ripetizione segnali" value
  numero_codici_mancante = 5,       // the keyword holds neither 4 nor 9
  cartello_cella_occupata = 6,      // indication board
  abbattimento_cella_occupata = 7,  // "abbattimento"
  stazione_fuori_griglia = 8,       // station position not a multiple of 50
  lunghezza_stazione_errata = 9,    // station length not a multiple of 100
  posti_stazioni_esauriti = 10,     // stations reached the board slots
  marcatore_segnale_senza_posto = 11,
  marcatore_avvicinamento_senza_posto = 12,
  marcatore_rallentamento_senza_posto = 13,
  fuori_dalle_celle = 15,  // room test failed
  segnale_cella_occupata = 16,
  avviso_cella_occupata = 17,
  inizio_rallentamento_cella_occupata = 18,
  fine_rallentamento_cella_occupata = 19,
  approccio_cella_occupata = 20,
  indicatore_cella_occupata = 21,
  stazioni_troppo_vicine = 22,
  fine_stazione_troppo_presto = 24,
  errore_lettura = 25,  // any run-time failure while reading
  file_linea_mancante = 101,
  generale_mancante = 102,
  curva_non_valida = 103,
  slot_marcatori_occupato = 1250,  // stops the compile step
  slot_codici_occupato = 1251,     // stops the compile step
};

inline constexpr std::int32_t numero(codice c) {
  return static_cast<std::int32_t>(c);
}

}  // namespace scenario
