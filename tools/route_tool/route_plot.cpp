#include "tools/route_tool/route_plot.h"

#include "tools/route_tool/plan_drawing.h"
#include "tools/route_tool/plot_layout.h"
#include "tools/route_tool/plot_objects.h"
#include "tools/route_tool/profile_drawing.h"
#include "tools/route_tool/svg_document.h"
#include "tools/route_tool/text_format.h"

namespace scenario {

using namespace plot_layout;

std::string draw_route_svg(const compiled_route& r, const std::string& route,
                           const std::string& train) {
  const plot_objects objects = objects_of(r);
  const auto& stations = objects.stations;
  const auto& signals = objects.signals;
  const auto& slowdowns = objects.slowdowns;
  const auto& tunnels = objects.tunnels;

  svg body;
  body.rect(0, 0, page_w, page_h, "fill=\"#ffffff\"");
  const std::string title = (route.empty() ? std::string("(no route name)") : route) +
                            "  \u2014  train " + (train.empty() ? std::string("(none)") : train);
  body.text(margin, 46, title, "font-size=\"26\" font-weight=\"bold\" fill=\"#222222\"");
  body.text(margin, 72,
            "line " + metri_e_km(r.lunghezza_percorso()) + "  \u00b7  " +
                plural(stations.size(), "station", "stations") + "  \u00b7  " +
                plural(signals.size(), "signal", "signals") + "  \u00b7  " +
                plural(slowdowns.size(), "slowdown", "slowdowns") + "  \u00b7  " +
                plural(tunnels.size(), "tunnel", "tunnels"),
            "font-size=\"14\" fill=\"#555555\"");
  draw_plan_legend(body);
  draw_plan(body, r, objects);
  draw_profile(body, r, objects);

  std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  doc += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + f1(page_w) +
         "\" height=\"" + f1(page_h) + "\" viewBox=\"0 0 " + f1(page_w) + " " + f1(page_h) +
         "\" font-family=\"DejaVu Sans, Verdana, Arial, Helvetica, sans-serif\">\n";
  doc += "<title>" + xml_text(title) + "</title>\n";
  doc += body.body();
  doc += "</svg>\n";
  return doc;
}

}  // namespace scenario
