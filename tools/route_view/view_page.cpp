#include "tools/route_view/view_page.h"

#include "tools/route_view/drawing_json.h"
#include "tools/route_view/svg_document.h"
#include "tools/route_view/view_assets.h"

namespace scenario {

namespace {

// Replaces the first `mark` at or after `from` in `page`; returns where the
// text put in ends, so that it is never searched for a later mark.
std::size_t fill(std::string& page, std::size_t from, std::string_view mark,
                 std::string_view with) {
  const auto at = page.find(mark, from);
  if (at == std::string::npos) return from;
  page.replace(at, mark.size(), with);
  return at + with.size();
}

}  // namespace

std::string script_safe_json(const nlohmann::json& j) {
  const std::string text = j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '<') {
      out += "\\u003c";
    } else {
      out += c;
    }
  }
  return out;
}

std::string view_page_html(const route_drawing& d, const view_range& v) {
  std::string page(embedded::view_html);
  const std::string title = (d.route.empty() ? std::string("(no route name)") : d.route) +
                            " \u2014 train " + (d.train.empty() ? std::string("(none)") : d.train);
  // The marks stand in this order in the page.
  std::size_t at = fill(page, 0, "@TITLE@", xml_text(title));
  at = fill(page, at, "/*@STYLE@*/", embedded::view_css);
  at = fill(page, at, "@DATA@", script_safe_json(drawing_json(d, v)));
  fill(page, at, "/*@SCRIPT@*/", embedded::view_js);
  return page;
}

}  // namespace scenario
