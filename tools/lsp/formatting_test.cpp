#include "tools/lsp/formatting.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "compiler/check/controlla.h"
#include "compiler/compila.h"
#include "tools/lsp/text_position.h"

namespace scenario::lsp {
namespace {

std::string testdata(const std::string& name) {
  std::ifstream in(std::string(VO_TESTDATA_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string golden_line = testdata("Viterbo_Attigliano_Orte_linea.txt");
const std::string golden_service = testdata("Viterbo_Attigliano_Orte_7547-.txt");

// The text with the layout's lines put in.
std::string formatted(const std::string& bytes, file_sorgente f, const std::string& line,
                      const std::string& service) {
  ingresso_controllo in;
  in.linea = line;
  in.servizio = service;
  const esito_controllo e = controlla(in);
  const text_lines lines(bytes);
  std::vector<std::string> out;
  for (std::size_t i = 0; i < lines.line_count(); ++i) out.emplace_back(lines.line(i));
  for (const line_layout& l : lay_out_records(bytes, e.sorgenti_letti, f)) out[l.line] = l.text;
  std::string text;
  for (std::size_t i = 0; i < out.size(); ++i) text += out[i] + (i + 1 < out.size() ? "\r\n" : "");
  return text;
}

std::string service_formatted(const std::string& service) {
  return formatted(service, file_sorgente::servizio, golden_line, service);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

TEST(Formatting, TheServiceWritersColumnsComeBack) {
  const std::string messy =
      replaced(replaced(replaced(golden_service, "velocita,    8000,    75", "velocita,8000,75"),
                        "stazione,   12450, 24,  300,", "stazione, 12450,24,     300,"),
               "aderenza,   0,    100", "  aderenza ,0,100");
  const std::string once = service_formatted(messy);
  const text_lines got(once), want(golden_service);
  for (std::size_t i = 0; i < 26; ++i) {
    if (i == 6) continue;
    EXPECT_EQ(got.line(i), want.line(i)) << "line " << i + 1;
  }
  // A single record keeps its own blanks after each comma.
  EXPECT_EQ(got.line(6), "aderenza,0,100");
  EXPECT_EQ(service_formatted(once), once);
}

TEST(Formatting, TheFixedServiceFileChangesOnlyInTheSignalsRaggedLastColumn) {
  ingresso_controllo in;
  in.linea = golden_line;
  in.servizio = golden_service;
  const esito_controllo e = controlla(in);
  const auto changes = lay_out_records(golden_service, e.sorgenti_letti, file_sorgente::servizio);
  EXPECT_EQ(changes.size(), 14u);
  for (const line_layout& l : changes) {
    EXPECT_TRUE(l.text.starts_with("segnale,")) << l.text;
    EXPECT_TRUE(l.text.ends_with(",   0")) << l.text;
  }
}

TEST(Formatting, WhatTheReadersReadDoesNotChange) {
  opzioni_compilazione o;
  o.nome_linea = "Viterbo_Attigliano_Orte";
  o.numero_treno = "7547";
  const std::string line =
      formatted(golden_line, file_sorgente::linea, golden_line, golden_service);
  const std::string service = service_formatted(golden_service);
  EXPECT_NE(line, golden_line);
  auto before = compila({golden_line, golden_service}, o);
  auto after = compila({line, service}, o);
  EXPECT_EQ(after.sim, before.sim);
  EXPECT_EQ(after.celle_dat, before.celle_dat);
  EXPECT_EQ(after.linea_dat(), before.linea_dat());
  // Lines that are not one whole record stay as they are.
  const text_lines l(service);
  EXPECT_EQ(l.line(4), "orologio,    13              48            40 ");
  EXPECT_EQ(l.line(0), "[generale]");
}

}  // namespace
}  // namespace scenario::lsp
