// dump, check, the plot's drawing and the viewer's page name the same metre
// for the same cell and the same kilometric progressive for the same
// position: the fixed scenario with a slowdown whose start cell (455) a
// signal at 22700 m took.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "compiler/check/controlla.h"
#include "sources/testi_fissi.h"
#include "tools/route_files/compiled_route.h"
#include "tools/route_tool/dump_command.h"
#include "tools/route_view/drawing_json.h"
#include "tools/route_view/drawing_model.h"
#include "tools/route_view/route_plot.h"
#include "tools/testing/route_tool_run.h"
#include "tools/testing/text_search.h"

namespace scenario {
namespace {

using testing::route;
using testing::train;

// The text with its line `n` (from 1) replaced; lines end with CR LF.
using testing::replace_line;

// The first number the pattern's group catches in `text`.
std::int64_t caught(const std::string& text, const std::string& pattern) {
  std::smatch m;
  EXPECT_TRUE(std::regex_search(text, m, std::regex(pattern))) << pattern << "\n" << text;
  return m.size() > 1 ? std::stoll(m[1].str()) : -1;
}

TEST(MetreAndProgressive, TheSameForTheSameCellInEveryTool) {
  fixed_scenario_texts t = fixed_texts();
  t.service = replace_line(t.service, 28, "segnale,   22700,   2, 4, 1,  0, 0,    0,  0,0,0, 0");
  constexpr std::int64_t cell = 455;        // the signal's cell, which the slowdown wants
  constexpr std::int64_t position = 22700;  // where both were written
  // The metre of cell 455 and the progressive at 22700 m, worked out from
  // the scenario's text: cells are 50 m from the origin, and the series
  // "due" counts down from km 39+050 at 0 m.
  constexpr std::int64_t metre = 22750;
  constexpr std::int64_t progressive = 39050 - position;

  ingresso_controllo in;
  in.linea = t.line;
  in.servizio = t.service;
  in.nome_linea = route;
  in.numero_treno = train;
  in.posa_geometria = true;
  const esito_controllo e = controlla(in);

  // check: "this slowdown starts in cell 455 (22750 m)".
  std::string message;
  for (const diagnostica& d : e.diagnostiche) {
    if (d.messaggio.find("cell 455 (") != std::string::npos) message = d.messaggio;
  }
  EXPECT_EQ(caught(message, "cell 455 \\((\\d+) m\\)"), metre);

  // dump of the compiled files: the cell's row and the series in use.
  opzioni_compilazione o;
  o.nome_linea = route;
  o.numero_treno = train;
  risultato_compilazione c = compila({t.line, t.service}, o);
  const std::string line_data(c.linea_dat());
  const compiled_route r = decode_compiled_route(
      {c.sim, c.celle_dat, line_data, "route.sim", "route.dat", "route_linea.dat"});
  std::ostringstream dump;
  write_dump_text(r, dump);
  EXPECT_EQ(caught(dump.str(), "\\n +455 +(\\d+)  signal"), metre);
  EXPECT_EQ(
      caught(dump.str(), "middle start: +from 0 m, progressive at 0 m = km (\\d+)\\+") * 1000 +
          caught(dump.str(), "middle start: +from 0 m, progressive at 0 m = km \\d+\\+(\\d+)") -
          position,
      progressive);

  // The plot's drawing of the same files: the signal in cell 455, written
  // at 22700 m, its label the progressive there.
  const route_drawing plot = drawing_of(r, route, train);
  bool found = false;
  for (const drawn_signal& s : plot.signals) {
    if (static_cast<std::int64_t>(s.cell) != cell) continue;
    found = true;
    EXPECT_EQ(s.at_m, position);
    EXPECT_EQ(chainage_at(plot, s.at_m), progressive);
  }
  EXPECT_TRUE(found);
  const std::string svg = draw_route_svg(r, route, train);
  EXPECT_NE(svg.find("signal at 22700 m (km 16+350)"), std::string::npos);

  // The viewer's page data, from the texts: the cell's metre is its index
  // times the metres of a cell, the progressive the series' origin less the
  // position, and the diagnostic names the cell.
  const nlohmann::json page = drawing_json(drawing_of(e, in), {0, 60000});
  EXPECT_EQ(page["metres_per_cell"].get<std::int64_t>() * cell, metre);
  std::int64_t page_progressive = -1;
  for (const auto& s : page["chainage"]) {
    if (s[0].get<std::int64_t>() <= position)
      page_progressive = s[1].get<std::int64_t>() - position;
  }
  EXPECT_EQ(page_progressive, progressive);
  bool diagnostic = false;
  for (const auto& d : page["diagnostics"]) {
    if (d["message"].get<std::string>() != message) continue;
    diagnostic = true;
    EXPECT_EQ(d["at_m"], position);
    EXPECT_EQ(d["cell"], cell);
  }
  EXPECT_TRUE(diagnostic);
  for (const auto& s : page["signals"]) {
    if (s[1] == cell) {
      EXPECT_EQ(s[0], position);
    }
  }
}

}  // namespace
}  // namespace scenario
