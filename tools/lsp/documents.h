// The documents the editor has open: their text as the editor holds it
// (UTF-8), kept up to date from the changes it sends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/lsp/folder_access.h"
#include "tools/lsp/text_position.h"

namespace scenario::lsp {

// Documents above this size are kept but not checked.
inline constexpr std::size_t largest_document = largest_file_read;

struct document {
  std::string uri;
  std::optional<std::filesystem::path> path;  // for "file:" URIs
  std::string text;                           // UTF-8
  std::int64_t version = 0;
  std::uint64_t last_edit = 0;  // order of the latest open or change among all documents
};

// One change as the editor sends it: a range and its new text, or the whole
// text when there is no range.
struct text_change {
  std::optional<text_range> range;
  std::string text;
};

class document_store {
 public:
  document& open(std::string uri, std::string text, std::int64_t version);
  // Applies the changes in order; false when the document is not open.
  bool change(std::string_view uri, const std::vector<text_change>& changes, std::int64_t version,
              position_encoding e);
  void close(std::string_view uri);

  const document* find(std::string_view uri) const;
  // The open document of that file, if any.
  const document* find_path(const std::filesystem::path& p) const;
  std::vector<const document*> all() const;

 private:
  std::map<std::string, document, std::less<>> documents_;
  std::uint64_t edits_ = 0;
};

// The text with one change applied.
void apply_change(std::string& text, const text_change& c, position_encoding e);

}  // namespace scenario::lsp
