#include "compiler/readers/tipi_record.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "base/memory_file_system.h"
#include "compiler/compila.h"
#include "compiler/route_model/nomi_file.h"
#include "sources/writers.h"

namespace scenario {
namespace {

TEST(RecordKinds, TheTableFollowsTheKindsAndTheReadersOrder) {
  int i = 0;
  for (const descrizione_record& d : tipi_record()) {
    EXPECT_EQ(static_cast<int>(d.tipo), i++);
    EXPECT_FALSE(d.campi.empty());
    EXPECT_TRUE(corrisponde(d, d.parola_chiave)) << d.parola_chiave;
  }
  EXPECT_EQ(i, n_tipi_record);
  // Exact case where the format asks for it, and only there.
  EXPECT_TRUE(corrisponde(descrizione(tipo_record::pendenza), "PENDENZA"));
  EXPECT_FALSE(corrisponde(descrizione(tipo_record::progressiva_uno), "Progressiva uno"));
  EXPECT_TRUE(corrisponde(descrizione(tipo_record::cartello_indicatore), "cartello indicatore"));
  EXPECT_FALSE(corrisponde(descrizione(tipo_record::cartello_indicatore), "cartello"));
}

// The readers read exactly the fields the table lists: every record of the
// fixed scenario has as many values as its kind's fields.
TEST(RecordKinds, TheReadersReadEveryFieldTheTableLists) {
  memory_file_system mem;
  const program_folder cartella{"/s", '/'};
  dati_linea(mem, cartella, "V");
  dati_treno(mem, cartella, "V", "1");
  const std::string linea = mem.read_file(file_path(cartella, nome_file_linea_txt("V")));
  const std::string servizio = mem.read_file(file_path(cartella, nome_file_servizio_txt("V", "1")));
  opzioni_compilazione o;
  o.sorgenti = true;
  const risultato_compilazione r = compila({linea, servizio}, o);
  ASSERT_EQ(r.modello.codice_errore, 0);
  ASSERT_EQ(r.sorgenti.record.size(), 8u + 45 + 45 + 5 + 14 + 39 + 4 + 1 + 8 + 9 + 1 + 16);
  for (const record_letto& rec : r.sorgenti.record) {
    EXPECT_EQ(rec.valori.size(), descrizione(rec.tipo).campi.size()) << rec.chiave.riga;
    for (const campo_testo& v : rec.valori) EXPECT_EQ(v.riga, rec.chiave.riga);
  }
}

std::string intervallo(tipo_valore t) {
  switch (t) {
    case tipo_valore::byte_8:
      return "Byte, 0 to 255";
    case tipo_valore::integer_16:
      return "Integer, -32768 to 32767";
    case tipo_valore::long_32:
      return "Long";
    default:
      return "text, no comma";
  }
}

// The field reference of the format document, made from the table.
std::string riferimento_campi() {
  std::string md;
  file_sorgente file = file_sorgente::nessuno;
  for (const descrizione_record& d : tipi_record()) {
    if (d.file != file) {
      file = d.file;
      md += file == file_sorgente::linea ? "### Line description file\n\n" : "### Service file\n\n";
    }
    md += "#### `" + std::string(d.parola_chiave) + "`: " + std::string(d.descrizione) + "\n\n";
    md +=
        "| # | field | type | unit | meaning | what the compiled files keep | kept as written | "
        "a real line | relations |\n";
    md += "|---|---|---|---|---|---|---|---|---|\n";
    int n = 0;
    for (const descrizione_campo& c : d.campi) {
      md += "| " + std::to_string(++n) + " | `" + std::string(c.nome) + "` | " +
            intervallo(c.tipo) + " | " + std::string(c.unita.empty() ? "-" : c.unita) + " | " +
            std::string(c.significato) + " | " + std::string(c.memorizzato) + " | " +
            intervallo_in_parole(c.tenuto, c.tipo) + " | " + intervallo_in_parole(c.reale, c.tipo) +
            " | " + relazioni_in_parole(c.relazioni) + " |\n";
    }
    md += "\n";
  }
  return md;
}

// docs/formats.md quotes the table between two markers;
// VO_REBASE_GOLDEN=1 writes it there again after the table changes.
TEST(RecordKinds, TheFormatDocumentHoldsTheFieldReference) {
  const std::string percorso = std::string(VO_DOCS_DIR) + "/formats.md";
  std::ifstream in(percorso, std::ios::binary);
  ASSERT_TRUE(in) << percorso;
  std::string doc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string inizio =
      "<!-- field reference: made from compiler/readers/tipi_record.cpp -->\n";
  const std::string fine = "<!-- end of the field reference -->\n";
  const std::size_t a = doc.find(inizio);
  const std::size_t b = doc.find(fine);
  ASSERT_NE(a, std::string::npos);
  ASSERT_NE(b, std::string::npos);
  const std::string atteso = riferimento_campi();
  const std::string presente = doc.substr(a + inizio.size(), b - a - inizio.size());
  if (const char* r = std::getenv("VO_REBASE_GOLDEN"); r && std::string(r) == "1") {
    doc.replace(a + inizio.size(), presente.size(), atteso);
    std::ofstream(percorso, std::ios::binary) << doc;
    return;
  }
  EXPECT_EQ(presente, atteso) << "run with VO_REBASE_GOLDEN=1 to write it";
}

}  // namespace
}  // namespace scenario
