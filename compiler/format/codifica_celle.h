// The cell codec: what each kind of object puts into its cell's values and
// how those values read back, each packing written once, and each cell
// code's name. The readers, recorders and placement pass pack with it; the
// dumps, the drawing and the decompiler unpack with it.
//
// A value split into parts (tens and units, a speed board's hundreds) is
// split rounding toward minus infinity, so the lower part is never negative
// and every value, negative ones included, reads back into parts that pack
// to it again.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "compiler/route_model/route_model.h"

namespace scenario {

// --------------------------------------------------------- code names ---

struct descrizione_tipo_cella {
  std::uint8_t tipo = 0;
  std::string_view nome;   // in a list: "signal"
  std::string_view frase;  // in a sentence: "the signal"; none for nothing
};

// Every code some record writes, 0 (nothing) included.
std::span<const descrizione_tipo_cella> tipi_cella();

// Whether some record writes the code.
bool tipo_scritto(std::uint8_t tipo);

// "signal", "speed board", ...; "object 7" for a code no record writes.
std::string nome_oggetto(std::uint8_t tipo);

// "the signal", "the end of the slowdown", ...; "an object of code 7" for a
// code no record writes (and for 0, which is no object).
std::string oggetto_in_frase(std::uint8_t tipo);

// ---------------------------------------------------- tens and units ---

struct decine_e_unita {
  std::int32_t decine = 0;
  std::int32_t unita = 0;  // 0 .. 9
};

// 10 x decine + unita, its low 16 bits.
std::int16_t impacca_decine(std::int64_t decine, std::int64_t unita);
decine_e_unita spacchetta_decine(std::int32_t v);

// ------------------------------------------------------------ signals ---
// Code 1. The kinds of the two sides add up as 3 sx + dx; dato4 holds
// rapp x 10 + that sum, and dato1 .. dato3 the codes of both sides as tens
// (left) and units (right). The approach marks 2, 4, 6 and 8 cells before
// the signal hold (sum x 10 + r) in 8 bits, r = 1 .. 4: the sum in full,
// where dato4 keeps only its units.

std::int64_t somma_lati(std::int64_t sx, std::int64_t dx);

struct lati_segnale {
  std::int32_t sx = 0;
  std::int32_t dx = 0;  // 0 .. 2
};
lati_segnale spacchetta_lati(std::int32_t somma);

// dato4 of a signal.
std::int16_t dato_lati(std::int64_t rapp, std::int64_t somma);

// dato5: the opening delay, kept only for a left kind of 2; 1 .. 100 count
// as 101, and the byte keeps the low 8 bits.
std::uint8_t tempo_in_cella(std::int64_t sx, std::int64_t tempo);

// The delay a record gives for a fifth value: the value itself, or 256
// more for 1 .. 100, which no delay leaves in the cell as such.
std::int32_t tempo_del_record(std::uint8_t dato5);

// The approach mark r (1 .. 4) of a signal whose kinds add up to `somma`.
std::uint8_t segno_segnale(std::int64_t somma, std::int64_t r);

// A signal's cell values unpacked, the kinds from dato4's units alone.
struct valori_segnale {
  std::int32_t sx = 0, dx = 0, rapp = 0;
  std::int32_t s[3] = {0, 0, 0};  // left codes
  std::int32_t d[3] = {0, 0, 0};  // right codes
};
valori_segnale spacchetta_segnale(const cella& c);

// -------------------------------------------------------- speed boards ---
// Code 6. Per category A, B, C (dato1 .. dato3) the left-hand speed x 20
// plus the right-hand speed / 5, rounded; the stripes of both sides as tens
// and units in dato4.

// The packed value before it is cut to 16 bits.
std::int64_t valore_velocita(std::int64_t sinistra, std::int64_t destra);
std::int16_t impacca_velocita(std::int64_t sinistra, std::int64_t destra);

struct velocita_lati {
  std::int32_t sinistra = 0;
  std::int32_t destra = 0;
};
// Both speeds in steps of 5 km/h, the right-hand one below 500: the
// hundreds give the left-hand speed's fifths, the rest the right-hand one's.
velocita_lati spacchetta_velocita(std::int32_t v);

struct velocita_cartello {
  int sinistra[3] = {0, 0, 0};  // A, B, C in km/h
  int destra[3] = {0, 0, 0};
  int strisce_sinistra = 0, strisce_destra = 0;
};
velocita_cartello spacchetta_cartello(const cella& c);

// ----------------------------------------------------------- slowdowns ---
// Codes 3 (start) and 2 (end): the speed in dato1, the flag in dato3, and
// d_v in dato2 when it is not 0. Code 4 (warning board): speed and d_v.
// Code 5 (approach cell n = 1 .. 4, back from the warning board): n in
// dato1, and in dato2 too when the slowdown has a d_v.

struct valori_rallentamento {
  std::int32_t velocita = 0;  // km/h
  std::int32_t d_v = 0;
  std::int32_t avviso = 0;  // the flag of the start and end cells
};
void impacca_rallentamento(cella& c, std::uint8_t tipo, const valori_rallentamento& r);
valori_rallentamento spacchetta_rallentamento(const cella& c);
void impacca_approccio(cella& c, std::int64_t n, bool con_d_v);
std::int32_t numero_approccio(const cella& c);

// ------------------------------------------------------------ stations ---
// Code 10 in a station's end cell, the station's number j in dato1; the
// approach marks 80 + n in the n-th cell before it (n = 1 .. 4).

void impacca_fine_stazione(cella& c, std::int64_t j);
std::int32_t stazione_di(const cella& c);
std::uint8_t segno_stazione_n(int n);
// n for a station's approach mark; 0 for any other mark.
int numero_segno_stazione(std::uint8_t segno);

// ---------------------------------------------------- boards and marks ---
// Code 14: an indication board, dato1 the item table entry of its text.
void impacca_cartello(cella& c, std::int64_t voce);
std::int32_t voce_cartello(const cella& c);

// Code 12: a marker with a value in dato1 ("abbattimento", and the
// placement pass's markers); code 13: an "abbattimento" without value.
void impacca_marcatore(cella& c, std::int64_t valore);
void impacca_abbattimento_senza_valore(cella& c);
std::int32_t valore_marcatore_di(const cella& c);
// The "abbattimento" value (1 and above) whose low 16 bits the cell holds.
std::int32_t valore_abbattimento(const cella& c);

// Cell 1 carries the marker in dato1 and the competition code in dato2.
struct valori_cella_riservata {
  std::int32_t marcatore = 0;
  std::int32_t codice_gara = 0;
};
valori_cella_riservata spacchetta_cella_riservata(const cella& c);

}  // namespace scenario
