#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/compila.h"
#include "compiler/readers/supporto_prove_lettori.h"

namespace scenario {
namespace {

// A valid line file of 1000 m (cells 0 .. 160) and the given service file.
cartella_prova con_servizio(const std::string& testo_servizio) {
  cartella_prova p;
  p.scrivi_linea(linea_minima({}));
  p.scrivi_servizio(testo_servizio);
  return p;
}

void nessun_file(cartella_prova& p) {
  EXPECT_FALSE(p.c_e_linea());
  EXPECT_FALSE(p.c_e_servizio());
}

TEST(ServiceReader, TrainFiguresAndClock) {
  cartella_prova p = con_servizio(servizio_minimo({
      "numero vetture,    4",
      "PERCENTUALE MASSA FRENATA,    100",
      "sabbia,    -3",
      "orologio,    13              48            40 ",
      "[aderenze]",
  }));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.m.elementi[84].inizio, 100);
  EXPECT_EQ(p.m.elementi[84].posizione, 4);
  EXPECT_EQ(p.m.elementi[86].dato_i1, -3);
  EXPECT_EQ(p.m.elementi[86].dato_i3, 13);
  EXPECT_EQ(p.m.elementi[86].dato_i4, 48);
  EXPECT_EQ(p.m.elementi[86].dato_i5, 40);
  nessun_file(p);
}

TEST(ServiceReader, SpeedsHoldFromTheirCellAndAreFinishedAtTheEnd) {
  cartella_prova p = con_servizio(servizio_minimo({
      "velocita,       0,    70",
      "velocita,    2050,   100",
      "velocita,    5000,   1277",
  }));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  for (int i = 0; i <= 160; ++i) {
    int attesa = 0;
    if (i <= 40) {
      attesa = 14;
    } else if (i < 100) {
      attesa = 20;
    } else if (i < 158) {
      attesa = 255;  // R(255.4)
    }
    EXPECT_EQ(p.c(i).velocita, attesa) << i;
  }
}

TEST(ServiceReader, StartingSpeedAndAdhesionAreZero) {
  cartella_prova p = con_servizio(servizio_minimo({"velocita, 500, 60", "aderenza, 1000, 300"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.c(0).velocita, 0);
  EXPECT_EQ(p.c(9).velocita, 0);
  EXPECT_EQ(p.c(10).velocita, 12);
  EXPECT_EQ(p.c(19).aderenza, 0);
  EXPECT_EQ(p.c(20).aderenza, 300 - 256);  // low 8 bits
  EXPECT_EQ(p.c(157).aderenza, 44);
  EXPECT_EQ(p.c(158).aderenza, 0);
}

TEST(ServiceReader, NoRecordsStillFinishesSpeedsAndAdhesion) {
  cartella_prova p = con_servizio(servizio_minimo({}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.m.n_stazioni, 0);
  EXPECT_EQ(p.c(157).velocita, 0);
}

TEST(ServiceReader, SpeedFillStopsAtTheLastCell) {
  // Every record at 50 m writes one more cell; the fill stops at cell 160.
  std::string testo = righe({"[generale]"});
  for (int i = 0; i < 170; ++i) testo += righe({"velocita, 50, " + std::to_string(5 * (i + 1))});
  cartella_prova p = con_servizio(testo + righe({"[fine]"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.c(0).velocita, 0);
  EXPECT_EQ(p.c(1).velocita, 1);
  EXPECT_EQ(p.c(159).velocita, 159);
  EXPECT_EQ(p.c(160).velocita, 170);  // the completion writes the last limit
}

TEST(ServiceReader, Code25SpeedThatDoesNotFitACell) {
  for (const char* v : {"1278", "-3"}) {
    cartella_prova p = con_servizio(servizio_minimo(
        {"velocita, 0, 50", std::string("velocita, 100, ") + v, "velocita, 200, 50"}));
    p.leggi();
    EXPECT_EQ(p.m.codice_errore, 25) << v;
    EXPECT_EQ(p.origine().file, file_sorgente::servizio);
    EXPECT_EQ(p.origine().riga, 4);
    EXPECT_EQ(p.c(1).velocita, 10);
    nessun_file(p);
  }
  cartella_prova ok = con_servizio(servizio_minimo({"velocita, 0, -2"}));
  ok.leggi();
  EXPECT_EQ(ok.m.codice_errore, 0);
}

TEST(ServiceReader, TheCheckerBlamesTheSpeedThatNoCellCanHoldAtItsValue) {
  opzioni_compilazione o;
  o.nome_linea = "L";
  o.numero_treno = "T";
  o.modo = modo_lettura::recupero;
  o.sorgenti = true;
  const risultato_compilazione r =
      compila({linea_minima({}),
               servizio_minimo({"velocita, 0, 50", "velocita, 100, 1278", "velocita, 200, 50"})},
              o);
  std::vector<guasto> trovati;
  for (const guasto& g : r.traccia.guasti) {
    if (g.motivo == motivo_guasto::velocita_fuori_byte) trovati.push_back(g);
  }
  ASSERT_EQ(trovati.size(), 1u);
  const guasto& g = trovati[0];
  EXPECT_EQ(g.codice_guasto, codice::errore_lettura);
  EXPECT_EQ(g.file, file_sorgente::servizio);
  EXPECT_TRUE(g.ha_record);
  EXPECT_EQ(g.tipo, tipo_record::velocita);
  // The speed, the record's second value: "1278" on line 3 from column 16.
  EXPECT_EQ(g.campo, 1);
  EXPECT_EQ(g.dove.riga, 3);
  EXPECT_EQ(g.dove.colonna, 16);
  EXPECT_EQ(g.dove.fine - g.dove.inizio, 4u);
}

TEST(ServiceReader, Code25AdhesionFillPastTheLastCell) {
  cartella_prova p;
  p.scrivi_linea(righe({"[generale]", "lunghezza percorso, -6850", "[x]", "[fine]"}));
  p.m.genera_linea = 0;
  std::string testo = righe({"[generale]"});
  for (int i = 0; i < 5; ++i) testo += righe({"aderenza, 50, " + std::to_string(i + 1)});
  p.scrivi_servizio(testo);
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 25);
  EXPECT_EQ(p.origine().riga, 6);
  EXPECT_EQ(p.c(3).aderenza, 3);
  nessun_file(p);
}

TEST(ServiceReader, AbbattimentoCodes12And13AndCode7) {
  cartella_prova p = con_servizio(servizio_minimo({
      "abbattimento, 1000, 0",
      "abbattimento, 1510, 70000",  // R(30.2) = 30; 16 bits
      "abbattimento, 1500, 5",
  }));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 7);
  EXPECT_EQ(p.m.posizione_errore, 1500);
  EXPECT_EQ(p.origine().riga, 4);
  EXPECT_EQ(p.c(20).tipo, tipo_cella::abbattimento_senza_valore);
  EXPECT_EQ(p.c(20).dato1, 0);
  EXPECT_EQ(p.c(30).tipo, tipo_cella::marcatore_valore);
  EXPECT_EQ(p.c(30).dato1, 70000 - 65536);
  EXPECT_EQ(p.c(5).velocita, 0);  // stopped: no completion
  nessun_file(p);
}

TEST(ServiceReader, AbbattimentoOnAMountainMarkerIsAccepted) {
  cartella_prova p;
  p.scrivi_linea(linea_minima({"montagna, 1000, 1400, 12"}));
  p.scrivi_servizio(servizio_minimo({"abbattimento, 1150, 9"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.c(23).tipo, tipo_cella::marcatore_valore);
  EXPECT_EQ(p.c(23).montagna, 2);
}

TEST(ServiceReader, FirstStationOfTheScenario) {
  cartella_prova p;
  p.scrivi_linea(righe({"[generale]", "lunghezza percorso, 60000", "[x]", "[fine]"}));
  p.scrivi_servizio(servizio_minimo({
      "stazione,       0, 12,  400,  1, 7, 1,  4,1,0,  2,1,1,    1,  13,49, 0, VITERBO P. F.",
  }));
  p.leggi();
  ASSERT_EQ(p.m.codice_errore, 0);
  const elemento& e = p.m.elementi[1];
  EXPECT_EQ(e.posizione, 0);
  EXPECT_EQ(e.tipo, 12);
  EXPECT_EQ(e.inizio, -200);
  EXPECT_EQ(e.fine, 250);
  EXPECT_EQ(e.dato_b1, 1);
  EXPECT_EQ(e.dato_b4, 0);
  EXPECT_EQ(e.prolunga, 0);
  EXPECT_EQ(e.dato_i1, 4);
  EXPECT_EQ(e.dato_i2, 1);
  EXPECT_EQ(e.dato_b2, 0);
  EXPECT_EQ(e.dato_i3, 2);
  EXPECT_EQ(e.dato_i4, 1);
  EXPECT_EQ(e.dato_i5, 1);
  EXPECT_EQ(e.dato_b3, 1);
  EXPECT_EQ(e.orario, 49740);
  EXPECT_EQ(e.nome, "VITERBO P. F.");
  EXPECT_EQ(p.c(3).segno, 81);
  EXPECT_EQ(p.c(2).segno, 82);
  EXPECT_EQ(p.c(1).segno, 0);
  EXPECT_EQ(p.c(4).tipo, tipo_cella::fine_stazione);
  EXPECT_EQ(p.c(4).dato1, 1);
  EXPECT_EQ(p.m.n_stazioni, 1);
}

TEST(ServiceReader, StationAreasByType) {
  struct caso {
    int tipo;
    std::int32_t inizio, fine;
    int prolunga;
  };
  for (const caso& k :
       {caso{5, 12150, 12600, 0}, caso{6, 12150, 12600, 0}, caso{7, 12150, 12750, 0},
        caso{8, 12150, 12750, 0}, caso{30, 12300, 12650, 1}}) {
    cartella_prova p;
    p.scrivi_linea(righe({"[generale]", "lunghezza percorso, 60000", "[x]", "[fine]"}));
    p.scrivi_servizio(servizio_minimo({
        "stazione, 0, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A",
        "stazione, 12450, " + std::to_string(k.tipo) + ", 300, 0, 9, 1, 0,0,0, 0,0,0, 0, 0,0,0, B",
    }));
    p.leggi();
    ASSERT_EQ(p.m.codice_errore, 0) << k.tipo;
    const elemento& e = p.m.elementi[2];
    EXPECT_EQ(e.inizio, k.inizio) << k.tipo;
    EXPECT_EQ(e.fine, k.fine) << k.tipo;
    EXPECT_EQ(e.prolunga, k.prolunga) << k.tipo;
    EXPECT_EQ(e.dato_b4, 0);  // shorter than 600 m
    const int fine_cella = k.fine / 50 - 1;
    if (k.tipo < 25) {
      EXPECT_EQ(p.c(fine_cella).tipo, tipo_cella::fine_stazione);
      EXPECT_EQ(p.c(fine_cella).dato1, 2);
      EXPECT_EQ(p.c(fine_cella - 1).segno, k.tipo <= 6 ? 0 : 81);
    } else {
      EXPECT_EQ(p.c(fine_cella).tipo, 0);
      EXPECT_EQ(p.c(fine_cella - 1).segno, 0);
    }
  }
}

TEST(ServiceReader, LongStationKeepsDatoB4) {
  cartella_prova p;
  p.scrivi_linea(righe({"[generale]", "lunghezza percorso, 60000", "[x]", "[fine]"}));
  p.scrivi_servizio(servizio_minimo({
      "stazione, 0, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A",
      "stazione, 12450, 12, 600, 0, 9, 0, 0,0,0, 0,0,0, 0, 0,0,0, B",
  }));
  p.leggi();
  EXPECT_EQ(p.m.elementi[2].dato_b4, 9);
}

struct caso_stazione {
  std::string riga;
  std::int32_t codice;
  std::int32_t posizione;  // expected posizione_errore (-1: left as it was)
  std::int32_t n_stazioni;
};

TEST(ServiceReader, StationCodes) {
  const std::string prima = "stazione, 1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A";
  for (const caso_stazione& k : {
           caso_stazione{"stazione, 12475, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B", 8, 12475, 1},
           caso_stazione{"stazione, 12450, 12, 250, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B", 9, 12450, 1},
           caso_stazione{"stazione, 1500, 12, 0, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B", 22, 1500, 1},
           caso_stazione{"stazione, 66250, 12, 0, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B", 15, 66250, 1},
           caso_stazione{"stazione, 0, 12, 100, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B", 24, -1, 1},
       }) {
    cartella_prova p;
    p.scrivi_linea(righe({"[generale]", "lunghezza percorso, 60000", "[x]", "[fine]"}));
    p.scrivi_servizio(servizio_minimo({"velocita, 0, 50", prima, k.riga}));
    p.m.posizione_errore = -1;
    p.leggi();
    EXPECT_EQ(p.m.codice_errore, k.codice) << k.riga;
    EXPECT_EQ(p.m.posizione_errore, k.posizione) << k.riga;
    EXPECT_EQ(p.origine().file, file_sorgente::servizio);
    EXPECT_EQ(p.origine().riga, 4);
    EXPECT_EQ(p.m.n_stazioni, k.n_stazioni);
    // Only a code 15 goes on to finish the cells.
    EXPECT_EQ(p.c(0).velocita, k.codice == 15 ? 10 : 0);
    nessun_file(p);
  }
}

TEST(ServiceReader, Code24NeedsTheEndAbove100m) {
  // fine 150: 150 / 50 - 1 = 2 > 1 passes; fine 100 fails.
  cartella_prova a =
      con_servizio(servizio_minimo({"stazione, 50, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A"}));
  a.leggi();
  EXPECT_EQ(a.m.codice_errore, 0);
  EXPECT_EQ(a.c(2).tipo, tipo_cella::fine_stazione);
  cartella_prova b =
      con_servizio(servizio_minimo({"stazione, 0, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A"}));
  b.leggi();
  EXPECT_EQ(b.m.codice_errore, 24);
  // Types 25 and above have no end cell and no such test.
  cartella_prova c =
      con_servizio(servizio_minimo({"stazione, 0, 25, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A"}));
  c.leggi();
  EXPECT_EQ(c.m.codice_errore, 0);
}

TEST(ServiceReader, Code10StationsReachTheBoardSlots) {
  std::string linea = righe({"[generale]", "lunghezza percorso, 60000", "[indicazioni]"});
  for (int i = 0; i < 77; ++i) {
    linea += righe({"cartello_indicatore, " + std::to_string(20000 + i * 100) + ", (x)"});
  }
  const std::string s1 = "stazione, 1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A";
  const std::string s2 = "stazione, 3000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B";
  cartella_prova a;
  a.scrivi_linea(linea + righe({"[fine]"}));
  a.scrivi_servizio(servizio_minimo({s1}));
  a.leggi();
  EXPECT_EQ(a.m.codice_errore, 0);  // 77 boards and one station: 78 slots
  cartella_prova b;
  b.scrivi_linea(linea + righe({"[fine]"}));
  b.scrivi_servizio(servizio_minimo({s1, s2, "velocita, 0, 50"}));
  b.m.posizione_errore = -1;
  b.leggi();
  EXPECT_EQ(b.m.codice_errore, 10);
  EXPECT_EQ(b.m.posizione_errore, -1);
  EXPECT_EQ(b.m.n_stazioni, 2);
  EXPECT_EQ(b.m.elementi[2].nome, "B");
  nessun_file(b);
}

TEST(ServiceReader, Code15ForEachRecordFinishesTheCells) {
  for (const std::string& riga : {
           std::string("velocita, 7950, 50"),
           std::string("aderenza, 7950, 50"),
           std::string("segnale, 7950, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0"),
           std::string("rallentamento, 7950, 30, 100, 1, 0, 0"),
           std::string("abbattimento, 7950, 1"),
       }) {
    cartella_prova p =
        con_servizio(servizio_minimo({"velocita, 0, 40", "aderenza, 0, 9", riga,
                                      "segnale, 5000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0"}));
    p.leggi();
    EXPECT_EQ(p.m.codice_errore, 15) << riga;
    EXPECT_EQ(p.m.posizione_errore, 7950);
    EXPECT_EQ(p.origine().riga, 4);
    EXPECT_EQ(p.c(101).tipo, 0);  // the signal after the fault is skipped
    EXPECT_EQ(p.c(157).velocita, 8);
    EXPECT_EQ(p.c(157).aderenza, 9);
    nessun_file(p);
  }
}

TEST(ServiceReader, RecorderCodesStopTheReading) {
  struct caso {
    std::string riga;
    std::int32_t codice;
    std::int32_t posizione;
  };
  // Cell 101 holds a signal, cell 40 one too.
  for (const caso& k : {
           caso{"segnale, 5000, 1, 3, 1, 0, 0, 0, 0, 0, 0, 0", 16, 5000},
           caso{"rallentamento, 3150, 30, 100, 1, 0, 0", 17,
                3150},  // warning cell 40 holds a signal
           caso{"rallentamento, 5000, 30, 100, 1, 0, 0", 18, 5000},
           caso{"rallentamento, 4900, 30, 100, 1, 0, 0", 19, 4900},
           caso{"rallentamento, 3250, 30, 100, 1, 1, 0", 20,
                3250},  // approach cells 41 .. 38: 40 is taken
       }) {
    cartella_prova p = con_servizio(servizio_minimo({
        "segnale, 5000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0",
        "segnale, 1950, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0",
        "velocita, 0, 50",
        k.riga,
        "velocita, 500, 60",
    }));
    p.leggi();
    EXPECT_EQ(p.m.codice_errore, k.codice) << k.riga;
    EXPECT_EQ(p.m.posizione_errore, k.posizione);
    EXPECT_EQ(p.origine().file, file_sorgente::servizio);
    EXPECT_EQ(p.origine().riga, 5);
    EXPECT_EQ(p.c(0).velocita, 0);  // no completion after a refusal
    nessun_file(p);
  }
}

TEST(ServiceReader, Code2KilometricSeriesOffTheCellBoundary) {
  cartella_prova p;
  p.scrivi_linea(righe({"[generale]", "lunghezza percorso, 1000",
                        "progressiva chilometrica uno,    10,    39050,    1", "[x]", "[fine]"}));
  p.scrivi_servizio(servizio_minimo({"velocita, 0, 50"}));
  p.m.posizione_errore = 4;
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 2);
  EXPECT_EQ(p.m.posizione_errore, 4);
  EXPECT_EQ(p.origine().file, file_sorgente::linea);
  EXPECT_EQ(p.origine().riga, 0);
  EXPECT_EQ(p.c(0).velocita, 10);
  nessun_file(p);
}

TEST(ServiceReader, Code25MissingOrEmptyServiceFile) {
  cartella_prova a;
  a.scrivi_linea(linea_minima({}));
  a.leggi();
  EXPECT_EQ(a.m.codice_errore, 25);
  EXPECT_EQ(a.origine().file, file_sorgente::servizio);
  EXPECT_EQ(a.origine().riga, 0);
  nessun_file(a);
  EXPECT_EQ(a.c(0).pendenza, 100);  // the line file was read whole

  cartella_prova b = con_servizio("");
  b.leggi();
  EXPECT_EQ(b.m.codice_errore, 25);
  nessun_file(b);
}

TEST(ServiceReader, Code25ReadFailuresInsideAStation) {
  for (const std::string& testo : {
           righe({"[generale]", "stazione, 1000, 12, 400, 0,0,0"}),  // past the end
           righe({"[generale]",
                  "stazione, 1000, 256, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A"}),  // Byte
           righe({"[generale]", "stazione, 1000, 12, 400, 0,0,0, 0,40000,0, 0,0,0, 0, 0,0,0, A"}),
       }) {
    cartella_prova p = con_servizio(testo);
    p.leggi();
    EXPECT_EQ(p.m.codice_errore, 25) << testo;
    EXPECT_EQ(p.origine().riga, 2);
    EXPECT_EQ(p.m.elementi[1].posizione, 1000);  // written before the failure
    EXPECT_EQ(p.m.n_stazioni, 0);
    nessun_file(p);
  }
}

TEST(ServiceReader, Code25LongOverflows) {
  for (const std::string& riga : {
           // orario = (ore * 60 + minuti) * 60 + secondi
           std::string("stazione, 1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 1000000,0,0, A"),
           // ... overflowing at each step: + minuti, * 60, + secondi
           std::string("stazione, 1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 100,2147483647,0, A"),
           std::string("stazione, 1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,35791395,0, A"),
           std::string("stazione, 1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,35791394,100, A"),
           // inizio - 350 of a second station
           std::string("stazione, -2147483600, 30, 0, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B"),
           // room test p + 100
           std::string("velocita, 2147483600, 5"),
           // x + l of a slowdown
           std::string("rallentamento, 3000, 30, 2147483000, 0, 0, 0"),
       }) {
    cartella_prova p = con_servizio(
        servizio_minimo({"stazione, 1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A", riga}));
    p.leggi();
    EXPECT_EQ(p.m.codice_errore, 25) << riga;
    nessun_file(p);
  }
}

TEST(ServiceReader, Code25CellsOutsideTheModel) {
  for (const std::string& riga : {
           std::string("segnale, 300, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0"),  // approach cell -1
           std::string("rallentamento, 7800, 30, 500, 0, 0, 0"),       // end cell 167
           std::string("stazione, 7000, 7, 5000, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A"),  // end cell
           std::string("abbattimento, -100, 5"),
       }) {
    cartella_prova p = con_servizio(servizio_minimo({"velocita, 0, 50", riga}));
    p.leggi();
    EXPECT_EQ(p.m.codice_errore, 25) << riga;
    EXPECT_EQ(p.origine().riga, 3);
    nessun_file(p);
  }
  // Writes before the failing access stay: the signal at 300 m and three marks.
  cartella_prova p = con_servizio(servizio_minimo({"segnale, 300, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0"}));
  p.leggi();
  EXPECT_EQ(p.c(7).tipo, tipo_cella::segnale);
  EXPECT_EQ(p.c(1).segno, 63);
  // At 325 m all four marks fit.
  cartella_prova q = con_servizio(servizio_minimo({"segnale, 325, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0"}));
  q.leggi();
  EXPECT_EQ(q.m.codice_errore, 0);
  EXPECT_EQ(q.c(0).segno, 64);
}

TEST(ServiceReader, WithoutGeneralSectionNothingIsRecorded) {
  cartella_prova p = con_servizio(righe({"velocita, 0, 70", "velocita, 500, 100", "[fine]"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.c(0).velocita, 0);
  EXPECT_EQ(p.c(20).velocita, 0);
  nessun_file(p);
}

TEST(ServiceReader, DashFieldsAreDroppedAtMostTwoInARow) {
  cartella_prova p = con_servizio(servizio_minimo({
      "- commento -",
      "velocita-vecchia, 0, 70",        // dropped with its keyword: its values are passed over
      "-a, -b, velocita, 0, 40",        // two dropped, the third is the keyword
      "-a, -b, -c, velocita, 500, 60",  // the third dash field is examined, then the keyword
      "-a, -b, velocita-c, 1000, 80",   // the third is examined even with its dash
  }));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.c(0).velocita, 8);
  EXPECT_EQ(p.c(10).velocita, 12);
  EXPECT_EQ(p.c(19).velocita, 12);
  // Passing over one field fewer or one more would leave 60 km/h there.
  EXPECT_EQ(p.c(20).velocita, 16);
}

// With sources kept, each item entry names the last record that wrote it:
// the train figures (84), the line header (85), the run header (86) and a
// board's text, in each file's order.
TEST(ServiceReader, SourcesNameTheLastRecordThatWroteEachEntry) {
  const std::string linea = righe({"[generale]", "lunghezza percorso, 1000", "sfondo due, 1",
                                   "ripetizione segnali 4 codici, 0, 0", "[corpo]",
                                   "cartello_indicatore, 500, (x)", "[fine]"});
  struct caso {
    std::vector<std::string> generale;  // the service file's general records
    std::string voce_84, voce_86;       // file and line of their records
  };
  const caso casi[] = {
      {{}, "L2", "L4"},
      {{"numero vetture, 3", "percentuale massa frenata, 100", "sabbia, 0", "orologio, 8 29 30"},
       "S3",
       "S5"},
      {{"percentuale massa frenata, 100", "orologio, 8 29 30", "sabbia, 0", "numero vetture, 3"},
       "S5",
       "S4"},
  };
  for (const caso& k : casi) {
    std::string servizio = righe({"[generale]"});
    for (const std::string& r : k.generale) servizio += r + "\r\n";
    servizio += "[fine]\r\n";
    SCOPED_TRACE(servizio);
    opzioni_compilazione o;
    o.sorgenti = true;
    const risultato_compilazione r = compila({linea, servizio}, o);
    ASSERT_EQ(r.modello.codice_errore, 0);
    const auto scritta_da = [&](int voce) -> std::string {
      const record_letto* rec =
          r.sorgenti.trova(r.sorgenti.elementi[static_cast<std::size_t>(voce)]);
      if (rec == nullptr) return "-";
      return (rec->file == file_sorgente::linea ? "L" : "S") + std::to_string(rec->chiave.riga);
    };
    EXPECT_EQ(scritta_da(84), k.voce_84);
    EXPECT_EQ(scritta_da(85), "L3");
    EXPECT_EQ(scritta_da(86), k.voce_86);
    EXPECT_EQ(scritta_da(voce::ultimo_cartello), "L6");
    EXPECT_EQ(scritta_da(voce::ultimo_cartello - 1), "-");
  }
}

TEST(ServiceReader, ARecordOnTheLastLineIsRead) {
  cartella_prova p =
      con_servizio(righe({"[generale]", "segnale, 5000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.c(101).tipo, tipo_cella::segnale);
  // Without a final line end too.
  cartella_prova q = con_servizio("[generale]\r\nvelocita, 0, 50\r\nvelocita, 100, 60");
  q.leggi();
  EXPECT_EQ(q.m.codice_errore, 0);
  EXPECT_EQ(q.c(1).velocita, 10);
  EXPECT_EQ(q.c(2).velocita, 12);
}

// A code 15 left by the line file must not make the first accepted signal
// or slowdown look refused: the service file is read whole and the pair
// keeps the line record's fault.
TEST(ServiceReader, Code15FromTheLineFileDoesNotStopTheServiceFile) {
  cartella_prova p;
  p.scrivi_linea(righe({"[generale]", "lunghezza percorso, 60000", "[cartelli]",
                        "cartello_indicatore, 66950, (too far)"}));
  p.scrivi_servizio(servizio_minimo({
      "velocita, 0, 70",
      "stazione, 0, 12, 400, 1, 0, 1, 4,1,0, 2,1,1, 1, 13,49, 0, VITERBO P. F.",
      "segnale, 10000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0",
      "rallentamento, 22700, 30, 200, 1, 0, 0",
      "stazione, 12450, 24, 300, 0, 0, 0, 0,0,0, 4,1,1, 30, 14, 0, 0, Montefiascone",
      "segnale, 11000, 2, 3, 1, 0, 0, 0, 0, 0, 0, 0",
      "velocita, 2050, 100",
  }));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 15);
  EXPECT_EQ(p.m.posizione_errore, 66950);
  EXPECT_EQ(p.origine().file, file_sorgente::linea);
  EXPECT_EQ(p.origine().riga, 4);
  EXPECT_EQ(p.m.n_stazioni, 2);
  EXPECT_EQ(p.m.elementi[2].nome, "Montefiascone");
  EXPECT_EQ(p.c(201).tipo, tipo_cella::segnale);
  EXPECT_EQ(p.c(221).tipo, tipo_cella::segnale);
  EXPECT_EQ(p.c(455).tipo, tipo_cella::inizio_rallentamento);
  EXPECT_EQ(p.c(459).tipo, tipo_cella::fine_rallentamento);
  EXPECT_EQ(p.c(431).tipo, tipo_cella::avviso_rallentamento);
  EXPECT_EQ(p.c(40).velocita, 14);
  EXPECT_EQ(p.c(41).velocita, 20);
  nessun_file(p);
}

}  // namespace
}  // namespace scenario
