#include <gtest/gtest.h>

#include <array>
#include <string>

#include "compiler/check/avvisi.h"

namespace scenario {
namespace {

constexpr std::array tipi = {tipo_record::pendenza, tipo_record::montagna, tipo_record::curva,
                             tipo_record::velocita};

TEST(ParolaSimile, OneEditOrOneSwapFindsTheKeyword) {
  EXPECT_EQ(parola_simile("pendeza", tipi), "pendenza");    // one letter left out
  EXPECT_EQ(parola_simile("pendnenza", tipi), "pendenza");  // one letter more
  EXPECT_EQ(parola_simile("pednenza", tipi), "pendenza");   // two neighbours swapped
  EXPECT_EQ(parola_simile("PENDENZE", tipi), "pendenza");   // case is not an edit
  EXPECT_EQ(parola_simile("montagan", tipi), "montagna");
  EXPECT_EQ(parola_simile("cruvas5", tipi), "curvas5");  // the curve of the class written
  EXPECT_EQ(parola_simile("curvda2", tipi), "curvad2");
}

TEST(ParolaSimile, FarWordsAndSentencesFindNothing) {
  EXPECT_EQ(parola_simile("stazione", tipi), std::nullopt);
  EXPECT_EQ(parola_simile("pe", tipi), std::nullopt);            // too short for a keyword
  EXPECT_EQ(parola_simile("pendenzaaaaa", tipi), std::nullopt);  // four letters more
  EXPECT_EQ(parola_simile("curvad9", tipi), std::nullopt);       // no such class
  EXPECT_EQ(parola_simile("", tipi), std::nullopt);
  EXPECT_EQ(parola_simile(std::string(41, 'p'), tipi), std::nullopt);
  EXPECT_EQ(parola_simile(std::string(40, 'p'), tipi), std::nullopt);
}

TEST(ParolaSimile, TheClosestKeywordWins) {
  // "velocia" is one edit from "velocita", three from any other.
  EXPECT_EQ(parola_simile("velocia", tipi), "velocita");
}

}  // namespace
}  // namespace scenario
