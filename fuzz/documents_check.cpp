#include "fuzz/documents_check.h"

#include <array>
#include <cstdint>

#include "compiler/documenti/confronto_documenti.h"
#include "sources/testi_fissi.h"

namespace scenario {

namespace {

const dati_documenti& fixed_data() {
  static const dati_documenti d = [] {
    const fixed_scenario_texts t = fixed_texts();
    return *dati_da_testi(t.line, t.service, "Viterbo_Attigliano_Orte", "7547").dati;
  }();
  return d;
}

template <std::size_t n>
bool among(const std::string& id, const std::array<const char*, n>& ids) {
  for (const char* x : ids) {
    if (id == x) return true;
  }
  return false;
}

// Lines as the reader counts them: ended by CR LF, LF or CR.
std::int32_t lines_of(std::string_view b) {
  std::int32_t n = 1;
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (b[i] == '\n' || (b[i] == '\r' && (i + 1 == b.size() || b[i + 1] != '\n'))) ++n;
  }
  return n;
}

std::string check(const rilievi& found, std::string_view input, documento doc) {
  const std::int32_t lines = lines_of(input);
  for (const rilievo& r : found) {
    const std::string where =
        r.id + " at " + std::to_string(r.dove.riga) + ":" + std::to_string(r.dove.colonna);
    const bool reading = among(r.id, id_rilievo::lettura);
    const bool own = doc == documento::scheda ? among(r.id, id_rilievo::scheda)
                                              : among(r.id, id_rilievo::modulo);
    if (!reading && !own) return "unknown id " + where;
    if (reading != (r.genere == genere_rilievo::lettura)) return "wrong kind " + where;
    if (r.doc != doc) return "wrong document " + where;
    if (r.dove.riga < 1 || r.dove.riga > lines || r.dove.colonna < 1 || r.dove.lunghezza < 0) {
      return "place outside the document (" + std::to_string(lines) + " lines) " + where;
    }
    if (r.messaggio.empty()) return "no message " + where;
  }
  const bool empty = input.find_first_not_of(" \t\r\n") == std::string_view::npos;
  if (empty && (found.size() != 1 || found[0].id != id_rilievo::vuoto)) {
    return "an empty document gave other findings than document-empty";
  }
  return {};
}

}  // namespace

std::string check_documents_input(std::string_view input) {
  const dati_documenti& d = fixed_data();
  if (std::string p = check(controlla_scheda(input, d), input, documento::scheda); !p.empty()) {
    return "sheet: " + p;
  }
  if (std::string p = check(controlla_rallentamenti(input, d), input, documento::rallentamenti);
      !p.empty()) {
    return "form: " + p;
  }
  return {};
}

}  // namespace scenario
