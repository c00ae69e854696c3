#include "compiler/writers/file_binari.h"

#include <cstdint>
#include <stdexcept>

#include "base/coding.h"

namespace scenario {

namespace {

// Field widths of an item record, without its name: they must add up to the
// record size the simulator expects.
constexpr std::size_t campi_elemento_senza_nome = 1 + 4 + 4 + 4 + 1 + 2 + 5 * 2 + 4 * 1 + 4;
static_assert(campi_elemento_senza_nome == dimensione_elemento_senza_nome);

// Field widths of a cell record.
constexpr std::size_t campi_cella = 1 + 4 * 2 + 6 * 1;
static_assert(campi_cella == dimensione_cella);

void put_elemento(std::string& out, const elemento& e) {
  if (e.nome.size() > lunghezza_nome_massima) {
    throw std::length_error("nome di elemento troppo lungo per il file di simulazione");
  }
  put_byte(out, e.tipo);
  put_int32(out, e.inizio);
  put_int32(out, e.fine);
  put_int32(out, e.posizione);
  put_byte(out, e.dato_b1);
  put_fixed16(out, static_cast<std::uint16_t>(e.nome.size()));
  out += e.nome;
  put_int16(out, e.dato_i1);
  put_int16(out, e.dato_i2);
  put_int16(out, e.dato_i3);
  put_int16(out, e.dato_i4);
  put_int16(out, e.dato_i5);
  put_byte(out, e.dato_b2);
  put_byte(out, e.dato_b3);
  put_byte(out, e.prolunga);
  put_byte(out, e.dato_b4);
  put_int32(out, e.orario);
}

// One cell into its 15 bytes, field by field.
void scrivi_cella(char* p, const cella& c) {
  p[0] = static_cast<char>(c.tipo);
  encode_fixed16(p + 1, static_cast<std::uint16_t>(c.dato1));
  encode_fixed16(p + 3, static_cast<std::uint16_t>(c.dato2));
  encode_fixed16(p + 5, static_cast<std::uint16_t>(c.dato3));
  encode_fixed16(p + 7, static_cast<std::uint16_t>(c.dato4));
  p[9] = static_cast<char>(c.dato5);
  p[10] = static_cast<char>(c.segno);
  p[11] = static_cast<char>(c.montagna);
  p[12] = static_cast<char>(c.velocita);
  p[13] = static_cast<char>(c.pendenza);
  p[14] = static_cast<char>(c.aderenza);
}

}  // namespace

std::string_view byte_linea_dat(modello_percorso& m) {
  return m.tracciato.byte();
}

std::string byte_sim(const modello_percorso& m) {
  std::size_t dimensione = 0;
  for (const elemento& e : m.elementi) dimensione += dimensione_elemento_senza_nome + e.nome.size();
  std::string out;
  out.reserve(dimensione);
  for (const elemento& e : m.elementi) put_elemento(out, e);
  return out;
}

std::string byte_celle_dat(const modello_percorso& m) {
  std::string out(m.celle.size() * dimensione_cella, '\0');
  char* p = out.data();
  for (const cella& c : m.celle) {
    scrivi_cella(p, c);
    p += dimensione_cella;
  }
  return out;
}

}  // namespace scenario
