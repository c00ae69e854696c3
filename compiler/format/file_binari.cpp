#include "compiler/format/file_binari.h"

#include <cstdint>
#include <stdexcept>

#include "base/coding.h"
#include "compiler/format/campi.h"
#include "compiler/format/lettore_byte.h"

namespace scenario {

namespace {

// One field into the file, at the width of its type.
void metti(std::string& out, std::uint8_t v) {
  put_byte(out, v);
}
void metti(std::string& out, std::int16_t v) {
  put_int16(out, v);
}
void metti(std::string& out, std::int32_t v) {
  put_int32(out, v);
}
void metti(std::string& out, const std::string& v) {
  if (v.size() > lunghezza_nome_massima) {
    throw std::length_error("nome di elemento troppo lungo per il file di simulazione");
  }
  put_fixed16(out, static_cast<std::uint16_t>(v.size()));
  out += v;
}

template <class R, class Campi>
void scrivi_record(std::string& out, const R& r, const Campi& campi) {
  per_ogni_campo(campi, [&](const auto& c) { metti(out, r.*c.membro); });
}

template <class R, class Campi>
void leggi_record(lettore_byte& in, std::string_view record, R& r, const Campi& campi) {
  per_ogni_campo(campi, [&](const auto& c) { in.leggi(record, c.nome, r.*c.membro); });
}

// First pass over the line data file: checks every tag and value length;
// returns the element count. With `fino_a`, returns instead the offset at
// which that element starts (the file's size when it has no such element).
// Names are built only for a fault: the largest route holds two million
// elements.
std::size_t percorri_elementi(std::string_view bytes, const lettore_byte& controllo,
                              std::optional<std::size_t> fino_a = std::nullopt) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t at = 0;
  std::size_t n = 0;
  while (at < bytes.size()) {
    if (fino_a && n == *fino_a) return at;
    auto record = [&] { return "element " + std::to_string(n); };
    const std::size_t resto = bytes.size() - at;
    if (resto < 2) {
      controllo.fallisci(at, "the file ends inside the tag of " + record() + " (1 byte left)");
    }
    const std::uint16_t tag = decode_fixed16(data + at);
    const std::optional<std::size_t> valore = byte_dopo_tag(tag);
    if (!valore) {
      controllo.fallisci(at, "unknown Variant tag " + std::to_string(tag) + " in " + record() +
                                 " (known: 0 empty, 2 Integer, 5 Double)");
    }
    if (resto - 2 < *valore) {
      controllo.fallisci(at + 2, "the file ends inside the value of " + record() + " (" +
                                     std::to_string(*valore) + " bytes needed, " +
                                     std::to_string(resto - 2) + " left)");
    }
    at += 2 + *valore;
    ++n;
  }
  return fino_a ? bytes.size() : n;
}

}  // namespace

std::string_view byte_linea_dat(modello_percorso& m) {
  return m.tracciato.byte();
}

std::string byte_sim(const tabella_elementi& elementi) {
  std::size_t dimensione = 0;
  for (const elemento& e : elementi) dimensione += dimensione_elemento_senza_nome + e.nome.size();
  std::string out;
  out.reserve(dimensione);
  for (const elemento& e : elementi) scrivi_record(out, e, campi_elemento);
  return out;
}

std::string byte_sim(const modello_percorso& m) {
  return byte_sim(m.elementi);
}

std::string byte_celle_dat(const std::vector<cella>& celle) {
  std::string out;
  out.reserve(celle.size() * dimensione_cella);
  for (const cella& c : celle) scrivi_record(out, c, campi_cella);
  return out;
}

std::string byte_celle_dat(const modello_percorso& m) {
  return byte_celle_dat(m.celle);
}

tabella_elementi decodifica_sim(std::string_view bytes, const std::string& file,
                                osservatore_campi* osservatore) {
  lettore_byte in(bytes, file, osservatore);
  tabella_elementi elementi{};
  std::string record;
  for (int k = 0; k < n_elementi; ++k) {
    record = "entry " + std::to_string(k);
    leggi_record(in, record, elementi[static_cast<std::size_t>(k)], campi_elemento);
  }
  if (!in.alla_fine()) {
    in.fallisci(in.offset(), std::to_string(in.rimasti()) + " bytes follow entry " +
                                 std::to_string(n_elementi - 1) +
                                 ", the last entry of a simulation file");
  }
  return elementi;
}

std::vector<cella> decodifica_celle_dat(std::string_view bytes, const std::string& file,
                                        osservatore_campi* osservatore) {
  lettore_byte in(bytes, file, osservatore);
  if (bytes.empty()) in.fallisci(0, "the file is empty: a cell data file holds at least one cell");
  const std::size_t intere = bytes.size() / dimensione_cella;
  if (bytes.size() % dimensione_cella != 0) {
    in.fallisci(intere * dimensione_cella, "the file ends inside cell " + std::to_string(intere) +
                                               ": " + std::to_string(bytes.size()) +
                                               " bytes is not a whole number of " +
                                               std::to_string(dimensione_cella) + "-byte cells");
  }
  std::vector<cella> celle(intere);
  std::string record;
  for (std::size_t k = 0; k < intere; ++k) {
    record = "cell " + std::to_string(k);
    leggi_record(in, record, celle[k], campi_cella);
  }
  return celle;
}

geometria decodifica_linea_dat(std::string_view bytes, const std::string& file,
                               std::optional<std::size_t> punti_attesi,
                               osservatore_campi* osservatore) {
  const lettore_byte controllo(bytes, file, nullptr);
  if (bytes.empty()) controllo.fallisci(0, "the file is empty: a line data file holds two columns");
  const std::size_t n = percorri_elementi(bytes, controllo);
  if (n % 2 != 0) {
    controllo.fallisci(bytes.size(), "the x and y halves differ in length: " + std::to_string(n) +
                                         " elements, an odd count (x " + std::to_string(n / 2 + 1) +
                                         ", y " + std::to_string(n / 2) + ")");
  }
  if (punti_attesi && n != 2 * *punti_attesi) {
    const std::size_t at = percorri_elementi(bytes, controllo, 2 * *punti_attesi);
    controllo.fallisci(at, "the file holds " + std::to_string(n / 2) +
                               " points per column, the line length calls for " +
                               std::to_string(*punti_attesi));
  }

  geometria g;
  const std::size_t punti = n / 2;
  g.x.reserve(punti);
  g.y.reserve(punti);
  lettore_byte in(bytes, file, osservatore);
  std::string record;
  for (std::size_t k = 0; k < n; ++k) {
    const bool di_x = k < punti;
    const std::size_t punto = di_x ? k : k - punti;
    if (osservatore != nullptr) record = (di_x ? "x[" : "y[") + std::to_string(punto) + "]";
    const std::uint16_t tag = in.leggi_uint16(record, "tag");
    variante v;
    if (tag == tag_intero) v = in.leggi_int16(record, "value");
    if (tag == tag_doppio) v = in.leggi_doppio(record, "value");
    (di_x ? g.x : g.y).push_back(v);
  }
  return g;
}

}  // namespace scenario
