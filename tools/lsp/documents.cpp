#include "tools/lsp/documents.h"

#include <algorithm>

#include "tools/lsp/file_uri.h"

namespace scenario::lsp {

void apply_change(std::string& text, const text_change& c, position_encoding e) {
  if (!c.range) {
    text = c.text;
    return;
  }
  const text_lines lines(text);
  std::size_t from = lines.offset(c.range->start, e);
  std::size_t to = lines.offset(c.range->end, e);
  if (to < from) std::swap(from, to);
  text.replace(from, to - from, c.text);
}

document& document_store::open(std::string uri, std::string text, std::int64_t version) {
  document d;
  d.path = path_of_uri(uri);
  d.uri = uri;
  d.text = std::move(text);
  d.version = version;
  d.last_edit = ++edits_;
  auto [it, added] = documents_.insert_or_assign(std::move(uri), std::move(d));
  return it->second;
}

bool document_store::change(std::string_view uri, const std::vector<text_change>& changes,
                            std::int64_t version, position_encoding e) {
  const auto it = documents_.find(uri);
  if (it == documents_.end()) return false;
  for (const text_change& c : changes) apply_change(it->second.text, c, e);
  it->second.version = version;
  it->second.last_edit = ++edits_;
  return true;
}

void document_store::close(std::string_view uri) {
  const auto it = documents_.find(uri);
  if (it != documents_.end()) documents_.erase(it);
}

const document* document_store::find(std::string_view uri) const {
  const auto it = documents_.find(uri);
  return it == documents_.end() ? nullptr : &it->second;
}

const document* document_store::find_path(const std::filesystem::path& p) const {
  for (const auto& [uri, d] : documents_) {
    if (d.path && d.path->lexically_normal() == p.lexically_normal()) return &d;
  }
  return nullptr;
}

std::vector<const document*> document_store::all() const {
  std::vector<const document*> out;
  for (const auto& [uri, d] : documents_) out.push_back(&d);
  return out;
}

}  // namespace scenario::lsp
