#include "tools/route_tool/diagnostic_output.h"

#include <gtest/gtest.h>

#include <sstream>

namespace scenario {
namespace {

// A diagnostic may stand in a file beside the two descriptions (the
// timetable sheet here), with a note in one of them: each place is named,
// quoted and marked from its own file.
TEST(DiagnosticOutput, APlaceInAFurtherFileIsNamedAndQuotedFromIt) {
  ingresso_controllo in;
  in.linea = "[generale]\r\n";
  in.servizio = "[generale]\r\norologio,  9, 8, 30\r\n";
  in.nome_file_linea = "l.txt";
  in.nome_file_servizio = "s.txt";
  const std::string scheda = "SCHEDA TRENO 7547\r\n\r\nOrte      9.08.30\r\n";
  in.altri_file.push_back({file_sorgente::scheda_treno, "sheet.txt", scheda});

  diagnostica d;
  d.id = id_diagnostica::time_over_59;
  d.dove = {file_sorgente::scheda_treno, 3, 11, 7};
  d.messaggio = "the sheet says 9.08.30";
  d.correlate.push_back({{file_sorgente::servizio, 2, 11, 1}, "the clock"});

  std::ostringstream text;
  write_diagnostics_text({d}, in, text);
  EXPECT_EQ(text.str(),
            "sheet.txt:3:11: warning: the sheet says 9.08.30 [time-over-59]\n"
            "Orte      9.08.30\n"
            "          ^~~~~~~\n"
            "s.txt:2:11: note: the clock\n"
            "orologio,  9, 8, 30\n"
            "          ^\n");

  const nlohmann::json j = diagnostic_json(d, in);
  EXPECT_EQ(j["file"], "sheet.txt");
  EXPECT_EQ(j["line"], 3);
  EXPECT_EQ(j["id"], "time-over-59");
  EXPECT_EQ(j["code"], nullptr);
  EXPECT_EQ(j["related"][0]["file"], "s.txt");

  // A file the input does not hold has no name and no text; the line file
  // stands for a place outside any file, as before.
  EXPECT_EQ(in.nome_file(file_sorgente::rallentamenti), "");
  EXPECT_EQ(in.testo(file_sorgente::rallentamenti), "");
  EXPECT_EQ(in.posto({file_sorgente::nessuno, 0, 0, 0}), "l.txt");
}

// A line longer than 160 bytes is shown around its field only: 80 bytes
// before it, "..." at each end cut off, the caret under the field still.
TEST(DiagnosticOutput, ALongLineIsShownAroundItsField) {
  ingresso_controllo in;
  const std::string riga = std::string(80, 'a') + "x" + "12345" + std::string(214, 'b');
  const std::string servizio = riga + "\r\n";
  in.servizio = servizio;
  const auto testo = [&](std::int32_t colonna) {
    diagnostica d;
    d.id = id_diagnostica::time_over_59;
    d.dove = {file_sorgente::servizio, 1, colonna, 5};
    d.messaggio = "m";
    std::ostringstream out;
    write_diagnostics_text({d}, in, out);
    return out.str();
  };
  // Column 82: the shown part starts one byte in, so the line is cut at
  // both ends.
  EXPECT_EQ(testo(82), "servizio.txt:1:82: warning: m [time-over-59]\n..." + std::string(79, 'a') +
                           "x12345" + std::string(75, 'b') + "...\n" + std::string(83, ' ') +
                           "^~~~~\n");
  // Column 81: shown from the line's first byte.
  EXPECT_EQ(testo(81), "servizio.txt:1:81: warning: m [time-over-59]\n" + std::string(80, 'a') +
                           "x12345" + std::string(74, 'b') + "...\n" + std::string(80, ' ') +
                           "^~~~~\n");
}

// An error takes its code and severity from the catalogue.
TEST(DiagnosticOutput, AnErrorCarriesItsCodeFromTheCatalogue) {
  ingresso_controllo in;
  in.servizio = "segnale, 1000\r\n";
  diagnostica d;
  d.id = id_diagnostica::signal_cell_taken;
  d.dove = {file_sorgente::servizio, 1, 1, 7};
  d.messaggio = "taken";
  const nlohmann::json j = diagnostic_json(d, in);
  EXPECT_EQ(j["severity"], "error");
  EXPECT_EQ(j["code"], 16);
  EXPECT_EQ(j["id"], "signal-cell-taken");
  EXPECT_EQ(j["file"], "servizio.txt");
}

}  // namespace
}  // namespace scenario
