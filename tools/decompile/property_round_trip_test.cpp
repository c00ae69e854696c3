// Random valid scenarios come back byte for byte: compile, decompile,
// compile again gives the same three files.
#include <gtest/gtest.h>

#include <map>

#include "compiler/check/controlla.h"
#include "tools/decompile/round_trip.h"
#include "tools/decompile/scenario_generator.h"

namespace scenario::decompile {
namespace {

std::string describe(const verification& v) {
  std::string s;
  int listed = 0;
  for (const difference& d : v.differences) {
    if (++listed > 6) break;
    s += "\n  place " + std::to_string(static_cast<int>(d.at.where)) + " " +
         std::to_string(d.at.index) + ": " + d.why;
    for (const auto& f : d.fields)
      s += " [" + f.field + " " + f.in_file + " / " + f.from_text + "]";
  }
  return s;
}

TEST(DecompileProperty, GeneratedScenariosRoundTripByteForByte) {
  std::map<std::int32_t, int> codes;
  for (std::uint32_t seed = 1; seed <= 150; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const testing::generated_scenario g = testing::generate_scenario(seed);
    const testing::round_trip r = testing::run_round_trip(g.line_text, g.service_text);
    ASSERT_EQ(r.first.esito, esito_compilazione::completato);
    ++codes[r.first.model.codice_errore];
    EXPECT_TRUE(r.same_bytes()) << describe(r.decompiled->check);
    EXPECT_TRUE(r.decompiled->check.exact);
    // Files compiled without a fault give texts the checker finds no error in.
    if (r.first.model.codice_errore == 0) {
      ingresso_controllo in;
      in.linea = r.decompiled->line_text;
      in.servizio = r.decompiled->service_text;
      const esito_controllo c = controlla(in);
      EXPECT_EQ(c.errori, 0);
      for (const diagnostica& d : c.diagnostiche) {
        if (d.severita() == gravita::errore) ADD_FAILURE() << d.id << ": " << d.messaggio;
      }
    }
  }
  // The generator writes records the readers accept: most scenarios compile
  // without any fault (the placement pass may lack room for a marker).
  EXPECT_GE(codes[0], 100);
}

}  // namespace
}  // namespace scenario::decompile
