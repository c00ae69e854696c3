#include "compiler/memorizza_percorso.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "base/memory_file_system.h"
#include "compiler/readers/supporto_prove_lettori.h"
#include "compiler/route_model/nomi_file.h"
#include "compiler/writers/slot_riservati.h"

namespace scenario {
namespace {

const program_folder cartella{"/scenario", '/'};

modello_percorso modello_con_celle() {
  modello_percorso m;
  m.nome_linea = "Viterbo_Attigliano_Orte";
  m.numero_treno = "7547";
  m.celle.resize(10);
  m.elementi[85].nome = "Viterbo_Attigliano_Orte";
  m.elementi[86].nome = "7547";
  return m;
}

TEST(SlotRiservati, StampsMarkersAndCodes) {
  auto m = modello_con_celle();
  EXPECT_EQ(timbra_slot_riservati(m), esito_compilazione::completato);
  EXPECT_EQ(m.elementi[85].dato_i1, 610);
  EXPECT_EQ(m.elementi[85].orario, 34130);
  EXPECT_EQ(m.celle[1].dato1, 5121);
  EXPECT_EQ(m.celle[1].dato2, 2461);
}

TEST(SlotRiservati, TakenMarkerSlotIs1250AndStampsNothing) {
  auto m = modello_con_celle();
  m.celle[1].dato1 = 180;  // a marker placed in cell 1
  EXPECT_EQ(timbra_slot_riservati(m), esito_compilazione::errore_1250);
  EXPECT_EQ(m.elementi[85].dato_i1, 0);
  EXPECT_EQ(m.celle[1].dato1, 180);

  auto n = modello_con_celle();
  n.elementi[85].dato_i1 = 1;
  EXPECT_EQ(timbra_slot_riservati(n), esito_compilazione::errore_1250);
  EXPECT_EQ(n.celle[1].dato1, 0);
}

TEST(SlotRiservati, TakenCodeSlotIs1251AfterTheMarkers) {
  auto m = modello_con_celle();
  m.celle[1].dato2 = 1;
  EXPECT_EQ(timbra_slot_riservati(m), esito_compilazione::errore_1251);
  EXPECT_EQ(m.elementi[85].dato_i1, 610);  // the markers stay stamped
  EXPECT_EQ(m.celle[1].dato1, 5121);
  EXPECT_EQ(m.elementi[85].orario, 0);
  EXPECT_EQ(m.celle[1].dato2, 1);

  auto n = modello_con_celle();
  n.elementi[85].orario = -5;
  EXPECT_EQ(timbra_slot_riservati(n), esito_compilazione::errore_1251);

  // Both kinds taken: the marker check comes first.
  auto o = modello_con_celle();
  o.celle[1].dato1 = 1;
  o.celle[1].dato2 = 1;
  EXPECT_EQ(timbra_slot_riservati(o), esito_compilazione::errore_1250);
}

TEST(SlotRiservati, NoCell1MeansNoModel) {
  auto m = modello_con_celle();
  m.celle.resize(1);
  EXPECT_EQ(timbra_slot_riservati(m), esito_compilazione::senza_modello);
  EXPECT_EQ(m.elementi[85].dato_i1, 0);
}

TEST(MemorizzaPercorso, WithoutModelWritesNothing) {
  memory_file_system fs;
  modello_percorso m;
  m.nome_linea = "Viterbo_Attigliano_Orte";
  m.numero_treno = "7547";
  m.codice_errore = 99;
  m.elementi[40].nome = "vecchio";
  EXPECT_EQ(memorizza_percorso(m, fs, cartella, 1), esito_compilazione::senza_modello);
  EXPECT_TRUE(fs.files.empty());
  EXPECT_TRUE(fs.log.empty() || fs.log.back().rfind("write", 0) != 0);
  EXPECT_EQ(m.genera_linea, 1);
  EXPECT_EQ(m.elementi[40].nome, "");
}

// A folder whose reads of one file fail, as a file that exists but cannot
// be opened does.
class lettura_negata : public memory_file_system {
 public:
  explicit lettura_negata(std::filesystem::path file) : file_(std::move(file)) {}
  std::string read_file(const std::filesystem::path& file) override {
    if (file == file_) throw file_error(file, "access denied");
    return memory_file_system::read_file(file);
  }

 private:
  std::filesystem::path file_;
};

// A description that cannot be read is code 25, and both descriptions are
// deleted all the same; without the line file nothing is compiled.
TEST(MemorizzaPercorso, AnUnreadableDescriptionIsCode25AndBothAreDeleted) {
  const auto linea = file_path(cartella, nome_file_linea_txt("L"));
  const auto servizio = file_path(cartella, nome_file_servizio_txt("L", "T"));
  for (const bool negata_la_linea : {true, false}) {
    SCOPED_TRACE(negata_la_linea);
    lettura_negata fs(negata_la_linea ? linea : servizio);
    fs.write_file(linea, linea_minima({}));
    fs.write_file(servizio, servizio_minimo({}));
    modello_percorso m;
    m.nome_linea = "L";
    m.numero_treno = "T";
    EXPECT_EQ(memorizza_percorso(m, fs, cartella, 1),
              negata_la_linea ? esito_compilazione::senza_modello : esito_compilazione::completato);
    EXPECT_EQ(m.codice_errore, 25);
    EXPECT_FALSE(fs.file_exists(linea));
    EXPECT_FALSE(fs.file_exists(servizio));
    EXPECT_EQ(fs.files.size(), negata_la_linea ? 0u : 3u);
  }
}

}  // namespace
}  // namespace scenario
