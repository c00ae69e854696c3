#include "compiler/check/catalogo_diagnostiche.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace scenario {
namespace {

// The lines of a document's section, from its heading to the next heading
// of its level or above.
std::vector<std::string> sezione(const std::string& documento, const std::string& titolo) {
  std::ifstream in(std::string(VO_DOCS_DIR) + "/" + documento, std::ios::binary);
  EXPECT_TRUE(in) << documento;
  const std::string livello = titolo.substr(0, titolo.find(' ') + 1);
  std::vector<std::string> righe;
  bool dentro = false;
  for (std::string r; std::getline(in, r);) {
    if (dentro && r.starts_with('#') && r.find(' ') <= livello.size() - 1) break;
    if (r == titolo) dentro = true;
    if (dentro) righe.push_back(r);
  }
  EXPECT_FALSE(righe.empty()) << titolo;
  return righe;
}

// The ids in the first column of a table's rows ("| `id` | ..."), and in
// the second when the first holds the code ("| 18 | `id` | ...").
std::set<std::string> id_nelle_tabelle(const std::vector<std::string>& righe, int colonna) {
  std::set<std::string> ids;
  for (const std::string& r : righe) {
    std::istringstream celle(r);
    std::string cella;
    std::getline(celle, cella, '|');  // before the first bar
    if (!cella.empty()) continue;
    for (int i = 0; i <= colonna && std::getline(celle, cella, '|'); ++i) {
    }
    if (cella.size() > 4 && cella.starts_with(" `") && cella.ends_with("` ")) {
      ids.insert(cella.substr(2, cella.size() - 4));
    }
  }
  return ids;
}

std::string_view nome_file(file_colpevole f) {
  switch (f) {
    case file_colpevole::linea:
      return "line";
    case file_colpevole::servizio:
      return "service";
    case file_colpevole::scheda_treno:
      return "timetable sheet";
    case file_colpevole::rallentamenti:
      return "slowdown order form";
    case file_colpevole::documenti:
      return "either document";
    case file_colpevole::entrambi:
      break;
  }
  return "either";
}

TEST(Catalogue, EveryRowHasAUniqueIdAndOneSentenceOfEach) {
  std::set<std::string_view> visti;
  for (const voce_catalogo& v : catalogo()) {
    SCOPED_TRACE(v.nome);
    EXPECT_TRUE(visti.insert(v.nome).second);
    EXPECT_EQ(&dal_catalogo(v.id), &v);
    EXPECT_EQ(cerca_diagnostica(v.nome), v.id);
    EXPECT_EQ(v.nome.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-"),
              std::string_view::npos);
    EXPECT_FALSE(v.sommario.empty());
    EXPECT_FALSE(v.rimedio.empty());
    EXPECT_TRUE(v.sommario.ends_with('.'));
    EXPECT_TRUE(v.rimedio.ends_with('.'));
    EXPECT_NE(v.sommario.find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string_view::npos);
  }
  // The ids users saw before the catalogue, and its size.
  EXPECT_EQ(catalogo().size(), 99u);
  EXPECT_EQ(dal_catalogo(id_diagnostica::signal_cell_taken).nome, "signal-cell-taken");
  EXPECT_EQ(dal_catalogo(id_diagnostica::speed_not_multiple_of_5).nome, "speed-not-multiple-of-5");
  EXPECT_EQ(dal_catalogo(id_diagnostica::not_cp1252).nome, "not-cp1252");
  EXPECT_EQ(cerca_diagnostica("signal_cell_taken"), std::nullopt);
  EXPECT_EQ(cerca_diagnostica(""), std::nullopt);
  std::ostringstream scritto;
  scritto << id_diagnostica::time_over_59;
  EXPECT_EQ(scritto.str(), "time-over-59");
}

TEST(Catalogue, ErrorsComeFirstByCodeAndTheRowsOfACodeAgree) {
  std::int32_t precedente = 0;
  bool avvisi = false;
  std::map<std::int32_t, bool> posizione;
  for (const voce_catalogo& v : catalogo()) {
    SCOPED_TRACE(v.nome);
    if (v.severita == gravita::avviso) {
      avvisi = true;
      EXPECT_EQ(v.codice_compilatore, codice::nessuno);
      EXPECT_FALSE(v.imposta_posizione);
      continue;
    }
    EXPECT_FALSE(avvisi) << "an error after the warnings";
    const std::int32_t c = numero(v.codice_compilatore);
    EXPECT_GE(c, precedente);
    precedente = c;
    const auto [it, nuovo] = posizione.emplace(c, v.imposta_posizione);
    EXPECT_EQ(it->second, v.imposta_posizione) << "the rows of code " << c << " disagree";
    if (nuovo) {
      EXPECT_EQ(prima_voce_del_codice(c), &v);
    }
  }
  EXPECT_EQ(posizione.size(), 28u);
  EXPECT_EQ(prima_voce_del_codice(0), nullptr);
  EXPECT_EQ(prima_voce_del_codice(14), nullptr);
  EXPECT_EQ(prima_voce_del_codice(23), nullptr);
  // The codes that set posizione_errore, and only those.
  const std::set<std::int32_t> con_posizione = {6,  7,  8,  9,  11, 12, 13, 15,
                                                16, 17, 18, 19, 20, 21, 22};
  for (const auto& [c, imposta] : posizione) {
    EXPECT_EQ(imposta, con_posizione.count(c) == 1) << c;
  }
}

// docs/formats.md lists every error with its code, file, position flag and
// the catalogue's two sentences, and no id the catalogue lacks.
TEST(Catalogue, TheFormatDocumentListsEveryErrorAsTheCatalogueHasIt) {
  const std::vector<std::string> righe = sezione("formats.md", "## Error codes");
  std::set<std::string> attesi;
  for (const voce_catalogo& v : catalogo()) {
    if (v.severita != gravita::errore) continue;
    attesi.insert(std::string(v.nome));
    const std::string riga = "| " + std::to_string(numero(v.codice_compilatore)) + " | `" +
                             std::string(v.nome) + "` | " + std::string(nome_file(v.file)) + " | " +
                             (v.imposta_posizione ? "yes" : "no") + " | " +
                             std::string(v.sommario) + " | " + std::string(v.rimedio) + " |";
    EXPECT_NE(std::find(righe.begin(), righe.end(), riga), righe.end()) << "missing:\n" << riga;
  }
  EXPECT_EQ(id_nelle_tabelle(righe, 1), attesi);
}

// docs/route_tool.md lists every warning with an example and the
// catalogue's two sentences, and no id the catalogue lacks.
TEST(Catalogue, TheToolDocumentListsEveryWarningAsTheCatalogueHasIt) {
  const std::vector<std::string> righe = sezione("route_tool.md", "### Warnings");
  std::set<std::string> attesi;
  for (const voce_catalogo& v : catalogo()) {
    if (v.severita != gravita::avviso) continue;
    attesi.insert(std::string(v.nome));
    const std::string inizio = "| `" + std::string(v.nome) + "` | ";
    const std::string fine =
        " | " + std::string(v.sommario) + " | " + std::string(v.rimedio) + " |";
    const bool trovata = std::any_of(righe.begin(), righe.end(), [&](const std::string& r) {
      return r.starts_with(inizio) && r.ends_with(fine) && r.size() > inizio.size() + fine.size();
    });
    EXPECT_TRUE(trovata) << "missing: " << inizio << "EXAMPLE" << fine;
  }
  EXPECT_EQ(id_nelle_tabelle(righe, 0), attesi);
}

}  // namespace
}  // namespace scenario
