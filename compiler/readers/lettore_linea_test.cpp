#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "compiler/compila.h"
#include "compiler/readers/supporto_prove_lettori.h"

namespace scenario {
namespace {

// A line file with `corpo` and a valid, empty service file.
cartella_prova con_linea(const std::string& testo_linea) {
  cartella_prova p;
  p.scrivi_linea(testo_linea);
  p.scrivi_servizio(servizio_minimo({}));
  return p;
}

TEST(LineReader, MinimalFilesSizeTheModelAndDeleteBothFiles) {
  cartella_prova p = con_linea(linea_minima({}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.m.lunghezza_tracciato, 8000);
  EXPECT_EQ(p.m.n_celle, 160);
  EXPECT_EQ(p.m.celle.size(), 161u);
  EXPECT_EQ(p.m.tracciato.n_punti(), 8001);
  EXPECT_EQ(p.m.elementi[84].fine, 1000);
  EXPECT_EQ(p.m.elementi[85].nome, "L");
  EXPECT_EQ(p.m.elementi[86].nome, "T");
  EXPECT_FALSE(p.c_e_linea());
  EXPECT_FALSE(p.c_e_servizio());
  EXPECT_EQ(p.origine().file, file_sorgente::nessuno);
}

TEST(LineReader, SizeRoundsHalfToEven) {
  for (auto [l, n] : {std::pair{25, 140}, std::pair{75, 142}, std::pair{1000000, 20140}}) {
    cartella_prova p = con_linea(
        righe({"[generale]", "Lunghezza PERCORSO, " + std::to_string(l), "[x]", "[fine]"}));
    p.leggi();
    EXPECT_EQ(p.m.codice_errore, 0);
    EXPECT_EQ(p.m.n_celle, n) << l;
    EXPECT_EQ(p.m.lunghezza_tracciato, l + 7000);
  }
}

TEST(LineReader, WithoutGeometryNoTrackIsBuilt) {
  cartella_prova p = con_linea(linea_minima({"curvad4, 100, 100"}));
  p.m.genera_linea = 0;
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_FALSE(p.m.tracciato.creato());
  // Curve keywords are not keywords then: a curve without a class is no
  // fault, and its values are read as keywords, so a grade keyword there
  // reads a grade record.
  cartella_prova q =
      con_linea(linea_minima({"curvas7, 100, 100", "curvad4, 100, pendenza, 500, 3"}));
  q.m.genera_linea = 0;
  q.leggi();
  EXPECT_EQ(q.m.codice_errore, 0);
  EXPECT_EQ(q.c(9).pendenza, 100);
  EXPECT_EQ(q.c(10).pendenza, 103);
}

TEST(LineReader, Code101MissingFileLeavesTheServiceFile) {
  cartella_prova p;
  p.scrivi_servizio(servizio_minimo({}));
  p.m.posizione_errore = 77;
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 101);
  EXPECT_EQ(p.m.posizione_errore, 77);
  EXPECT_TRUE(p.c_e_servizio());
  EXPECT_FALSE(p.m.ha_celle());
  EXPECT_EQ(p.origine().file, file_sorgente::linea);
  EXPECT_EQ(p.origine().riga, 0);
}

TEST(LineReader, Code102NoGeneralSection) {
  for (const std::string& testo : {righe({"lunghezza percorso, 1000", "[fine]"}),
                                   righe({"x", "[GENERALE]"}), std::string("[generale]")}) {
    cartella_prova p = con_linea(testo);
    p.leggi();
    EXPECT_EQ(p.m.codice_errore, 102) << testo;
    EXPECT_FALSE(p.c_e_linea());
    EXPECT_TRUE(p.c_e_servizio());
    EXPECT_EQ(p.origine().riga, 1);
  }
}

TEST(LineReader, GeneralSectionIsFoundInAnyCaseAfterOtherFields) {
  cartella_prova p = con_linea(
      righe({"rubbish, 1, 2", "[Generale]", "lunghezza percorso, 50", "[fine]", "[fine]"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.m.n_celle, 141);
}

TEST(LineReader, Code1LengthAboveOneMillion) {
  cartella_prova p = con_linea(righe({"[generale]", "", "lunghezza percorso, 1000001", "[fine]"}));
  p.m.posizione_errore = 5;
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 1);
  EXPECT_EQ(p.m.posizione_errore, 5);
  EXPECT_EQ(p.m.elementi[84].fine, 1000001);
  EXPECT_FALSE(p.m.ha_celle());
  EXPECT_FALSE(p.c_e_linea());
  EXPECT_TRUE(p.c_e_servizio());
  EXPECT_EQ(p.origine().file, file_sorgente::linea);
  EXPECT_EQ(p.origine().riga, 3);
}

TEST(LineReader, HeaderValuesAndRepetitionZone) {
  cartella_prova p = con_linea(righe({
      "[generale]",
      "lunghezza percorso,    60000",
      "progressiva chilometrica uno,    0,    39050,    1",
      "progressiva chilometrica due,    39100,    135150,    1",
      "progressiva chilometrica tre,    0,    0,    0",
      "sfondo uno,    7",
      "sfondo due,    8",
      "sfondo tre,    9",
      "ripetizione segnali 4 codici,    45000,    51300",
      "[curve]",
      "[fine]",
  }));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  const auto& e = p.m.elementi;
  EXPECT_EQ(e[81].inizio, 39100);
  EXPECT_EQ(e[81].fine, 135250);
  EXPECT_EQ(e[82].fine, 39150);
  EXPECT_EQ(e[83].fine, 0);
  EXPECT_EQ(e[85].inizio, 7);
  EXPECT_EQ(e[85].posizione, 8);
  EXPECT_EQ(e[85].fine, 9);
  EXPECT_EQ(e[86].inizio, 45000);
  EXPECT_EQ(e[86].fine, 51300);
  EXPECT_EQ(e[86].posizione, 4);
}

TEST(LineReader, RepetitionCodesNineAndZeroEnd) {
  cartella_prova a = con_linea(righe({"[generale]", "lunghezza percorso, 1000",
                                      "ripetizione segnali 9 codici, 100, 200", "[x]", "[fine]"}));
  a.leggi();
  EXPECT_EQ(a.m.elementi[86].posizione, 9);
  cartella_prova b = con_linea(righe({"[generale]", "lunghezza percorso, 1000",
                                      "ripetizione segnali 4 codici, 100, 0", "[x]", "[fine]"}));
  b.leggi();
  EXPECT_EQ(b.m.elementi[86].posizione, 0);
  EXPECT_EQ(b.m.codice_errore, 0);
}

TEST(LineReader, HeaderKeywordsAreCaseSensitive) {
  cartella_prova p = con_linea(righe({"[generale]", "lunghezza percorso, 1000", "Sfondo uno, 5",
                                      "sfondo UNO, 6", "[x]", "[fine]"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.m.elementi[85].inizio, 0);
}

TEST(LineReader, Codes3To5RepetitionZone) {
  struct caso {
    std::string riga;
    std::int32_t codice;
  };
  for (const caso& k : {caso{"ripetizione segnali 4 codici, 45010, 51300", 3},
                        caso{"ripetizione segnali 4 codici, 45000, 51310", 4},
                        caso{"ripetizione segnali codici, 45000, 51300", 5}}) {
    cartella_prova p =
        con_linea(righe({"[generale]", "lunghezza percorso, 60000", k.riga, "[x]", "[fine]"}));
    p.m.posizione_errore = 3;
    p.leggi();
    EXPECT_EQ(p.m.codice_errore, k.codice);
    EXPECT_EQ(p.m.posizione_errore, 3);
    EXPECT_FALSE(p.c_e_linea());
    EXPECT_TRUE(p.c_e_servizio());
    EXPECT_EQ(p.origine().riga, 3);
  }
}

TEST(LineReader, DashCommentsAreSkipped) {
  cartella_prova p = con_linea(righe({
      "[generale]",
      "---- commento",
      "-a,-b,-c,-d,-e,-f,-g,-h,-i,-j",
      "lunghezza percorso, 1000",
      "- [not a header]",
      "[corpo]",
      "------",
      "pendenza, 500, 3",
      "-- x, -- y, pendenza, 1000, -2",
      "[fine]",
  }));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.m.n_celle, 160);
  EXPECT_EQ(p.c(9).pendenza, 100);
  EXPECT_EQ(p.c(10).pendenza, 103);
  EXPECT_EQ(p.c(19).pendenza, 103);
  EXPECT_EQ(p.c(20).pendenza, 98);
}

// Up to ten dash fields in a row are passed over in the general section and
// two in the body; the next one is examined as a keyword even with its dash.
// Passing over one field fewer or one more loses the record.
TEST(LineReader, TheEleventhDashFieldOfTheGeneralSectionIsAKeyword) {
  cartella_prova p = con_linea(righe({"[generale]", "-1, -2, -3, -4, -5, -6, -7, -8, -9, -10",
                                      "lunghezza percorso-a, 1000", "[corpo]", "[fine]"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.m.n_celle, 160);
}

TEST(LineReader, TheThirdDashFieldOfTheBodyIsAKeyword) {
  cartella_prova p = con_linea(linea_minima({"-a, -b, pendenza-c, 500, 3"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.c(9).pendenza, 100);
  EXPECT_EQ(p.c(10).pendenza, 103);
  EXPECT_EQ(p.c(157).pendenza, 103);
}

TEST(LineReader, DashSkippingInTheGeneralSectionHasNoEndTest) {
  cartella_prova p = con_linea(righe({"[generale]", "lunghezza percorso, 1000", "-a", "-b"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 25);
  EXPECT_FALSE(p.c_e_linea());
  EXPECT_FALSE(p.c_e_servizio());
  EXPECT_EQ(p.origine().file, file_sorgente::linea);
  EXPECT_EQ(p.origine().riga, 4);
}

TEST(LineReader, GradesFillTheCellsUpToTheThirdFromTheEnd) {
  cartella_prova p =
      con_linea(linea_minima({"pendenza,   0,    0", "pendenza,  500,   3", "pendenza,  1500,   0",
                              "pendenza,  1500,   -25", "pendenza,  2000,   300"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  for (int i = 0; i <= 160; ++i) {
    int attesa = 0;
    if (i < 10) {
      attesa = 100;
    } else if (i < 30) {
      attesa = 103;
    } else if (i == 30) {
      attesa = 100;  // a record behind the fill index still writes one cell
    } else if (i < 40) {
      attesa = 75;
    } else if (i < 158) {
      attesa = (300 + 100) & 0xFF;  // 8 bits
    }
    EXPECT_EQ(p.c(i).pendenza, attesa) << i;
  }
}

TEST(LineReader, GradesWithoutRecordsAreLevelAndNegativePositionsWriteNothing) {
  cartella_prova p = con_linea(linea_minima({"pendenza, -500, 4"}));
  p.leggi();
  EXPECT_EQ(p.c(0).pendenza, 104);
  EXPECT_EQ(p.c(157).pendenza, 104);
  EXPECT_EQ(p.c(158).pendenza, 0);
}

TEST(LineReader, Code15ForEachRecordSkipsTheRestButReadsTheServiceFile) {
  // n_celle 160: a position passes up to (8000 - 100).
  for (const std::string& riga :
       {std::string("pendenza, 7950, 5"), std::string("curvad4, 7950, 10"),
        std::string("montagna, 7950, 8000, 2"),
        std::string("indicatori_vmax, 7950, 1, 1, 1, 0, , , , 0"),
        std::string("cartello_indicatore, 7950, (x)")}) {
    cartella_prova p = con_linea(linea_minima({"pendenza, 100, 1", "cartello_indicatore, 7900, (a)",
                                               riga, "cartello_indicatore, 1000, (b)"}));
    p.scrivi_servizio(servizio_minimo({"velocita, 0, 50"}));
    p.leggi();
    EXPECT_EQ(p.m.codice_errore, 15) << riga;
    EXPECT_EQ(p.m.posizione_errore, 7950);
    EXPECT_EQ(p.origine().file, file_sorgente::linea);
    EXPECT_EQ(p.origine().riga, 6);
    EXPECT_EQ(p.c(159).tipo, tipo_cella::cartello_indicatore);  // 7900 passed
    EXPECT_EQ(p.c(21).tipo, 0);                                 // after the fault: skipped
    EXPECT_EQ(p.c(2).pendenza, 101);                            // grades still finished
    EXPECT_EQ(p.c(157).pendenza, 101);
    EXPECT_EQ(p.c(0).velocita, 10);  // the service file was read
    EXPECT_FALSE(p.c_e_linea());
    EXPECT_FALSE(p.c_e_servizio());
  }
}

TEST(LineReader, Code6BoardCellTakenAndBoardsTakeSlotsDownward) {
  cartella_prova p = con_linea(linea_minima({
      "montagna, 900, 1500, 12",  // marker in cell 21
      "cartello_indicatore,  1000,   (P.L.A.    )(km. 35+997)",
      "CARTELLO_INDICATORE,  1100,   (______)",
      "cartello_indicatore,  1020,   (dup)",  // R(20.4 + 1) = 21 again
  }));
  p.m.posizione_errore = 1;
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 6);
  EXPECT_EQ(p.m.posizione_errore, 1020);
  EXPECT_EQ(p.origine().riga, 7);
  EXPECT_EQ(p.c(21).tipo, tipo_cella::cartello_indicatore);
  EXPECT_EQ(p.c(21).dato1, 80);
  EXPECT_EQ(p.c(23).dato1, 79);
  EXPECT_EQ(p.m.elementi[80].nome, "(P.L.A.    )(km. 35+997)");
  EXPECT_EQ(p.m.elementi[79].nome, "(______)");
  EXPECT_FALSE(p.c_e_linea());
  EXPECT_TRUE(p.c_e_servizio());
  EXPECT_EQ(p.c(5).pendenza, 0);  // stopped: no grade completion
}

TEST(LineReader, Code21SpeedBoardCellTaken) {
  cartella_prova p = con_linea(linea_minima({
      "cartello_indicatore, 500, (x)",
      "indicatori_vmax,  500,  65,  70,  80,  0,  ,  ,  ,  0",
  }));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 21);
  EXPECT_EQ(p.m.posizione_errore, 500);
  EXPECT_EQ(p.origine().riga, 5);
  EXPECT_EQ(p.c(11).tipo, tipo_cella::cartello_indicatore);
  EXPECT_FALSE(p.c_e_linea());
  EXPECT_TRUE(p.c_e_servizio());
}

TEST(LineReader, SpeedBoardsAndSpansReachTheirRecorders) {
  cartella_prova p = con_linea(linea_minima({
      "indicatori_vmax,  500,  65,  70,  80,  0,  ,  ,  ,  0",
      "montagna,   1000,  1400,  12",
  }));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.c(11).tipo, tipo_cella::indicatore_v_max);
  EXPECT_EQ(p.c(11).dato3, 1600);
  EXPECT_EQ(p.c(20).montagna, 2);
  EXPECT_EQ(p.c(27).montagna, 2);
  EXPECT_EQ(p.c(23).tipo, tipo_cella::marcatore_montagna);
  EXPECT_EQ(p.m.n_montagne, 1);
}

TEST(LineReader, Code103CurveWithoutClass) {
  cartella_prova p = con_linea(linea_minima({"curvad4, 100, 50", "curvas7, 500, 100"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 103);
  EXPECT_EQ(p.origine().riga, 5);
  EXPECT_FALSE(p.c_e_linea());
  EXPECT_TRUE(p.c_e_servizio());
  // The first curve was laid up to point 150; nothing after it.
  EXPECT_TRUE(std::holds_alternative<double>(p.m.tracciato.punto(150, 0)));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(p.m.tracciato.punto(151, 0)));
}

TEST(LineReader, Code103GeometryPassesOneMillionPoints) {
  cartella_prova p = con_linea(righe(
      {"[generale]", "lunghezza percorso, 1000000", "[curve]", "curvad1, 999000, 5000", "[fine]"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 103);
  EXPECT_FALSE(p.c_e_linea());
  EXPECT_TRUE(p.c_e_servizio());
  EXPECT_TRUE(std::holds_alternative<double>(p.m.tracciato.punto(1000000, 0)));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(p.m.tracciato.punto(1000001, 0)));
}

// A curve may run up to point 999999; one that reaches point 1000000 stops
// there with code 103.
TEST(LineReader, Code103FromTheCurveThatReachesPointOneMillion) {
  for (const auto& [lunghezza, codice] : {std::pair{"999", 0}, std::pair{"1000", 103}}) {
    SCOPED_TRACE(lunghezza);
    cartella_prova p = con_linea(righe({"[generale]", "lunghezza percorso, 1000000", "[curve]",
                                        std::string("curvad1, 999000, ") + lunghezza, "[fine]"}));
    p.leggi();
    EXPECT_EQ(p.m.codice_errore, codice);
  }
}

// The checker follows the point index without laying the geometry: it
// fails where laying fails, down to the shortest models and past the end.
TEST(LineReader, FollowingTheGeometryFailsWhereLayingItFails) {
  const std::string corpi[] = {"", "curvad4, 0, 3", "curvad4, 100, 6900", "curvad4, 100, 6901"};
  for (const char* lunghezza : {"-7001", "-7000", "-6999", "-6998", "-6997", "0"}) {
    for (const std::string& corpo : corpi) {
      const std::string linea =
          righe({"[generale]", std::string("lunghezza percorso, ") + lunghezza, "[curve]", corpo,
                 "[fine]"});
      const std::string servizio = servizio_minimo({});
      SCOPED_TRACE(linea);
      opzioni_compilazione o;
      o.file_binari = false;
      const risultato_compilazione posata = compila({linea, servizio}, o);
      o.posa_geometria = false;
      const risultato_compilazione seguita = compila({linea, servizio}, o);
      EXPECT_EQ(posata.modello.codice_errore, seguita.modello.codice_errore);
      ASSERT_EQ(posata.traccia.guasti.size(), seguita.traccia.guasti.size());
      for (std::size_t i = 0; i < posata.traccia.guasti.size(); ++i) {
        EXPECT_EQ(posata.traccia.guasti[i].motivo, seguita.traccia.guasti[i].motivo);
      }
    }
  }
  // The figures at the edges: a model of two points is the shortest that
  // holds the geometry's start, and a curve past L + 7000 fails.
  opzioni_compilazione o;
  o.posa_geometria = false;
  const auto codice = [&](const char* lunghezza, const std::string& curva) {
    const std::string linea = righe({"[generale]", std::string("lunghezza percorso, ") + lunghezza,
                                     "[curve]", curva, "[fine]"});
    return compila({linea, servizio_minimo({})}, o).modello.codice_errore;
  };
  EXPECT_EQ(codice("-6999", ""), 0);
  EXPECT_EQ(codice("-7000", ""), 25);
  EXPECT_EQ(codice("0", "curvad4, 100, 6900"), 0);
  EXPECT_EQ(codice("0", "curvad4, 100, 6901"), 25);
}

// On request the readers note every field read where a keyword is
// expected; the file's last field is noted as never examined.
TEST(LineReader, KeywordFieldsAreNotedWithTheLastOneNeverExamined) {
  for (const auto& [ultimo, nota_ultimo] : {std::pair{"sfondo uno, 4", "sfondo uno@4:1 general"},
                                            std::pair{"[fine]", "[fine]@4:1 last general"}}) {
    SCOPED_TRACE(ultimo);
    const std::string linea = righe({"[generale]", "lunghezza percorso, 1000", "- nota", ultimo});
    const std::string servizio = servizio_minimo({});
    modello_percorso m;
    traccia_lettura t;
    t.registra_chiavi = true;
    memorizza_dati(m, {linea, servizio}, {modo_lettura::esatto, false, {}}, nullptr, &t);
    std::vector<std::string> note;
    for (const campo_chiave& k : t.chiavi) {
      if (k.file != file_sorgente::linea) continue;
      note.push_back(std::string(k.testo) + "@" + std::to_string(k.dove.riga) + ":" +
                     std::to_string(k.dove.colonna) + (k.commento ? " comment" : "") +
                     (k.non_esaminato ? " last" : "") + (k.sezione_generale ? " general" : ""));
    }
    EXPECT_EQ(note, (std::vector<std::string>{"lunghezza percorso@2:1 general",
                                              "- nota@3:1 comment general", nota_ultimo}));
  }
}

// Hand-computed plan geometry: 7000 m of model (L = 0), a right-hand curve
// of class 4 (0.001 rad/m) over points 4 and 5, straight before and after.
TEST(LineReader, PlanGeometryOfOneCurve) {
  cartella_prova p = con_linea(
      righe({"[generale]", "lunghezza percorso, 0", "[curve]", "curvad4, 3, 2", "[fine]"}));
  p.leggi();
  ASSERT_EQ(p.m.codice_errore, 0);
  const modello_percorso& m = p.m;
  ASSERT_EQ(m.lunghezza_tracciato, 7000);
  EXPECT_EQ(std::get<std::int16_t>(m.tracciato.punto(0, 0)), 0);
  EXPECT_EQ(std::get<std::int16_t>(m.tracciato.punto(0, 1)), 0);
  EXPECT_EQ(std::get<std::int16_t>(m.tracciato.punto(1, 0)), 0);
  EXPECT_EQ(std::get<std::int16_t>(m.tracciato.punto(1, 1)), 1);
  EXPECT_EQ(std::get<double>(m.tracciato.punto(2, 0)), 0.0);
  EXPECT_EQ(std::get<double>(m.tracciato.punto(2, 1)), 2.0);
  EXPECT_EQ(std::get<double>(m.tracciato.punto(3, 1)), 3.0);
  // P(4) = P(3) + (dx + c dy, dy - c dx) with d = (0, 1).
  EXPECT_EQ(std::get<double>(m.tracciato.punto(4, 0)), 0.001);
  EXPECT_EQ(std::get<double>(m.tracciato.punto(4, 1)), 4.0);
  // P(5): d = (0.001, 1).
  const double x5 = 0.001 + (0.001 + 0.001 * 1.0);
  const double y5 = 4.0 + (1.0 - 0.001 * 0.001);
  EXPECT_EQ(std::get<double>(m.tracciato.punto(5, 0)), x5);
  EXPECT_EQ(std::get<double>(m.tracciato.punto(5, 1)), y5);
  // Straight on: P(6) = P(5) + (P(5) - P(4)).
  const double x6 = x5 + (x5 - 0.001);
  const double y6 = y5 + (y5 - 4.0);
  EXPECT_EQ(std::get<double>(m.tracciato.punto(6, 0)), x6);
  EXPECT_EQ(std::get<double>(m.tracciato.punto(6, 1)), y6);
  EXPECT_GT(std::get<double>(m.tracciato.punto(6998, 0)), 13.0);  // heading turned right
  EXPECT_TRUE(std::holds_alternative<double>(m.tracciato.punto(6998, 1)));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(m.tracciato.punto(6999, 0)));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(m.tracciato.punto(7000, 1)));
}

TEST(LineReader, LeftCurveTurnsTheOtherWay) {
  cartella_prova p = con_linea(
      righe({"[generale]", "lunghezza percorso, 0", "[curve]", "CurvaS2, 3, 1", "[fine]"}));
  p.leggi();
  ASSERT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(std::get<double>(p.m.tracciato.punto(4, 0)), -0.0002);
  EXPECT_EQ(std::get<double>(p.m.tracciato.punto(4, 1)), 4.0);
}

TEST(LineReader, TheLastFieldIsNeverExaminedARecordOnTheLastLineIs) {
  // A record as the last line is read normally.
  cartella_prova a = con_linea(
      righe({"[generale]", "lunghezza percorso, 1000", "[x]", "cartello_indicatore, 500, (last)"}));
  a.leggi();
  EXPECT_EQ(a.m.codice_errore, 0);
  EXPECT_EQ(a.c(11).tipo, tipo_cella::cartello_indicatore);
  // A lone keyword as the last field is passed over: no read past the end.
  cartella_prova b =
      con_linea(righe({"[generale]", "lunghezza percorso, 1000", "[x]", "pendenza"}));
  b.leggi();
  EXPECT_EQ(b.m.codice_errore, 0);
  // The same keyword not last, with its values missing, reads past the end.
  cartella_prova c =
      con_linea(righe({"[generale]", "lunghezza percorso, 1000", "[x]", "pendenza,"}));
  c.leggi();
  EXPECT_EQ(c.m.codice_errore, 25);
  EXPECT_EQ(c.origine().riga, 4);
  EXPECT_FALSE(c.c_e_servizio());
  // In the general section too: a lone keyword as the last field is passed
  // over, and the body after it is empty.
  cartella_prova d = con_linea(righe({"[generale]", "lunghezza percorso, 1000", "sfondo uno"}));
  d.leggi();
  EXPECT_EQ(d.m.codice_errore, 0);
  EXPECT_EQ(d.c(157).pendenza, 100);
}

TEST(LineReader, Code25NumberOutOfRangeDeletesBothFiles) {
  cartella_prova p = con_linea(linea_minima({"pendenza, 100, 1", "pendenza, 2147483648, 1"}));
  p.m.posizione_errore = 9;
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 25);
  EXPECT_EQ(p.m.posizione_errore, 9);
  EXPECT_EQ(p.origine().file, file_sorgente::linea);
  EXPECT_EQ(p.origine().riga, 5);
  EXPECT_FALSE(p.c_e_linea());
  EXPECT_FALSE(p.c_e_servizio());
  EXPECT_EQ(p.c(0).pendenza, 100);  // written before the failure
  EXPECT_EQ(p.c(2).pendenza, 0);
}

// The trap's fault stands at the field read when the read itself failed,
// at the record's keyword (no field) when the record failed otherwise.
TEST(LineReader, Code25StandsAtTheFieldReadOrAtTheRecord) {
  cartella_prova a = con_linea(linea_minima({"pendenza, 100, 1", "pendenza,  2147483648, 1"}));
  a.leggi();
  ASSERT_FALSE(a.traccia.guasti.empty());
  const guasto& lettura = a.traccia.guasti.back();
  EXPECT_EQ(lettura.motivo, motivo_guasto::numero_fuori_intervallo);
  EXPECT_EQ(lettura.campo, 0);
  EXPECT_EQ(lettura.dove.riga, 5);
  EXPECT_EQ(lettura.dove.colonna, 12);

  cartella_prova b = con_linea(linea_minima({"pendenza, 100, 1", "  curvad4, 7900, 500"}));
  b.leggi();
  ASSERT_FALSE(b.traccia.guasti.empty());
  const guasto& curva = b.traccia.guasti.back();
  EXPECT_EQ(curva.motivo, motivo_guasto::punto_fuori);
  EXPECT_EQ(curva.campo, -1);
  EXPECT_EQ(curva.dove.riga, 5);
  EXPECT_EQ(curva.dove.colonna, 3);
}

TEST(LineReader, Code25EmptyFileIsAReadPastTheEnd) {
  cartella_prova p = con_linea("");
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 25);
  EXPECT_FALSE(p.c_e_linea());
  EXPECT_FALSE(p.c_e_servizio());
}

TEST(LineReader, Code25RecordsBeforeTheModelExists) {
  // With geometry: the seed of the track fails.
  cartella_prova a = con_linea(righe({"[generale]", "[x]", "pendenza, 0, 1", "[fine]"}));
  a.leggi();
  EXPECT_EQ(a.m.codice_errore, 25);
  EXPECT_FALSE(a.c_e_linea());
  EXPECT_FALSE(a.c_e_servizio());
  // Without geometry: the room test of the first record fails.
  cartella_prova b = con_linea(righe({"[generale]", "[x]", "pendenza, 0, 1", "[fine]"}));
  b.m.genera_linea = 0;
  b.leggi();
  EXPECT_EQ(b.m.codice_errore, 25);
  EXPECT_EQ(b.origine().riga, 3);
  EXPECT_FALSE(b.c_e_servizio());
  // No record at all: the grade completion at the end fails.
  cartella_prova c = con_linea(righe({"[generale]", "[x]", "[fine]"}));
  c.m.genera_linea = 0;
  c.leggi();
  EXPECT_EQ(c.m.codice_errore, 25);
  EXPECT_FALSE(c.c_e_linea());
  EXPECT_FALSE(c.c_e_servizio());
  EXPECT_FALSE(c.m.ha_celle());
}

TEST(LineReader, Code25NegativeSizeLeavesNoModel) {
  // Also when a first length had made the cells and the geometry.
  for (const std::string& prima : {std::string(), righe({"lunghezza percorso, 1000"})}) {
    cartella_prova p = con_linea(righe({"[generale]"}) + prima +
                                 righe({"lunghezza percorso, -8000", "[x]", "[fine]"}));
    p.leggi();
    EXPECT_EQ(p.m.codice_errore, 25);
    EXPECT_FALSE(p.m.ha_celle());
    EXPECT_TRUE(p.m.celle.empty());
    EXPECT_FALSE(p.m.tracciato.creato());
    EXPECT_EQ(p.m.n_celle, 0);
    EXPECT_EQ(p.m.lunghezza_tracciato, 0);
    EXPECT_FALSE(p.c_e_servizio());
  }
}

TEST(LineReader, Code25CurvePastTheLastPoint) {
  // L = 1000: points 0 .. 8000; a curve from 7900 over 500 m runs out.
  cartella_prova p = con_linea(linea_minima({"curvad4, 7900, 500"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 25);
  EXPECT_EQ(p.origine().riga, 4);
  EXPECT_TRUE(std::holds_alternative<double>(p.m.tracciato.punto(8000, 0)));  // written before
  EXPECT_FALSE(p.c_e_linea());
  EXPECT_FALSE(p.c_e_servizio());
}

TEST(LineReader, Code25GradeFillPastTheLastCell) {
  // L = -6850: 150 m of model, cells 0 .. 3. Every record at 50 m writes a cell.
  cartella_prova p = con_linea(
      righe({"[generale]", "lunghezza percorso, -6850", "[x]", "pendenza, 50, 1", "pendenza, 50, 2",
             "pendenza, 50, 3", "pendenza, 50, 4", "pendenza, 50, 5", "[fine]"}));
  p.m.genera_linea = 0;
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 25);
  EXPECT_EQ(p.origine().riga, 8);
  EXPECT_EQ(p.c(3).pendenza, 103);
  EXPECT_FALSE(p.c_e_servizio());
}

TEST(LineReader, Code25The81stSpan) {
  std::string testo = righe({"[generale]", "lunghezza percorso, 10000", "[montagne]"});
  for (int i = 0; i < 80; ++i) testo += righe({"montagna, " + std::to_string(i * 100) + ", 0, 2"});
  cartella_prova a = con_linea(testo + righe({"[fine]"}));
  a.leggi();
  EXPECT_EQ(a.m.codice_errore, 0);
  EXPECT_EQ(a.m.n_montagne, 80);
  cartella_prova b = con_linea(testo + righe({"montagna, 9000, 9100, 2", "[fine]"}));
  b.leggi();
  EXPECT_EQ(b.m.codice_errore, 25);
  EXPECT_EQ(b.origine().riga, 84);
  EXPECT_EQ(b.c(180).montagna, 0);
  EXPECT_FALSE(b.c_e_servizio());
}

TEST(LineReader, Code25SpanEndPastTheLastCell) {
  cartella_prova p = con_linea(linea_minima({"montagna, 7800, 9000, 2"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 25);
  EXPECT_EQ(p.c(160).montagna, 2);
  EXPECT_FALSE(p.c_e_servizio());
}

TEST(LineReader, Code25The81stIndicationBoard) {
  std::string testo = righe({"[generale]", "lunghezza percorso, 10000", "[indicazioni]"});
  for (int i = 0; i < 80; ++i) {
    testo += righe(
        {"cartello_indicatore, " + std::to_string(i * 100) + ", (b" + std::to_string(i) + ")"});
  }
  cartella_prova a = con_linea(testo + righe({"[fine]"}));
  a.leggi();
  EXPECT_EQ(a.m.codice_errore, 0);
  EXPECT_EQ(a.m.elementi[1].nome, "(b79)");
  EXPECT_EQ(a.m.elementi[0].nome, "");
  cartella_prova b = con_linea(testo + righe({"cartello_indicatore, 9000, (b80)", "[fine]"}));
  b.leggi();
  EXPECT_EQ(b.m.codice_errore, 25);
  EXPECT_EQ(b.m.elementi[0].nome, "");
  EXPECT_FALSE(b.c_e_servizio());
  // A board with a negative position has no cell.
  cartella_prova c = con_linea(linea_minima({"cartello_indicatore, -100, (x)"}));
  c.leggi();
  EXPECT_EQ(c.m.codice_errore, 25);
}

TEST(LineReader, Code25RoomTestOverflow) {
  cartella_prova p = con_linea(linea_minima({"pendenza, 2147483600, 1"}));
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 25);
}

TEST(LineReader, Code25FileThatCannotBeDeleted) {
  cartella_prova p = con_linea(linea_minima({}));
  p.fs.fail_remove(p.linea());
  p.leggi();
  EXPECT_EQ(p.m.codice_errore, 25);
  // The trap's own delete succeeds: neither file is left.
  EXPECT_FALSE(p.c_e_linea());
  EXPECT_FALSE(p.c_e_servizio());
}

}  // namespace
}  // namespace scenario
