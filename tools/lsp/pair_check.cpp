#include "tools/lsp/pair_check.h"

#include <algorithm>
#include <variant>

#include "base/path_utf8.h"

namespace scenario::lsp {

namespace {

std::string display_name(const pair_member& m, std::string_view fallback) {
  if (m.path) return path_utf8(m.path->filename());
  return std::string(fallback);
}

}  // namespace

const pair_member& pair_check::member(file_sorgente f) const {
  switch (f) {
    case file_sorgente::servizio:
      return pair.service;
    case file_sorgente::scheda_treno:
      return pair.sheet;
    case file_sorgente::rallentamenti:
      return pair.form;
    default:
      return pair.line;
  }
}

std::optional<file_sorgente> pair_check::file_of(std::string_view uri) const {
  for (const file_sorgente f : pair_files) {
    if (member(f).present() && member(f).uri == uri) return f;
  }
  return std::nullopt;
}

ingresso_controllo pair_check::input() const {
  ingresso_controllo in;
  in.linea = pair.line.bytes;
  in.servizio = pair.service.bytes;
  in.nome_file_linea = line_name;
  in.nome_file_servizio = service_name;
  in.nome_linea = pair.route;
  in.numero_treno = pair.train;
  if (pair.sheet.present()) {
    in.altri_file.push_back({file_sorgente::scheda_treno, sheet_name, pair.sheet.bytes});
  }
  if (pair.form.present()) {
    in.altri_file.push_back({file_sorgente::rallentamenti, form_name, pair.form.bytes});
  }
  return in;
}

const text_lines& pair_check::utf8_lines(file_sorgente f) const {
  const auto i = static_cast<std::size_t>(f == file_sorgente::nessuno ? file_sorgente::linea : f);
  return *utf8_[i];
}

const text_lines& pair_check::byte_lines(file_sorgente f) const {
  const auto i = static_cast<std::size_t>(f == file_sorgente::nessuno ? file_sorgente::linea : f);
  return *bytes_[i];
}

text_range pair_check::range_of(const luogo& l, position_encoding e) const {
  if (l.riga <= 0 || l.file == file_sorgente::nessuno) return {};
  const auto line = static_cast<std::size_t>(l.riga - 1);
  const std::size_t length = byte_lines(l.file).line(line).size();
  std::size_t from = static_cast<std::size_t>(std::max(l.colonna - 1, 0));
  std::size_t to = from + static_cast<std::size_t>(std::max(l.lunghezza, 0));
  if (l.lunghezza <= 0) to = std::max(from, length);  // the rest of the line
  const text_lines& text = utf8_lines(l.file);
  const auto row = static_cast<std::int64_t>(line);
  return {{row, text.units(line, from, e)}, {row, text.units(line, to, e)}};
}

text_position pair_check::point_of(const luogo& l, position_encoding e) const {
  if (l.riga <= 0 || l.file == file_sorgente::nessuno) return {};
  const auto line = static_cast<std::size_t>(l.riga - 1);
  const auto from = static_cast<std::size_t>(std::max(l.colonna - 1, 0));
  return {static_cast<std::int64_t>(line), utf8_lines(l.file).units(line, from, e)};
}

std::string_view pair_check::utf8_text(const luogo& l) const {
  if (l.riga <= 0 || l.file == file_sorgente::nessuno || l.lunghezza <= 0) return {};
  const auto line = static_cast<std::int64_t>(l.riga - 1);
  const std::int64_t from = std::max(l.colonna - 1, 0);
  // One code point for each of the checker's characters.
  const text_lines& text = utf8_lines(l.file);
  const std::size_t start = text.offset({line, from}, position_encoding::utf32);
  const std::size_t end = text.offset({line, from + l.lunghezza}, position_encoding::utf32);
  return std::string_view(member(l.file).utf8).substr(start, end - start);
}

std::size_t pair_check::byte_offset(file_sorgente f, const text_position& p,
                                    position_encoding e) const {
  const text_lines& bytes = byte_lines(f);
  if (p.line < 0) return 0;
  const auto line = static_cast<std::size_t>(p.line);
  if (line >= bytes.line_count()) return member(f).bytes.size();
  const std::size_t characters =
      std::min(utf8_lines(f).characters_before(p, e), bytes.line(line).size());
  return bytes.offset({p.line, 0}, position_encoding::utf8) + characters;
}

std::shared_ptr<pair_check> check_pair(file_pair pair) {
  auto c = std::make_shared<pair_check>();
  c->pair = std::move(pair);
  c->line_name = display_name(c->pair.line, "linea.txt");
  c->service_name = display_name(c->pair.service, "servizio.txt");
  c->sheet_name = display_name(c->pair.sheet, "scheda_treno.txt");
  c->form_name = display_name(c->pair.form, "rallentamenti.txt");
  for (const file_sorgente f : pair_files) {
    c->utf8_[static_cast<std::size_t>(f)].emplace(c->member(f).utf8);
    c->bytes_[static_cast<std::size_t>(f)].emplace(c->member(f).bytes);
  }
  ingresso_controllo in = c->input();
  if (c->pair.train_model) {
    auto model = leggi_modello_treno(*c->pair.train_model);
    if (auto* m = std::get_if<modello_treno>(&model)) {
      in.treno = *m;
    } else {
      c->train_model_fault = std::get<errore_modello_treno>(model).testo;
    }
  }
  c->result = controlla(in);
  return c;
}

}  // namespace scenario::lsp
