#include "tools/lsp/pairing.h"

#include <utility>
#include <vector>

#include "base/cp1252.h"
#include "base/path_utf8.h"
#include "compiler/readers/tipi_record.h"
#include "compiler/route_model/nomi_file.h"
#include "tools/lsp/file_uri.h"
#include "tools/lsp/line_text.h"

namespace scenario::lsp {

namespace {

// A folder with more files than this is not searched by content.
constexpr std::size_t most_files_searched = 200;

constexpr std::string_view line_suffix = "_linea.txt";
constexpr std::string_view service_suffix = "-.txt";
constexpr std::string_view sheet_suffix = "_scheda_treno.txt";
constexpr std::string_view form_suffix = "_rallentamenti.txt";

// The end of the general section, as the line reader finds it: a line that
// does not begin with "-" and holds "[" and "]".
bool general_section_ends(std::string_view line) {
  line = without_blanks(line);
  return !line.starts_with('-') && line.find('[') != std::string_view::npos &&
         line.find(']') != std::string_view::npos;
}

std::string file_name(const std::filesystem::path& p) {
  return path_utf8(p.filename());
}

struct candidate {
  std::filesystem::path path;
  const document* open = nullptr;
};

// The files of a folder, open or on disk, other than `self`.
std::vector<candidate> folder_files(const std::filesystem::path& folder,
                                    const std::filesystem::path& self, const document_store& open,
                                    folder_access& disk) {
  std::vector<candidate> found;
  for (const document* d : open.all()) {
    if (d->path && d->path->parent_path() == folder && *d->path != self) {
      found.push_back({*d->path, d});
    }
  }
  for (const std::filesystem::path& p : disk.files_in(folder)) {
    if (p == self || open.find_path(p) != nullptr) continue;
    found.push_back({p, nullptr});
  }
  return found;
}

std::optional<std::string> bytes_of(const candidate& c, folder_access& disk) {
  if (c.open != nullptr) {
    if (c.open->text.size() > largest_file_read) return std::nullopt;
    return utf8_to_cp1252(c.open->text);
  }
  return disk.read(c.path);
}

pair_member member_of(const candidate& c, std::string bytes) {
  pair_member m;
  m.path = c.path;
  if (c.open != nullptr) {
    m.uri = c.open->uri;
    m.utf8 = c.open->text;
    m.from_editor = true;
  } else {
    m.uri = uri_of_path(c.path);
    m.utf8 = cp1252_to_utf8(bytes);
  }
  m.bytes = std::move(bytes);
  return m;
}

// The partner by the naming rule: for a line file the service file of its
// route edited last (else the first by name), for a service file its line.
std::optional<pair_member> partner_by_name(const name_parts& self_name,
                                           const std::vector<candidate>& files,
                                           folder_access& disk) {
  const candidate* best = nullptr;
  for (const candidate& c : files) {
    const name_parts n = parts_of_name(file_name(c.path));
    const bool fits = self_name.kind == file_kind::line
                          ? n.kind == file_kind::service && n.route == self_name.route
                          : n.kind == file_kind::line && n.route == self_name.route;
    if (!fits) continue;
    if (best == nullptr || (c.open != nullptr &&
                            (best->open == nullptr || c.open->last_edit > best->open->last_edit))) {
      best = &c;
    }
  }
  if (best == nullptr) return std::nullopt;
  auto bytes = bytes_of(*best, disk);
  if (!bytes) return std::nullopt;
  return member_of(*best, std::move(*bytes));
}

// The partner by content: the one file of the other kind in the folder.
std::optional<pair_member> partner_by_content(file_kind other, const std::vector<candidate>& files,
                                              folder_access& disk) {
  if (files.size() > most_files_searched) return std::nullopt;
  std::optional<pair_member> found;
  for (const candidate& c : files) {
    const std::string name = file_name(c.path);
    const name_parts n = parts_of_name(name);
    if (n.kind != file_kind::unknown && n.kind != other) continue;
    if (n.kind == file_kind::unknown && !cp1252_lower(name).ends_with(".txt")) continue;
    auto bytes = bytes_of(c, disk);
    if (!bytes || kind_by_content(*bytes) != other) continue;
    if (found) return std::nullopt;  // two of them: no pair
    found = member_of(c, std::move(*bytes));
  }
  return found;
}

// The file of that name among the folder's, from the editor or the disk.
std::optional<pair_member> named_member(const std::string& name,
                                        const std::vector<candidate>& files, folder_access& disk) {
  for (const candidate& c : files) {
    if (file_name(c.path) != name) continue;
    auto bytes = bytes_of(c, disk);
    if (!bytes) return std::nullopt;
    return member_of(c, std::move(*bytes));
  }
  return std::nullopt;
}

// What goes with a service file of route and train by the naming rule.
void add_companions(file_pair& p, const name_parts& service, const std::vector<candidate>& files,
                    folder_access& disk) {
  if (auto m = named_member(nome_file_scheda(service.route, service.train), files, disk)) {
    p.sheet = std::move(*m);
  }
  if (auto m = named_member(nome_file_rallentamenti(service.route, service.train), files, disk)) {
    p.form = std::move(*m);
  }
  if (auto m = named_member(nome_file_modello_treno(service.route, service.train), files, disk)) {
    p.train_model = std::move(m->bytes);
  }
}

}  // namespace

name_parts parts_of_name(std::string_view name) {
  name_parts p;
  if (name.size() > line_suffix.size() && name.ends_with(line_suffix)) {
    p.kind = file_kind::line;
    p.route = name.substr(0, name.size() - line_suffix.size());
    return p;
  }
  // NAME_NUMBER and what follows it: NUMBER after the last underscore.
  for (const auto& [suffix, kind] :
       {std::pair{service_suffix, file_kind::service}, std::pair{sheet_suffix, file_kind::sheet},
        std::pair{form_suffix, file_kind::form}}) {
    if (!name.ends_with(suffix)) continue;
    const std::string_view stem = name.substr(0, name.size() - suffix.size());
    const std::size_t cut = stem.rfind('_');
    if (cut == std::string_view::npos || cut == 0 || cut + 1 == stem.size()) return {};
    p.route = stem.substr(0, cut);
    p.train = stem.substr(cut + 1);
    // The naming rule builds the name back: anything else is not one of its names.
    if (nome_file_servizio_txt(p.route, p.train) != name &&
        nome_file_scheda(p.route, p.train) != name &&
        nome_file_rallentamenti(p.route, p.train) != name) {
      return {};
    }
    p.kind = kind;
    return p;
  }
  return p;
}

file_kind kind_by_content(std::string_view bytes) {
  bool general = false;
  bool general_ended = false;
  // Lines that begin with a record's keyword and a comma, and lines with
  // anything on them: a note or a sheet is prose, even if it names
  // "[generale]".
  int records = 0, service_records = 0, lines = 0;
  while (!bytes.empty()) {
    std::size_t end = bytes.find_first_of("\r\n");
    const std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
    const std::string_view bare = without_blanks(line);
    if (bare.empty()) continue;
    // Section headers and comments are neither records nor prose.
    if (!bare.starts_with('-') && !bare.starts_with('[')) ++lines;
    const std::size_t comma = line.find(',');
    if (comma != std::string_view::npos) {
      const std::string_view first = line.substr(0, comma);
      for (const descrizione_record& r : tipi_record()) {
        if (!corrisponde(r, first)) continue;
        ++records;
        if (r.file == file_sorgente::servizio) ++service_records;
        break;
      }
    }
    if (!general) {
      general = contains_any_case(line, "[generale]");
      continue;
    }
    if (general_ended || general_section_ends(line)) {
      general_ended = true;
      continue;
    }
    std::string_view rest = line;
    while (!rest.empty()) {
      const std::size_t c = rest.find(',');
      if (corrisponde(descrizione(tipo_record::lunghezza_percorso), rest.substr(0, c))) {
        return file_kind::line;
      }
      rest = c == std::string_view::npos ? std::string_view{} : rest.substr(c + 1);
    }
  }
  // Most of its lines are records; without "[generale]" (its reader then
  // reads nothing, as the checker says) service records, two at least.
  if (general) return records > 0 && 2 * records >= lines ? file_kind::service : file_kind::unknown;
  return service_records >= 2 && 2 * service_records >= lines ? file_kind::service
                                                              : file_kind::unknown;
}

file_pair find_pair(const document& d, const document_store& open, folder_access& disk,
                    const pairing_defaults& defaults) {
  pair_member self;
  self.uri = d.uri;
  self.path = d.path;
  self.utf8 = d.text;
  self.bytes = utf8_to_cp1252(d.text);
  self.from_editor = true;

  const name_parts self_name = d.path ? parts_of_name(file_name(*d.path)) : name_parts{};
  if (self_name.kind == file_kind::sheet || self_name.kind == file_kind::form) {
    // A driver's document: checked with the service file it is named after.
    file_pair p;
    p.route = self_name.route;
    p.train = self_name.train;
    const std::vector<candidate> files = folder_files(d.path->parent_path(), *d.path, open, disk);
    const std::string service = nome_file_servizio_txt(self_name.route, self_name.train);
    for (const candidate& c : files) {
      if (file_name(c.path) != service) continue;
      document stand_in;
      stand_in.uri = c.open != nullptr ? c.open->uri : uri_of_path(c.path);
      stand_in.path = c.path;
      if (c.open != nullptr) {
        stand_in.text = c.open->text;
      } else if (auto bytes = disk.read(c.path)) {
        stand_in.text = cp1252_to_utf8(*bytes);
      } else {
        break;
      }
      p = find_pair(stand_in, open, disk, defaults);
      p.service.from_editor = c.open != nullptr;
      return p;
    }
    (self_name.kind == file_kind::sheet ? p.sheet : p.form) = std::move(self);
    return p;
  }
  file_kind kind = self_name.kind;
  if (kind == file_kind::unknown) kind = kind_by_content(self.bytes);
  if (kind == file_kind::unknown) kind = file_kind::line;
  const file_kind other = kind == file_kind::line ? file_kind::service : file_kind::line;

  std::optional<pair_member> partner;
  std::vector<candidate> files;
  if (d.path) {
    files = folder_files(d.path->parent_path(), *d.path, open, disk);
    if (self_name.kind != file_kind::unknown) partner = partner_by_name(self_name, files, disk);
    if (!partner) partner = partner_by_content(other, files, disk);
  }

  file_pair p;
  p.route = defaults.route;
  p.train = defaults.train;
  const name_parts partner_name =
      partner && partner->path ? parts_of_name(file_name(*partner->path)) : name_parts{};
  for (const name_parts& n : {self_name, partner_name}) {
    if (n.kind == file_kind::line) p.route = n.route;
  }
  for (const name_parts& n : {self_name, partner_name}) {
    if (n.kind == file_kind::service) {
      p.route = n.route;
      p.train = n.train;
    }
  }
  (kind == file_kind::line ? p.line : p.service) = std::move(self);
  if (partner) (kind == file_kind::line ? p.service : p.line) = std::move(*partner);
  const name_parts service_name =
      p.service.path ? parts_of_name(file_name(*p.service.path)) : name_parts{};
  if (service_name.kind == file_kind::service) add_companions(p, service_name, files, disk);
  return p;
}

}  // namespace scenario::lsp
