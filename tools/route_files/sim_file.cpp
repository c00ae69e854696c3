#include "tools/route_files/sim_file.h"

#include "tools/route_files/byte_reader.h"

namespace scenario {

std::array<elemento, n_elementi> decode_sim_file(std::string_view bytes, const std::string& file,
                                                 field_sink* sink) {
  byte_reader in(bytes, file, sink);
  std::array<elemento, n_elementi> elementi{};
  std::string record;
  for (int k = 0; k < n_elementi; ++k) {
    record = "entry " + std::to_string(k);
    elemento& e = elementi[static_cast<std::size_t>(k)];
    e.tipo = in.byte(record, "tipo");
    e.inizio = in.int32(record, "inizio");
    e.fine = in.int32(record, "fine");
    e.posizione = in.int32(record, "posizione");
    e.dato_b1 = in.byte(record, "dato_b1");
    e.nome = in.text(record, "nome");
    e.dato_i1 = in.int16(record, "dato_i1");
    e.dato_i2 = in.int16(record, "dato_i2");
    e.dato_i3 = in.int16(record, "dato_i3");
    e.dato_i4 = in.int16(record, "dato_i4");
    e.dato_i5 = in.int16(record, "dato_i5");
    e.dato_b2 = in.byte(record, "dato_b2");
    e.dato_b3 = in.byte(record, "dato_b3");
    e.prolunga = in.byte(record, "prolunga");
    e.dato_b4 = in.byte(record, "dato_b4");
    e.orario = in.int32(record, "orario");
  }
  if (!in.at_end()) {
    in.fail(in.offset(), std::to_string(in.remaining()) + " bytes follow entry " +
                             std::to_string(n_elementi - 1) +
                             ", the last entry of a simulation file");
  }
  return elementi;
}

}  // namespace scenario
