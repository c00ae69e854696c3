// The route model: one line and one train run cut into 50 m cells, the item
// table of stations, board texts and header records, and the plan geometry
// of the track, one point per metre. The readers fill it, the placement pass
// completes it and the binary writers dump it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/format/formato.h"
#include "compiler/route_model/tracciato_piano.h"

namespace scenario {

// One 50 m cell. Fields in declaration order, at their widths in the cell
// data file: 15 bytes, nothing between them.
struct cella {
  std::uint8_t tipo = 0;  // object in the cell; 0 and 11 count as free
  std::int16_t dato1 = 0;
  std::int16_t dato2 = 0;
  std::int16_t dato3 = 0;
  std::int16_t dato4 = 0;
  std::uint8_t dato5 = 0;     // a signal's opening time
  std::uint8_t segno = 0;     // approach marker
  std::uint8_t montagna = 0;  // tunnel type of the span covering the cell, 0 = open air
  std::uint8_t velocita = 0;  // speed limit in km/h divided by 5
  std::uint8_t pendenza = 0;  // grade in per mille plus 100
  std::uint8_t aderenza = 0;  // adhesion, low 8 bits
};

// Cell `tipo` codes.
namespace tipo_cella {
inline constexpr std::uint8_t libera = 0;
inline constexpr std::uint8_t segnale = 1;
inline constexpr std::uint8_t fine_rallentamento = 2;
inline constexpr std::uint8_t inizio_rallentamento = 3;
inline constexpr std::uint8_t avviso_rallentamento = 4;
inline constexpr std::uint8_t approccio_rallentamento = 5;
inline constexpr std::uint8_t indicatore_v_max = 6;
inline constexpr std::uint8_t fine_stazione = 10;
inline constexpr std::uint8_t marcatore_montagna = 11;
inline constexpr std::uint8_t marcatore_valore = 12;
inline constexpr std::uint8_t abbattimento_senza_valore = 13;
inline constexpr std::uint8_t cartello_indicatore = 14;
}  // namespace tipo_cella

// A cell is free for a new object when it holds nothing or only a tunnel marker.
inline bool cella_libera(const cella& c) {
  return c.tipo == tipo_cella::libera || c.tipo == tipo_cella::marcatore_montagna;
}

// One entry of the item table. Fields in declaration order; in the
// simulation file an entry takes 34 bytes plus the length of `nome`.
struct elemento {
  std::uint8_t tipo = 0;
  std::int32_t inizio = 0;
  std::int32_t fine = 0;
  std::int32_t posizione = 0;
  std::uint8_t dato_b1 = 0;
  std::string nome;  // Windows-1252 bytes
  std::int16_t dato_i1 = 0;
  std::int16_t dato_i2 = 0;
  std::int16_t dato_i3 = 0;
  std::int16_t dato_i4 = 0;
  std::int16_t dato_i5 = 0;
  std::uint8_t dato_b2 = 0;
  std::uint8_t dato_b3 = 0;
  std::uint8_t prolunga = 0;
  std::uint8_t dato_b4 = 0;
  std::int32_t orario = 0;  // seconds after midnight
};
// The item table, entries 0 .. 86.
using tabella_elementi = std::array<elemento, n_elementi>;

// Roles of the fixed entries of `elementi`.
namespace voce {
inline constexpr int prima_stazione = 1;
inline constexpr int ultimo_cartello = 80;  // boards fill downward from here
inline constexpr int progressiva_tre = 81;
inline constexpr int progressiva_due = 82;
inline constexpr int progressiva_uno = 83;
inline constexpr int treno_e_linea = 84;
inline constexpr int testata_linea = 85;
inline constexpr int testata_corsa = 86;
}  // namespace voce

struct modello_percorso {
  // Identifiers: the stem of every file name.
  std::string nome_linea;
  std::string numero_treno;

  std::int32_t genera_linea = 0;  // nonzero: build `tracciato` and write the line data file

  // Size, from "lunghezza percorso" L: lunghezza_tracciato = L + 7000,
  // n_celle = R(lunghezza_tracciato / 50).
  std::int32_t lunghezza_tracciato = 0;
  std::int32_t n_celle = 0;

  // Cells 0 .. n_celle; empty until a "lunghezza percorso" record creates them.
  std::vector<cella> celle;

  tabella_elementi elementi{};

  // Plan geometry, points 0 .. lunghezza_tracciato, x and y in metres, held
  // as the line data file's bytes.
  tracciato_piano tracciato;

  std::array<std::int32_t, n_montagne_massimo + 1> montagne_inizio{};
  std::array<std::int32_t, n_montagne_massimo + 1> montagne_fine{};
  std::int32_t n_montagne = 0;

  // The error pair: the last fault found and its position in metres.
  std::int32_t codice_errore = 0;
  std::int32_t posizione_errore = 0;

  // Stations recorded by the service reader (slots 1 .. n_stazioni).
  std::int32_t n_stazioni = 0;

  bool ha_celle() const { return !celle.empty(); }
};

}  // namespace scenario
