// The findings on a driver's document (a timetable sheet or a slowdown
// order form) read beside the scenario's data: where the document cannot be
// read as its layout, and where it disagrees with the service file. Each
// has a stable id, its place in the document and, when it concerns a record
// of the service file, that record's place for a note there.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace scenario {

enum class documento : std::uint8_t { scheda, rallentamenti };

enum class genere_rilievo : std::uint8_t {
  lettura,     // the document does not follow its layout here
  disaccordo,  // the document and the service file say different things
};

// A place in a text: 1-based line and byte column, and a length in bytes.
// Line 0: no place.
struct posto {
  std::int32_t riga = 0;
  std::int32_t colonna = 0;
  std::int32_t lunghezza = 0;
};

struct rilievo {
  std::string id;  // stable, e.g. "sheet-time-differs"
  documento doc = documento::scheda;
  genere_rilievo genere = genere_rilievo::disaccordo;
  posto dove;                // in the document
  std::string messaggio;     // what differs and what to change, in plain words
  std::string abbinato;      // the station or slowdown the row was matched to, or ""
  std::int32_t record = -1;  // the service file's record (sorgenti_modello::record), or -1
  posto nel_servizio;        // the field of that record the finding is about
};

// The ids, one place for each.
namespace id_rilievo {
// Reading either document.
inline constexpr const char* vuoto = "document-empty";
inline constexpr const char* altro_formato = "document-other-layout";
inline constexpr const char* utf8 = "document-utf8";
inline constexpr const char* tabulazione = "document-tab";
inline constexpr const char* fine_riga = "document-line-ends";
inline constexpr const char* troncato = "document-truncated";
inline constexpr const char* non_riga = "document-not-table-row";
inline constexpr const char* cella = "document-bad-cell";
// The timetable sheet against the service file.
inline constexpr const char* stazione_mancante = "sheet-station-missing";
inline constexpr const char* fuori_ordine = "sheet-station-out-of-order";
inline constexpr const char* orario_diverso = "sheet-time-differs";
inline constexpr const char* arrivo_diverso = "sheet-arrival-differs";
inline constexpr const char* orario_mancante = "sheet-time-missing";
inline constexpr const char* orario_in_piu = "sheet-time-not-in-service";
inline constexpr const char* km_diverso = "sheet-km-differs";
// The slowdown order form against the service file.
inline constexpr const char* km_rallentamento = "form-km-differs";
inline constexpr const char* velocita_rallentamento = "form-speed-differs";
inline constexpr const char* lunghezza_rallentamento = "form-length-differs";
inline constexpr const char* rallentamento_in_piu = "form-slowdown-not-in-service";
inline constexpr const char* rallentamento_mancante = "form-slowdown-missing";

// Every id, by kind.
inline constexpr std::array lettura = {vuoto,     altro_formato, utf8,     tabulazione,
                                       fine_riga, troncato,      non_riga, cella};
inline constexpr std::array scheda = {stazione_mancante, fuori_ordine,    orario_diverso,
                                      arrivo_diverso,    orario_mancante, orario_in_piu,
                                      km_diverso};
inline constexpr std::array modulo = {km_rallentamento, velocita_rallentamento,
                                      lunghezza_rallentamento, rallentamento_in_piu,
                                      rallentamento_mancante};
}  // namespace id_rilievo

using rilievi = std::vector<rilievo>;

// In the order of their places in the document.
inline void in_ordine(rilievi& r) {
  std::stable_sort(r.begin(), r.end(), [](const rilievo& a, const rilievo& b) {
    return a.dove.riga != b.dove.riga ? a.dove.riga < b.dove.riga : a.dove.colonna < b.dove.colonna;
  });
}

}  // namespace scenario
