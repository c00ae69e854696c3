// The byte layouts docs/formats.md gives for a cell record and an item table
// entry are the field lists the writers and decoders walk: same fields, same
// order, same offsets and sizes.
#include "compiler/format/campi.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace scenario {
namespace {

struct riga_tabella {
  std::string offset, size, campo;
};

// The rows of the first table after `titolo` whose third column starts with
// a field name in backticks, or is "n" (a text's length).
std::vector<riga_tabella> tabella_dopo(const std::string& titolo) {
  std::ifstream in(std::string(VO_DOCS_DIR) + "/formats.md");
  std::stringstream all;
  all << in.rdbuf();
  const std::string doc = all.str();
  const std::size_t at = doc.find(titolo);
  EXPECT_NE(at, std::string::npos) << titolo;
  std::istringstream lines(doc.substr(at));
  std::vector<riga_tabella> rows;
  std::string line;
  bool in_table = false;
  while (std::getline(lines, line)) {
    if (line.rfind("|", 0) != 0) {
      if (in_table) break;
      continue;
    }
    in_table = true;
    std::vector<std::string> cells;
    std::istringstream parts(line.substr(1));
    std::string cell;
    while (std::getline(parts, cell, '|')) {
      const auto a = cell.find_first_not_of(' ');
      const auto b = cell.find_last_not_of(' ');
      cells.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
    }
    if (cells.size() < 3) continue;
    std::string campo = cells[2];
    if (campo.rfind("`", 0) == 0) {
      campo = campo.substr(1, campo.find('`', 1) - 1);
    } else if (campo != "n") {
      continue;  // the header and its rule
    }
    rows.push_back({cells[0], cells[1], campo});
  }
  return rows;
}

// The rows a field list gives: its offsets counted from 0, and after a
// text of n bytes as "k + n".
template <class Campi>
std::vector<riga_tabella> righe_della_lista(const Campi& campi) {
  std::vector<riga_tabella> rows;
  std::size_t offset = 0;
  bool dopo_testo = false;
  const auto at = [&] { return std::to_string(offset) + (dopo_testo ? " + n" : ""); };
  per_ogni_campo(campi, [&](const auto& c) {
    using T = typename std::remove_cvref_t<decltype(c)>::tipo;
    if constexpr (std::is_same_v<T, std::string>) {
      rows.push_back({at(), "2", "n"});
      offset += 2;
      rows.push_back({at(), "n", std::string(c.nome)});
      dopo_testo = true;
    } else {
      rows.push_back({at(), std::to_string(sizeof(T)), std::string(c.nome)});
      offset += sizeof(T);
    }
  });
  return rows;
}

void uguali(const std::vector<riga_tabella>& doc, const std::vector<riga_tabella>& lista) {
  ASSERT_EQ(doc.size(), lista.size());
  for (std::size_t i = 0; i < doc.size(); ++i) {
    EXPECT_EQ(doc[i].campo, lista[i].campo) << "row " << i;
    EXPECT_EQ(doc[i].offset, lista[i].offset) << lista[i].campo;
    EXPECT_EQ(doc[i].size, lista[i].size) << lista[i].campo;
  }
}

TEST(Campi, TheDocumentedCellLayoutIsTheFieldList) {
  uguali(tabella_dopo("### Cell data file"), righe_della_lista(campi_cella));
}

TEST(Campi, TheDocumentedEntryLayoutIsTheFieldList) {
  uguali(tabella_dopo("### Simulation file"), righe_della_lista(campi_elemento));
}

// The dumps list a cell's object values and a station's own numbers by
// these lists: the fields by name, in the order shown.
template <class Campi>
std::vector<std::string> nomi(const Campi& campi) {
  std::vector<std::string> out;
  per_ogni_campo(campi, [&](const auto& c) { out.emplace_back(c.nome); });
  return out;
}

TEST(Campi, TheListsTheDumpsShow) {
  EXPECT_EQ(nomi(campi_oggetto),
            (std::vector<std::string>{"dato1", "dato2", "dato3", "dato4", "dato5"}));
  EXPECT_EQ(nomi(campi_byte_stazione),
            (std::vector<std::string>{"dato_b1", "dato_b2", "dato_b3", "dato_b4", "prolunga"}));
  EXPECT_EQ(nomi(campi_interi_stazione),
            (std::vector<std::string>{"dato_i1", "dato_i2", "dato_i3", "dato_i4", "dato_i5"}));
}

}  // namespace
}  // namespace scenario
