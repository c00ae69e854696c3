// The fixed scenario: its three files decompile into exactly the two texts
// the writers write, and those compile into the program's three files.
#include <gtest/gtest.h>

#include <set>

#include "base/sha256.h"
#include "compiler/digest_scenario_fisso.h"
#include "sources/testi_fissi.h"
#include "tools/decompile/round_trip.h"

namespace scenario::decompile {
namespace {

constexpr const char* linea = "Viterbo_Attigliano_Orte";
constexpr const char* treno = "7547";

std::vector<std::string> lines_of(const std::string& bytes) {
  std::vector<std::string> out;
  std::size_t from = 0;
  while (from < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", from);
    out.push_back(bytes.substr(from, end - from));
    from = end + 2;
  }
  return out;
}

// Every record comes back as the writers wrote it, blanks included. The
// compiled files cannot tell the order of the series "uno", "due" and
// "tre", whether a grade, speed or adhesion record at 0 m repeats the value
// in force, whether a span's markers were asked for where objects cover all
// its fourth cells, or a board's right-hand speeds where they could be read
// either way: in this scenario each reads back as written, so no line is an
// exception.
const std::set<std::size_t> line_exceptions = {};
const std::set<std::size_t> service_exceptions = {};

void expect_same_records(const std::string& written, const std::string& decompiled,
                         const std::set<std::size_t>& exceptions) {
  const std::vector<std::string> a = lines_of(written);
  const std::vector<std::string> b = lines_of(decompiled);
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!exceptions.count(i + 1)) {
      EXPECT_EQ(a[i], b[i]) << "line " << i + 1;
    }
  }
}

TEST(DecompileFixedScenario, RecordsComeBackAsTheWritersWroteThem) {
  const fixed_scenario_texts w = fixed_texts();
  const testing::round_trip r = testing::run_round_trip(w.line, w.service, linea, treno);
  ASSERT_TRUE(r.decompiled);
  expect_same_records(w.line, r.decompiled->line_text, line_exceptions);
  expect_same_records(w.service, r.decompiled->service_text, service_exceptions);
  // With no exception the two files are the writers' bytes.
  EXPECT_EQ(r.decompiled->line_text, w.line);
  EXPECT_EQ(r.decompiled->service_text, w.service);
}

TEST(DecompileFixedScenario, CompilingTheTextGivesTheProgramsFiles) {
  const fixed_scenario_texts w = fixed_texts();
  const testing::round_trip r = testing::run_round_trip(w.line, w.service, linea, treno);
  ASSERT_EQ(r.first.esito, esito_compilazione::completato);
  EXPECT_EQ(sha256_hex(r.first.line_data), scenario_fisso::sha256_linea_dat);
  EXPECT_EQ(sha256_hex(r.first.sim), scenario_fisso::sha256_sim);
  EXPECT_EQ(sha256_hex(r.first.cells), scenario_fisso::sha256_celle_dat);
  ASSERT_EQ(r.second.esito, esito_compilazione::completato);
  EXPECT_EQ(sha256_hex(r.second.line_data), scenario_fisso::sha256_linea_dat);
  EXPECT_EQ(sha256_hex(r.second.sim), scenario_fisso::sha256_sim);
  EXPECT_EQ(sha256_hex(r.second.cells), scenario_fisso::sha256_celle_dat);
  EXPECT_TRUE(r.decompiled->check.exact);
  EXPECT_TRUE(r.decompiled->check.differences.empty());
}

// Another route name and train number: the names and the competition codes
// made from them are stamps of the compile step, not records.
TEST(DecompileFixedScenario, OtherIdentifiersRoundTrip) {
  const fixed_scenario_texts w = fixed_texts();
  const testing::round_trip r = testing::run_round_trip(w.line, w.service, "Linea \xE8 nuova", "1");
  EXPECT_TRUE(r.same_bytes());
  EXPECT_EQ(r.decompiled->line_text, w.line);
  EXPECT_EQ(r.decompiled->service_text, w.service);
}

}  // namespace
}  // namespace scenario::decompile
