#include "compiler/format/errore_decodifica.h"

#include <utility>

namespace scenario {

namespace {
std::string descrivi(const std::string& file, const std::optional<std::size_t>& offset,
                     const std::string& motivo) {
  std::string testo = file;
  if (offset) testo += ": byte " + std::to_string(*offset);
  testo += ": " + motivo;
  return testo;
}
}  // namespace

errore_decodifica::errore_decodifica(std::string file, std::optional<std::size_t> offset,
                                     std::string motivo)
    : std::runtime_error(descrivi(file, offset, motivo)),
      file_(std::move(file)),
      offset_(offset),
      motivo_(std::move(motivo)) {}

}  // namespace scenario
