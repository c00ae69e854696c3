// What each record of the two description files does to the compiled
// files, as numbers the decompiler inverts: the readers and recorders apply
// them, the decompiler reads them back. Cells are 50 m long
// (metri_per_cella); a profile changes in the cell R(p / 50), an object
// stands in the cell R(p / 50 + 1).
#pragma once

#include <array>
#include <cstdint>

namespace scenario::decompile {

// Curvature per metre of the curve classes 1 .. 6, radians; a left-hand
// curve ("s") turns by the negative value.
inline constexpr std::array<double, 6> curvatura_classe = {0.0001, 0.0002, 0.0004,
                                                           0.001,  0.002,  0.003};

// Room test: a record at p fits when (p + margin) / 50 is at most the last
// cell index.
inline constexpr std::int32_t margine_record = 100;    // metres
inline constexpr std::int32_t margine_stazione = 800;  // metres

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
inline constexpr std::int32_t distanza_stazioni = 350;    // metres
inline constexpr std::int32_t coda_stazione_corta = 150;  // metres
inline constexpr std::int32_t prolunga_metri = 50;

// The kilometric series flagged 1 get 100 m added to their origin value.
inline constexpr std::int32_t aggiunta_progressiva = 100;

}  // namespace scenario::decompile
