#include "tools/route_tool/plot_command.h"

#include <ostream>

#include "base/file_system.h"
#include "tools/route_files/compiled_route.h"
#include "tools/route_tool/compiled_folder.h"
#include "tools/route_tool/km_range.h"
#include "tools/route_tool/view_command.h"
#include "tools/route_view/route_plot.h"

namespace scenario {

int run_plot(const plot_options& o, std::ostream& out) {
  disk_file_system disk;
  const compiled_set set = find_compiled_set(o.dir, o.route, o.train);
  const compiled_route r = load_compiled_route(disk, set.folder, set.route, set.train);
  route_drawing d = drawing_of(r, set.route, set.train);
  add_compiled_run(d, r, set, o.train_model);
  const std::string svg = draw_route_svg(d, range_of(o.from, o.to, d));
  write_output(o.output, svg);
  out << "route_tool: wrote " << o.output << " (" << svg.size() << " bytes)\n";
  return 0;
}

}  // namespace scenario
