#include "tools/route_view/route_plot.h"

#include <algorithm>

#include "base/text_format.h"
#include "compiler/route_model/misure.h"
#include "tools/route_view/plan_drawing.h"
#include "tools/route_view/plot_layout.h"
#include "tools/route_view/profile_drawing.h"
#include "tools/route_view/svg_document.h"

namespace scenario {

using namespace plot_layout;

std::string draw_route_svg(const route_drawing& d, const view_range& range) {
  svg body;
  body.rect(0, 0, page_w, page_h, "fill=\"#ffffff\"");
  const std::string title = (d.route.empty() ? std::string("(no route name)") : d.route) +
                            "  \u2014  train " +
                            (d.train.empty() ? std::string("(none)") : d.train);
  body.text(margin, 46, title, "font-size=\"26\" font-weight=\"bold\" fill=\"#222222\"");
  std::string summary = "line " + std::to_string(d.line_length_m) + " m  \u00b7  " +
                        plural(d.stations.size(), "station", "stations") + "  \u00b7  " +
                        plural(d.signals.size(), "signal", "signals") + "  \u00b7  " +
                        plural(d.speed_boards.size(), "speed board", "speed boards") +
                        "  \u00b7  " + plural(d.slowdowns.size(), "slowdown", "slowdowns") +
                        "  \u00b7  " + plural(d.tunnels.size(), "tunnel", "tunnels");
  const bool whole = range.from_m <= 0 && range.to_m >= d.line_length_m;
  if (!whole) {
    summary += "  \u00b7  shown " + std::to_string(static_cast<std::int64_t>(range.from_m)) +
               " m to " + std::to_string(static_cast<std::int64_t>(range.to_m)) +
               " m from the origin";
  }
  body.text(margin, 72, summary, "font-size=\"14\" fill=\"#555555\"");
  draw_plan_legend(body);
  draw_plan(body, d, range);
  draw_profile(body, d, range);

  std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + f1(page_w) +
         "\" height=\"" + f1(page_h) + "\" viewBox=\"0 0 " + f1(page_w) + " " + f1(page_h) +
         "\" font-family=\"DejaVu Sans, Verdana, Arial, Helvetica, sans-serif\">\n";
  // A run that could not be timed says why in the title too.
  const std::string why = d.run && d.run->reason ? "  \u2014  " + *d.run->reason : std::string();
  doc += "<title>" + xml_text(title + why) + "</title>\n";
  doc += body.body();
  doc += "</svg>\n";
  return doc;
}

std::string draw_route_svg(const compiled_route& r, const std::string& route,
                           const std::string& train) {
  const route_drawing d = drawing_of(r, route, train);
  return draw_route_svg(d, {0, std::max(static_cast<double>(d.line_length_m), 50.0)});
}

}  // namespace scenario
