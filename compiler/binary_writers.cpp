#include "compiler/binary_writers.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <type_traits>
#include <variant>

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

// One Variant, tag and value little-endian, into room already made: the
// geometry runs to 20 MB, where a push_back per byte cost more than laying
// the track itself.
unsigned char* scrivi_variante(unsigned char* p, const variante& v) {
  const auto byte = [&p](std::uint64_t x, int n) {
    for (int i = 0; i < n; ++i) *p++ = static_cast<unsigned char>((x >> (8 * i)) & 0xff);
  };
  if (const auto* i = std::get_if<std::int16_t>(&v)) {
    byte(tag_intero, 2);
    byte(static_cast<std::uint16_t>(*i), 2);
  } else if (const auto* d = std::get_if<double>(&v)) {
    std::uint64_t bits;
    std::memcpy(&bits, d, sizeof bits);
    byte(tag_doppio, 2);
    byte(bits, 8);
  } else {
    byte(tag_vuoto, 2);
  }
  return p;
}

std::size_t dimensione_variante(const variante& v) {
  if (std::holds_alternative<std::monostate>(v)) return byte_variante_vuota;
  if (std::holds_alternative<std::int16_t>(v)) return byte_variante_intero;
  return byte_variante_doppio;
}

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

void put_cella(std::string& out, const cella& c) {
  put_byte(out, c.tipo);
  put_int16(out, c.dato1);
  put_int16(out, c.dato2);
  put_int16(out, c.dato3);
  put_int16(out, c.dato4);
  put_byte(out, c.dato5);
  put_byte(out, c.segno);
  put_byte(out, c.montagna);
  put_byte(out, c.velocita);
  put_byte(out, c.pendenza);
  put_byte(out, c.aderenza);
}

}  // namespace

std::string bytes_linea_dat(const modello_percorso& m) {
  std::size_t dimensione = 0;
  for (const variante& v : m.tracciato) dimensione += dimensione_variante(v);
  std::string out(dimensione, '\0');
  auto* p = reinterpret_cast<unsigned char*>(out.data());
  // `tracciato` is already held column by column, x values first.
  for (const variante& v : m.tracciato) p = scrivi_variante(p, v);
  return out;
}

std::string bytes_sim(const modello_percorso& m) {
  std::size_t dimensione = 0;
  for (const elemento& e : m.elementi) dimensione += dimensione_elemento_senza_nome + e.nome.size();
  std::string out;
  out.reserve(dimensione);
  for (const elemento& e : m.elementi) put_elemento(out, e);
  return out;
}

std::string bytes_celle_dat(const modello_percorso& m) {
  std::string out;
  out.reserve(m.celle.size() * dimensione_cella);
  for (const cella& c : m.celle) put_cella(out, c);
  return out;
}

}  // namespace scenario
