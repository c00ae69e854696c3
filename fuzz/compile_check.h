// One compile run on a line file and a service file held in memory, and the
// checks of what it left: the error pair holds a known code, the files that
// should be gone are gone, and the binary files have exactly the sizes the
// route model's bounds give. Shared by the fuzz target and the corpus test.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/compila.h"

namespace scenario {

struct compile_check_result {
  esito_compilazione esito = esito_compilazione::completato;
  std::int32_t codice_errore = 0;
  std::int32_t posizione_errore = 0;
  std::string problem;  // empty when every check held
};

// True for 0 and every code the readers, recorders and placement pass record.
bool is_known_code(std::int32_t code);

// Compiles with j = 1 under the scenario's identifiers; a missing service
// file is passed as nullopt.
compile_check_result check_compile(std::string_view line_file,
                                   std::optional<std::string_view> service_file);

// The fuzzer's input: the line file up to the first NUL byte, the service
// file after it; without a NUL there is no service file.
compile_check_result check_compile_input(std::string_view input);

// The checker on the same input (an absent service file is an empty one):
// it must agree with the compile step, and tell each fault the compile step
// records as an error of that code. Empty when it does.
std::string check_agrees_input(std::string_view input);

}  // namespace scenario
