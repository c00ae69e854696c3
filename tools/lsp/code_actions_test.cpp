#include "tools/lsp/code_actions.h"

#include <gtest/gtest.h>

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

json range_json(std::int64_t l1, std::int64_t c1, std::int64_t l2, std::int64_t c2) {
  return to_json(text_range{{l1, c1}, {l2, c2}});
}

std::string with_line(std::string text, std::size_t index, const std::string& line) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < index; ++i) start = text.find("\r\n", start) + 2;
  return text.replace(start, text.find("\r\n", start) - start, line);
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
  f.initialize("utf-16");
  const std::string line =
      with_line(cp1252_to_utf8(f.disk.files.at(line_path)), 57, "pendenza,  525,   3");
  f.open_text(line_uri, line);
  const json published = f.published(line_uri).back();
  ASSERT_EQ(published.size(), 1u) << published.dump();
  ASSERT_EQ(published[0]["range"], range_json(57, 11, 57, 14));
  for (const relation& r : relations) {
    SCOPED_TRACE(r.what);
    const json actions =
        f.result("textDocument/codeAction", {{"textDocument", {{"uri", line_uri}}},
                                             {"range", to_json(r.asked)},
                                             {"context", {{"diagnostics", json::array()}}}});
    ASSERT_TRUE(actions.is_array()) << actions.dump();
    if (!r.offered) {
      EXPECT_EQ(actions, json::array());
      continue;
    }
    ASSERT_EQ(actions.size(), 2u) << actions.dump();
    const char* const values[] = {"500", "550"};
    for (std::size_t i = 0; i < 2; ++i) {
      const json& a = actions[i];
      EXPECT_EQ(a["title"], std::string("Write ") + values[i]);
      EXPECT_EQ(a["kind"], "quickfix");
      EXPECT_EQ(a["isPreferred"], false);  // two neighbours, neither preferred
      EXPECT_EQ(a["diagnostics"], json::array({published[0]}));
      EXPECT_EQ(
          a["edit"]["changes"],
          json({{line_uri, {{{"range", range_json(57, 11, 57, 14)}, {"newText", values[i]}}}}}));
    }
  }
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
  f.initialize("utf-16");
  std::string service = cp1252_to_utf8(f.disk.files.at(service_path));
  service.erase(service.rfind("[fine]\r\n"));
  f.open_text(service_uri, service);
  const json published = f.published(service_uri).back();
  ASSERT_EQ(published.size(), 1u) << published.dump();
  ASSERT_EQ(published[0]["code"], "missing-fine");
  ASSERT_EQ(published[0]["range"], range_json(46, 0, 46, 8));
  for (const relation& r : relations) {
    SCOPED_TRACE(r.what);
    const json actions = f.result(
        "textDocument/codeAction",
        {{"textDocument", {{"uri", service_uri}}}, {"range", to_json(r.asked)}, {"context", {}}});
    if (!r.offered) {
      EXPECT_EQ(actions, json::array());
      continue;
    }
    ASSERT_EQ(actions.size(), 1u) << actions.dump();
    EXPECT_EQ(actions[0]["title"], "Add the line \"[fine]\"");
    EXPECT_EQ(actions[0]["isPreferred"], true);
    EXPECT_EQ(
        actions[0]["edit"]["changes"],
        json({{service_uri, {{{"range", range_json(46, 8, 46, 8)}, {"newText", "\r\n[fine]"}}}}}));
  }
}

}  // namespace
}  // namespace scenario::lsp
