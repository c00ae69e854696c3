// The two description files as the decompiler recovers them, record by
// record, before they are laid out as text. Values are the ones an author
// writes; the text writer gives them the writers' layout.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "compiler/recorders/memo_indicatori_v_max.h"
#include "compiler/recorders/memo_rallentamento.h"
#include "compiler/recorders/memo_segnale.h"

namespace scenario::decompile {

// Where the line description reader stopped, as the files show it: not at
// all, inside the general section (the geometry was never seeded), or in
// the body (the geometry and the grades were never finished, the service
// file never read).
enum class interruzione : std::uint8_t { nessuna, generale, corpo };

struct serie_progressiva {
  std::int32_t inizio = 0;
  std::int32_t origine = 0;
  std::int32_t verso = 0;
};

// "ripetizione segnali N codici": N is 4 or 9; 0 writes a keyword with no
// digit, which stops the reader (code 5).
struct zona_codificata {
  std::int32_t inizio = 0;
  std::int32_t fine = 0;
  int numero_codici = 4;
};

struct record_curva {
  bool sinistra = false;  // "s"; "d" otherwise
  int classe = 1;         // 1 .. 6
  std::int32_t inizio = 0;
  std::int32_t lunghezza = 0;
};

// "pendenza", "velocita", "aderenza": the value holds from the position on.
struct record_profilo {
  std::int32_t posizione = 0;
  std::int32_t valore = 0;
};

struct record_montagna {
  std::int32_t inizio = 0;
  std::int32_t fine = 0;
  std::int32_t tipo = 0;
};

struct record_indicatore {
  indicatore_v_max valori;
  bool destra_vuota = true;  // the right-hand speeds written as empty fields
};

struct record_cartello {
  std::int32_t posizione = 0;
  std::string scritta;  // Windows-1252
};

struct testo_linea {
  std::int32_t lunghezza = 0;
  std::array<serie_progressiva, 3> progressive{};  // "uno", "due", "tre"
  std::array<std::int32_t, 3> sfondi{};            // "uno", "due", "tre"
  // Usually one; a zone whose values stop the reader comes last.
  std::vector<zona_codificata> zone;
  // A second "lunghezza percorso" above 1000000 m, which stops the reader.
  std::optional<std::int32_t> lunghezza_eccessiva;
  interruzione interrotta = interruzione::nessuna;

  std::vector<record_curva> curve;
  // A curve that runs past the last point of the geometry, where the
  // reader stopped: written after all the other records.
  std::optional<record_curva> curva_finale;
  std::vector<record_profilo> pendenze;
  std::vector<record_montagna> montagne;
  std::vector<record_indicatore> indicatori;
  std::vector<record_cartello> cartelli;  // in the order of their slots, 80 downward
};

// A "stazione" record. `guasto` names the field where the reader failed
// when the files show a station it stopped at halfway: that field gets a
// number out of every range (or, for the time, an hour whose seconds
// overflow) and the fields after it are left out.
struct record_stazione {
  std::int32_t posizione = 0;
  std::int32_t tipo = 0;
  std::int32_t lunghezza = 0;
  std::int32_t dato_b1 = 0, dato_b4 = 0, prolunga = 0;
  std::int32_t dato_i1 = 0, dato_i2 = 0, dato_b2 = 0;
  std::int32_t dato_i3 = 0, dato_i4 = 0, dato_i5 = 0, dato_b3 = 0;
  std::int32_t ore = 0, minuti = 0, secondi = 0;
  std::string nome;
  enum class campo_guasto : std::uint8_t {
    nessuno,
    tipo,
    lunghezza,
    dato_b1,
    dato_b4,
    prolunga,
    dato_i1,
    dato_i2,
    dato_b2,
    dato_i3,
    dato_i4,
    dato_i5,
    dato_b3,
    orario,  // the hour overflows once the name has been read
  };
  campo_guasto guasto = campo_guasto::nessuno;
};

struct record_abbattimento {
  std::int32_t posizione = 0;
  std::int32_t valore = 0;
};

struct testo_servizio {
  std::int32_t numero_vetture = 0;
  std::int32_t percentuale_massa_frenata = 0;
  std::int32_t sabbia = 0;
  std::array<std::int32_t, 3> orologio{};  // hours, minutes, seconds
  std::vector<record_profilo> aderenze;
  std::vector<record_profilo> velocita;
  std::vector<record_stazione> stazioni;
  std::vector<rallentamento> rallentamenti;
  std::vector<segnale> segnali;
  // Signals recorded before the stations: a station's approach marks then
  // lie over theirs where both fall on one cell.
  std::vector<segnale> segnali_prima;
  // Signals written just before station k (k, signal): a station's end
  // cell covers theirs, and an earlier station's marks lie under theirs.
  std::vector<std::pair<std::size_t, segnale>> segnali_tra;
  std::vector<record_abbattimento> abbattimenti;
  // The record at which the reader stopped, written after all the others.
  std::optional<std::variant<record_stazione, segnale>> ultimo;
};

}  // namespace scenario::decompile
