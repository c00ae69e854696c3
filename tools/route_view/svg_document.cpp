#include "tools/route_view/svg_document.h"

#include <algorithm>
#include <cstdio>

#include "base/text_format.h"
#include "base/utf8.h"

namespace scenario {

std::string xml_text(const std::string& text) {
  std::string out;
  for (const char ch : utf8_sanitised(text)) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += (c < 0x20 && c != '\t' && c != '\n' && c != '\r') ? '?' : ch;
    }
  }
  return out;
}

std::string f1(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.1f", v);
  return b;
}

// About 0.66 em a character, so that labels never turn out wider than planned.
double text_width(const std::string& utf8, double size) {
  std::size_t chars = 0;
  for (const char ch : utf8) chars += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
  return static_cast<double>(chars) * size * 0.66;
}

void svg::text(double x, double y, const std::string& t, const std::string& attrs) {
  add("<text x=\"" + f1(x) + "\" y=\"" + f1(y) + "\" " + attrs + ">" + xml_text(t) + "</text>");
}

void svg::line(double x0, double y0, double x1, double y1, const std::string& attrs) {
  add("<line x1=\"" + f1(x0) + "\" y1=\"" + f1(y0) + "\" x2=\"" + f1(x1) + "\" y2=\"" + f1(y1) +
      "\" " + attrs + "/>");
}

void svg::rect(double x, double y, double w, double h, const std::string& attrs) {
  add("<rect x=\"" + f1(x) + "\" y=\"" + f1(y) + "\" width=\"" + f1(std::max(0.0, w)) +
      "\" height=\"" + f1(std::max(0.0, h)) + "\" " + attrs + "/>");
}

void svg::polyline(const std::vector<point>& pts, const std::string& attrs) {
  if (pts.size() < 2) return;
  std::string s = "<polyline fill=\"none\" points=\"";
  for (const point& p : pts) s += f1(p.x) + "," + f1(p.y) + " ";
  s.pop_back();
  add(s + "\" " + attrs + "/>");
}

}  // namespace scenario
