#include "tools/decompile/compile_in_memory.h"

#include "compiler/route_model/nomi_file.h"

namespace scenario::decompile {

compiled_texts compile_texts(std::string_view line_text,
                             std::optional<std::string_view> service_text,
                             const std::string& nome_linea, const std::string& numero_treno) {
  opzioni_compilazione o;
  o.nome_linea = nome_linea;
  o.numero_treno = numero_treno;
  risultato_compilazione r = compila({line_text, service_text}, o);
  compiled_texts out;
  out.esito = r.esito;
  if (r.esito == esito_compilazione::completato) {
    out.line_data = std::string(r.linea_dat());
    out.sim = std::move(r.sim);
    out.cells = std::move(r.celle_dat);
  }
  out.model = std::move(r.modello);
  return out;
}

compiled_route decode_compiled_texts(const compiled_texts& t, const std::string& nome_linea,
                                     const std::string& numero_treno) {
  return decode_compiled_route(
      {t.sim, t.cells, t.line_data, nome_file_sim(nome_linea, numero_treno),
       nome_file_celle_dat(nome_linea, numero_treno), nome_file_linea_dat(nome_linea)});
}

}  // namespace scenario::decompile
