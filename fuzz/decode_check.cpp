#include "fuzz/decode_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <sstream>

#include "base/coding.h"
#include "compiler/format/errore_decodifica.h"
#include "compiler/route_model/nomi_file.h"
#include "tools/route_files/compiled_route.h"
#include "tools/route_tool/dump_command.h"
#include "tools/route_tool/hex_dump.h"
#include "tools/route_view/drawing_model.h"
#include "tools/route_view/route_plot.h"
#include "tools/route_view/view_page.h"

namespace scenario {

namespace {

constexpr std::string_view route_name = "Fuzz";
constexpr std::string_view train_number = "1";

// Takes a 4-byte length and that many bytes (or what is left) off `rest`.
std::string_view take_part(std::string_view& rest) {
  unsigned char length[4] = {0, 0, 0, 0};
  std::copy_n(rest.begin(), std::min<std::size_t>(4, rest.size()), length);
  rest.remove_prefix(std::min<std::size_t>(4, rest.size()));
  const std::string_view part =
      rest.substr(0, std::min<std::size_t>(decode_fixed32(length), rest.size()));
  rest.remove_prefix(part.size());
  return part;
}

}  // namespace

std::string pack_decode_input(std::string_view sim, std::string_view cells,
                              std::string_view line_data) {
  std::string out;
  put_fixed32(out, static_cast<std::uint32_t>(sim.size()));
  out += sim;
  put_fixed32(out, static_cast<std::uint32_t>(cells.size()));
  out += cells;
  out += line_data;
  return out;
}

decode_check_result check_decode_input(std::string_view input) {
  std::string_view rest = input;
  const std::string_view sim = take_part(rest);
  const std::string_view cells = take_part(rest);
  const std::string_view line_data = rest;

  const std::string sim_name = nome_file_sim(route_name, train_number);
  const std::string cells_name = nome_file_celle_dat(route_name, train_number);
  const std::string line_name = nome_file_linea_dat(route_name);

  decode_check_result r;
  try {
    std::ostringstream hex;
    hex_dump_sink sink(hex);
    const compiled_route route =
        decode_compiled_route({sim, cells, line_data, sim_name, cells_name, line_name}, &sink);
    r.decoded = true;
    std::ostringstream text, json;
    write_dump_text(route, text);
    write_dump_json(route, json);
    const std::string svg =
        draw_route_svg(route, std::string(route_name), std::string(train_number));
    if (svg.find("<svg") == std::string::npos) r.problem = "the drawing holds no <svg> element";
    // The viewer's page of the same route.
    const route_drawing d = drawing_of(route, std::string(route_name), std::string(train_number));
    const std::string page = view_page_html(d, {0, 0});
    if (page.find("</html>") == std::string::npos) r.problem = "the view page is not whole";
    if (json.str().empty() || json.str().front() != '{')
      r.problem = "the JSON dump is not an object";
  } catch (const errore_decodifica& e) {
    std::size_t size = 0;
    if (e.file() == sim_name) {
      size = sim.size();
    } else if (e.file() == cells_name) {
      size = cells.size();
    } else if (e.file() == line_name) {
      size = line_data.size();
    } else {
      r.problem = "decode error names an unknown file: " + e.file();
      return r;
    }
    if (e.motivo().empty()) r.problem = "decode error without a reason";
    if (!e.offset()) r.problem = "decode error without an offset for a file that exists";
    if (e.offset() && *e.offset() > size)
      r.problem = "decode error at offset " + std::to_string(*e.offset()) + " past the end (" +
                  std::to_string(size) + " bytes) of " + e.file();
  } catch (const std::exception& e) {
    r.problem = std::string("unexpected exception: ") + e.what();
  }
  return r;
}

}  // namespace scenario
