// For the tests: a language server in memory on the fixed scenario's folder,
// with what it sent kept in order.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "tools/lsp/protocol_types.h"
#include "tools/lsp/server.h"

namespace scenario::lsp::lsp_testing {

inline std::string testdata(const std::string& name) {
  std::ifstream in(std::string(VO_TESTDATA_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The text with its line `index` (0-based; lines end at CR LF) replaced.
inline std::string with_line(std::string text, std::size_t index, const std::string& line) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < index; ++i) start = text.find("\r\n", start) + 2;
  return text.replace(start, text.find("\r\n", start) - start, line);
}

// The service file with S. Nicola timed as its timetable sheet gives it
// (14:18:00, not Grotte S. Stefano's 14:09:00): the fixed scenario's one
// warning mended, for a test of another.
inline std::string s_nicola_on_time(std::string service) {
  const std::string written = "14, 9, 0, Sipicciano S. Nicola";
  return service.replace(service.find(written), written.size(), "14,18, 0, Sipicciano S. Nicola");
}

// A range within one line, as JSON.
inline json line_range(std::int64_t line, std::int64_t from, std::int64_t to) {
  return to_json(text_range{{line, from}, {line, to}});
}

inline const pairing_defaults defaults{"Viterbo_Attigliano_Orte", "7547"};
inline const std::string line_path = "/r/Viterbo_Attigliano_Orte_linea.txt";
inline const std::string service_path = "/r/Viterbo_Attigliano_Orte_7547-.txt";
inline const std::string line_uri = "file://" + line_path;
inline const std::string service_uri = "file://" + service_path;

struct fixture {
  memory_folders disk;
  std::vector<json> sent;
  language_server server{disk, defaults, [this](const json& m) { sent.push_back(m); }};

  fixture() {
    disk.files[line_path] = testdata("Viterbo_Attigliano_Orte_linea.txt");
    disk.files[service_path] = testdata("Viterbo_Attigliano_Orte_7547-.txt");
  }
  void send(const json& m) { server.handle(m.dump()); }
  void request(int id, const std::string& method, json params = json::object()) {
    send({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}});
  }
  void notify(const std::string& method, json params) {
    send({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}});
  }
  const json* answer(int id) const {
    for (const json& m : sent) {
      if (m.contains("id") && m["id"] == id) return &m;
    }
    return nullptr;
  }
  // The result of a request sent now; null when it failed.
  json result(const std::string& method, json params) {
    const int id = next_id_++;
    request(id, method, std::move(params));
    const json* a = answer(id);
    return a != nullptr && a->contains("result") ? (*a)["result"] : json(nullptr);
  }
  // An editor that offers one position encoding ("utf-16", "utf-8", "utf-32").
  void initialize(const std::string& encoding) {
    request(0, "initialize",
            {{"capabilities", {{"general", {{"positionEncodings", json::array({encoding})}}}}}});
  }
  // The code actions for a range of a document.
  json code_actions(const std::string& uri, const json& range) {
    return result("textDocument/codeAction", {{"textDocument", {{"uri", uri}}},
                                              {"range", range},
                                              {"context", {{"diagnostics", json::array()}}}});
  }
  std::vector<json> published(const std::string& uri) const {
    std::vector<json> out;
    for (const json& m : sent) {
      if (m.value("method", "") == "textDocument/publishDiagnostics" && m["params"]["uri"] == uri) {
        out.push_back(m["params"]["diagnostics"]);
      }
    }
    return out;
  }
  // A document as the editor holds it (UTF-8).
  void open_text(const std::string& uri, const std::string& utf8) {
    notify("textDocument/didOpen",
           {{"textDocument",
             {{"uri", uri}, {"languageId", "scenario"}, {"version", 1}, {"text", utf8}}}});
  }
  // A file of the folder, opened as the editor decodes it.
  void open(const std::string& uri, const std::string& file) {
    open_text(uri, cp1252_to_utf8(disk.files.at(file)));
  }

 private:
  int next_id_ = 1000;
};

}  // namespace scenario::lsp::lsp_testing
