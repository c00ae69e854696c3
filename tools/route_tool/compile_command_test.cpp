#include "tools/route_tool/compile_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tools/route_tool/compile_report.h"
#include "tools/testing/temp_folder.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

TEST(Compile, NoRouteModelMeansStatus1AndNothingWritten) {
  testing::temp_folder dir;
  const std::string line = "[generale]\r\n[fine]\r\n";
  const std::string service = "[generale]\r\n[fine]\r\n";
  testing::write_text(dir.path() / "my_line.txt", line);
  testing::write_text(dir.path() / "my_service.txt", service);
  compile_options o;
  o.line_file = dir / "my_line.txt";
  o.service_file = dir / "my_service.txt";
  o.out_dir = (dir.path() / "new" / "out").string();
  o.route = "R";
  o.train = "1";
  o.json = true;
  std::ostringstream out, err;
  EXPECT_EQ(run_compile(o, out, err), 1);
  EXPECT_NE(out.str().find("\"model_built\":false"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("No route model was built"), std::string::npos);
  EXPECT_NE(out.str().find("\"fatal\":null"), std::string::npos);
  EXPECT_TRUE(err.str().empty());
  // The user's files are as they were; the output folder was created and is empty.
  EXPECT_EQ(testing::read_bytes(dir.path() / "my_line.txt"), line);
  EXPECT_EQ(testing::read_bytes(dir.path() / "my_service.txt"), service);
  ASSERT_TRUE(fs::is_directory(o.out_dir));
  EXPECT_TRUE(fs::is_empty(o.out_dir));
}

TEST(Compile, InputsNamedAsTheCompilersCopiesAreNeverTouched) {
  testing::temp_folder dir;
  const std::string line = "[generale]\r\n[fine]\r\n";
  testing::write_text(dir.path() / "R_linea.txt", line);
  testing::write_text(dir.path() / "R_1-.txt", line);
  compile_options o;
  o.line_file = dir / "R_linea.txt";
  o.service_file = dir / "R_1-.txt";
  o.out_dir = dir.path().string();
  o.route = "R";
  o.train = "1";
  std::ostringstream out, err;
  run_compile(o, out, err);
  EXPECT_EQ(testing::read_bytes(dir.path() / "R_linea.txt"), line);
  EXPECT_EQ(testing::read_bytes(dir.path() / "R_1-.txt"), line);
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 2u);  // no private folder left behind
  EXPECT_EQ(err.str().rfind(o.line_file, 0), 0u) << err.str();
  EXPECT_NE(err.str().find("No route model was built"), std::string::npos) << err.str();
}

TEST(CompileReport, CodeWithARecordReadsLikeACompilerError) {
  compile_options o;
  o.line_file = "l.txt";
  o.service_file = "s.txt";
  o.out_dir = "o";
  compile_outcome r;
  r.esito = esito_compilazione::completato;
  r.model.celle.resize(10);
  r.model.codice_errore = 18;
  r.model.posizione_errore = 22700;
  guasto g;
  g.codice_guasto = codice::inizio_rallentamento_cella_occupata;
  g.file = file_sorgente::servizio;
  g.dove.riga = 29;
  g.cella = 455;
  g.tipo_occupante = tipo_cella::segnale;
  r.faults.push_back(g);
  const compile_report rep = make_compile_report(o, r);
  EXPECT_EQ(rep.exit_status, 1);
  EXPECT_EQ(rep.location, "s.txt:29");
  std::ostringstream out, err;
  write_compile_report_text(rep, out, err);
  // In the checker's words for the same fault; no series in use, so the
  // position in metres alone.
  EXPECT_EQ(err.str(),
            "s.txt:29: error: code 18 at 22700 m: this slowdown starts in cell 455 (22750 m), "
            "which already holds the signal. Move the slowdown's start to a free cell. The binary "
            "files were written all the same.\n");
  const std::string j = compile_report_json(rep);
  EXPECT_NE(j.find("{\"codice_errore\":18,\"posizione_errore\":22700,"), std::string::npos) << j;
  EXPECT_NE(j.find("\"file\":\"s.txt\",\"line\":29,"), std::string::npos) << j;
}

TEST(CompileReport, PassCodesBlameTheFileWithoutALine) {
  compile_options o;
  o.line_file = "l.txt";
  o.service_file = "s.txt";
  compile_outcome r;
  r.esito = esito_compilazione::completato;
  r.model.celle.resize(10);
  r.model.codice_errore = 12;
  r.model.posizione_errore = 22750;
  const compile_report rep = make_compile_report(o, r);
  EXPECT_EQ(rep.location, "s.txt");
  EXPECT_FALSE(rep.line);
  EXPECT_NE(compile_report_json(rep).find("\"line\":null"), std::string::npos);
}

TEST(CompileReport, FatalCodesStopWithStatus3) {
  compile_options o;
  o.line_file = "l.txt";
  o.service_file = "s.txt";
  compile_outcome r;
  r.esito = esito_compilazione::errore_1251;
  r.model.celle.resize(10);
  r.model.celle[1].tipo = tipo_cella::indicatore_v_max;
  r.model.celle[1].dato2 = 1400;
  // Without the fault's record, the catalogue's words.
  compile_report rep = make_compile_report(o, r);
  EXPECT_EQ(rep.exit_status, 3);
  EXPECT_EQ(rep.fatal, "1251");
  EXPECT_EQ(rep.message.rfind("Errore n. 1251: a reserved code slot was already set", 0), 0u)
      << rep.message;
  EXPECT_NE(compile_report_json(rep).find("\"fatal\":\"1251\""), std::string::npos);
  // With it, the checker's.
  guasto g;
  g.codice_guasto = codice::slot_codici_occupato;
  g.cella = 1;
  g.tipo_occupante = tipo_cella::indicatore_v_max;
  r.faults.push_back(g);
  rep = make_compile_report(o, r);
  EXPECT_EQ(rep.exit_status, 3);
  EXPECT_EQ(rep.message,
            "cell 1, where objects less than 25 m from the origin go, holds the speed board with "
            "a second value, but that value is reserved: no binary file is written (Errore n. "
            "1251). Move the object to 50 m or further.");
  EXPECT_EQ(rep.location, "route_tool");
}

}  // namespace
}  // namespace scenario
