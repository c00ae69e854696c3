#include "tools/decompile/round_trip.h"

namespace scenario::decompile::testing {

round_trip run_round_trip(std::string_view line_text, std::optional<std::string_view> service_text,
                          const std::string& nome_linea, const std::string& numero_treno) {
  round_trip r;
  r.first = compile_texts(line_text, service_text, nome_linea, numero_treno);
  if (r.first.esito != esito_compilazione::completato) return r;
  r.decompiled = decompile_route(decode_compiled_texts(r.first, nome_linea, numero_treno),
                                 nome_linea, numero_treno);
  r.second =
      compile_texts(r.decompiled->line_text, r.decompiled->service_text, nome_linea, numero_treno);
  return r;
}

}  // namespace scenario::decompile::testing
