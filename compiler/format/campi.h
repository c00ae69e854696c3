// The fields of a cell record and of an item table entry, in the order the
// binary files hold them, each with its name: the one list the writers, the
// decoders, the dumps and the decompiler's verification all walk. A field's
// width in the file follows from its type: Byte 1, Integer 2, Long 4, and a
// text 2 (its length) plus its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>

#include "compiler/route_model/route_model.h"

namespace scenario {

template <class R, class T>
struct campo {
  using tipo = T;
  std::string_view nome;
  T R::*membro;
};

// Bytes a field of type T takes, a text's own bytes not counted.
template <class T>
inline constexpr std::size_t larghezza_campo = sizeof(T);
template <>
inline constexpr std::size_t larghezza_campo<std::string> = 2;

inline constexpr std::tuple campi_cella{
    campo<cella, std::uint8_t>{"tipo", &cella::tipo},
    campo<cella, std::int16_t>{"dato1", &cella::dato1},
    campo<cella, std::int16_t>{"dato2", &cella::dato2},
    campo<cella, std::int16_t>{"dato3", &cella::dato3},
    campo<cella, std::int16_t>{"dato4", &cella::dato4},
    campo<cella, std::uint8_t>{"dato5", &cella::dato5},
    campo<cella, std::uint8_t>{"segno", &cella::segno},
    campo<cella, std::uint8_t>{"montagna", &cella::montagna},
    campo<cella, std::uint8_t>{"velocita", &cella::velocita},
    campo<cella, std::uint8_t>{"pendenza", &cella::pendenza},
    campo<cella, std::uint8_t>{"aderenza", &cella::aderenza},
};

inline constexpr std::tuple campi_elemento{
    campo<elemento, std::uint8_t>{"tipo", &elemento::tipo},
    campo<elemento, std::int32_t>{"inizio", &elemento::inizio},
    campo<elemento, std::int32_t>{"fine", &elemento::fine},
    campo<elemento, std::int32_t>{"posizione", &elemento::posizione},
    campo<elemento, std::uint8_t>{"dato_b1", &elemento::dato_b1},
    campo<elemento, std::string>{"nome", &elemento::nome},
    campo<elemento, std::int16_t>{"dato_i1", &elemento::dato_i1},
    campo<elemento, std::int16_t>{"dato_i2", &elemento::dato_i2},
    campo<elemento, std::int16_t>{"dato_i3", &elemento::dato_i3},
    campo<elemento, std::int16_t>{"dato_i4", &elemento::dato_i4},
    campo<elemento, std::int16_t>{"dato_i5", &elemento::dato_i5},
    campo<elemento, std::uint8_t>{"dato_b2", &elemento::dato_b2},
    campo<elemento, std::uint8_t>{"dato_b3", &elemento::dato_b3},
    campo<elemento, std::uint8_t>{"prolunga", &elemento::prolunga},
    campo<elemento, std::uint8_t>{"dato_b4", &elemento::dato_b4},
    campo<elemento, std::int32_t>{"orario", &elemento::orario},
};

// Calls f(field) for every field of the list, in file order.
template <class Campi, class F>
constexpr void per_ogni_campo(const Campi& campi, F&& f) {
  std::apply([&](const auto&... c) { (f(c), ...); }, campi);
}

// The bytes of a record of the list, its texts' own bytes not counted.
template <class Campi>
constexpr std::size_t larghezza_record(const Campi& campi) {
  std::size_t n = 0;
  per_ogni_campo(campi, [&](const auto& c) {
    n += larghezza_campo<typename std::remove_cvref_t<decltype(c)>::tipo>;
  });
  return n;
}

static_assert(larghezza_record(campi_cella) == dimensione_cella);
static_assert(larghezza_record(campi_elemento) == dimensione_elemento_senza_nome);

// The object's values of a cell, dato1 .. dato5, which the dumps list as
// they stand; a station's own numbers, the bytes then the Integers.
inline constexpr std::tuple campi_oggetto{std::get<1>(campi_cella), std::get<2>(campi_cella),
                                          std::get<3>(campi_cella), std::get<4>(campi_cella),
                                          std::get<5>(campi_cella)};
inline constexpr std::tuple campi_byte_stazione{
    std::get<4>(campi_elemento), std::get<11>(campi_elemento), std::get<12>(campi_elemento),
    std::get<14>(campi_elemento), std::get<13>(campi_elemento)};
inline constexpr std::tuple campi_interi_stazione{
    std::get<6>(campi_elemento), std::get<7>(campi_elemento), std::get<8>(campi_elemento),
    std::get<9>(campi_elemento), std::get<10>(campi_elemento)};

// A field's value as a whole number (bytes as numbers, not characters).
template <class R, class T>
std::int64_t numero_campo(const R& r, const campo<R, T>& c) {
  return static_cast<std::int64_t>(r.*c.membro);
}

}  // namespace scenario
