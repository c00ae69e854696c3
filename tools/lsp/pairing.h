// Which two files are checked together. A line description file and a
// service file pair by the compiler's naming rule (NAME_linea.txt with
// NAME_NUMBER-.txt in the same folder); otherwise by content: a file whose
// general section holds "lunghezza percorso" is a line file, any other with
// a "[generale]" a service file, and a file pairs with the one file of the
// other kind in its folder. A partner the editor has open is taken with its
// unsaved text, any other from the disk. Beside a service file
// NAME_NUMBER-.txt the driver's documents NAME_NUMBER_scheda_treno.txt and
// NAME_NUMBER_rallentamenti.txt and the train model NAME_NUMBER_treno.json
// go with the pair by the same rule; a document opened alone is checked
// with the service file it is named after.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "tools/lsp/documents.h"
#include "tools/lsp/folder_access.h"

namespace scenario::lsp {

enum class file_kind : std::uint8_t { unknown, line, service, sheet, form };

// What a file's name says under the naming rule.
struct name_parts {
  file_kind kind = file_kind::unknown;
  std::string route;  // NAME
  std::string train;  // NUMBER, for a service file and a document
};
name_parts parts_of_name(std::string_view file_name);

// What a file's Windows-1252 bytes say.
file_kind kind_by_content(std::string_view bytes);

// One file of a pair.
struct pair_member {
  std::string uri;  // empty when there is no such file
  std::optional<std::filesystem::path> path;
  std::string bytes;  // Windows-1252, as the checker reads it
  std::string utf8;   // the same text as the editor holds it
  bool from_editor = false;
  bool present() const { return !uri.empty(); }
};

struct file_pair {
  pair_member line;
  pair_member service;
  pair_member sheet;  // the driver's documents beside the service file, if any
  pair_member form;
  std::optional<std::string> train_model;  // the JSON text of the train model beside it
  std::string route;                       // from the names, else the defaults
  std::string train;
  bool paired() const { return line.present() && service.present(); }
};

struct pairing_defaults {
  std::string route;
  std::string train;
};

// The pair of an open document: the document itself and its partner, if
// one is found. A document of unknown kind is taken as a line file when its
// content does not say otherwise.
file_pair find_pair(const document& d, const document_store& open, folder_access& disk,
                    const pairing_defaults& defaults);

}  // namespace scenario::lsp
