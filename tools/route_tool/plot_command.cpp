#include "tools/route_tool/plot_command.h"

#include <ostream>

#include "base/file_system.h"
#include "tools/route_files/compiled_route.h"
#include "tools/route_tool/command_line.h"
#include "tools/route_tool/route_plot.h"

namespace scenario {

int run_plot(const plot_options& o, std::ostream& out) {
  disk_file_system disk;
  const program_folder folder = folder_of(o.dir);
  const compiled_route r = load_compiled_route(disk, folder, o.route, o.train);
  const std::string svg = draw_route_svg(r, o.route, o.train);
  std::error_code ec;
  if (std::filesystem::is_directory(o.output, ec)) {
    throw usage_error("output '" + o.output + "' is a folder, not a file");
  }
  try {
    disk.write_file(o.output, svg);
  } catch (const file_error& e) {
    throw usage_error("cannot write '" + o.output + "': " + e.reason());
  }
  out << "route_tool: wrote " << o.output << " (" << svg.size() << " bytes)\n";
  return 0;
}

}  // namespace scenario
