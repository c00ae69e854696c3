// Test support for the boundary tests: scenario texts built record by
// record, the compile step on them, and the three binary files decoded here
// with a few lines of their own from the documented layout (docs/formats.md).
// Expected values are written in the tests from the rules; nothing here
// calls the compiler's helpers or reads its constants, so a slip in them
// cannot hide on both sides of a comparison.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "compiler/compila.h"

namespace scenario::confini {

// ------------------------------------------------------------- texts ---

inline std::string righe(const std::vector<std::string>& r) {
  std::string s;
  for (const std::string& x : r) s += x + "\r\n";
  return s;
}

// A line description file of length L: the general section ("lunghezza
// percorso" first, then `generale`), then `corpo` in one section. The
// closing field is never examined.
inline std::string linea(std::int64_t L, const std::vector<std::string>& corpo,
                         const std::vector<std::string>& generale = {}) {
  std::string s = righe({"[generale]", "lunghezza percorso, " + std::to_string(L)});
  s += righe(generale) + "[corpo]\r\n" + righe(corpo) + "[fine]\r\n";
  return s;
}

inline std::string servizio(const std::vector<std::string>& corpo) {
  return "[generale]\r\n" + righe(corpo) + "[fine]\r\n";
}

// A signal with sx = 1 and every other value 0 at p: it goes into cell
// R(p / 50 + 1).
inline std::string segnale_sx1(std::int64_t p) {
  return "segnale, " + std::to_string(p) + ", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0";
}

// The compile step on two texts, route "L" and train "T".
inline risultato_compilazione compila_testi(const std::string& l, const std::string& s,
                                            std::int32_t j = 1) {
  opzioni_compilazione o;
  o.nome_linea = "L";
  o.numero_treno = "T";
  o.j = j;
  testi_scenario t;
  t.linea = l;
  t.servizio = s;
  return compila(t, o);
}

// --------------------------------------------------------- decoding ---

inline std::uint8_t u8(const std::string& b, std::size_t o) {
  return static_cast<std::uint8_t>(b.at(o));
}
inline std::int16_t i16(const std::string& b, std::size_t o) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(u8(b, o) | (u8(b, o + 1) << 8)));
}
inline std::int32_t i32(const std::string& b, std::size_t o) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v |= std::uint32_t{u8(b, o + i)} << (8 * i);
  return static_cast<std::int32_t>(v);
}

// One 15-byte record of the cell data file.
struct cella_dat {
  std::uint8_t tipo = 0;
  std::int16_t dato1 = 0, dato2 = 0, dato3 = 0, dato4 = 0;
  std::uint8_t dato5 = 0, segno = 0, montagna = 0, velocita = 0, pendenza = 0, aderenza = 0;
  bool operator==(const cella_dat&) const = default;
};

inline std::string testo(const cella_dat& c) {
  std::ostringstream o;
  o << "tipo " << int{c.tipo} << " dato1-4 " << c.dato1 << ' ' << c.dato2 << ' ' << c.dato3 << ' '
    << c.dato4 << " dato5 " << int{c.dato5} << " segno " << int{c.segno} << " montagna "
    << int{c.montagna} << " velocita " << int{c.velocita} << " pendenza " << int{c.pendenza}
    << " aderenza " << int{c.aderenza};
  return o.str();
}

inline std::vector<cella_dat> celle_dat(const std::string& b) {
  std::vector<cella_dat> v;
  EXPECT_EQ(b.size() % 15, 0u);
  for (std::size_t o = 0; o + 15 <= b.size(); o += 15) {
    v.push_back({u8(b, o), i16(b, o + 1), i16(b, o + 3), i16(b, o + 5), i16(b, o + 7), u8(b, o + 9),
                 u8(b, o + 10), u8(b, o + 11), u8(b, o + 12), u8(b, o + 13), u8(b, o + 14)});
  }
  return v;
}

// One entry of the simulation file: 34 bytes plus its name.
struct voce_sim {
  std::uint8_t tipo = 0;
  std::int32_t inizio = 0, fine = 0, posizione = 0;
  std::uint8_t dato_b1 = 0;
  std::string nome;
  std::int16_t dato_i1 = 0, dato_i2 = 0, dato_i3 = 0, dato_i4 = 0, dato_i5 = 0;
  std::uint8_t dato_b2 = 0, dato_b3 = 0, prolunga = 0, dato_b4 = 0;
  std::int32_t orario = 0;
};

// The 87 entries; the file must hold them and nothing more.
inline std::vector<voce_sim> voci_sim(const std::string& b) {
  std::vector<voce_sim> v;
  std::size_t o = 0;
  for (int e = 0; e < 87 && o + 34 <= b.size(); ++e) {
    voce_sim x;
    x.tipo = u8(b, o);
    x.inizio = i32(b, o + 1);
    x.fine = i32(b, o + 5);
    x.posizione = i32(b, o + 9);
    x.dato_b1 = u8(b, o + 13);
    const std::size_t n = static_cast<std::uint16_t>(i16(b, o + 14));
    x.nome = b.substr(o + 16, n);
    o += n;
    x.dato_i1 = i16(b, o + 16);
    x.dato_i2 = i16(b, o + 18);
    x.dato_i3 = i16(b, o + 20);
    x.dato_i4 = i16(b, o + 22);
    x.dato_i5 = i16(b, o + 24);
    x.dato_b2 = u8(b, o + 26);
    x.dato_b3 = u8(b, o + 27);
    x.prolunga = u8(b, o + 28);
    x.dato_b4 = u8(b, o + 29);
    x.orario = i32(b, o + 30);
    o += 34;
    v.push_back(x);
  }
  EXPECT_EQ(v.size(), 87u);
  EXPECT_EQ(o, b.size());
  return v;
}

// The values of the line data file in file order (every x, then every y):
// tag 0 empty, 2 Integer, 5 Double.
struct variante {
  std::uint16_t tag = 0;
  double valore = 0.0;
};

inline std::vector<variante> varianti(std::string_view b) {
  std::vector<variante> v;
  const std::string s(b);
  std::size_t o = 0;
  while (o + 2 <= s.size()) {
    variante x;
    x.tag = static_cast<std::uint16_t>(i16(s, o));
    o += 2;
    if (x.tag == 2) {
      x.valore = i16(s, o);
      o += 2;
    } else if (x.tag == 5) {
      std::uint64_t bits = 0;
      for (std::size_t i = 0; i < 8; ++i) bits |= std::uint64_t{u8(s, o + i)} << (8 * i);
      std::memcpy(&x.valore, &bits, sizeof bits);
      o += 8;
    } else {
      EXPECT_EQ(x.tag, 0) << "at byte " << o - 2;
    }
    v.push_back(x);
  }
  EXPECT_EQ(o, s.size());
  return v;
}

// ------------------------------------------------------ expectations ---

enum class campo {
  tipo,
  dato1,
  dato2,
  dato3,
  dato4,
  dato5,
  segno,
  montagna,
  velocita,
  pendenza,
  aderenza
};

// The cells a scenario should give, built from a bare line: n + 1 cells,
// all zero but the level grade (100) that the end of the line file writes
// into cells 0 .. n - 3. Speed and adhesion start at 0.
class celle_attese {
 public:
  explicit celle_attese(std::size_t n) : c(n + 1) {
    for (std::size_t k = 0; k + 3 <= n; ++k) c[k].pendenza = 100;
  }

  // An object: the cell's code and its values; profiles stay.
  celle_attese& oggetto(std::size_t k, std::uint8_t tipo, std::int16_t d1 = 0, std::int16_t d2 = 0,
                        std::int16_t d3 = 0, std::int16_t d4 = 0, std::uint8_t d5 = 0) {
    cella_dat& x = c.at(k);
    x.tipo = tipo;
    x.dato1 = d1;
    x.dato2 = d2;
    x.dato3 = d3;
    x.dato4 = d4;
    x.dato5 = d5;
    return *this;
  }
  // The signal that segnale_sx1 records, in cell k: code 1 with dato4
  // 1 x 3 + 0 = 3, and approach marks 31 .. 34 two, four, six and eight
  // cells before it.
  celle_attese& segnale(std::size_t k) {
    oggetto(k, 1, 0, 0, 0, 3);
    for (std::size_t r = 1; r <= 4; ++r)
      in(k - 2 * r, campo::segno, static_cast<std::int32_t>(30 + r));
    return *this;
  }
  // A marker of the placement pass: code 12 with 180.
  celle_attese& marcatore(std::size_t k) { return oggetto(k, 12, 180); }
  // One field of cells da .. a (inclusive).
  celle_attese& tratto(std::size_t da, std::size_t a, campo f, std::int32_t v) {
    for (std::size_t k = da; k <= a; ++k) poni(c.at(k), f, v);
    return *this;
  }
  celle_attese& in(std::size_t k, campo f, std::int32_t v) { return tratto(k, k, f, v); }

  std::vector<cella_dat> c;

 private:
  static void poni(cella_dat& x, campo f, std::int32_t v) {
    const auto b = static_cast<std::uint8_t>(v);
    const auto i = static_cast<std::int16_t>(v);
    switch (f) {
      case campo::tipo:
        x.tipo = b;
        break;
      case campo::dato1:
        x.dato1 = i;
        break;
      case campo::dato2:
        x.dato2 = i;
        break;
      case campo::dato3:
        x.dato3 = i;
        break;
      case campo::dato4:
        x.dato4 = i;
        break;
      case campo::dato5:
        x.dato5 = b;
        break;
      case campo::segno:
        x.segno = b;
        break;
      case campo::montagna:
        x.montagna = b;
        break;
      case campo::velocita:
        x.velocita = b;
        break;
      case campo::pendenza:
        x.pendenza = b;
        break;
      case campo::aderenza:
        x.aderenza = b;
        break;
    }
  }
};

// Every cell of the file against the expected ones, reporting the first
// few that differ. Cell 1's dato1 and dato2 hold the reserved stamps of the
// writers and are not compared.
inline void confronta_celle(const std::string& dat, const celle_attese& attese) {
  std::vector<cella_dat> c = celle_dat(dat);
  ASSERT_EQ(c.size(), attese.c.size()) << "cells in the file";
  int diverse = 0;
  for (std::size_t k = 0; k < c.size(); ++k) {
    if (k == 1) {
      c[k].dato1 = attese.c[k].dato1;
      c[k].dato2 = attese.c[k].dato2;
    }
    if (c[k] == attese.c[k]) continue;
    if (++diverse <= 8) {
      ADD_FAILURE() << "cell " << k << ":\n  file     " << testo(c[k]) << "\n  expected "
                    << testo(attese.c[k]);
    }
  }
  EXPECT_EQ(diverse, 0) << "cells that differ";
}

// One scenario of a table: the body records of a line file of length 1000
// m (cells 0 .. 160) and the records of the service file, the error pair
// it must leave, and the cells that differ from a bare line.
struct caso {
  std::string nome;
  std::vector<std::string> linea;
  std::vector<std::string> servizio;
  std::int32_t codice = 0;
  std::int32_t posizione = 0;
  std::function<void(celle_attese&)> celle;
};

inline void verifica(const caso& k, std::int64_t L = 1000, std::size_t n = 160) {
  SCOPED_TRACE(k.nome);
  risultato_compilazione r = compila_testi(linea(L, k.linea), servizio(k.servizio));
  EXPECT_EQ(r.modello.codice_errore, k.codice);
  EXPECT_EQ(r.modello.posizione_errore, k.posizione);
  ASSERT_EQ(r.esito, esito_compilazione::completato);
  celle_attese a(n);
  if (k.celle) k.celle(a);
  confronta_celle(r.celle_dat, a);
}

inline void verifica_tutti(const std::vector<caso>& casi, std::int64_t L = 1000,
                           std::size_t n = 160) {
  for (const caso& k : casi) verifica(k, L, n);
}

}  // namespace scenario::confini
