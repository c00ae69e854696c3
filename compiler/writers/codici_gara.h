// The two competition codes: checksums of the train number and the route
// name, stamped into reserved header slots. No key: anyone with the two
// identifiers can recompute them.
#pragma once

#include <cstdint>
#include <string_view>

#include "compiler/route_model/route_model.h"

namespace scenario {

// Appended to the identifiers so that 25 characters always exist.
inline constexpr std::string_view testo_riempimento = "aabbccddeeffgghhiillmmnnoo";
inline constexpr int caratteri_contati = 25;

// Sum of the codes of the first 25 bytes of
//   lower(numero_treno + nome_linea) + testo_riempimento
// (Windows-1252 bytes as unsigned codes). At most 25 x 255.
std::int16_t codice_gara_og(std::string_view numero_treno, std::string_view nome_linea);

// The same bytes weighted by their 1-based position. At most 325 x 255.
std::int32_t codice_gara_st(std::string_view numero_treno, std::string_view nome_linea);

// From the model's header names: `nome` of entry 86 (train) and 85 (route).
std::int16_t codice_gara_og(const modello_percorso& m);
std::int32_t codice_gara_st(const modello_percorso& m);

}  // namespace scenario
