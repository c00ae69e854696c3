// The check of a pair with what goes with its service file by the naming
// rule: the driver's documents, whose warnings are published for their own
// URIs, and the train model the timetable is checked against.
#include "tools/lsp/pair_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/lsp/server_fixture.h"

namespace scenario::lsp {
namespace {

using namespace lsp_testing;

const std::string sheet_path = "/r/Viterbo_Attigliano_Orte_7547_scheda_treno.txt";
const std::string form_path = "/r/Viterbo_Attigliano_Orte_7547_rallentamenti.txt";
const std::string model_path = "/r/Viterbo_Attigliano_Orte_7547_treno.json";
const std::string sheet_uri = "file://" + sheet_path;
const std::string form_uri = "file://" + form_path;

// "26:18-26:23 sheet-km-differs -> Viterbo_Attigliano_Orte_7547-.txt 20:12":
// a published diagnostic's range, code and first related place (0-based).
std::vector<std::string> summary(const json& diagnostics) {
  std::vector<std::string> out;
  for (const json& d : diagnostics) {
    const json& r = d["range"];
    std::string s = std::to_string(r["start"]["line"].get<int>()) + ":" +
                    std::to_string(r["start"]["character"].get<int>()) + "-" +
                    std::to_string(r["end"]["line"].get<int>()) + ":" +
                    std::to_string(r["end"]["character"].get<int>()) + " " +
                    d["code"].get<std::string>();
    if (d.contains("relatedInformation")) {
      const json& l = d["relatedInformation"][0]["location"];
      s += " -> " + l["uri"].get<std::string>().substr(std::string("file:///r/").size()) + " " +
           std::to_string(l["range"]["start"]["line"].get<int>()) + ":" +
           std::to_string(l["range"]["start"]["character"].get<int>());
    }
    out.push_back(s);
  }
  return out;
}

struct with_documents : fixture {
  with_documents() {
    disk.files[sheet_path] = testdata("Viterbo_Attigliano_Orte_7547_scheda_treno.txt");
    disk.files[form_path] = testdata("Viterbo_Attigliano_Orte_7547_rallentamenti.txt");
    initialize("utf-16");
  }
};

TEST(PairCheck, TheDocumentsBesideTheServiceFileArePublishedForTheirOwnUris) {
  with_documents f;
  f.open(service_uri, service_path);
  // The timetable: the S. Nicola time, noted at Grotte S. Stefano's.
  ASSERT_FALSE(f.published(service_uri).empty());
  EXPECT_EQ(summary(f.published(service_uri).back()),
            (std::vector<std::string>{
                "20:62-20:70 time-not-after-previous -> Viterbo_Attigliano_Orte_7547-.txt 19:62"}));
  // The documents, read from the disk: the three disagreements, each with
  // its note at the service file's record.
  ASSERT_EQ(f.published(sheet_uri).size(), 1u);
  EXPECT_EQ(summary(f.published(sheet_uri).back()),
            (std::vector<std::string>{
                "25:18-25:23 sheet-km-differs -> Viterbo_Attigliano_Orte_7547-.txt 20:12",
                "25:50-25:65 sheet-time-differs -> Viterbo_Attigliano_Orte_7547-.txt 20:62"}));
  ASSERT_EQ(f.published(form_uri).size(), 1u);
  EXPECT_EQ(summary(f.published(form_uri).back()),
            (std::vector<std::string>{
                "12:62-12:65 form-length-differs -> Viterbo_Attigliano_Orte_7547-.txt 28:32"}));
}

TEST(PairCheck, ADocumentOpenedIsCheckedWithItsServiceFileAndItsUnsavedText) {
  with_documents f;
  // The sheet's S. Nicola row with the service file's 14.09.
  std::string sheet = cp1252_to_utf8(f.disk.files.at(sheet_path));
  const std::size_t at = sheet.find("14.17+    14.18");
  ASSERT_NE(at, std::string::npos);
  sheet.replace(at, 15, "14.08+    14.09");
  f.open_text(sheet_uri, sheet);
  EXPECT_EQ(summary(f.published(sheet_uri).back()),
            (std::vector<std::string>{
                "25:18-25:23 sheet-km-differs -> Viterbo_Attigliano_Orte_7547-.txt 20:12"}));
  // Its service file and line were checked with it, from the disk.
  EXPECT_FALSE(f.published(service_uri).empty());
  EXPECT_FALSE(f.published(line_uri).empty());
  // No feature reads a document.
  EXPECT_EQ(f.result("textDocument/documentSymbol", {{"textDocument", {{"uri", sheet_uri}}}}),
            json::array());
}

TEST(PairCheck, AWholeFilesDiagnosticStandsAtItsStart) {
  fixture f;
  f.initialize("utf-16");
  // Without an "aderenza" record the service file as a whole is warned of:
  // the range is the file's first point.
  std::string service = cp1252_to_utf8(f.disk.files.at(service_path));
  const std::size_t at = service.find("aderenza,");
  ASSERT_NE(at, std::string::npos);
  service.erase(at, service.find('\n', at) + 1 - at);
  f.open_text(service_uri, service);
  const std::vector<json> published = f.published(service_uri);
  ASSERT_FALSE(published.empty());
  int found = 0;
  for (const json& d : published.back()) {
    if (d["message"].get<std::string>().rfind("there is no \"aderenza\" record", 0) != 0) continue;
    ++found;
    EXPECT_EQ(d["range"], json::parse(R"({"start": {"line": 0, "character": 0},
                                          "end": {"line": 0, "character": 0}})"));
  }
  EXPECT_EQ(found, 1);
}

TEST(PairCheck, ADocumentWithoutItsServiceFileIsNotChecked) {
  with_documents f;
  f.disk.files.erase(service_path);
  f.open(form_uri, form_path);
  ASSERT_EQ(f.published(form_uri).size(), 1u);
  EXPECT_EQ(f.published(form_uri).back(), json::array());
}

TEST(PairCheck, TheTrainModelBesideTheServiceFileTimesTheRun) {
  with_documents f;
  // Half the power and effort: Montefiascone to Grotte S. Stefano cannot be
  // kept in its 9 min either.
  f.disk.files[model_path] = R"({"potenza_kw": 1000, "sforzo_avviamento_kn": 60})";
  f.open(service_uri, service_path);
  const std::vector<std::string> s = summary(f.published(service_uri).back());
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0], "19:62-19:70 section-too-short -> Viterbo_Attigliano_Orte_7547-.txt 18:62");
  // A model the server cannot read: the defaults, and a line in the log.
  f.disk.files[model_path] = R"({"potenza_kw": "much"})";
  f.notify("textDocument/didSave", {{"textDocument", {{"uri", service_uri}}}});
  EXPECT_EQ(summary(f.published(service_uri).back()).size(), 1u);
  const json& log = f.sent.back();
  EXPECT_EQ(log["method"], "window/logMessage");
  EXPECT_NE(log["params"]["message"].get<std::string>().find("potenza_kw"), std::string::npos);
  // Said once, not at every change.
  const std::size_t sent = f.sent.size();
  f.notify("textDocument/didSave", {{"textDocument", {{"uri", service_uri}}}});
  ASSERT_GT(f.sent.size(), sent);
  EXPECT_EQ(f.sent.back()["method"], "textDocument/publishDiagnostics");
}

}  // namespace
}  // namespace scenario::lsp
