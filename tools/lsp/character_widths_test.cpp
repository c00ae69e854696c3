// Every feature's positions after characters of every width, in each
// position encoding: the editor counts a line in UTF-16 units, UTF-8 bytes
// or code points, the checker in Windows-1252 bytes. The units of each
// character are counted by hand in the table below; the expected positions
// are the ASCII text's columns plus those units.

#include <gtest/gtest.h>

#include <array>

#include "tools/lsp/server_fixture.h"

namespace scenario::lsp {
namespace {

using namespace lsp_testing;

struct width_case {
  const char* what;
  std::string utf8;    // as the editor holds it
  std::string cp1252;  // as the file holds it; empty: Windows-1252 has no such character
  std::array<std::int64_t, 3> units;  // UTF-16 units, UTF-8 bytes, code points
};

const width_case cases[] = {
    {"a", "a", "a", {1, 1, 1}},
    {"e grave (0xE8)", "\xC3\xA8", "\xE8", {1, 2, 1}},
    {"degree sign (0xB0)", "\xC2\xB0", "\xB0", {1, 2, 1}},
    {"S caron (0x8A)", "\xC5\xA0", "\x8A", {1, 2, 1}},
    {"control character 0x81, undefined in Windows-1252", "\xC2\x81", "\x81", {1, 2, 1}},
    {"euro sign (0x80)", "\xE2\x82\xAC", "\x80", {1, 3, 1}},
    {"quotes and dashes (0x91 to 0x94, 0x96, 0x97)",
     "\xE2\x80\x98\xE2\x80\x99\xE2\x80\x9C\xE2\x80\x9D\xE2\x80\x93\xE2\x80\x94",
     "\x91\x92\x93\x94\x96\x97",
     {6, 18, 6}},
    {"a with macron, not in Windows-1252", "\xC4\x81", "", {1, 2, 1}},
    {"a CJK ideograph, not in Windows-1252", "\xE4\xB8\xAD", "", {1, 3, 1}},
    {"a locomotive, past the BMP", "\xF0\x9F\x9A\x82", "", {2, 4, 1}},
    {"a, e grave, euro sign", "a\xC3\xA8\xE2\x82\xAC", "a\xE8\x80", {3, 6, 3}},
    {"one of each width", "a\xC3\xA8\xE2\x82\xAC\xF0\x9F\x9A\x82", "", {5, 10, 4}},
};

const char* const encodings[] = {"utf-16", "utf-8", "utf-32"};

json position_params(const std::string& uri, std::int64_t line, std::int64_t character) {
  return {{"textDocument", {{"uri", uri}}},
          {"position", {{"line", line}, {"character", character}}}};
}

// The pair with a row's characters X put in:
// - line 58 of the line file, "-X, pendenza,  525,   3": a comment, then a
//   gradient off the 50 m grid (its position at 14 + X's units);
// - in the service file, line 17, the header "[stazioniX]"; line 19, a
//   station named "MontefiasconeX" laid out as no writer would; line 29,
//   "-X, rallentamento, ...".
const std::size_t gradient_line = 57;
const std::size_t stations_header_line = 16;
const std::size_t station_line = 18;
const std::size_t slowdown_line = 28;
const std::string messy_station =
    "stazione, 12450,24,     300,  0, 0, 0,  0,0,0,  4,1,1,   30,  14, 0, 0, Montefiascone";
const std::string laid_station =
    "stazione,   12450, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,  14, 0, 0, Montefiascone";
const std::string slowdown = ", rallentamento,   22700,    30,  200, 1,  0,  0";

std::string line_text(const std::string& base, const std::string& x) {
  return with_line(base, gradient_line, "-" + x + ", pendenza,  525,   3");
}

std::string service_text(const std::string& base, const std::string& x) {
  const std::string header = with_line(base, stations_header_line, "[stazioni" + x + "]");
  return with_line(with_line(header, station_line, messy_station + x), slowdown_line,
                   "-" + x + slowdown);
}

enum class source { editor, disk };

// A server with the pair in it. From the editor, both files are open; from
// the disk, only the partner of the file under test (`shown`) is.
void put_pair(fixture& f, const width_case& c, source from, const std::string& shown) {
  if (from == source::editor) {
    f.open_text(line_uri, line_text(cp1252_to_utf8(f.disk.files.at(line_path)), c.utf8));
    f.open_text(service_uri, service_text(cp1252_to_utf8(f.disk.files.at(service_path)), c.utf8));
    return;
  }
  f.disk.files[line_path] = line_text(f.disk.files.at(line_path), c.cp1252);
  f.disk.files[service_path] = service_text(f.disk.files.at(service_path), c.cp1252);
  if (shown == line_uri) {
    f.open(service_uri, service_path);
  } else {
    f.open(line_uri, line_path);
  }
}

// Diagnostics, hover and code actions on the gradient's position.
void check_line_file(fixture& f, const width_case& c, std::size_t e) {
  const std::int64_t x = c.units[e];
  const std::int64_t start = 14 + x;  // "-X, pendenza,  "
  const std::int64_t end = start + 3;
  const json field = line_range(gradient_line, start, end);

  ASSERT_FALSE(f.published(line_uri).empty());
  const json diagnostics = f.published(line_uri).back();
  ASSERT_EQ(diagnostics.size(), 1u) << diagnostics.dump();
  EXPECT_EQ(diagnostics[0]["code"], "off-grid");
  EXPECT_EQ(diagnostics[0]["range"], field);

  // On the field from its first character to just after its last.
  for (const std::int64_t at : {start, start + 1, end}) {
    const json h = f.result("textDocument/hover", position_params(line_uri, gradient_line, at));
    ASSERT_TRUE(h.is_object()) << "hover at " << at;
    EXPECT_EQ(h["range"], field) << "hover at " << at;
    EXPECT_TRUE(h["contents"]["value"].get<std::string>().starts_with(
        "**`inizio`**, value 1 of 2 of **pendenza**"))
        << h.dump();
  }
  // The blanks either side of it: nothing.
  for (const std::int64_t at : {start - 1, end + 1}) {
    EXPECT_EQ(f.result("textDocument/hover", position_params(line_uri, gradient_line, at)),
              json(nullptr))
        << "hover at " << at;
  }
  // The keyword, just after the comment.
  const json keyword =
      f.result("textDocument/hover", position_params(line_uri, gradient_line, 3 + x));
  ASSERT_TRUE(keyword.is_object());
  EXPECT_EQ(keyword["range"], line_range(gradient_line, 3 + x, 11 + x));
  EXPECT_TRUE(keyword["contents"]["value"].get<std::string>().starts_with("**pendenza**"));

  // The fixes, asked for with the cursor at the field's start and at its end.
  for (const std::int64_t at : {start, end}) {
    const json actions = f.code_actions(line_uri, line_range(gradient_line, at, at));
    ASSERT_EQ(actions.size(), 2u) << "cursor at " << at << ": " << actions.dump();
    for (const json& a : actions) {
      EXPECT_EQ(a["edit"]["changes"][line_uri][0]["range"], field);
      EXPECT_EQ(a["diagnostics"][0]["range"], field);
    }
  }
  EXPECT_EQ(f.code_actions(line_uri, line_range(gradient_line, start - 1, start - 1)),
            json::array());
}

// Formatting and the outline of the service file.
void check_service_file(fixture& f, const width_case& c, std::size_t e) {
  const std::int64_t x = c.units[e];
  const auto messy_end = static_cast<std::int64_t>(messy_station.size()) + x;

  const json edits =
      f.result("textDocument/formatting", {{"textDocument", {{"uri", service_uri}}},
                                           {"options", {{"tabSize", 4}, {"insertSpaces", true}}}});
  ASSERT_TRUE(edits.is_array()) << edits.dump();
  const json* edit = nullptr;
  for (const json& ed : edits) {
    if (ed["range"]["start"]["line"] == station_line) edit = &ed;
  }
  ASSERT_NE(edit, nullptr) << edits.dump();
  EXPECT_EQ((*edit)["range"], line_range(station_line, 0, messy_end));
  EXPECT_EQ((*edit)["newText"], laid_station + c.utf8);

  const json symbols =
      f.result("textDocument/documentSymbol", {{"textDocument", {{"uri", service_uri}}}});
  ASSERT_TRUE(symbols.is_array()) << symbols.dump();
  const json* stations = nullptr;
  for (const json& section : symbols) {
    if (section["range"]["start"]["line"] == stations_header_line) stations = &section;
  }
  ASSERT_NE(stations, nullptr) << symbols.dump();
  EXPECT_EQ((*stations)["name"], "[stazioni" + c.utf8 + "]");
  EXPECT_EQ((*stations)["selectionRange"], line_range(stations_header_line, 0, 10 + x));
  // To the end of the last station, "..., ORTE" on line 26.
  EXPECT_EQ((*stations)["range"], to_json(text_range{{stations_header_line, 0}, {25, 76}}));
  const json* station = nullptr;
  const json* slowdown_symbol = nullptr;
  for (const json& section : symbols) {
    for (const json& s : section["children"]) {
      if (s["selectionRange"]["start"]["line"] == station_line) station = &s;
      if (s["selectionRange"]["start"]["line"] == slowdown_line) slowdown_symbol = &s;
    }
  }
  ASSERT_NE(station, nullptr) << symbols.dump();
  EXPECT_EQ((*station)["name"], "Montefiascone" + c.utf8);
  EXPECT_EQ((*station)["range"], line_range(station_line, 0, messy_end));
  EXPECT_EQ((*station)["selectionRange"], line_range(station_line, 0, 8));
  ASSERT_NE(slowdown_symbol, nullptr) << symbols.dump();
  EXPECT_EQ((*slowdown_symbol)["name"], "rallentamento 22700 m (km 16+350)");
  const auto slowdown_end = static_cast<std::int64_t>(1 + slowdown.size()) + x;
  EXPECT_EQ((*slowdown_symbol)["range"], line_range(slowdown_line, 3 + x, slowdown_end));
  EXPECT_EQ((*slowdown_symbol)["selectionRange"], line_range(slowdown_line, 3 + x, 16 + x));
}

TEST(CharacterWidths, EveryFeaturesPositionsInEveryEncoding) {
  for (const width_case& c : cases) {
    for (std::size_t e = 0; e < std::size(encodings); ++e) {
      for (const source from : {source::editor, source::disk}) {
        if (from == source::disk && c.cp1252.empty()) continue;
        SCOPED_TRACE(std::string(c.what) + " in " + encodings[e] +
                     (from == source::disk ? ", from the disk" : ", from the editor"));
        if (from == source::editor) {
          fixture f;
          f.initialize(encodings[e]);
          put_pair(f, c, from, line_uri);
          check_line_file(f, c, e);
          check_service_file(f, c, e);
          continue;
        }
        for (const std::string& shown : {line_uri, service_uri}) {
          fixture f;
          f.initialize(encodings[e]);
          put_pair(f, c, from, shown);
          if (shown == line_uri) {
            check_line_file(f, c, e);
          } else {
            check_service_file(f, c, e);
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace scenario::lsp
