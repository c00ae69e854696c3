// The checker's run on a pair of files, kept for the features that look at
// the text under the cursor: the pair, the checker's result, and the way
// from the checker's places to the editor's.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compiler/check/controlla.h"
#include "tools/lsp/pairing.h"
#include "tools/lsp/text_position.h"

namespace scenario::lsp {

struct pair_check {
  file_pair pair;
  esito_controllo result;
  // The names the checker's messages use for the files.
  std::string line_name;
  std::string service_name;
  std::string sheet_name;
  std::string form_name;
  // Why the train model beside the service file was refused (the defaults
  // are used then); empty when it was read or there is none.
  std::string train_model_fault;

  const pair_member& member(file_sorgente f) const;
  // Which file of the pair a URI is.
  std::optional<file_sorgente> file_of(std::string_view uri) const;
  // The checker's input for this pair (its texts are views of the pair's).
  ingresso_controllo input() const;

  // A place of the checker as a range in its file: the field's characters,
  // or the rest of the line for a place of no length, or the file's start.
  text_range range_of(const luogo& l, position_encoding e) const;
  // The editor's text of a place of some length: the same characters as the
  // checker's bytes there, but one outside Windows-1252 stays what the editor
  // holds instead of the '?' the checker reads.
  std::string_view utf8_text(const luogo& l) const;
  // The point before the place's first character.
  text_position point_of(const luogo& l, position_encoding e) const;
  // The byte offset in Windows-1252 of an editor position in file f.
  std::size_t byte_offset(file_sorgente f, const text_position& p, position_encoding e) const;
  // The lines of a file as the editor holds it (UTF-8) and as the checker
  // reads it (Windows-1252: one byte per character).
  const text_lines& utf8_lines(file_sorgente f) const;
  const text_lines& byte_lines(file_sorgente f) const;

 private:
  friend std::shared_ptr<pair_check> check_pair(file_pair pair);
  // By file_sorgente: none, line, service, sheet, form.
  std::array<std::optional<text_lines>, 5> utf8_, bytes_;
};

// The files of a pair the checker reads, in the order of file_sorgente.
inline constexpr std::array<file_sorgente, 4> pair_files = {
    file_sorgente::linea, file_sorgente::servizio, file_sorgente::scheda_treno,
    file_sorgente::rallentamenti};

// Runs the checker on a pair (an absent partner read as an empty text),
// with the driver's documents and the train model that go with it.
std::shared_ptr<pair_check> check_pair(file_pair pair);

}  // namespace scenario::lsp
