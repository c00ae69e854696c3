#include "tools/lsp/formatting.h"

#include <algorithm>
#include <map>
#include <optional>

#include "base/cp1252.h"
#include "tools/lsp/line_text.h"

namespace scenario::lsp {

namespace {

// One record alone on its line, cut into its fields.
struct laid_record {
  std::size_t line = 0;
  tipo_record tipo = tipo_record::pendenza;
  std::string_view keyword;  // without the blanks after it
  std::vector<std::string_view> values;
  std::vector<std::size_t> gaps;  // blanks between each value's comma and the value
};

// The blanks after the comma of a delimiter made of blanks, one comma and
// blanks; nothing for any other delimiter.
std::optional<std::size_t> gap_after_comma(std::string_view delimiter) {
  const std::size_t comma = delimiter.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  for (std::size_t i = 0; i < delimiter.size(); ++i) {
    if (i != comma && !blank(delimiter[i])) return std::nullopt;
  }
  return delimiter.size() - comma - 1;
}

std::optional<laid_record> cut(std::string_view bytes, const text_lines& lines,
                               const record_letto& r) {
  const descrizione_record& d = descrizione(r.tipo);
  if (r.messo_da_parte || r.valori.size() != d.campi.size() || d.campi.empty()) return std::nullopt;
  laid_record l;
  l.line = static_cast<std::size_t>(r.chiave.riga - 1);
  l.tipo = r.tipo;
  const std::size_t start = lines.offset({r.chiave.riga - 1, 0}, position_encoding::utf8);
  const std::string_view text = lines.line(l.line);
  for (std::size_t i = start; i < r.chiave.inizio; ++i) {
    if (!blank(bytes[i])) return std::nullopt;  // the keyword is not first on its line
  }
  l.keyword = bytes.substr(r.chiave.inizio, r.chiave.fine - r.chiave.inizio);
  while (!l.keyword.empty() && blank(l.keyword.back())) l.keyword.remove_suffix(1);
  std::size_t end = r.chiave.fine;
  for (const campo_testo& v : r.valori) {
    if (v.riga != r.chiave.riga || v.inizio < end) return std::nullopt;
    const auto gap = gap_after_comma(bytes.substr(end, v.inizio - end));
    if (!gap) return std::nullopt;
    l.gaps.push_back(*gap);
    l.values.push_back(bytes.substr(v.inizio, v.fine - v.inizio));
    end = v.fine;
  }
  for (std::size_t i = end; i < start + text.size(); ++i) {
    if (!blank(bytes[i])) return std::nullopt;  // something follows the record
  }
  return l;
}

// The most usual count among those given, the larger on a tie.
std::size_t most_usual(const std::vector<std::size_t>& counts) {
  std::map<std::size_t, int> seen;
  for (const std::size_t c : counts) ++seen[c];
  std::size_t best = 0;
  int best_seen = 0;
  for (const auto& [count, times] : seen) {
    if (times >= best_seen) {
      best = count;
      best_seen = times;
    }
  }
  return best;
}

void lay_out_block(const std::vector<laid_record>& block, std::vector<line_layout>& out,
                   const text_lines& lines) {
  const descrizione_record& d = descrizione(block.front().tipo);
  std::vector<std::size_t> width(d.campi.size()), gap(d.campi.size());
  for (std::size_t j = 0; j < d.campi.size(); ++j) {
    std::size_t widest = 0;
    for (const laid_record& r : block) widest = std::max(widest, r.values[j].size());
    std::vector<std::size_t> gaps;
    for (const laid_record& r : block) {
      if (d.campi[j].tipo == tipo_valore::testo || r.values[j].size() == widest) {
        gaps.push_back(r.gaps[j]);
      }
    }
    gap[j] = most_usual(gaps);
    width[j] = d.campi[j].tipo == tipo_valore::testo ? 0 : widest;
  }
  for (const laid_record& r : block) {
    std::string text(r.keyword);
    for (std::size_t j = 0; j < r.values.size(); ++j) {
      const std::size_t pad =
          gap[j] + (width[j] > r.values[j].size() ? width[j] - r.values[j].size() : 0);
      text += ',';
      text.append(pad, ' ');
      text += r.values[j];
    }
    if (text != lines.line(r.line)) out.push_back({r.line, std::move(text)});
  }
}

// The laid-out line in the editor's characters. The layout changes blanks
// only, so the other characters are the old line's in their order, and each
// is taken as the editor holds it: one outside Windows-1252 stays itself
// instead of becoming the '?' the checker reads.
std::string editor_characters(std::string_view laid, std::string_view old_bytes,
                              std::string_view old_utf8) {
  std::string out;
  std::size_t b = 0, u = 0;  // the old line's next character: its byte, its UTF-8
  for (const char c : laid) {
    if (blank(c)) {
      out += c;
      continue;
    }
    for (; b < old_bytes.size() && blank(old_bytes[b]); ++b) ++u;
    if (b == old_bytes.size() || old_bytes[b] != c) return cp1252_to_utf8(laid);  // not a layout
    const std::size_t n = character_bytes(old_utf8.substr(u));
    out += old_utf8.substr(u, n);
    ++b;
    u += n;
  }
  return out;
}

}  // namespace

std::vector<line_layout> lay_out_records(std::string_view bytes, const sorgenti_modello& s,
                                         file_sorgente f) {
  const text_lines lines(bytes);
  std::map<std::size_t, int> per_line;
  for (const record_letto& r : s.record) {
    if (r.file == f) ++per_line[static_cast<std::size_t>(r.chiave.riga)];
  }
  std::vector<laid_record> laid;
  for (const record_letto& r : s.record) {
    if (r.file != f || r.chiave.riga <= 0 ||
        per_line[static_cast<std::size_t>(r.chiave.riga)] != 1) {
      continue;
    }
    if (auto l = cut(bytes, lines, r)) laid.push_back(std::move(*l));
  }
  std::sort(laid.begin(), laid.end(),
            [](const laid_record& a, const laid_record& b) { return a.line < b.line; });
  std::vector<line_layout> out;
  for (std::size_t i = 0; i < laid.size();) {
    std::size_t j = i + 1;
    while (j < laid.size() && laid[j].tipo == laid[i].tipo && laid[j].line == laid[j - 1].line + 1)
      ++j;
    lay_out_block({laid.begin() + static_cast<std::ptrdiff_t>(i),
                   laid.begin() + static_cast<std::ptrdiff_t>(j)},
                  out, lines);
    i = j;
  }
  return out;
}

json format_document(const pair_check& c, file_sorgente f, position_encoding e) {
  json edits = json::array();
  const text_lines& utf8 = c.utf8_lines(f);
  for (const line_layout& l : lay_out_records(c.member(f).bytes, c.result.sorgenti_letti, f)) {
    const auto row = static_cast<std::int64_t>(l.line);
    const text_range whole{{row, 0},
                           {row, utf8.units(l.line, c.byte_lines(f).line(l.line).size(), e)}};
    edits.push_back(
        {{"range", to_json(whole)},
         {"newText", editor_characters(l.text, c.byte_lines(f).line(l.line), utf8.line(l.line))}});
  }
  return edits;
}

}  // namespace scenario::lsp
