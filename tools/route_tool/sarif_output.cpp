#include "tools/route_tool/sarif_output.h"

#include <map>

#include "base/cp1252.h"
#include "compiler/check/catalogo_diagnostiche.h"
#include "tools/lsp/file_uri.h"

namespace scenario {

namespace {

using ordered_json = nlohmann::ordered_json;

std::string_view level_of(gravita g) {
  return g == gravita::errore ? "error" : "warning";
}

// The files results stand in, each once, in the order first named.
class artifacts {
 public:
  explicit artifacts(const ingresso_controllo& in) : in_(in) {}

  std::size_t index_of(file_sorgente f) {
    const auto [it, added] = index_.emplace(f, list_.size());
    if (added) {
      // The texts are Windows-1252: one byte a character, so the columns
      // count bytes, characters and UTF-16 units alike.
      list_.push_back({{"location", {{"uri", uri_of(f)}}}, {"encoding", "windows-1252"}});
    }
    return it->second;
  }

  ordered_json location(const luogo& l) {
    ordered_json physical = {
        {"artifactLocation", {{"uri", uri_of(l.file)}, {"index", index_of(l.file)}}}};
    // Line 0 is the file as a whole: no region.
    if (l.riga > 0) physical["region"] = region(l);
    return physical;
  }

  static ordered_json region(const luogo& l) {
    ordered_json r = {{"startLine", l.riga}, {"startColumn", std::max<std::int32_t>(l.colonna, 1)}};
    // The column after the field's last character; a field of no length is
    // a point (an insertion).
    r["endColumn"] = std::max<std::int32_t>(l.colonna, 1) + std::max<std::int32_t>(l.lunghezza, 0);
    return r;
  }

  const ordered_json& list() const { return list_; }

 private:
  std::string uri_of(file_sorgente f) const { return lsp::uri_reference_of_path(in_.nome_file(f)); }

  const ingresso_controllo& in_;
  std::map<file_sorgente, std::size_t> index_;
  ordered_json list_ = ordered_json::array();
};

ordered_json rules() {
  ordered_json list = ordered_json::array();
  for (const voce_catalogo& v : catalogo()) {
    ordered_json rule = {{"id", std::string(v.nome)},
                         {"shortDescription", {{"text", std::string(v.sommario)}}},
                         {"help", {{"text", std::string(v.rimedio)}}},
                         {"defaultConfiguration", {{"level", level_of(v.severita)}}}};
    if (v.codice_compilatore != codice::nessuno) {
      rule["properties"] = {{"compilerCode", numero(v.codice_compilatore)}};
    }
    list.push_back(std::move(rule));
  }
  return list;
}

std::size_t rule_index(id_diagnostica id) {
  return static_cast<std::size_t>(id);
}

ordered_json fixes(const diagnostica& d, artifacts& files) {
  ordered_json list = ordered_json::array();
  for (const correzione& c : d.correzioni) {
    // One change a file, its replacements in order.
    std::map<file_sorgente, ordered_json> per_file;
    for (const sostituzione& s : c.modifiche) {
      if (s.dove.riga <= 0) continue;
      per_file[s.dove.file].push_back({{"deletedRegion", artifacts::region(s.dove)},
                                       {"insertedContent", {{"text", cp1252_to_utf8(s.testo)}}}});
    }
    if (per_file.empty()) continue;
    ordered_json changes = ordered_json::array();
    for (auto& [file, replacements] : per_file) {
      ordered_json where = files.location({file, 0, 0, 0});
      changes.push_back({{"artifactLocation", where["artifactLocation"]},
                         {"replacements", std::move(replacements)}});
    }
    list.push_back(
        {{"description", {{"text", c.titolo}}}, {"artifactChanges", std::move(changes)}});
  }
  return list;
}

}  // namespace

ordered_json check_sarif(const esito_controllo& e, const ingresso_controllo& in,
                         const std::string& version) {
  artifacts files(in);
  ordered_json results = ordered_json::array();
  for (const diagnostica& d : e.diagnostiche) {
    ordered_json result = {
        {"ruleId", std::string(d.nome())},
        {"ruleIndex", rule_index(d.id)},
        {"level", level_of(d.severita())},
        {"message", {{"text", d.messaggio}}},
        {"locations", ordered_json::array({{{"physicalLocation", files.location(d.dove)}}})}};
    if (!d.correlate.empty()) {
      ordered_json related = ordered_json::array();
      for (std::size_t k = 0; k < d.correlate.size(); ++k) {
        related.push_back({{"id", k},
                           {"physicalLocation", files.location(d.correlate[k].dove)},
                           {"message", {{"text", d.correlate[k].messaggio}}}});
      }
      result["relatedLocations"] = std::move(related);
    }
    if (ordered_json f = fixes(d, files); !f.empty()) result["fixes"] = std::move(f);
    results.push_back(std::move(result));
  }
  ordered_json run = {
      {"tool", {{"driver", {{"name", "route_tool"}, {"version", version}, {"rules", rules()}}}}},
      {"columnKind", "utf16CodeUnits"},
      {"results", std::move(results)}};
  run["artifacts"] = files.list();
  return {{"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
          {"version", "2.1.0"},
          {"runs", ordered_json::array({std::move(run)})}};
}

}  // namespace scenario
