// `route_tool dump`: the three compiled files of a folder in readable form,
// as JSON, or as an annotated byte dump.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "tools/route_files/compiled_route.h"

namespace scenario {

enum class dump_format { text, json, hex };

struct dump_options {
  std::string dir;
  std::optional<std::string> route;  // found in the folder when not given
  std::optional<std::string> train;
  dump_format format = dump_format::text;
};

void write_dump_text(const compiled_route& r, std::ostream& out);
void write_dump_json(const compiled_route& r, std::ostream& out);

// Decodes the files and prints them; returns 0. Throws errore_decodifica.
int run_dump(const dump_options& o, std::ostream& out);

}  // namespace scenario
