// The checker's warnings: what the compile step accepts but an author
// almost never means. Each has a stable id, a place and the fix in plain
// words. Three groups: the fields where a keyword stands, the values of
// each record, and the files as a whole.
#pragma once

#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compiler/check/contesto_check.h"
#include "compiler/check/diagnostica.h"
#include "compiler/guasti.h"

namespace scenario {

// A warning of id `id` at `dove`.
inline diagnostica avviso(id_diagnostica id, const luogo& dove, std::string messaggio) {
  diagnostica d;
  d.id = id;
  d.dove = dove;
  d.messaggio = std::move(messaggio);
  return d;
}

// Keyword fields: unknown keywords (with the one meant), keywords inside
// other text, a missing comma after a keyword, comments that swallow a
// record, keywords in the wrong case or section. Records whose keyword got
// a warning go into `gia_segnalati`: their values get none on top.
void avvisi_chiavi(const traccia_lettura& t, const contesto_check& c, std::vector<diagnostica>& out,
                   std::set<std::int32_t>& gia_segnalati);

// Record values: fields on the keyword's line, commas in texts, positions
// off the 50 m grid, values the model cannot keep, records out of order,
// overlapping curves, reversed spans, profiles that do not start at 0.
void avvisi_record(const contesto_check& c, const std::set<std::int32_t>& gia_segnalati,
                   std::vector<diagnostica>& out);

// Whole files: UTF-8 text, swapped files, tabs, a missing "[fine]".
void avvisi_file(const traccia_lettura& t, const contesto_check& c, std::vector<diagnostica>& out);

// What a reader that skips the whole file `testo` of kind `f` loses, by
// the records its lines begin with: "0 of 4 stations, 0 of 8 signals";
// empty when no line begins with a keyword.
std::string record_non_letti(std::string_view testo, file_sorgente f);

// The keyword of `tipi` closest to `parola`, when one is close enough to
// be the one meant.
std::optional<std::string> parola_simile(std::string_view parola,
                                         std::span<const tipo_record> tipi);

}  // namespace scenario
