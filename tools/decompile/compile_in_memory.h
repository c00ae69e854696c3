// The compile step run on two texts held in memory, the one way the
// decompiler compiles: what it decompiled is verified by compiling it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "compiler/compila.h"
#include "compiler/route_model/route_model.h"
#include "tools/route_files/compiled_route.h"

namespace scenario::decompile {

struct compiled_texts {
  esito_compilazione esito = esito_compilazione::senza_modello;
  modello_percorso model;  // as the compile step left it
  std::string line_data;   // the three files' bytes; empty when not written
  std::string sim;
  std::string cells;
};

// Compiles a line description and a service file (Windows-1252 bytes; no
// service file at all when empty) under the given route name and train
// number, with the line data file, exactly as the scenario builder does.
compiled_texts compile_texts(std::string_view line_text,
                             std::optional<std::string_view> service_text,
                             const std::string& nome_linea, const std::string& numero_treno);

// The three files' bytes decoded and checked as the tools load them from a
// folder, under the files' own names. Throws errore_decodifica.
compiled_route decode_compiled_texts(const compiled_texts& t, const std::string& nome_linea,
                                     const std::string& numero_treno);

}  // namespace scenario::decompile
