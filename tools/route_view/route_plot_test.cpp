#include "tools/route_view/route_plot.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/memory_file_system.h"
#include "tools/route_view/svg_document.h"
#include "tools/testing/compiled_route_builder.h"

namespace scenario {
namespace {

// A small well-formedness check: tags nest and close, attributes are quoted,
// no stray '<' or '&' in text.
bool well_formed(const std::string& xml, std::string& why) {
  std::vector<std::string> open;
  std::size_t i = 0;
  bool root_seen = false;
  while (i < xml.size()) {
    if (xml[i] == '&') {
      const auto semi = xml.find(';', i);
      const std::string entity = xml.substr(i, semi == std::string::npos ? 0 : semi - i + 1);
      if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;") {
        why = "bad entity at " + std::to_string(i);
        return false;
      }
      i = semi + 1;
      continue;
    }
    if (xml[i] != '<') {
      if (open.empty() && !std::isspace(static_cast<unsigned char>(xml[i]))) {
        why = "text outside the root at " + std::to_string(i);
        return false;
      }
      ++i;
      continue;
    }
    const auto end = xml.find('>', i);
    if (end == std::string::npos) {
      why = "unclosed tag";
      return false;
    }
    std::string tag = xml.substr(i + 1, end - i - 1);
    i = end + 1;
    if (tag.front() == '?') continue;
    if (tag.front() == '/') {
      if (open.empty() || open.back() != tag.substr(1)) {
        why = "mismatched </" + tag.substr(1) + ">";
        return false;
      }
      open.pop_back();
      continue;
    }
    const bool self_closing = tag.back() == '/';
    if (self_closing) tag.pop_back();
    const std::string name = tag.substr(0, tag.find_first_of(" \n"));
    std::size_t quotes = 0;
    for (const char c : tag) quotes += c == '"' ? 1 : 0;
    if (quotes % 2 != 0 || tag.find('<') != std::string::npos) {
      why = "bad attributes in <" + name + ">";
      return false;
    }
    if (open.empty()) {
      if (root_seen) {
        why = "second root";
        return false;
      }
      root_seen = true;
    }
    if (!self_closing) open.push_back(name);
  }
  if (!open.empty()) why = "unclosed <" + open.back() + ">";
  return open.empty() && root_seen;
}

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
  return n;
}

TEST(RoutePlot, WellFormedWithOneMarkerPerStationAndSignal) {
  memory_file_system fs;
  const program_folder folder{"/r", '/'};
  testing::write_route_files(fs, folder, testing::sample_model());
  const compiled_route r = load_compiled_route(fs, folder, "Prova", "12");
  const std::string svg = draw_route_svg(r, "Prova <&>", "12");
  std::string why;
  EXPECT_TRUE(well_formed(svg, why)) << why;
  EXPECT_EQ(count(svg, "class=\"station-marker\""), 3u);
  EXPECT_EQ(count(svg, "class=\"signal-marker\""), 4u);
  EXPECT_EQ(count(svg, "class=\"station-label\""), 3u);
  EXPECT_EQ(count(svg, "class=\"signal-label\""), 4u);
  EXPECT_NE(svg.find("Prova &lt;&amp;&gt;"), std::string::npos);
  EXPECT_NE(svg.find("Bet\xc3\xa0"), std::string::npos);
  EXPECT_EQ(svg.find("http://", svg.find("xmlns") + 40), std::string::npos);  // self-contained
}

TEST(RoutePlot, XmlTextEscapesAndDropsControls) {
  EXPECT_EQ(xml_text("a<b>&\"c\x01"), "a&lt;b&gt;&amp;&quot;c?");
  std::string why;
  EXPECT_FALSE(well_formed("<a><b></a>", why));
  EXPECT_FALSE(well_formed("<a>x & y</a>", why));
  EXPECT_TRUE(well_formed("<?xml version=\"1.0\"?>\n<a><b x=\"1\"/>t</a>\n", why));
}

}  // namespace
}  // namespace scenario
