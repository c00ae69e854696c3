#include "tools/route_tool/view_command.h"

#include <filesystem>
#include <ostream>

#include "base/file_system.h"
#include "tools/route_tool/check_command.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/compiled_folder.h"
#include "tools/route_tool/input_files.h"
#include "tools/route_tool/km_range.h"
#include "tools/route_view/view_page.h"

namespace scenario {

route_drawing drawing_for(const view_options& o) {
  disk_file_system disk;
  if (o.line_file && o.service_file) {
    const std::string line = read_input(disk, "line description file", *o.line_file);
    const std::string service = read_input(disk, "service file", *o.service_file);
    const scenario_names names =
        names_of_texts("view", o.route, o.train, *o.line_file, *o.service_file);
    ingresso_controllo in = check_input(line, service, *o.line_file, *o.service_file, names);
    in.posa_geometria = true;
    return drawing_of(controlla(in), in);
  }
  const compiled_set set = find_compiled_set(o.dir.value_or("."), o.route, o.train);
  const compiled_route r = load_compiled_route(disk, set.folder, set.route, set.train);
  return drawing_of(r, set.route, set.train);
}

void write_output(const std::string& output, const std::string& text) {
  std::error_code ec;
  if (std::filesystem::is_directory(output, ec)) {
    throw usage_error("output '" + output + "' is a folder, not a file");
  }
  disk_file_system disk;
  try {
    disk.write_file(output, text);
  } catch (const file_error& e) {
    throw usage_error("cannot write '" + output + "': " + e.reason());
  }
}

int run_view(const view_options& o, std::ostream& out) {
  const route_drawing d = drawing_for(o);
  const std::string page = view_page_html(d, range_of(o.from, o.to, d));
  write_output(o.output, page);
  out << "route_tool: wrote " << o.output << " (" << page.size() << " bytes)\n";
  return 0;
}

}  // namespace scenario
