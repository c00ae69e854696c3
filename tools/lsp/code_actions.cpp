#include "tools/lsp/code_actions.h"

#include <tuple>

namespace scenario::lsp {

namespace {

bool before(const text_position& a, const text_position& b) {
  return std::tie(a.line, a.character) < std::tie(b.line, b.character);
}

bool meet(const text_range& a, const text_range& b) {
  return !before(a.end, b.start) && !before(b.end, a.start);
}

}  // namespace

json code_actions(const pair_check& c, file_sorgente f, const text_range& range,
                  position_encoding e) {
  json actions = json::array();
  for (const diagnostica& d : c.result.diagnostiche) {
    if (d.dove.file != f || d.correzioni.empty() || !meet(c.range_of(d.dove, e), range)) continue;
    const json diagnostic = diagnostic_to_json(d, c, e);
    for (std::size_t i = 0; i < d.correzioni.size(); ++i) {
      const correzione& fix = d.correzioni[i];
      json changes = json::object();
      for (const sostituzione& s : fix.modifiche) {
        const pair_member& m = c.member(s.dove.file);
        if (!m.present()) continue;
        changes[m.uri].push_back(edit_to_json(s, c, e));
      }
      actions.push_back({{"title", fix.titolo},
                         {"kind", "quickfix"},
                         {"diagnostics", json::array({diagnostic})},
                         {"isPreferred", d.correzioni.size() == 1},
                         {"edit", {{"changes", changes}}}});
    }
  }
  return actions;
}

}  // namespace scenario::lsp
