#include "tools/lsp/completion.h"

#include <algorithm>

#include "base/cp1252.h"
#include "tools/lsp/hover.h"
#include "tools/lsp/line_text.h"

namespace scenario::lsp {

namespace {

constexpr int item_kind_keyword = 14;
constexpr int format_plain = 1;
constexpr int format_snippet = 2;

// True when the cursor's line, above it, is in the line file's general
// section: the nearest header above is "[generale]", or there is none.
bool in_general_section(const text_lines& lines, std::size_t line) {
  for (std::size_t i = line; i-- > 0;) {
    if (section_header(lines.line(i))) return contains_any_case(lines.line(i), "[generale]");
  }
  return true;
}

// The keyword's head as typed in the snippet: "curva" with a choice of side
// and class, "ripetizione segnali" with a choice of 4 or 9 codes.
std::string snippet_head(const descrizione_record& d) {
  if (d.tipo == tipo_record::curva) return "curva${1|d,s|}${2|1,2,3,4,5,6|}";
  if (d.tipo == tipo_record::ripetizione_segnali) return "ripetizione segnali ${1|4,9|} codici";
  return std::string(d.parola_chiave);
}

int head_placeholders(const descrizione_record& d) {
  if (d.tipo == tipo_record::curva) return 2;
  if (d.tipo == tipo_record::ripetizione_segnali) return 1;
  return 0;
}

}  // namespace

std::string record_snippet(const descrizione_record& d) {
  std::string s = snippet_head(d);
  int n = head_placeholders(d);
  for (const descrizione_campo& f : d.campi) {
    s += ", ${" + std::to_string(++n) + ":" + std::string(f.nome) + "}";
  }
  return s;
}

json complete(const completion_request& r) {
  json items = json::array();
  const text_lines lines(r.utf8);
  const auto line = static_cast<std::size_t>(std::max<std::int64_t>(r.position.line, 0));
  if (line >= lines.line_count()) return {{"isIncomplete", false}, {"items", items}};
  const std::string_view text = lines.line(line);
  const std::size_t cursor =
      lines.offset(r.position, r.encoding) - lines.offset({r.position.line, 0}, r.encoding);
  const std::string_view before = text.substr(0, cursor);
  // A keyword stands first on its line: nothing but its own letters before.
  if (before.find(',') != std::string_view::npos || without_blanks(before).starts_with('-') ||
      without_blanks(before).starts_with('[')) {
    return {{"isIncomplete", false}, {"items", items}};
  }
  std::size_t word = 0;
  while (word < before.size() && blank(before[word])) ++word;
  const text_range replaced{
      lines.position(lines.offset({r.position.line, 0}, r.encoding) + word, r.encoding),
      r.position};

  const bool general = r.file == file_sorgente::linea && in_general_section(lines, line);
  const auto kinds =
      r.file == file_sorgente::linea && general ? tipi_generale() : tipi_corpo(r.file);
  for (const tipo_record t : kinds) {
    const descrizione_record& d = descrizione(t);
    const std::string label = t == tipo_record::curva ? "curva" : std::string(d.parola_chiave);
    const std::string insert = r.snippets ? record_snippet(d) : std::string(d.parola_chiave) + ", ";
    items.push_back({{"label", label},
                     {"kind", item_kind_keyword},
                     {"detail", std::string(d.descrizione)},
                     {"documentation", {{"kind", "markdown"}, {"value", record_markdown(d)}}},
                     {"filterText", label},
                     {"insertTextFormat", r.snippets ? format_snippet : format_plain},
                     {"textEdit", {{"range", to_json(replaced)}, {"newText", insert}}}});
  }
  return {{"isIncomplete", false}, {"items", items}};
}

}  // namespace scenario::lsp
