#include "compiler/format/codifica_celle.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <set>

namespace scenario {
namespace {

constexpr std::int32_t min16 = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t max16 = std::numeric_limits<std::int16_t>::max();

// Every 16-bit value a cell can hold unpacks into parts that pack back to
// it: the lower part never negative, so negative values come back too.
TEST(CodificaCelle, EveryValueUnpacksIntoTensAndUnitsThatPackBack) {
  for (std::int32_t v = min16; v <= max16; ++v) {
    const decine_e_unita x = spacchetta_decine(v);
    ASSERT_GE(x.unita, 0) << v;
    ASSERT_LE(x.unita, 9) << v;
    ASSERT_EQ(impacca_decine(x.decine, x.unita), v) << v;
  }
  EXPECT_EQ(spacchetta_decine(-1).decine, -1);
  EXPECT_EQ(spacchetta_decine(-1).unita, 9);
  EXPECT_EQ(spacchetta_decine(-10).decine, -1);
  EXPECT_EQ(spacchetta_decine(-10).unita, 0);
  EXPECT_EQ(spacchetta_decine(-11).decine, -2);
  EXPECT_EQ(spacchetta_decine(-11).unita, 9);
}

TEST(CodificaCelle, EverySpeedBoardValueUnpacksIntoSpeedsThatPackBack) {
  for (std::int32_t v = min16; v <= max16; ++v) {
    const velocita_lati x = spacchetta_velocita(v);
    ASSERT_EQ(x.sinistra % passo_velocita, 0) << v;
    ASSERT_EQ(x.destra % passo_velocita, 0) << v;
    ASSERT_GE(x.destra, 0) << v;
    ASSERT_LT(x.destra, 500) << v;
    ASSERT_EQ(impacca_velocita(x.sinistra, x.destra), v) << v;
  }
}

TEST(CodificaCelle, SpeedsAsAuthorsWriteThemComeBack) {
  // Steps of 5 km/h, the right-hand speed below 500, negative left-hand
  // speeds included, up to where the value leaves 16 bits.
  for (std::int32_t sinistra = -1635; sinistra <= 1635; sinistra += 5) {
    for (std::int32_t destra = 0; destra < 500; destra += 5) {
      const std::int64_t v = valore_velocita(sinistra, destra);
      if (v < min16 || v > max16) continue;
      const velocita_lati x = spacchetta_velocita(impacca_velocita(sinistra, destra));
      ASSERT_EQ(x.sinistra, sinistra) << sinistra << " " << destra;
      ASSERT_EQ(x.destra, destra) << sinistra << " " << destra;
    }
  }
  // Right-hand speeds between steps go to the nearest fifth.
  EXPECT_EQ(impacca_velocita(80, 12), 1602);  // 2.4
  EXPECT_EQ(impacca_velocita(80, 13), 1603);  // 2.6
  EXPECT_EQ(impacca_velocita(0, -12), -2);
  EXPECT_EQ(impacca_velocita(-80, 0), -1600);
  // The value keeps its low 16 bits.
  EXPECT_EQ(valore_velocita(1700, 0), 34000);
  EXPECT_EQ(impacca_velocita(1700, 0), 34000 - 65536);
}

TEST(CodificaCelle, SpeedBoardCells) {
  cella c;
  c.dato1 = 2020;  // 100 and 100
  c.dato2 = 1624;  // 80 and 120
  c.dato3 = 1600;  // 80 and nothing
  c.dato4 = 21;
  const velocita_cartello b = spacchetta_cartello(c);
  EXPECT_EQ(b.sinistra[0], 100);
  EXPECT_EQ(b.destra[0], 100);
  EXPECT_EQ(b.sinistra[1], 80);
  EXPECT_EQ(b.destra[1], 120);
  EXPECT_EQ(b.sinistra[2], 80);
  EXPECT_EQ(b.destra[2], 0);
  EXPECT_EQ(b.strisce_sinistra, 2);
  EXPECT_EQ(b.strisce_destra, 1);
  c.dato4 = -3;
  EXPECT_EQ(spacchetta_cartello(c).strisce_sinistra, -1);
  EXPECT_EQ(spacchetta_cartello(c).strisce_destra, 7);
}

// A signal's values as a record gives them, packed as the recorder packs
// them and unpacked from the cell alone.
struct segnale_scritto {
  std::int32_t sx, dx, rapp;
  std::int32_t s[3], d[3];
  std::int32_t tempo;
};

cella cella_di(const segnale_scritto& x) {
  cella c;
  c.tipo = tipo_cella::segnale;
  c.dato4 = dato_lati(x.rapp, somma_lati(x.sx, x.dx));
  c.dato1 = impacca_decine(x.s[0], x.d[0]);
  c.dato2 = impacca_decine(x.s[1], x.d[1]);
  c.dato3 = impacca_decine(x.s[2], x.d[2]);
  c.dato5 = tempo_in_cella(x.sx, x.tempo);
  return c;
}

TEST(CodificaCelle, SignalsRoundTripOverGeneratedValues) {
  std::mt19937 g(7547);
  auto in = [&](std::int32_t a, std::int32_t b) {
    return std::uniform_int_distribution<std::int32_t>(a, b)(g);
  };
  for (int n = 0; n < 20000; ++n) {
    segnale_scritto x{};
    // The kinds add up to 0 .. 9, which dato4's units keep whole.
    x.dx = in(0, 2);
    x.sx = in(0, (9 - x.dx) / 3);
    // Tens anywhere 16 bits allow them, negative ones and the extremes too.
    const std::int32_t estremi[] = {-3276, 3275, -1, 0};
    x.rapp = n % 7 == 0 ? estremi[n % 4] : in(-3276, 3275);
    for (int i = 0; i < 3; ++i) {
      x.s[i] = n % 5 == 0 ? estremi[(n + i) % 4] : in(-3276, 3275);
      x.d[i] = in(0, 9);
    }
    x.tempo = in(0, 255);
    const cella c = cella_di(x);
    const valori_segnale s = spacchetta_segnale(c);
    ASSERT_EQ(s.sx, x.sx);
    ASSERT_EQ(s.dx, x.dx);
    ASSERT_EQ(s.rapp, x.rapp);
    for (int i = 0; i < 3; ++i) {
      ASSERT_EQ(s.s[i], x.s[i]);
      ASSERT_EQ(s.d[i], x.d[i]);
    }
    // The delay comes back as a record value that packs to the same byte.
    ASSERT_EQ(tempo_in_cella(x.sx, tempo_del_record(c.dato5)), c.dato5);
    // Each approach mark holds the sum and its own number.
    for (std::int64_t r = 1; r <= n_segni_segnale; ++r) {
      ASSERT_EQ(segno_segnale(somma_lati(x.sx, x.dx), r), (x.sx * 3 + x.dx) * 10 + r);
    }
  }
}

TEST(CodificaCelle, SignalDelays) {
  EXPECT_EQ(tempo_in_cella(1, 200), 0);  // kept for a left kind of 2 only
  EXPECT_EQ(tempo_in_cella(2, 0), 0);
  EXPECT_EQ(tempo_in_cella(2, 1), 101);
  EXPECT_EQ(tempo_in_cella(2, 100), 101);
  EXPECT_EQ(tempo_in_cella(2, 101), 101);
  EXPECT_EQ(tempo_in_cella(2, 300), 44);
  EXPECT_EQ(tempo_in_cella(2, -1), 255);
  for (int b = 0; b <= 255; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    EXPECT_EQ(tempo_in_cella(2, tempo_del_record(byte)), byte) << b;
  }
  EXPECT_EQ(tempo_del_record(100), 356);
  EXPECT_EQ(tempo_del_record(101), 101);
}

TEST(CodificaCelle, EveryDato4UnpacksIntoKindsThatPackBack) {
  for (std::int32_t v = min16; v <= max16; ++v) {
    cella c;
    c.dato4 = static_cast<std::int16_t>(v);
    const valori_segnale s = spacchetta_segnale(c);
    ASSERT_GE(s.dx, 0);
    ASSERT_LE(s.dx, 2);
    ASSERT_EQ(dato_lati(s.rapp, somma_lati(s.sx, s.dx)), v);
  }
  EXPECT_EQ(spacchetta_lati(-1).sx, -1);
  EXPECT_EQ(spacchetta_lati(-1).dx, 2);
}

TEST(CodificaCelle, SlowdownCellsRoundTrip) {
  std::mt19937 g(50);
  std::uniform_int_distribution<std::int32_t> any16(min16, max16);
  for (int n = 0; n < 2000; ++n) {
    const valori_rallentamento r{n == 0 ? min16 : any16(g), n == 1 ? max16 : any16(g), any16(g)};
    for (const std::uint8_t tipo :
         {tipo_cella::inizio_rallentamento, tipo_cella::fine_rallentamento,
          tipo_cella::avviso_rallentamento}) {
      cella c;
      impacca_rallentamento(c, tipo, r);
      const valori_rallentamento x = spacchetta_rallentamento(c);
      ASSERT_EQ(c.tipo, tipo);
      ASSERT_EQ(x.velocita, r.velocita);
      ASSERT_EQ(x.d_v, r.d_v);
      ASSERT_EQ(x.avviso, tipo == tipo_cella::avviso_rallentamento ? 0 : r.avviso);
      ASSERT_EQ(c.dato3, tipo == tipo_cella::avviso_rallentamento ? 0 : r.avviso);
    }
  }
  // Without a d_v the second value stays as the cell had it.
  cella c;
  c.dato2 = 7;
  impacca_rallentamento(c, tipo_cella::inizio_rallentamento, {60, 0, 1});
  EXPECT_EQ(c.dato2, 7);
  for (std::int64_t k = 1; k <= n_celle_approccio; ++k) {
    cella a;
    impacca_approccio(a, k, false);
    EXPECT_EQ(a.tipo, tipo_cella::approccio_rallentamento);
    EXPECT_EQ(numero_approccio(a), k);
    EXPECT_EQ(a.dato2, 0);
    impacca_approccio(a, k, true);
    EXPECT_EQ(a.dato2, k);
  }
}

TEST(CodificaCelle, StationEndsBoardsAndMarkersRoundTrip) {
  for (std::int32_t v = min16; v <= max16; v += 7) {
    cella a, b, c;
    impacca_fine_stazione(a, v);
    impacca_cartello(b, v);
    impacca_marcatore(c, v);
    ASSERT_EQ(a.tipo, tipo_cella::fine_stazione);
    ASSERT_EQ(stazione_di(a), v);
    ASSERT_EQ(b.tipo, tipo_cella::cartello_indicatore);
    ASSERT_EQ(voce_cartello(b), v);
    ASSERT_EQ(c.tipo, tipo_cella::marcatore_valore);
    ASSERT_EQ(valore_marcatore_di(c), v);
  }
  // An "abbattimento" value of 1 .. 65536 comes back from its 16 bits
  // (65536 leaves them all 0).
  for (std::int32_t v : {1, 180, 32767, 32768, 65535, 65536}) {
    cella c;
    impacca_marcatore(c, v);
    EXPECT_EQ(valore_abbattimento(c), v) << v;
  }
  cella senza;
  impacca_abbattimento_senza_valore(senza);
  EXPECT_EQ(senza.tipo, tipo_cella::abbattimento_senza_valore);
  EXPECT_EQ(senza.dato1, 0);
  for (int n = 1; n <= n_segni_stazione; ++n) {
    EXPECT_EQ(segno_stazione_n(n), 80 + n);
    EXPECT_EQ(numero_segno_stazione(segno_stazione_n(n)), n);
  }
  EXPECT_EQ(numero_segno_stazione(80), 0);
  EXPECT_EQ(numero_segno_stazione(85), 0);
  cella uno;
  uno.dato1 = marcatore_cella;
  uno.dato2 = -2;
  EXPECT_EQ(spacchetta_cella_riservata(uno).marcatore, 5121);
  EXPECT_EQ(spacchetta_cella_riservata(uno).codice_gara, -2);
}

TEST(CodificaCelle, EveryCodeHasOneNameAndOnePhrase) {
  std::set<std::string_view> nomi;
  for (const descrizione_tipo_cella& d : tipi_cella()) {
    EXPECT_TRUE(tipo_scritto(d.tipo));
    EXPECT_TRUE(nomi.insert(d.nome).second) << d.nome;
    EXPECT_EQ(nome_oggetto(d.tipo), d.nome);
  }
  EXPECT_EQ(tipi_cella().size(), 12u);
  EXPECT_EQ(nome_oggetto(tipo_cella::segnale), "signal");
  EXPECT_EQ(oggetto_in_frase(tipo_cella::fine_rallentamento), "the end of the slowdown");
  EXPECT_EQ(nome_oggetto(7), "object 7");
  EXPECT_EQ(oggetto_in_frase(7), "an object of code 7");
  EXPECT_EQ(oggetto_in_frase(tipo_cella::libera), "an object of code 0");
  for (const int t : {7, 8, 9, 15, 255}) EXPECT_FALSE(tipo_scritto(static_cast<std::uint8_t>(t)));
}

TEST(CodificaCelle, TheMetreOfACellAndOfTheObjectInIt) {
  // Cell k begins k x 50 m from the origin; an object written at p stands
  // in cell R(p / 50 + 1), so the object in cell k was written 50 m before.
  EXPECT_EQ(metri_di_cella(0), 0);
  EXPECT_EQ(metri_di_cella(166), 8300);
  EXPECT_EQ(posizione_oggetto(166), 8250);
  for (std::int64_t p = -100; p <= 10000; p += 50) {
    EXPECT_EQ(posizione_oggetto(cella_oggetto(p)), p);
    EXPECT_EQ(metri_di_cella(cella_profilo(p)), p);
  }
}

}  // namespace
}  // namespace scenario
