// The decoders against the writers, field by field. Where each field stands
// is written out here from the files' layouts (the tables of
// docs/formats.md), apart from the field lists both sides share, so that a
// fault the writer and the decoder share (two fields swapped in the list, a
// width changed) still shows.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "base/coding.h"
#include "compiler/format/errore_decodifica.h"
#include "compiler/format/file_binari.h"

namespace scenario {
namespace {

// ------------------------------------------------ the layouts, by hand ---

// A field at a fixed offset of its record, `size` bytes, signed or not, and
// how to get and set it on the record.
template <class R>
struct posto {
  const char* nome;
  std::size_t offset;
  std::size_t size;
  bool con_segno;
  std::function<std::int64_t(const R&)> leggi;
  std::function<void(R&, std::int64_t)> metti;
};

#define CAMPO(R, nome, offset, size, con_segno)                                         \
  posto<R> {                                                                            \
#nome, offset, size, con_segno, [](const R& r) { return std::int64_t{r.nome}; },      \
        [](R& r, std::int64_t v) { r.nome = static_cast<decltype(r.nome)>(v); } \
  }

const std::vector<posto<cella>>& posti_cella() {
  static const std::vector<posto<cella>> p = {
      CAMPO(cella, tipo, 0, 1, false),      CAMPO(cella, dato1, 1, 2, true),
      CAMPO(cella, dato2, 3, 2, true),      CAMPO(cella, dato3, 5, 2, true),
      CAMPO(cella, dato4, 7, 2, true),      CAMPO(cella, dato5, 9, 1, false),
      CAMPO(cella, segno, 10, 1, false),    CAMPO(cella, montagna, 11, 1, false),
      CAMPO(cella, velocita, 12, 1, false), CAMPO(cella, pendenza, 13, 1, false),
      CAMPO(cella, aderenza, 14, 1, false),
  };
  return p;
}

// Offsets of an entry's fields after its name count from 16 + n.
const std::vector<posto<elemento>>& posti_prima_del_nome() {
  static const std::vector<posto<elemento>> p = {
      CAMPO(elemento, tipo, 0, 1, false),     CAMPO(elemento, inizio, 1, 4, true),
      CAMPO(elemento, fine, 5, 4, true),      CAMPO(elemento, posizione, 9, 4, true),
      CAMPO(elemento, dato_b1, 13, 1, false),
  };
  return p;
}
const std::vector<posto<elemento>>& posti_dopo_il_nome() {
  static const std::vector<posto<elemento>> p = {
      CAMPO(elemento, dato_i1, 0, 2, true),   CAMPO(elemento, dato_i2, 2, 2, true),
      CAMPO(elemento, dato_i3, 4, 2, true),   CAMPO(elemento, dato_i4, 6, 2, true),
      CAMPO(elemento, dato_i5, 8, 2, true),   CAMPO(elemento, dato_b2, 10, 1, false),
      CAMPO(elemento, dato_b3, 11, 1, false), CAMPO(elemento, prolunga, 12, 1, false),
      CAMPO(elemento, dato_b4, 13, 1, false), CAMPO(elemento, orario, 14, 4, true),
  };
  return p;
}
#undef CAMPO

// A little-endian field read straight from the bytes.
std::int64_t a(const std::string& b, std::size_t at, std::size_t size, bool con_segno) {
  std::uint64_t u = 0;
  for (std::size_t i = 0; i < size; ++i) {
    u |= std::uint64_t{static_cast<unsigned char>(b.at(at + i))} << (8 * i);
  }
  if (!con_segno || size == 8) return static_cast<std::int64_t>(u);
  const std::uint64_t segno = std::uint64_t{1} << (8 * size - 1);
  return static_cast<std::int64_t>(u ^ segno) - static_cast<std::int64_t>(segno);
}

// ------------------------------------------------ generated records ---

class generatore {
 public:
  explicit generatore(unsigned seme) : g_(seme) {}

  // Any value of a field's width, its extremes and 0 often.
  std::int64_t valore(std::size_t size, bool con_segno) {
    const int bits = static_cast<int>(8 * size);
    const std::int64_t min = con_segno ? -(std::int64_t{1} << (bits - 1)) : 0;
    const std::int64_t max =
        con_segno ? (std::int64_t{1} << (bits - 1)) - 1 : (std::int64_t{1} << bits) - 1;
    switch (std::uniform_int_distribution<int>(0, 7)(g_)) {
      case 0:
        return min;
      case 1:
        return max;
      case 2:
        return 0;
      case 3:
        return con_segno ? -1 : 1;
      default:
        return std::uniform_int_distribution<std::int64_t>(min, max)(g_);
    }
  }

  cella una_cella() {
    cella c;
    for (const auto& p : posti_cella()) p.metti(c, valore(p.size, p.con_segno));
    return c;
  }

  elemento un_elemento() {
    elemento e;
    for (const auto& p : posti_prima_del_nome()) p.metti(e, valore(p.size, p.con_segno));
    for (const auto& p : posti_dopo_il_nome()) p.metti(e, valore(p.size, p.con_segno));
    const std::size_t n = std::uniform_int_distribution<std::size_t>(0, 40)(g_);
    for (std::size_t i = 0; i < n; ++i) {
      e.nome.push_back(static_cast<char>(std::uniform_int_distribution<int>(0, 255)(g_)));
    }
    return e;
  }

 private:
  std::mt19937_64 g_;
};

TEST(Decodifica, EveryCellFieldStandsWhereTheLayoutSaysAndComesBack) {
  generatore g(7547);
  for (int giro = 0; giro < 20; ++giro) {
    std::vector<cella> celle(1 + static_cast<std::size_t>(giro) * 37);
    for (cella& c : celle) c = g.una_cella();
    const std::string file = byte_celle_dat(celle);
    ASSERT_EQ(file.size(), celle.size() * 15);
    const std::vector<cella> letto = decodifica_celle_dat(file, "r.dat");
    ASSERT_EQ(letto.size(), celle.size());
    for (std::size_t k = 0; k < celle.size(); ++k) {
      for (const auto& p : posti_cella()) {
        ASSERT_EQ(a(file, 15 * k + p.offset, p.size, p.con_segno), p.leggi(celle[k]))
            << "cell " << k << " " << p.nome;
        ASSERT_EQ(p.leggi(letto[k]), p.leggi(celle[k])) << "cell " << k << " " << p.nome;
      }
    }
  }
}

TEST(Decodifica, EveryEntryFieldStandsWhereTheLayoutSaysAndComesBack) {
  generatore g(610);
  for (int giro = 0; giro < 30; ++giro) {
    tabella_elementi elementi{};
    for (elemento& e : elementi) e = g.un_elemento();
    const std::string file = byte_sim(elementi);
    const tabella_elementi letto = decodifica_sim(file, "r.sim");
    std::size_t at = 0;
    for (std::size_t k = 0; k < elementi.size(); ++k) {
      const elemento& e = elementi[k];
      for (const auto& p : posti_prima_del_nome()) {
        ASSERT_EQ(a(file, at + p.offset, p.size, p.con_segno), p.leggi(e))
            << "entry " << k << " " << p.nome;
        ASSERT_EQ(p.leggi(letto[k]), p.leggi(e)) << "entry " << k << " " << p.nome;
      }
      const std::size_t n = e.nome.size();
      ASSERT_EQ(a(file, at + 14, 2, false), static_cast<std::int64_t>(n));
      ASSERT_EQ(file.substr(at + 16, n), e.nome);
      ASSERT_EQ(letto[k].nome, e.nome);
      for (const auto& p : posti_dopo_il_nome()) {
        ASSERT_EQ(a(file, at + 16 + n + p.offset, p.size, p.con_segno), p.leggi(e))
            << "entry " << k << " " << p.nome;
        ASSERT_EQ(p.leggi(letto[k]), p.leggi(e)) << "entry " << k << " " << p.nome;
      }
      at += 34 + n;
    }
    ASSERT_EQ(at, file.size());
  }
}

// A geometry of a few runs, straight and curved either way, and its points
// as the model computes them.
TEST(Decodifica, EveryLinePointStandsWhereTheLayoutSaysAndComesBack) {
  std::mt19937 g(103);
  for (int giro = 0; giro < 12; ++giro) {
    const std::int64_t n = 3 + std::uniform_int_distribution<std::int64_t>(0, 400)(g);
    modello_percorso m;
    m.tracciato.crea(n - 1);
    if (giro % 4 != 0) {
      m.tracciato.semina();
      std::int64_t k = 1;
      while (k < n - 3) {
        k = std::min(n - 3, k + std::uniform_int_distribution<std::int64_t>(1, 60)(g));
        const double c = std::uniform_real_distribution<double>(-0.003, 0.003)(g);
        m.tracciato.posa(k, c, giro % 2 == 0);
      }
    }
    const std::string file(byte_linea_dat(m));
    const geometria letta = decodifica_linea_dat(file, "r_linea.dat", static_cast<std::size_t>(n));
    ASSERT_EQ(letta.x.size(), static_cast<std::size_t>(n));
    ASSERT_EQ(letta.y.size(), static_cast<std::size_t>(n));
    std::size_t at = 0;
    for (int colonna = 0; colonna < 2; ++colonna) {
      for (std::int64_t k = 0; k < n; ++k) {
        const variante v = m.tracciato.punto(k, colonna);
        const variante& w = (colonna == 0 ? letta.x : letta.y)[static_cast<std::size_t>(k)];
        const std::int64_t tag = a(file, at, 2, false);
        if (const auto* i = std::get_if<std::int16_t>(&v)) {
          ASSERT_EQ(tag, 2) << k;
          ASSERT_EQ(a(file, at + 2, 2, true), *i) << k;
          ASSERT_EQ(std::get<std::int16_t>(w), *i) << k;
          at += 4;
        } else if (const auto* d = std::get_if<double>(&v)) {
          ASSERT_EQ(tag, 5) << k;
          const auto bits = std::bit_cast<std::uint64_t>(*d);
          ASSERT_EQ(static_cast<std::uint64_t>(a(file, at + 2, 8, false)), bits) << k;
          ASSERT_EQ(std::bit_cast<std::uint64_t>(std::get<double>(w)), bits) << k;
          at += 10;
        } else {
          ASSERT_EQ(tag, 0) << k;
          ASSERT_TRUE(std::holds_alternative<std::monostate>(w)) << k;
          at += 2;
        }
      }
    }
    ASSERT_EQ(at, file.size());
  }
}

// ----------------------------------------------------------- faults ---

template <class F>
errore_decodifica errore_di(F&& decodifica) {
  try {
    decodifica();
  } catch (const errore_decodifica& e) {
    return e;
  }
  ADD_FAILURE() << "no error";
  return errore_decodifica("", std::nullopt, "");
}

std::string sim_vuoto() {
  return byte_sim(tabella_elementi{});
}

TEST(Decodifica, EmptyNamesMake34ByteEntries) {
  EXPECT_EQ(sim_vuoto().size(), 87u * 34u);
  EXPECT_NO_THROW(decodifica_sim(sim_vuoto(), "r.sim"));
}

TEST(Decodifica, BytesAfterEntry86AreAnError) {
  const errore_decodifica e = errore_di([] { decodifica_sim(sim_vuoto() + "zz", "r.sim"); });
  EXPECT_EQ(e.offset(), 87u * 34u);
  EXPECT_NE(e.motivo().find("2 bytes follow entry 86"), std::string::npos) << e.what();
}

TEST(Decodifica, SimFileEndingInsideAnEntryNamesEntryAndField) {
  const errore_decodifica e =
      errore_di([] { decodifica_sim(sim_vuoto().substr(0, 86 * 34 + 20), "r.sim"); });
  EXPECT_EQ(e.offset(), 86u * 34u + 20u);  // dato_i3 of entry 86 starts there
  EXPECT_NE(e.motivo().find("entry 86, field dato_i3"), std::string::npos) << e.what();
}

TEST(Decodifica, NameLengthRunningPastTheEnd) {
  std::string bytes = sim_vuoto();
  bytes[86 * 34 + 14] = '\x40';  // entry 86 claims a 64-byte name
  const errore_decodifica e = errore_di([&] { decodifica_sim(bytes, "r.sim"); });
  EXPECT_EQ(e.offset(), 86u * 34u + 14u);
  EXPECT_NE(e.motivo().find("length 64 of nome runs past the end"), std::string::npos) << e.what();
}

std::optional<std::size_t> offset_celle(const std::string& bytes) {
  try {
    decodifica_celle_dat(bytes, "r.dat");
  } catch (const errore_decodifica& e) {
    return e.offset();
  }
  return std::nullopt;
}

TEST(Decodifica, CellFileEmptyOrWithPartialCells) {
  EXPECT_EQ(offset_celle(""), 0u);
  EXPECT_EQ(offset_celle(std::string(14, '\0')), 0u);
  EXPECT_EQ(offset_celle(std::string(15 * 3 + 7, '\0')), 45u);
  EXPECT_EQ(offset_celle(std::string(15 * 3, '\0')), std::nullopt);
}

errore_decodifica guasto_linea(const std::string& bytes,
                               std::optional<std::size_t> punti = std::nullopt) {
  return errore_di([&] { decodifica_linea_dat(bytes, "r_linea.dat", punti); });
}

TEST(Decodifica, UnknownTagNamesItsOffset) {
  std::string b;
  put_fixed16(b, 2);
  put_int16(b, 0);
  put_fixed16(b, 8);  // a String tag: never written
  const errore_decodifica e = guasto_linea(b);
  EXPECT_EQ(e.offset(), 4u);
  EXPECT_NE(e.motivo().find("unknown Variant tag 8"), std::string::npos) << e.what();
}

TEST(Decodifica, ValueCutShortAndTagCutShort) {
  std::string b;
  put_fixed16(b, 5);
  put_int32(b, 0);
  EXPECT_EQ(guasto_linea(b).offset(), 2u);
  std::string c;
  put_fixed16(c, 0);
  c.push_back('\0');
  EXPECT_EQ(guasto_linea(c).offset(), 2u);
}

TEST(Decodifica, HalvesOfDifferentLengthAndWrongPointCount) {
  std::string b;
  for (int i = 0; i < 3; ++i) put_fixed16(b, 0);
  const errore_decodifica odd = guasto_linea(b);
  EXPECT_EQ(odd.offset(), 6u);
  EXPECT_EQ(odd.motivo(),
            "the x and y halves differ in length: 3 elements, an odd count (x 2, y 1)");
  std::string cinque = b;
  for (int i = 0; i < 2; ++i) put_fixed16(cinque, 0);
  EXPECT_EQ(guasto_linea(cinque).motivo(),
            "the x and y halves differ in length: 5 elements, an odd count (x 3, y 2)");

  put_fixed16(b, 0);  // 4 elements: 2 points per column
  EXPECT_NO_THROW(decodifica_linea_dat(b, "r_linea.dat", 2));
  EXPECT_EQ(guasto_linea(b, 1).offset(), 4u);  // element 2 is where the surplus starts
  EXPECT_EQ(guasto_linea(b, 1).motivo(),
            "the file holds 2 points per column, the line length calls for 1");
  EXPECT_EQ(guasto_linea(b, 3).offset(), 8u);  // short: the end of the file
  EXPECT_EQ(guasto_linea("").offset(), 0u);
}

}  // namespace
}  // namespace scenario
