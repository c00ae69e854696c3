#include "compiler/format/lettore_byte.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/coding.h"
#include "compiler/format/errore_decodifica.h"

namespace scenario {
namespace {

struct recording_sink : osservatore_campi {
  std::vector<std::string> lines;
  void nota(const nota_campo& f) override {
    lines.push_back(std::to_string(f.offset) + "+" + std::to_string(f.bytes.size()) + " " +
                    std::string(f.record) + "." + std::string(f.campo) + "=" +
                    std::string(f.valore));
  }
};

TEST(LettoreByte, ReadsLittleEndianFieldsAndNotesEach) {
  std::string b;
  put_byte(b, 200);
  put_int16(b, -2);
  put_int32(b, 49740);
  put_double(b, 0.1);
  put_fixed16(b, 3);
  b += "ORT";
  recording_sink sink;
  lettore_byte in(b, "f.sim", &sink);
  EXPECT_EQ(in.leggi_byte("r", "a"), 200);
  EXPECT_EQ(in.leggi_int16("r", "b"), -2);
  EXPECT_EQ(in.leggi_int32("r", "c"), 49740);
  EXPECT_EQ(in.leggi_doppio("r", "d"), 0.1);
  EXPECT_EQ(in.leggi_testo("r", "nome"), "ORT");
  EXPECT_TRUE(in.alla_fine());
  const std::vector<std::string> expected = {
      "0+1 r.a=200",        "1+2 r.b=-2", "3+4 r.c=49740", "7+8 r.d=0.1", "15+2 r.length of nome=3",
      "17+3 r.nome=\"ORT\""};
  EXPECT_EQ(sink.lines, expected);
}

TEST(LettoreByte, FieldPastTheEndNamesFileAndOffset) {
  std::string b;
  put_int16(b, 7);
  b.push_back('\x01');
  lettore_byte in(b, "f.dat", nullptr);
  in.leggi_int16("cell 0", "dato1");
  try {
    in.leggi_int16("cell 0", "dato2");
    FAIL();
  } catch (const errore_decodifica& e) {
    EXPECT_EQ(e.file(), "f.dat");
    EXPECT_EQ(e.offset(), 2u);
    EXPECT_NE(std::string(e.what()).find("f.dat: byte 2: the file ends inside cell 0, field dato2"),
              std::string::npos)
        << e.what();
  }
}

TEST(LettoreByte, EachWidthCutShortNamesItsRecordAndField) {
  struct caso {
    std::size_t larghezza;
    void (*leggi)(lettore_byte&);
  };
  const caso casi[] = {
      {1, [](lettore_byte& in) { in.leggi_byte("entry 3", "tipo"); }},
      {2, [](lettore_byte& in) { in.leggi_uint16("entry 3", "tipo"); }},
      {2, [](lettore_byte& in) { in.leggi_int16("entry 3", "tipo"); }},
      {4, [](lettore_byte& in) { in.leggi_int32("entry 3", "tipo"); }},
      {8, [](lettore_byte& in) { in.leggi_doppio("entry 3", "tipo"); }},
  };
  for (const caso& c : casi) {
    const std::string b(c.larghezza - 1, '\x7F');
    lettore_byte in(b, "f.sim", nullptr);
    try {
      c.leggi(in);
      ADD_FAILURE() << c.larghezza;
    } catch (const errore_decodifica& e) {
      EXPECT_EQ(e.offset(), 0u);
      EXPECT_EQ(e.motivo(), "the file ends inside entry 3, field tipo (" +
                                std::to_string(c.larghezza) + " bytes needed, " +
                                std::to_string(c.larghezza - 1) + " left)");
    }
  }
  std::string b;
  put_fixed16(b, 65535);
  recording_sink sink;
  lettore_byte in(b, "f.sim", &sink);
  EXPECT_EQ(in.leggi_uint16("r", "n"), 65535);
  EXPECT_EQ(sink.lines, std::vector<std::string>{"0+2 r.n=65535"});
}

TEST(LettoreByte, StringLengthRunningPastTheEndPointsAtTheLength) {
  std::string b = "xx";
  put_fixed16(b, 10);
  b += "abc";
  lettore_byte in(b, "f.sim", nullptr);
  in.leggi_int16("entry 0", "pad");
  try {
    in.leggi_testo("entry 0", "nome");
    FAIL();
  } catch (const errore_decodifica& e) {
    EXPECT_EQ(e.offset(), 2u);
    EXPECT_NE(std::string(e.what()).find("length 10 of nome runs past the end"), std::string::npos)
        << e.what();
  }
}

TEST(LettoreByte, TextValuesStayOnOneLine) {
  std::string b;
  put_fixed16(b, 5);
  b += "a\nb\"\xb0";
  recording_sink sink;
  lettore_byte in(b, "f.sim", &sink);
  EXPECT_EQ(in.leggi_testo("entry 1", "nome"), "a\nb\"\xb0");
  EXPECT_EQ(sink.lines.back(), "2+5 entry 1.nome=\"a\\x0ab\\x22\xc2\xb0\"");
}

TEST(LettoreByte, ExactDoubleRoundTrips) {
  for (const double v : {0.1, 1.0 / 3.0, -12345.678901234567, 1e-300}) {
    EXPECT_EQ(std::stod(doppio_esatto(v)), v);
  }
}

}  // namespace
}  // namespace scenario
