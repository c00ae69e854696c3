// The generated documents of the example scenario against their golden
// files, generated documents checked against their own scenario, the
// program's two documents against the fixed scenario, and scenarios whose
// rows fill more than a page.
#include <gtest/gtest.h>

#include <string>

#include "base/cp1252.h"
#include "compiler/documenti/confronto_documenti.h"
#include "compiler/documenti/documenti_test_support.h"
#include "compiler/documenti/orari.h"
#include "compiler/documenti/ordine_rallentamento.h"
#include "compiler/documenti/scheda_marcia.h"
#include "compiler/documenti/scheda_treno.h"
#include "sources/documenti_fissi.h"
#include "sources/golden_file.h"

namespace scenario {
namespace {

using namespace prova_documenti;

// The sheet as `sheets` makes it: the passing times and the dwell from the
// run of the train model over the same route.
std::string scheda_con_marcia(const dati_da_testi_esito& e, const modello_treno& m = {}) {
  return scheda_treno(*e.dati, opzioni_scheda_marcia(*e.dati, e.linea, m));
}

TEST(documenti, example_scenario_documents_match_their_golden_files) {
  // Checked by eye against docs/examples: km 15.000 - p, the speed changes
  // at 1000 m (km 14.000) and 13500 m (km 1.500), Beta's stop 8.37+ / 8.38
  // (the default dwell of 30 s), the slowdown at 4000 m (km 11.000, after
  // post 11), 40 km/h over 300 m. Every station has a time: no passing time.
  const dati_da_testi_esito e = esito_esempio();
  EXPECT_TRUE(matches_golden("Esempio_1234_scheda_treno.txt", scheda_con_marcia(e)));
  EXPECT_TRUE(matches_golden("Esempio_1234_rallentamenti.txt", ordine_rallentamento(*e.dati)));
}

TEST(documenti, generated_documents_agree_with_their_own_scenario) {
  modello_treno lunga_sosta;
  lunga_sosta.sosta_minima_s = 75;
  for (const dati_da_testi_esito& e : {esito_fisso(), esito_esempio()}) {
    const dati_documenti& d = *e.dati;
    EXPECT_EQ(elenco(controlla_scheda(scheda_con_marcia(e), d)), "") << d.nome_linea;
    EXPECT_EQ(elenco(controlla_rallentamenti(ordine_rallentamento(d), d)), "") << d.nome_linea;
    // A longer dwell: the sheet checked with the same model's dwell agrees.
    EXPECT_EQ(elenco(controlla_scheda(scheda_con_marcia(e, lunga_sosta), d,
                                      opzioni_confronto_marcia(lunga_sosta))),
              "")
        << d.nome_linea;
  }
}

TEST(documenti, the_run_gives_the_passing_times_and_the_dwell) {
  // The fixed scenario's two stations without a time, passed at the times
  // the run gives (as `route_tool timing` prints them): Bassano in
  // Teverina at 14:31:51 (14.32 on the sheet), 2° Bivio Orte Nord at
  // 14:33:19 (14.33+), each rounded to the half minute, centred and marked
  // "(c)".
  const dati_da_testi_esito e = esito_fisso();
  const dati_documenti& d = *e.dati;
  const esito_marcia run = calcola_marcia(e.linea, modello_treno{});
  const opzioni_scheda o = opzioni_scheda_marcia(d, e.linea, run, modello_treno{});
  ASSERT_EQ(o.passaggi.size(), d.stazioni.size());
  std::size_t passati = 0;
  for (std::size_t i = 0; i < d.stazioni.size(); ++i) {
    // A passing time exactly where the service file gives none.
    EXPECT_EQ(o.passaggi[i].has_value(), d.stazioni[i].orario == 0) << i;
    if (!o.passaggi[i]) continue;
    ++passati;
    for (const orario_stazione& t : run.stazioni) {
      if (e.linea.stazioni[t.stazione].voce != d.stazioni[i].voce) continue;
      EXPECT_FALSE(t.ferma);
      EXPECT_EQ(*o.passaggi[i], std::llround(t.arrivo));
    }
  }
  EXPECT_EQ(passati, 2U);
  const std::vector<std::string> r = righe(scheda_treno(d, o));
  for (std::size_t i = 0; i < d.stazioni.size(); ++i) {
    if (!o.passaggi[i]) continue;
    const std::string nome = d.stazioni[i].nome.substr(0, 12);
    const std::string cella = "|     " + orario_scheda(mezzi_minuti(*o.passaggi[i])) + "(c)  |";
    EXPECT_NE(r[riga_con(r, nome)].find(cella), std::string::npos) << r[riga_con(r, nome)];
  }
  EXPECT_NE(r[riga_con(r, "Bassano")].find("|     14.32 (c)  |"), std::string::npos);
  EXPECT_NE(r[riga_con(r, "Bivio Orte")].find("|     14.33+(c)  |"), std::string::npos);
  EXPECT_EQ(r[50], "  (c) orario di passaggio calcolato, non in orario");

  // The arrival: the departure less the model's dwell. 14:09:00 at S. Nicola
  // less 90 s is 14.07+.
  modello_treno m;
  m.sosta_minima_s = 90;
  EXPECT_EQ(opzioni_scheda_marcia(d, e.linea, m).sosta_s, 90);
  const std::vector<std::string> lunga =
      righe(scheda_treno(d, opzioni_scheda_marcia(d, e.linea, m)));
  EXPECT_NE(lunga[riga_con(lunga, "Sipicciano")].find("|14.07+    14.09 |"), std::string::npos)
      << lunga[riga_con(lunga, "Sipicciano")];

  // A pass before midnight or after the next one has no place on the sheet.
  for (const double giorni : {-1.0, 1.0}) {
    esito_marcia fuori = run;
    for (orario_stazione& t : fuori.stazioni) {
      if (!t.ferma) t.arrivo = t.partenza = t.arrivo + giorni * 86400.0;
    }
    const opzioni_scheda senza_passaggi = opzioni_scheda_marcia(d, e.linea, fuori, modello_treno{});
    ASSERT_EQ(senza_passaggi.passaggi.size(), d.stazioni.size());
    for (const auto& p : senza_passaggi.passaggi) EXPECT_FALSE(p) << giorni;
  }

  // No station with a time: the run has no clock, and no passing time.
  linea_marcia senza = e.linea;
  for (stazione_marcia& s : senza.stazioni) s.orario.reset();
  EXPECT_TRUE(opzioni_scheda_marcia(d, senza, modello_treno{}).passaggi.empty());
}

TEST(documenti, no_speed_limit_before_the_first_cell) {
  // The speed changes run from the first cell, at 0 m: a first station
  // before the origin stands where no cell gives a limit.
  dati_documenti d = dati_esempio();
  ASSERT_FALSE(d.velocita.empty());
  ASSERT_EQ(d.velocita.front().posizione, 0);
  EXPECT_EQ(d.velocita_a(-50), 0);
  EXPECT_EQ(d.velocita_a(0), d.velocita.front().velocita);
  const cambio_velocita secondo = d.velocita.at(1);
  EXPECT_EQ(d.velocita_a(secondo.posizione - 1), d.velocita.front().velocita);
  EXPECT_EQ(d.velocita_a(secondo.posizione), secondo.velocita);
}

TEST(documenti, the_programs_documents_against_the_fixed_scenario) {
  // The documented disagreements (docs/route_tool.md), and nothing else:
  // "S. Nicola" is 7.350 on the sheet, km 7.150 (31900 m) in the data, and
  // leaves at 14.18 where the service file says 14:09:00; the form's
  // slowdown is 300 m long, the service file's 200 m.
  const dati_documenti d = dati_fissi();
  const fixed_scenario_documents doc = fixed_documents();
  EXPECT_EQ(elenco(controlla_scheda(doc.sheet, d)),
            "sheet-km-differs 26:19+5 [Sipicciano S. Nicola] service 21:13\n"
            "sheet-time-differs 26:51+15 [Sipicciano S. Nicola] service 21:63\n");
  EXPECT_EQ(elenco(controlla_rallentamenti(doc.form, d)),
            "form-length-differs 13:63+3 [slowdown at 22700 m] service 29:33\n");
  const rilievi r = controlla_scheda(doc.sheet, d);
  EXPECT_NE(r[1].messaggio.find("'S. Nicola'"), std::string::npos) << r[1].messaggio;
  EXPECT_NE(r[1].messaggio.find("14.18"), std::string::npos) << r[1].messaggio;
  EXPECT_NE(r[1].messaggio.find("14:09:00"), std::string::npos) << r[1].messaggio;
  EXPECT_EQ(r[1].genere, genere_rilievo::disaccordo);
}

// A line of `stazioni` stations 1000 m apart, the third with a long name,
// and `rallentamenti` slowdowns between them.
struct scenario_lungo {
  std::string linea, servizio;
};
scenario_lungo lungo(int stazioni, int rallentamenti) {
  scenario_lungo s;
  const int lunghezza = stazioni * 1000 + 2000;
  s.linea = "[generale]\r\nlunghezza percorso, " + std::to_string(lunghezza) +
            "\r\nprogressiva chilometrica uno, 0, " + std::to_string(lunghezza) +
            ", 1\r\nprogressiva chilometrica due, 0, 0, 0\r\nprogressiva chilometrica tre, 0, "
            "0, 0\r\nsfondo uno, 0\r\nsfondo due, 1\r\nsfondo tre, 0\r\nripetizione segnali 4 "
            "codici, 0, 0\r\n[pendenze]\r\npendenza, 0, 0\r\n[fine]\r\n";
  s.servizio =
      "[generale]\r\nnumero vetture, 2\r\npercentuale massa frenata, 90\r\nsabbia, 0\r\n"
      "orologio, 7 59 0\r\n[aderenze]\r\naderenza, 0, 100\r\n[vel_limite]\r\nvelocita, 0, 80\r\n"
      "[stazioni]\r\n";
  for (int k = 0; k < stazioni; ++k) {
    const int t = 8 * 3600 + k * 150;
    const std::string nome =
        k == 2 ? "Stazione dal nome lungo oltre una riga" : "Fermata " + std::to_string(k + 1);
    s.servizio += "stazione, " + std::to_string(k * 1000) + ", " +
                  (k == 0              ? "12, 400"
                   : k + 1 == stazioni ? "4, 400"
                                       : "24, 300") +
                  ", 0, 0, 0, 0,0,0, 4,1,1, 0, " + std::to_string(t / 3600) + ", " +
                  std::to_string(t % 3600 / 60) + ", " + std::to_string(t % 60) + ", " + nome +
                  "\r\n";
  }
  s.servizio += "[rallentamenti]\r\n";
  for (int k = 0; k < rallentamenti; ++k) {
    s.servizio += "rallentamento, " + std::to_string(k * 1000 + 500) + ", 30, 100, 1, 0, 0\r\n";
  }
  s.servizio += "[fine]\r\n";
  return s;
}

TEST(documenti, rows_beyond_a_page_go_on_to_a_second_page) {
  // 40 stations, one of them over two rows, on a page of 31 rows; 25
  // slowdowns on pages of 23 rows.
  const scenario_lungo s = lungo(40, 25);
  const dati_documenti d = dati_di(s.linea, s.servizio, "Lunga", "1");
  ASSERT_EQ(d.stazioni.size(), 40U);
  ASSERT_EQ(d.rallentamenti.size(), 25U);
  const std::string scheda = scheda_treno(d, {});
  const std::vector<std::string> r = righe(scheda);
  ASSERT_EQ(r.size(), 2 * 54U);
  EXPECT_EQ(r[3].substr(39, 22), utf8_to_cp1252("    scheda n° 1/2     "));
  EXPECT_EQ(r[54 + 3].substr(39, 22), utf8_to_cp1252("    scheda n° 2/2     "));
  EXPECT_NE(r[18].find("Stazione dal nome lungo"), std::string::npos);
  EXPECT_NE(r[19].find("|oltre una riga "), std::string::npos);
  EXPECT_NE(r[16 + 30].find("Fermata 30 "), std::string::npos);  // the page's last row
  EXPECT_NE(r[54 + 16].find("Fermata 31 "), std::string::npos);  // the next page's first
  EXPECT_NE(r[54 + 16 + 9].find("Fermata 40 "), std::string::npos);
  EXPECT_EQ(elenco(controlla_scheda(scheda, d)), "");

  const std::string modulo = ordine_rallentamento(d);
  const std::vector<std::string> m = righe(modulo);
  ASSERT_EQ(m.size(), 2 * 46U);
  // Rows 2 and 3 name the long station over two and three lines: rows 1
  // to 20 fill the first page's 23 lines.
  EXPECT_EQ(m[12 + 1],
            " | 2 |   Fermata 2 - Stazione dal |    41      |    30    |   100   |            |");
  EXPECT_EQ(m[12 + 2],
            " |   |   nome lungo oltre una riga|            |          |         |            |");
  EXPECT_EQ(m[12 + 22].substr(0, 6), " |20 |");
  const std::span<const std::string_view> programma = righe_rallentamenti();
  EXPECT_EQ(m[12 + 23], programma[16]);  // no end mark on the first page
  EXPECT_EQ(m[46 + 12].substr(0, 6), " |21 |");
  EXPECT_EQ(m[46 + 12 + 4].substr(0, 6), " |25 |");
  EXPECT_EQ(m[46 + 12 + 5], programma[13]);  // the end mark after the last row
  EXPECT_EQ(elenco(controlla_rallentamenti(modulo, d)), "");
}

TEST(documenti, passing_times_given_are_shown_as_computed) {
  const dati_documenti d = dati_fissi();
  opzioni_scheda o;
  o.passaggi.resize(d.stazioni.size());
  o.passaggi[6] = 14 * 3600 + 31 * 60 + 10;  // Bassano in Teverina: 14.31
  const std::vector<std::string> r = righe(scheda_treno(d, o));
  EXPECT_NE(r[riga_con(r, "Bassano")].find("|     14.31 (c)  |"), std::string::npos);
  EXPECT_EQ(r[50], "  (c) orario di passaggio calcolato, non in orario");
  EXPECT_EQ(elenco(controlla_scheda(unisci(r), d)), "");
}

TEST(documenti, every_finding_id_is_documented) {
  const std::string doc = disk_file_system().read_file(std::string(VO_DOCS_DIR) + "/route_tool.md");
  std::vector<const char*> ids(id_rilievo::lettura.begin(), id_rilievo::lettura.end());
  ids.insert(ids.end(), id_rilievo::scheda.begin(), id_rilievo::scheda.end());
  ids.insert(ids.end(), id_rilievo::modulo.begin(), id_rilievo::modulo.end());
  EXPECT_EQ(ids.size(), 20U);
  for (const char* id : ids) {
    EXPECT_NE(doc.find("| `" + std::string(id) + "` |"), std::string::npos) << id;
  }
}

}  // namespace
}  // namespace scenario
