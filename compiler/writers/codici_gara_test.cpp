#include "compiler/writers/codici_gara.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(CodiciGara, KnownIdentifierPairs) {
  EXPECT_EQ(codice_gara_og("7547", "Viterbo_Attigliano_Orte"), 2461);
  EXPECT_EQ(codice_gara_st("7547", "Viterbo_Attigliano_Orte"), 34130);
  EXPECT_EQ(codice_gara_og("1", "A"), 2508);
  EXPECT_EQ(codice_gara_st("1", "A"), 33907);
  EXPECT_EQ(codice_gara_og("", ""), 2583);
  EXPECT_EQ(codice_gara_st("", ""), 34355);
}

TEST(CodiciGara, IgnoreLetterCase) {
  EXPECT_EQ(codice_gara_og("1", "a"), 2508);
  EXPECT_EQ(codice_gara_st("1", "a"), 33907);
  EXPECT_EQ(codice_gara_st("7547", "VITERBO_ATTIGLIANO_ORTE"), 34130);
  EXPECT_EQ(codice_gara_og("7547", "viterbo_attigliano_orte"), 2461);
  // Accented capitals lower-case in Windows-1252: 0xC8 to 0xE8.
  EXPECT_EQ(codice_gara_st("", "\xC8"), codice_gara_st("", "\xE8"));
}

TEST(CodiciGara, OnlyTheFirst25BytesCount) {
  const std::string venticinque(25, 'x');
  EXPECT_EQ(codice_gara_og("", venticinque), 25 * 'x');
  EXPECT_EQ(codice_gara_st("", venticinque), 325 * 'x');
  EXPECT_EQ(codice_gara_st("", venticinque + "zzz"), 325 * 'x');
  EXPECT_EQ(codice_gara_st("xxxxxxxxxxxxxxxxxxxx", "xxxxxq"), 325 * 'x');
}

TEST(CodiciGara, BytesAboveAsciiCountAsUnsignedCodes) {
  const std::string alti(25, '\xFF');
  EXPECT_EQ(codice_gara_og("", alti), 25 * 255);
  EXPECT_EQ(codice_gara_st("", alti), 325 * 255);
}

TEST(CodiciGara, TrainNumberComesFirst) {
  modello_percorso m;
  m.elementi[voce::testata_corsa].nome = "7547";
  m.elementi[voce::testata_linea].nome = "Viterbo_Attigliano_Orte";
  EXPECT_EQ(codice_gara_og(m), 2461);
  EXPECT_EQ(codice_gara_st(m), 34130);
  EXPECT_NE(codice_gara_st("A", "1"), 33907);
}

}  // namespace
}  // namespace scenario
