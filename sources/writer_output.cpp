#include "sources/writer_output.h"

#include "base/memory_file_system.h"
#include "sources/crlf_lines.h"

namespace scenario {

writer_output run_writer(const std::function<void(file_system&, const program_folder&)>& write,
                         const std::string& file_name) {
  memory_file_system fs;
  const program_folder cartella{"/programma", '/'};
  write(fs, cartella);
  writer_output out;
  out.bytes = fs.read_file(file_path(cartella, file_name));
  out.lines = crlf_lines(out.bytes).value_or(std::vector<std::string>{});
  return out;
}

}  // namespace scenario
