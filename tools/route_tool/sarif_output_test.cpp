// check's SARIF log: places as regions (none for a whole file), notes as
// related locations, fixes as replacements, rules from the whole table.
#include "tools/route_tool/sarif_output.h"

#include <gtest/gtest.h>

#include "compiler/check/catalogo_diagnostiche.h"

namespace scenario {
namespace {

TEST(SarifOutput, PlacesNotesAndFixes) {
  ingresso_controllo in;
  in.linea = "x\r\n";
  in.servizio = "y\r\n";
  in.nome_file_linea = "my dir/l.txt";
  in.nome_file_servizio = "/abs/s-.txt";
  esito_controllo e;
  diagnostica typo;
  typo.id = id_diagnostica::unknown_keyword;
  typo.dove = {file_sorgente::servizio, 14, 3, 7};
  typo.messaggio = "typo";
  typo.correlate.push_back({{file_sorgente::linea, 2, 5, 4}, "see here"});
  typo.correlate.push_back({{file_sorgente::linea, 0, 0, 0}, "the whole file"});
  typo.correlate.push_back({{file_sorgente::linea, 3, 0, 0}, "a whole line"});
  // A replacement and an insertion in one file, one in the other.
  typo.correzioni.push_back({"Write 'stazione'",
                             {{{file_sorgente::servizio, 14, 3, 7}, "stazione"},
                              {{file_sorgente::servizio, 15, 1, 0}, "\xb0"},
                              {{file_sorgente::linea, 1, 1, 1}, "z"}}});
  e.diagnostiche.push_back(typo);
  diagnostica whole;
  whole.id = id_diagnostica::files_swapped;
  whole.dove = {file_sorgente::linea, 0, 0, 0};
  whole.messaggio = "swapped";
  e.diagnostiche.push_back(whole);

  const nlohmann::ordered_json log = check_sarif(e, in, "9.9");
  EXPECT_EQ(log["version"], "2.1.0");
  const auto& run = log["runs"][0];
  EXPECT_EQ(run["tool"]["driver"]["version"], "9.9");
  EXPECT_EQ(run["tool"]["driver"]["rules"].size(), catalogo().size());
  // Artifacts in the order first named: the service file, then the line file.
  EXPECT_EQ(run["artifacts"][0]["location"]["uri"], "file:///abs/s-.txt");
  EXPECT_EQ(run["artifacts"][1]["location"]["uri"], "my%20dir/l.txt");
  EXPECT_EQ(run["artifacts"][1]["encoding"], "windows-1252");

  const auto& r0 = run["results"][0];
  EXPECT_EQ(r0["ruleId"], "unknown-keyword");
  EXPECT_EQ(run["tool"]["driver"]["rules"][r0["ruleIndex"].get<std::size_t>()]["id"],
            "unknown-keyword");
  EXPECT_EQ(r0["level"], "warning");
  const auto& place = r0["locations"][0]["physicalLocation"];
  EXPECT_EQ(place["artifactLocation"]["index"], 0);
  EXPECT_EQ(place["region"],
            nlohmann::ordered_json({{"startLine", 14}, {"startColumn", 3}, {"endColumn", 10}}));
  EXPECT_EQ(r0["relatedLocations"][0]["id"], 0);
  EXPECT_EQ(r0["relatedLocations"][0]["physicalLocation"]["region"]["endColumn"], 9);
  EXPECT_EQ(r0["relatedLocations"][0]["message"]["text"], "see here");
  EXPECT_FALSE(r0["relatedLocations"][1]["physicalLocation"].contains("region"));
  // A line as a whole, column 0: SARIF's columns start at 1.
  EXPECT_EQ(r0["relatedLocations"][2]["physicalLocation"]["region"],
            nlohmann::ordered_json({{"startLine", 3}, {"startColumn", 1}, {"endColumn", 1}}));

  const auto& changes = r0["fixes"][0]["artifactChanges"];
  ASSERT_EQ(changes.size(), 2u);
  const auto& service_change =
      changes[0]["artifactLocation"]["uri"] == "file:///abs/s-.txt" ? changes[0] : changes[1];
  ASSERT_EQ(service_change["replacements"].size(), 2u);
  EXPECT_EQ(service_change["replacements"][0]["insertedContent"]["text"], "stazione");
  // An insertion deletes nothing: its region is a point.
  EXPECT_EQ(service_change["replacements"][1]["deletedRegion"]["startColumn"],
            service_change["replacements"][1]["deletedRegion"]["endColumn"]);
  EXPECT_EQ(service_change["replacements"][1]["insertedContent"]["text"], "\xc2\xb0");

  const auto& r1 = run["results"][1];
  EXPECT_EQ(r1["ruleId"], "files-swapped");
  EXPECT_FALSE(r1["locations"][0]["physicalLocation"].contains("region"));
  EXPECT_FALSE(r1.contains("fixes"));
  EXPECT_FALSE(r1.contains("relatedLocations"));
}

}  // namespace
}  // namespace scenario
