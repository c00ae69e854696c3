// The compile step on the fixed scenario, from the text files the writers
// produce, in a folder in memory; and the reserved-slot faults driven through
// small changes of those files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/coding.h"
#include "base/memory_file_system.h"
#include "base/sha256.h"
#include "compiler/digest_scenario_fisso.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/route_model/nomi_file.h"
#include "sources/writers.h"

namespace scenario {
namespace {

const program_folder cartella{"/scenario", '/'};
const std::string linea = "Viterbo_Attigliano_Orte";
const std::string treno = "7547";

std::string percorso(const std::string& nome) {
  return file_path(cartella, nome).generic_string();
}
const std::string file_linea_txt = percorso(nome_file_linea_txt(linea));
const std::string file_servizio_txt = percorso(nome_file_servizio_txt(linea, treno));
const std::string file_linea_dat = percorso(nome_file_linea_dat(linea));
const std::string file_sim = percorso(nome_file_sim(linea, treno));
const std::string file_celle_dat = percorso(nome_file_celle_dat(linea, treno));

// The two description files as the run writes them.
memory_file_system cartella_con_descrizioni() {
  memory_file_system fs;
  dati_linea(fs, cartella, linea);
  dati_treno(fs, cartella, linea, treno);
  return fs;
}

modello_percorso modello_nuovo() {
  modello_percorso m;
  m.nome_linea = linea;
  m.numero_treno = treno;
  return m;
}

// Puts `riga` (with CR LF) right after the line that holds `dopo`.
void inserisci_dopo(std::string& testo, const std::string& dopo, const std::string& riga) {
  const auto pos = testo.find(dopo);
  ASSERT_NE(pos, std::string::npos) << dopo;
  const auto fine_riga = testo.find("\r\n", pos);
  ASSERT_NE(fine_riga, std::string::npos);
  testo.insert(fine_riga + 2, riga + "\r\n");
}

const cella& cella_file(const std::string& celle_dat, std::size_t k, cella& c) {
  const auto* p = reinterpret_cast<const unsigned char*>(celle_dat.data()) + 15 * k;
  c.tipo = p[0];
  c.dato1 = static_cast<std::int16_t>(decode_fixed16(p + 1));
  c.dato2 = static_cast<std::int16_t>(decode_fixed16(p + 3));
  return c;
}

TEST(ScenarioFisso, CompilesWithoutFaults) {
  auto fs = cartella_con_descrizioni();
  auto m = modello_nuovo();
  ASSERT_EQ(memorizza_percorso(m, fs, cartella, 1), esito_compilazione::completato);
  EXPECT_EQ(m.codice_errore, 0);
  EXPECT_EQ(m.posizione_errore, 0);

  // The description files are gone; the three binary files are there.
  EXPECT_EQ(fs.files.count(file_linea_txt), 0u);
  EXPECT_EQ(fs.files.count(file_servizio_txt), 0u);
  ASSERT_EQ(fs.files.count(file_linea_dat), 1u);
  ASSERT_EQ(fs.files.count(file_sim), 1u);
  ASSERT_EQ(fs.files.count(file_celle_dat), 1u);

  // Cell data: 1341 cells of 15 bytes; cell 1 holds the marker 5121 and
  // the code 2461.
  const std::string& celle_dat = fs.files.at(file_celle_dat);
  ASSERT_EQ(celle_dat.size(), 20115u);
  EXPECT_EQ(static_cast<unsigned char>(celle_dat[16]), 1);
  EXPECT_EQ(static_cast<unsigned char>(celle_dat[17]), 20);
  EXPECT_EQ(static_cast<unsigned char>(celle_dat[18]), 157);
  EXPECT_EQ(static_cast<unsigned char>(celle_dat[19]), 9);

  // Line data: x then y of points 0 .. 67000; in each half two integers,
  // 66997 doubles and two empty values.
  const std::string& linea_dat = fs.files.at(file_linea_dat);
  ASSERT_EQ(linea_dat.size(), 1339964u);
  const auto* p = reinterpret_cast<const unsigned char*>(linea_dat.data());
  const std::size_t meta = linea_dat.size() / 2;
  for (std::size_t base : {std::size_t{0}, meta}) {
    std::size_t o = base;
    for (int k = 0; k < 2; ++k, o += 4) ASSERT_EQ(decode_fixed16(p + o), 2) << o;
    for (int k = 2; k <= 66998; ++k, o += 10) ASSERT_EQ(decode_fixed16(p + o), 5) << o;
    for (int k = 0; k < 2; ++k, o += 2) ASSERT_EQ(decode_fixed16(p + o), 0) << o;
    EXPECT_EQ(o, base + meta);
  }

  // Simulation file: 87 entries of 34 bytes plus their names.
  std::size_t nomi = 0;
  for (const elemento& e : m.elementi) nomi += e.nome.size();
  EXPECT_EQ(fs.files.at(file_sim).size(), 87u * 34u + nomi);
  EXPECT_EQ(m.elementi[85].dato_i1, 610);
  EXPECT_EQ(m.elementi[85].orario, 34130);
}

// Every marker the placement pass adds to the fixed scenario, checked by
// hand against the rules. The service file holds one slowdown, 30 km/h from
// 22700 m for 200 m, without warning approach marks: start cell
// R(22700 / 50 + 1) = 455, end cell R(22900 / 50 + 1) = 459, warning board
// cell R(21500 / 50 + 1) = 431. The signals stand in cells p / 50 + 1:
// 201, 221, 423, 443, 637, 661, 741, 763, 843, 865, 902, 929, 947, 978,
// 1001, 1027. No "abbattimento" record, so no other code-12 cell.
//  - Rule A, warning board 431: of cells 430 .. 411 only 423 (21100 m) holds
//    a signal; the cell before it, 422, is free: marker in 422.
//  - Rule B, start 455: group 1 tries 450 (free): marker; group 2 tries 444
//    (free; 443 is the signal at 22100 m, 446 the board at 22250 m):
//    marker; group 3 tries 437 (free): marker.
//  - Rule C, 30 km/h: the end cell 459 is 4 cells after the start, fewer
//    than 8: no marker.
//  - Rule D: cells 459 .. 471 hold no signal (the next is 637): no marker.
// So exactly cells 422, 437, 444 and 450 become markers, with no fault.
TEST(ScenarioFisso, MarkersOfThePlacementPass) {
  auto fs = cartella_con_descrizioni();
  auto m = modello_nuovo();
  ASSERT_EQ(memorizza_percorso(m, fs, cartella, 1), esito_compilazione::completato);

  // The objects the rules start from, where the hand check puts them.
  EXPECT_EQ(m.celle[431].tipo, tipo_cella::avviso_rallentamento);
  EXPECT_EQ(m.celle[455].tipo, tipo_cella::inizio_rallentamento);
  EXPECT_EQ(m.celle[455].dato1, 30);
  EXPECT_EQ(m.celle[459].tipo, tipo_cella::fine_rallentamento);
  EXPECT_EQ(m.celle[423].tipo, tipo_cella::segnale);
  EXPECT_EQ(m.celle[443].tipo, tipo_cella::segnale);
  std::vector<std::size_t> avvisi_e_inizi;
  for (std::size_t k = 0; k < m.celle.size(); ++k) {
    if (m.celle[k].tipo == tipo_cella::avviso_rallentamento ||
        m.celle[k].tipo == tipo_cella::inizio_rallentamento) {
      avvisi_e_inizi.push_back(k);
    }
  }
  EXPECT_EQ(avvisi_e_inizi, (std::vector<std::size_t>{431, 455}));

  std::vector<std::size_t> marcatori;
  for (std::size_t k = 0; k < m.celle.size(); ++k) {
    if (m.celle[k].tipo == tipo_cella::marcatore_valore) {
      EXPECT_EQ(m.celle[k].dato1, 180) << k;
      marcatori.push_back(k);
    }
  }
  EXPECT_EQ(marcatori, (std::vector<std::size_t>{422, 437, 444, 450}));

  // The same cells in the file.
  const std::string& celle_dat = fs.files.at(file_celle_dat);
  cella c;
  for (std::size_t k : marcatori) {
    EXPECT_EQ(cella_file(celle_dat, k, c).tipo, 12);
    EXPECT_EQ(c.dato1, 180);
  }
}

TEST(ScenarioFisso, GoldenDigests) {
  auto fs = cartella_con_descrizioni();
  auto m = modello_nuovo();
  ASSERT_EQ(memorizza_percorso(m, fs, cartella, 1), esito_compilazione::completato);
  EXPECT_EQ(sha256_hex(fs.files.at(file_linea_dat)), scenario_fisso::sha256_linea_dat);
  EXPECT_EQ(sha256_hex(fs.files.at(file_sim)), scenario_fisso::sha256_sim);
  EXPECT_EQ(sha256_hex(fs.files.at(file_celle_dat)), scenario_fisso::sha256_celle_dat);
}

TEST(ScenarioFisso, OlderFilesAreReplacedCompletely) {
  auto fs = cartella_con_descrizioni();
  fs.files[file_linea_dat] = std::string(2000000, 'x');
  fs.files[file_sim] = std::string(10, 'x');
  fs.files[file_celle_dat] = std::string(30000, 'x');
  auto m = modello_nuovo();
  ASSERT_EQ(memorizza_percorso(m, fs, cartella, 1), esito_compilazione::completato);
  EXPECT_EQ(fs.files.at(file_linea_dat).size(), 1339964u);
  EXPECT_EQ(fs.files.at(file_celle_dat).size(), 20115u);
  EXPECT_EQ(sha256_hex(fs.files.at(file_sim)), scenario_fisso::sha256_sim);
}

TEST(ScenarioFisso, GeneraLinea0LeavesTheLineDataFileAlone) {
  auto fs = cartella_con_descrizioni();
  fs.files[file_linea_dat] = "vecchio";
  auto m = modello_nuovo();
  ASSERT_EQ(memorizza_percorso(m, fs, cartella, 0), esito_compilazione::completato);
  EXPECT_EQ(fs.files.at(file_linea_dat), "vecchio");
  EXPECT_TRUE(!m.tracciato.creato());
  // The other two files are the same as with the geometry.
  EXPECT_EQ(sha256_hex(fs.files.at(file_sim)), scenario_fisso::sha256_sim);
  EXPECT_EQ(sha256_hex(fs.files.at(file_celle_dat)), scenario_fisso::sha256_celle_dat);
}

TEST(ScenarioFisso, AFailedWriteStopsTheStepAndKeepsWhatWasWritten) {
  auto fs = cartella_con_descrizioni();
  fs.files[file_celle_dat] = "vecchie celle";
  fs.fail_write(file_path(cartella, nome_file_sim(linea, treno)));
  auto m = modello_nuovo();
  EXPECT_THROW(memorizza_percorso(m, fs, cartella, 1), file_error);
  EXPECT_EQ(sha256_hex(fs.files.at(file_linea_dat)), scenario_fisso::sha256_linea_dat);
  EXPECT_EQ(fs.files.count(file_sim), 0u);
  EXPECT_EQ(fs.files.at(file_celle_dat), "vecchie celle");
}

// A reserved-slot fault writes none of the three files, and older ones stay.
void controlla_nessun_binario(const memory_file_system& fs) {
  EXPECT_EQ(fs.files.at(file_linea_dat), "vecchia linea");
  EXPECT_EQ(fs.files.at(file_sim), "vecchia sim");
  EXPECT_EQ(fs.files.at(file_celle_dat), "vecchie celle");
  for (const std::string& voce : fs.log) {
    EXPECT_TRUE(voce.find(".dat") == std::string::npos && voce.find(".sim") == std::string::npos)
        << voce;
  }
}

memory_file_system cartella_con_vecchi_binari(memory_file_system fs) {
  fs.files[file_linea_dat] = "vecchia linea";
  fs.files[file_sim] = "vecchia sim";
  fs.files[file_celle_dat] = "vecchie celle";
  fs.log.clear();
  return fs;
}

TEST(SlotRiservatiScenario, BoardInCell1Is1250) {
  // An indication board at 0 m sits in cell 1 with its record's index in dato1.
  auto fs = cartella_con_vecchi_binari(cartella_con_descrizioni());
  inserisci_dopo(fs.files[file_linea_txt], "[indicazioni]", "cartello_indicatore,  0,   (Km. 0)");
  auto m = modello_nuovo();
  EXPECT_EQ(memorizza_percorso(m, fs, cartella, 1), esito_compilazione::errore_1250);
  EXPECT_EQ(m.celle[1].tipo, tipo_cella::cartello_indicatore);
  EXPECT_EQ(m.celle[1].dato1, 80);
  controlla_nessun_binario(fs);
}

TEST(SlotRiservatiScenario, SlowdownDirectionInCell1Is1251) {
  // A slowdown at 0 m, 0 km/h, d_v 1: cell 1 gets dato1 0 and dato2 1.
  auto fs = cartella_con_vecchi_binari(cartella_con_descrizioni());
  inserisci_dopo(fs.files[file_servizio_txt], "[rallentamenti]",
                 "rallentamento,   0,    0,  200, 1,  0,  1");
  auto m = modello_nuovo();
  EXPECT_EQ(memorizza_percorso(m, fs, cartella, 1), esito_compilazione::errore_1251);
  EXPECT_EQ(m.codice_errore, 0);
  EXPECT_EQ(m.celle[1].tipo, tipo_cella::inizio_rallentamento);
  EXPECT_EQ(m.celle[1].dato2, 1);
  // The marker stamped before the check stays in the model, which is not written.
  EXPECT_EQ(m.celle[1].dato1, 5121);
  controlla_nessun_binario(fs);
}

TEST(SlotRiservatiScenario, NoLengthRecordMeansNoModel) {
  auto fs = cartella_con_vecchi_binari(cartella_con_descrizioni());
  std::string& testo = fs.files[file_linea_txt];
  testo.erase(testo.find("lunghezza percorso"), 1);  // "unghezza percorso": not recognised
  auto m = modello_nuovo();
  EXPECT_EQ(memorizza_percorso(m, fs, cartella, 1), esito_compilazione::senza_modello);
  controlla_nessun_binario(fs);
}

}  // namespace
}  // namespace scenario
