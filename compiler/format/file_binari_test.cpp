#include "compiler/format/file_binari.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "base/coding.h"

namespace scenario {
namespace {

std::string b(std::initializer_list<int> bytes) {
  std::string out;
  for (int v : bytes) out.push_back(static_cast<char>(v));
  return out;
}

TEST(FileSimulazione, OneItemByteForByte) {
  modello_percorso m;
  elemento& e = m.elementi[85];
  e.tipo = 3;
  e.inizio = 0x01020304;
  e.fine = -2;
  e.posizione = 50;
  e.dato_b1 = 9;
  e.nome = "Orte\xB0";  // "°" is one byte in Windows-1252
  e.dato_i1 = 610;
  e.dato_i2 = -1;
  e.dato_i3 = 3;
  e.dato_i4 = 4;
  e.dato_i5 = 0x1234;
  e.dato_b2 = 6;
  e.dato_b3 = 7;
  e.prolunga = 1;
  e.dato_b4 = 255;
  e.orario = 34130;
  const std::string file = byte_sim(m);
  ASSERT_EQ(file.size(), 87u * 34u + 5u);

  // Entries 0 .. 84 are cleared: 34 zero bytes each.
  EXPECT_EQ(file.substr(0, 85 * 34), std::string(85 * 34, '\0'));
  const std::string attesi =
      b({3, 4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 50, 0, 0, 0, 9, 5, 0}) + "Orte\xB0" +
      b({0x62, 0x02, 0xFF, 0xFF, 3, 0, 4, 0, 0x34, 0x12, 6, 7, 1, 255, 0x52, 0x85, 0, 0});
  EXPECT_EQ(file.substr(85 * 34, 34 + 5), attesi);
  EXPECT_EQ(file.substr(86 * 34 + 5), std::string(34, '\0'));
}

TEST(FileSimulazione, SizeIs87x34PlusNameLengths) {
  modello_percorso m;
  m.elementi[1].nome = "Viterbo Porta Fiorentina";
  m.elementi[80].nome = "";
  m.elementi[85].nome = "Viterbo_Attigliano_Orte";
  m.elementi[86].nome = "7547";
  EXPECT_EQ(byte_sim(m).size(), 87u * 34u + 24u + 23u + 4u);
  // The name length is written before the name, as 2 bytes.
  const std::string file = byte_sim(m);
  EXPECT_EQ(decode_fixed16(reinterpret_cast<const unsigned char*>(file.data()) + 34 + 14), 24);
}

TEST(FileSimulazione, NameTooLongForItsLengthField) {
  modello_percorso m;
  m.elementi[3].nome = std::string(65535, 'a');
  EXPECT_EQ(byte_sim(m).size(), 87u * 34u + 65535u);
  m.elementi[3].nome.push_back('a');
  EXPECT_THROW(byte_sim(m), std::length_error);
}

TEST(FileCelle, OneCellByteForByteAt15k) {
  modello_percorso m;
  m.celle.resize(4);
  cella& c = m.celle[2];
  c.tipo = 12;
  c.dato1 = 180;
  c.dato2 = -2;
  c.dato3 = 0x0102;
  c.dato4 = 5121;
  c.dato5 = 200;
  c.segno = 81;
  c.montagna = 2;
  c.velocita = 24;
  c.pendenza = 75;
  c.aderenza = 255;
  const std::string file = byte_celle_dat(m);
  ASSERT_EQ(file.size(), 4u * 15u);
  EXPECT_EQ(file.substr(30, 15), b({12, 180, 0, 0xFE, 0xFF, 2, 1, 1, 20, 200, 81, 2, 24, 75, 255}));
  EXPECT_EQ(file.substr(0, 30), std::string(30, '\0'));
  EXPECT_EQ(file.substr(45), std::string(15, '\0'));
}

TEST(FileCelle, SizeIs15PerCellIncludingCell0) {
  modello_percorso m;
  m.celle.resize(1341);
  EXPECT_EQ(byte_celle_dat(m).size(), 20115u);
  EXPECT_EQ(byte_celle_dat(modello_percorso{}).size(), 0u);
}

// The geometry as the line reader leaves it: points 0 and 1 integers, 2 to
// L - 2 doubles, the last two empty, x column then y column. Straight on
// from the seed: x stays 0, y is the point's index.
modello_percorso tracciato_di_prova(std::int32_t l) {
  modello_percorso m;
  m.lunghezza_tracciato = l;
  m.tracciato.crea(l);
  m.tracciato.semina();
  m.tracciato.posa(l - 2, 0.0, false);
  return m;
}

TEST(FileLinea, TagPatternAndValues) {
  modello_percorso m = tracciato_di_prova(5);
  const std::string file(byte_linea_dat(m));
  ASSERT_EQ(file.size(), 2u * (2 * 4 + (5 - 3) * 10 + 2 * 2));
  ASSERT_EQ(m.tracciato.size(), file.size());
  // x of points 0 and 1 are Integers 0; x of point 2 is the Double 0.0.
  EXPECT_EQ(file.substr(0, 18), b({2, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  // Point 3's x, then points 4 and 5 empty.
  EXPECT_EQ(file.substr(18, 14), b({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  // The y half: 0, 1, then 2.0 = 0x4000000000000000 and 3.0, then empty.
  const std::string y = file.substr(32);
  EXPECT_EQ(y.substr(0, 8), b({2, 0, 0, 0, 2, 0, 1, 0}));
  EXPECT_EQ(decode_double(reinterpret_cast<const unsigned char*>(y.data()) + 10), 2.0);
  EXPECT_EQ(decode_double(reinterpret_cast<const unsigned char*>(y.data()) + 20), 3.0);
  EXPECT_EQ(y.substr(28), b({0, 0, 0, 0}));
}

TEST(FileLinea, SizeForA60000MetreLine) {
  modello_percorso m = tracciato_di_prova(67000);
  EXPECT_EQ(byte_linea_dat(m).size(), 1339964u);
}

}  // namespace
}  // namespace scenario
