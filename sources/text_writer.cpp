#include "sources/text_writer.h"

#include "base/cp1252.h"

namespace scenario {

std::string testo_file(std::span<const std::string_view> righe) {
  std::string bytes;
  for (std::string_view riga : righe) {
    bytes += utf8_to_cp1252(riga);
    bytes += "\r\n";
  }
  return bytes;
}

void scrivi_testo(file_system& fs, const std::filesystem::path& file,
                  std::span<const std::string_view> righe) {
  fs.write_file(file, testo_file(righe));
}

}  // namespace scenario
