#include "tools/decompile/compile_in_memory.h"

#include "base/memory_file_system.h"
#include "base/program_folder.h"

namespace scenario::decompile {

compiled_texts compile_texts(std::string_view line_text,
                             std::optional<std::string_view> service_text,
                             const std::string& nome_linea, const std::string& numero_treno) {
  memory_file_system fs;
  const program_folder cartella{"/decompile", '/'};
  fs.write_file(file_path(cartella, nome_file_linea_txt(nome_linea)), line_text);
  if (service_text) {
    fs.write_file(file_path(cartella, nome_file_servizio_txt(nome_linea, numero_treno)),
                  *service_text);
  }
  compiled_texts out;
  out.model.nome_linea = nome_linea;
  out.model.numero_treno = numero_treno;
  out.esito = memorizza_percorso(out.model, fs, cartella, 1);
  auto take = [&](const std::string& name, std::string& bytes) {
    const auto path = file_path(cartella, name);
    if (fs.file_exists(path)) bytes = fs.read_file(path);
  };
  take(nome_file_linea_dat(nome_linea), out.line_data);
  take(nome_file_sim(nome_linea, numero_treno), out.sim);
  take(nome_file_celle_dat(nome_linea, numero_treno), out.cells);
  return out;
}

compiled_route decode_compiled_texts(const compiled_texts& t, const std::string& nome_linea,
                                     const std::string& numero_treno) {
  memory_file_system fs;
  const program_folder cartella{"/files", '/'};
  fs.write_file(file_path(cartella, nome_file_linea_dat(nome_linea)), t.line_data);
  fs.write_file(file_path(cartella, nome_file_sim(nome_linea, numero_treno)), t.sim);
  fs.write_file(file_path(cartella, nome_file_celle_dat(nome_linea, numero_treno)), t.cells);
  return load_compiled_route(fs, cartella, nome_linea, numero_treno);
}

}  // namespace scenario::decompile
