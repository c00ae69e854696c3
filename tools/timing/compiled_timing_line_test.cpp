// The two adapters give the calculation one line: from the route model
// and its sources, and from the compiled files read back.
#include "tools/timing/compiled_timing_line.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"
#include "compiler/compila.h"
#include "compiler/marcia/linea_da_modello.h"
#include "compiler/marcia/marcia.h"
#include "compiler/route_model/nomi_file.h"
#include "sources/testi_fissi.h"
#include "tools/testing/route_tool_run.h"

namespace scenario {
namespace {

using testing::route;
using testing::train;

struct both_lines {
  linea_marcia from_model;
  linea_marcia from_files;
};

both_lines lines_of(const std::string& line_text, const std::string& service_text) {
  opzioni_compilazione o;
  o.nome_linea = route;
  o.numero_treno = train;
  o.sorgenti = true;
  risultato_compilazione r = compila({line_text, service_text}, o);
  EXPECT_EQ(r.esito, esito_compilazione::completato);
  memory_file_system mem;
  const program_folder f{"/c", '/'};
  mem.write_file(file_path(f, nome_file_sim(route, train)), r.sim);
  mem.write_file(file_path(f, nome_file_celle_dat(route, train)), r.celle_dat);
  mem.write_file(file_path(f, nome_file_linea_dat(route)), r.linea_dat());
  both_lines b{linea_da_modello(r.modello, r.sorgenti),
               timing_line_of(load_compiled_route(mem, f, route, train))};
  // Only the model's sources know the records.
  for (stazione_marcia& s : b.from_model.stazioni) s.record = -1;
  return b;
}

TEST(CompiledTimingLine, GivesTheModelsLineForTheFixedScenario) {
  const fixed_scenario_texts t = fixed_texts();
  const both_lines b = lines_of(t.line, t.service);
  EXPECT_EQ(b.from_files, b.from_model);
  // What the fixed scenario's texts say, read back: 44 curves (the 45
  // records, with "curvas5, 29500, 300" and "curvad5, 29800, 300" as one
  // stretch of 500 m radius; 11200 + 800 and 12000 differ in class), the
  // slowdown at 22700 m for 200 m at 30 km/h, nine stations, ORTE at
  // 14:38:00, four cars, braked mass 100 per cent.
  const linea_marcia& l = b.from_files;
  ASSERT_EQ(l.curve.size(), 44u);
  EXPECT_EQ(l.curve.front(), (curva_marcia{500, 800, 1000}));
  EXPECT_EQ(l.curve[6], (curva_marcia{9600, 9900, 2500}));
  EXPECT_EQ(l.curve[27], (curva_marcia{29500, 30100, 500}));
  ASSERT_EQ(l.rallentamenti.size(), 1u);
  EXPECT_EQ(l.rallentamenti[0], (rallentamento_marcia{22700, 22900, 30}));
  ASSERT_EQ(l.stazioni.size(), 9u);
  EXPECT_EQ(l.stazioni.back().nome, "ORTE");
  EXPECT_EQ(l.stazioni.back().orario, 14 * 3600 + 38 * 60);
  EXPECT_FALSE(l.stazioni[6].orario.has_value());  // Bassano in Teverina
  EXPECT_EQ(l.numero_vetture, 4);
  EXPECT_EQ(l.percentuale_massa_frenata, 100);
  EXPECT_EQ(l.velocita.front(), (gradino{0, 70}));
  EXPECT_EQ(l.pendenze[1], (gradino{500, 3}));
}

TEST(CompiledTimingLine, CurvesMeetWhereTwoRecordsTouchWithOneRadius) {
  fixed_scenario_texts t = fixed_texts();
  // Curve 1 ("curvad4, 500, 300") followed at once by a left curve of the
  // same class: one stretch of 1000 m radius, from both adapters.
  const std::string first = "curvad4,  500,  300\r\n";
  const std::size_t at = t.line.find(first);
  ASSERT_NE(at, std::string::npos);
  t.line.insert(at + first.size(), "curvas4,  800,  200\r\n");
  const both_lines b = lines_of(t.line, t.service);
  EXPECT_EQ(b.from_files, b.from_model);
  EXPECT_EQ(b.from_files.curve.front(), (curva_marcia{500, 1000, 1000}));
}

TEST(CompiledTimingLine, ACurveThatLaysTheLastPointIsKept) {
  fixed_scenario_texts t = fixed_texts();
  // The geometry runs 7000 m past the 60000 m line: a curve from 66000 m to
  // its end lays the last point, which the geometry read back cannot tell
  // from a curve run past it.
  const std::string last = "curvad3,  52000,  400\r\n";
  const std::size_t at = t.line.find(last);
  ASSERT_NE(at, std::string::npos);
  t.line.insert(at + last.size(), "curvas4,  66000,  1000\r\n");
  const both_lines b = lines_of(t.line, t.service);
  EXPECT_EQ(b.from_files, b.from_model);
  EXPECT_EQ(b.from_files.curve.back(), (curva_marcia{66000, 67000, 1000}));
}

TEST(CompiledTimingLine, BothLinesGiveTheSameRun) {
  const fixed_scenario_texts t = fixed_texts();
  const both_lines b = lines_of(t.line, t.service);
  const esito_marcia a = calcola_marcia(b.from_model, modello_treno{});
  const esito_marcia c = calcola_marcia(b.from_files, modello_treno{});
  ASSERT_EQ(a.sezioni.size(), c.sezioni.size());
  for (std::size_t k = 0; k < a.sezioni.size(); ++k) {
    EXPECT_EQ(a.sezioni[k].tempo_minimo, c.sezioni[k].tempo_minimo);
  }
}

}  // namespace
}  // namespace scenario
