// The driver's documents through the checker: the program's own two
// against its two texts give exactly the documented disagreements, the
// ones the documents library writes give none, and every finding's id is
// a row of the catalogue in its document.
#include "compiler/check/avvisi_documenti.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/check/controlla.h"
#include "compiler/documenti/dati_documenti.h"
#include "compiler/documenti/ordine_rallentamento.h"
#include "compiler/documenti/scheda_treno.h"
#include "sources/testi_fissi.h"

namespace scenario {
namespace {

esito_controllo con_documenti(const std::string& scheda, const std::string& modulo,
                              std::int32_t tolleranza = 100, const modello_treno& treno = {}) {
  static const fixed_scenario_texts t = fixed_texts();
  ingresso_controllo in;
  in.linea = t.line;
  in.servizio = t.service;
  in.nome_linea = "Viterbo_Attigliano_Orte";
  in.numero_treno = "7547";
  in.tolleranza_km_m = tolleranza;
  in.treno = treno;
  in.altri_file.push_back({file_sorgente::scheda_treno, "scheda.txt", scheda});
  in.altri_file.push_back({file_sorgente::rallentamenti, "modulo.txt", modulo});
  return controlla(in);
}

// "scheda.txt:26:19 [sheet-km-differs] | s.txt:21:13": the documents'
// diagnostics with the place of their note.
std::vector<std::string> nei_documenti(const esito_controllo& e) {
  std::vector<std::string> r;
  for (const diagnostica& d : e.diagnostiche) {
    if (d.dove.file != file_sorgente::scheda_treno && d.dove.file != file_sorgente::rallentamenti) {
      continue;
    }
    std::string x = std::string(d.dove.file == file_sorgente::scheda_treno ? "scheda" : "modulo") +
                    ":" + std::to_string(d.dove.riga) + ":" + std::to_string(d.dove.colonna) +
                    " [" + std::string(d.nome()) + "]";
    for (const nota& n : d.correlate) {
      x += " | servizio:" + std::to_string(n.dove.riga) + ":" + std::to_string(n.dove.colonna) +
           " " + n.messaggio;
    }
    r.push_back(x);
  }
  return r;
}

TEST(DocumentWarnings, TheProgramsOwnDocumentsGiveExactlyTheDocumentedList) {
  const fixed_scenario_documents d = fixed_documents();
  const esito_controllo e = con_documenti(d.sheet, d.form);
  // docs/route_tool.md, "Checking hand-written documents": the sheet's
  // "S. Nicola" at 7.350 for km 7.150 and leaving at 14.18 for 14:09:00;
  // the form's 300 m for the 200 m slowdown. The notes stand at the
  // station's position and time (service file line 21) and at the
  // slowdown's length (line 29: "rallentamento,   22700,    30,  200, ...").
  const std::vector<std::string> atteso = {
      "scheda:26:19 [sheet-km-differs] | servizio:21:13 the service file's record of "
      "'Sipicciano S. Nicola'",
      "scheda:26:51 [sheet-time-differs] | servizio:21:63 the service file's record of "
      "'Sipicciano S. Nicola'",
      "modulo:13:63 [form-length-differs] | servizio:29:33 the service file's record of "
      "'slowdown at 22700 m'"};
  EXPECT_EQ(nei_documenti(e), atteso);
  // Warnings only: the exit status of check stays 0.
  EXPECT_EQ(e.errori, 0);
  // Sorted after the service file's own warnings.
  ASSERT_FALSE(e.diagnostiche.empty());
  EXPECT_EQ(e.diagnostiche.back().dove.file, file_sorgente::rallentamenti);
}

TEST(DocumentWarnings, AWiderToleranceTakesTheKilometreAsAgreeing) {
  const fixed_scenario_documents d = fixed_documents();
  const std::vector<std::string> r = nei_documenti(con_documenti(d.sheet, d.form, 200));
  ASSERT_EQ(r.size(), 2u);
  EXPECT_TRUE(r[0].starts_with("scheda:26:51 [sheet-time-differs]")) << r[0];
}

TEST(DocumentWarnings, TheDocumentsMadeFromTheScenarioGiveNone) {
  const fixed_scenario_texts t = fixed_texts();
  const dati_da_testi_esito dati =
      dati_da_testi(t.line, t.service, "Viterbo_Attigliano_Orte", "7547");
  ASSERT_TRUE(dati.dati) << dati.errore;
  const esito_controllo e =
      con_documenti(scheda_treno(*dati.dati, {}), ordine_rallentamento(*dati.dati));
  EXPECT_EQ(nei_documenti(e), std::vector<std::string>{});
}

TEST(DocumentWarnings, TheSheetsArrivalsAreReadWithTheTrainModelsDwell) {
  // A sheet written with a dwell of 75 s: its arrivals stand 75 s before
  // the departures, as the train model given to check says.
  const fixed_scenario_texts t = fixed_texts();
  const dati_da_testi_esito dati =
      dati_da_testi(t.line, t.service, "Viterbo_Attigliano_Orte", "7547");
  ASSERT_TRUE(dati.dati) << dati.errore;
  opzioni_scheda o;
  o.sosta_s = 75;
  const std::string scheda = scheda_treno(*dati.dati, o);
  const std::string modulo = ordine_rallentamento(*dati.dati);
  modello_treno lunga_sosta;
  lunga_sosta.sosta_minima_s = 75;
  EXPECT_EQ(nei_documenti(con_documenti(scheda, modulo, 100, lunga_sosta)),
            std::vector<std::string>{});
  // With the default 30 s the same arrivals are 45 s early.
  const std::vector<std::string> r = nei_documenti(con_documenti(scheda, modulo));
  ASSERT_FALSE(r.empty());
  EXPECT_NE(r[0].find("[sheet-arrival-differs]"), std::string::npos) << r[0];
}

TEST(DocumentWarnings, AReadingFaultIsAWarningAtItsPlaceWithoutANote) {
  const fixed_scenario_documents d = fixed_documents();
  const esito_controllo e = con_documenti("", d.form);
  const std::vector<std::string> r = nei_documenti(e);
  ASSERT_FALSE(r.empty());
  EXPECT_TRUE(r[0].starts_with("scheda:") && r[0].ends_with("[document-empty]")) << r[0];
}

TEST(DocumentWarnings, NotComparedWhenTheTextsHaveAnError) {
  const fixed_scenario_documents d = fixed_documents();
  const fixed_scenario_texts t = fixed_texts();
  ingresso_controllo in;
  in.linea = t.line;
  in.servizio = "[generale]\r\n[stazioni]\r\nstazione, 12475, 24, 300\r\n[fine]\r\n";
  in.altri_file.push_back({file_sorgente::scheda_treno, "scheda.txt", d.sheet});
  const esito_controllo e = controlla(in);
  EXPECT_GT(e.errori, 0);
  EXPECT_EQ(nei_documenti(e), std::vector<std::string>{});
}

TEST(DocumentWarnings, EveryFindingIdIsARowOfItsDocument) {
  for (const char* id : id_rilievo::lettura) {
    const auto d = cerca_diagnostica(id);
    ASSERT_TRUE(d) << id;
    EXPECT_EQ(dal_catalogo(*d).file, file_colpevole::documenti) << id;
  }
  for (const char* id : id_rilievo::scheda) {
    ASSERT_TRUE(cerca_diagnostica(id)) << id;
    EXPECT_EQ(dal_catalogo(*cerca_diagnostica(id)).file, file_colpevole::scheda_treno) << id;
  }
  for (const char* id : id_rilievo::modulo) {
    ASSERT_TRUE(cerca_diagnostica(id)) << id;
    EXPECT_EQ(dal_catalogo(*cerca_diagnostica(id)).file, file_colpevole::rallentamenti) << id;
  }
  rilievo r;
  r.id = id_rilievo::orario_diverso;
  r.dove = {26, 51, 11};
  r.messaggio = "m";
  const diagnostica d = diagnostica_rilievo(r, file_sorgente::scheda_treno);
  EXPECT_EQ(d.id, id_diagnostica::sheet_time_differs);
  EXPECT_EQ(d.dove.lunghezza, 11);
  EXPECT_TRUE(d.correlate.empty());  // no record: no note
}

}  // namespace
}  // namespace scenario
