// A small SVG writer for the route plot: numbers to one decimal, text
// escaped for XML, and an estimate of text widths for laying labels out.
#pragma once

#include <string>
#include <vector>

namespace scenario {

struct point {
  double x = 0, y = 0;
};

// Text for SVG/XML content and attributes: escapes & < > " and replaces the
// control characters XML forbids and bytes that are not UTF-8.
std::string xml_text(const std::string& text);

// A coordinate or length to one decimal, as SVG attributes take it.
std::string f1(double v);

// Width estimate in pixels of `utf8` at font size `size`, generous enough
// for a wide sans-serif face in bold.
double text_width(const std::string& utf8, double size);

// The body of an SVG document, one element a line.
class svg {
 public:
  void add(const std::string& s) { body_ += s + "\n"; }
  void text(double x, double y, const std::string& t, const std::string& attrs);
  void line(double x0, double y0, double x1, double y1, const std::string& attrs);
  void rect(double x, double y, double w, double h, const std::string& attrs);
  void polyline(const std::vector<point>& pts, const std::string& attrs);
  const std::string& body() const { return body_; }

 private:
  std::string body_;
};

}  // namespace scenario
