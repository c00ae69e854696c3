#include "tools/lsp/code_actions.h"

#include <gtest/gtest.h>

#include <span>

#include "tools/lsp/server_fixture.h"

namespace scenario::lsp {
namespace {

using namespace lsp_testing;

// How a request's range stands to a diagnostic's, and whether the fix is
// offered. Ranges are half-open, but a range that touches the diagnostic
// counts as meeting it: an editor asks with an empty range at the cursor,
// and a cursor just after a field's last character is at its end.
struct relation {
  const char* what;
  text_range asked;
  bool offered;
};

// The diagnostics published for a document opened in an editor that counts
// in UTF-16.
json opened(fixture& f, const std::string& uri, const std::string& text) {
  f.initialize("utf-16");
  f.open_text(uri, text);
  return f.published(uri).back();
}

// The code actions asked for each range: all the fixes where it meets the
// diagnostic, nothing where it does not.
void expect_fixes(fixture& f, const std::string& uri, std::span<const relation> relations,
                  const json& fixes) {
  for (const relation& r : relations) {
    EXPECT_EQ(f.code_actions(uri, to_json(r.asked)), r.offered ? fixes : json::array()) << r.what;
  }
}

// Every relation of a request's range to the field of an off-grid warning:
// line 58, "pendenza,  525,   3", the position at characters 11 to 14.
TEST(CodeActions, EveryRangeThatMeetsTheFieldGetsTheFixAndNoOtherDoes) {
  const relation relations[] = {
      {"empty at its start", {{57, 11}, {57, 11}}, true},
      {"empty inside", {{57, 12}, {57, 12}}, true},
      {"empty at its end", {{57, 14}, {57, 14}}, true},
      {"the same range", {{57, 11}, {57, 14}}, true},
      {"inside it", {{57, 12}, {57, 13}}, true},
      {"overlapping its start", {{57, 9}, {57, 12}}, true},
      {"overlapping its end", {{57, 13}, {57, 17}}, true},
      {"containing it", {{57, 0}, {57, 19}}, true},
      {"containing its whole line", {{56, 3}, {59, 0}}, true},
      {"touching its start", {{57, 8}, {57, 11}}, true},
      {"touching its end", {{57, 14}, {57, 16}}, true},
      {"from a line before to its start", {{50, 0}, {57, 11}}, true},
      {"from its end to a line after", {{57, 14}, {60, 0}}, true},
      {"empty one before its start", {{57, 10}, {57, 10}}, false},
      {"empty one after its end", {{57, 15}, {57, 15}}, false},
      {"disjoint before", {{57, 0}, {57, 10}}, false},
      {"disjoint after", {{57, 15}, {57, 19}}, false},
      {"from a line before to one before its start", {{50, 0}, {57, 10}}, false},
      {"from one after its end to a line after", {{57, 15}, {60, 0}}, false},
      {"the same characters of the line before", {{56, 11}, {56, 14}}, false},
      {"the same characters of the line after", {{58, 11}, {58, 14}}, false},
      {"empty at the line's start", {{57, 0}, {57, 0}}, false},
      {"empty past the line's end", {{57, 40}, {57, 40}}, false},
  };
  fixture f;
  const json published =
      opened(f, line_uri,
             with_line(cp1252_to_utf8(f.disk.files.at(line_path)), 57, "pendenza,  525,   3"));
  ASSERT_EQ(published.size(), 1u) << published.dump();
  ASSERT_EQ(published[0]["range"], line_range(57, 11, 14));
  json fixes = json::array();
  for (const char* value : {"500", "550"}) {  // two neighbours, neither preferred
    fixes.push_back(
        {{"title", std::string("Write ") + value},
         {"kind", "quickfix"},
         {"diagnostics", published},
         {"isPreferred", false},
         {"edit",
          {{"changes", {{line_uri, {{{"range", line_range(57, 11, 14)}, {"newText", value}}}}}}}}});
  }
  expect_fixes(f, line_uri, relations, fixes);
}

// A diagnostic of a whole line ("[codici]", the last, with no "[fine]"
// after it): its fix inserts the line end and "[fine]" after it.
TEST(CodeActions, AWholeLinesDiagnosticIsMetFromEitherEndOfItsLine) {
  const relation relations[] = {
      {"empty at the line's start", {{46, 0}, {46, 0}}, true},
      {"empty at the line's end", {{46, 8}, {46, 8}}, true},
      {"the line end to the next line", {{46, 8}, {47, 0}}, true},
      {"from the line before to its start", {{45, 3}, {46, 0}}, true},
      {"empty on the next, empty line", {{47, 0}, {47, 0}}, false},
      {"empty at the end of the line before", {{45, 53}, {45, 53}}, false},
  };
  fixture f;
  std::string service = s_nicola_on_time(cp1252_to_utf8(f.disk.files.at(service_path)));
  service.erase(service.rfind("[fine]\r\n"));
  const json published = opened(f, service_uri, service);
  ASSERT_EQ(published.size(), 1u) << published.dump();
  ASSERT_EQ(published[0]["code"], "missing-fine");
  ASSERT_EQ(published[0]["range"], line_range(46, 0, 8));
  const json fix = {
      {"title", "Add the line \"[fine]\""},
      {"kind", "quickfix"},
      {"diagnostics", published},
      {"isPreferred", true},
      {"edit",
       {{"changes",
         {{service_uri, {{{"range", line_range(46, 8, 8)}, {"newText", "\r\n[fine]"}}}}}}}}};
  expect_fixes(f, service_uri, relations, json::array({fix}));
}

// Blanks after a station's name: the fix removes them, and nothing else.
TEST(CodeActions, TrailingBlanksAfterANameAreRemoved) {
  fixture f;
  const std::string line =
      "stazione,   12450, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,  14, 0, 0, "
      "Montefiascone";
  const json published = opened(
      f, service_uri,
      with_line(s_nicola_on_time(cp1252_to_utf8(f.disk.files.at(service_path))), 18, line + "  "));
  ASSERT_EQ(published.size(), 1u) << published.dump();
  ASSERT_EQ(published[0]["code"], "trailing-blanks");
  const auto end = static_cast<std::int64_t>(line.size());
  ASSERT_EQ(published[0]["range"], line_range(18, end, end + 2));
  const json fix = {
      {"title", "Remove the blanks"},
      {"kind", "quickfix"},
      {"diagnostics", published},
      {"isPreferred", true},
      {"edit",
       {{"changes",
         {{service_uri, {{{"range", line_range(18, end, end + 2)}, {"newText", ""}}}}}}}}};
  EXPECT_EQ(f.code_actions(service_uri, to_json(text_range{{18, 0}, {18, 0}})), json::array());
  EXPECT_EQ(f.code_actions(service_uri, to_json(text_range{{18, end + 1}, {18, end + 1}})),
            json::array({fix}));
}

}  // namespace
}  // namespace scenario::lsp
