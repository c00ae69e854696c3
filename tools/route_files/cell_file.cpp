#include "tools/route_files/cell_file.h"

#include "tools/route_files/byte_reader.h"

namespace scenario {

std::vector<cella> decode_cell_file(std::string_view bytes, const std::string& file,
                                    field_sink* sink) {
  byte_reader in(bytes, file, sink);
  if (bytes.empty()) in.fail(0, "the file is empty: a cell data file holds at least one cell");
  const std::size_t whole = bytes.size() / dimensione_cella;
  if (bytes.size() % dimensione_cella != 0) {
    in.fail(whole * dimensione_cella, "the file ends inside cell " + std::to_string(whole) + ": " +
                                          std::to_string(bytes.size()) +
                                          " bytes is not a whole number of " +
                                          std::to_string(dimensione_cella) + "-byte cells");
  }
  std::vector<cella> celle(whole);
  std::string record;
  for (std::size_t k = 0; k < whole; ++k) {
    record = "cell " + std::to_string(k);
    cella& c = celle[k];
    c.tipo = in.byte(record, "tipo");
    c.dato1 = in.int16(record, "dato1");
    c.dato2 = in.int16(record, "dato2");
    c.dato3 = in.int16(record, "dato3");
    c.dato4 = in.int16(record, "dato4");
    c.dato5 = in.byte(record, "dato5");
    c.segno = in.byte(record, "segno");
    c.montagna = in.byte(record, "montagna");
    c.velocita = in.byte(record, "velocita");
    c.pendenza = in.byte(record, "pendenza");
    c.aderenza = in.byte(record, "aderenza");
  }
  return celle;
}

}  // namespace scenario
