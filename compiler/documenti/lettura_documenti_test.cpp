// Each finding id at its line and column, the tolerance at its boundary,
// documents that cannot be read as their layout (UTF-8, tabs, LF, cut
// short, empty, another layout), and the pieces: names, kilometres, times.
#include <gtest/gtest.h>

#include <string>

#include "base/cp1252.h"
#include "compiler/documenti/confronto_documenti.h"
#include "compiler/documenti/documenti_test_support.h"
#include "compiler/documenti/nomi_stazioni.h"
#include "compiler/documenti/orari.h"
#include "compiler/documenti/ordine_rallentamento.h"
#include "compiler/documenti/scheda_treno.h"

namespace scenario {
namespace {

using namespace prova_documenti;

// The example's generated sheet: Alfa on line 17, Beta on 19, Gamma on 21.
class scheda_esempio : public ::testing::Test {
 protected:
  const dati_documenti d = dati_esempio();
  std::vector<std::string> r = righe(scheda_treno(d, {}));
  std::size_t beta = riga_con(r, "|Beta ");
  std::string controlla(const opzioni_confronto& o = {}) {
    return elenco(controlla_scheda(unisci(r), d, o));
  }
};

TEST_F(scheda_esempio, station_missing_and_out_of_order) {
  ASSERT_EQ(beta, 18U);
  const std::string beta_riga = r[beta];
  r[beta] = con_cella(con_cella(con_cella(r[beta], 2, ""), 3, ""), 4, "");
  EXPECT_EQ(controlla(), "sheet-station-missing 21:26+5 [Beta] service 14:1\n");
  // Beta's row moved after Gamma's: with Alfa and Beta matched, Gamma's row
  // is the one out of the running order.
  r.insert(r.begin() + 21, beta_riga);
  r.erase(r.begin() + 46);
  EXPECT_EQ(controlla(), "sheet-station-out-of-order 21:26+5 [Gamma] service 15:1\n");
}

TEST_F(scheda_esempio, times) {
  r[beta] = con_cella(r[beta], 4, " 8.37+     8.40");
  EXPECT_EQ(controlla(), "sheet-time-differs 19:52+14 [Beta] service 14:64\n");
  r[beta] = con_cella(r[beta], 4, " 8.36      8.38");
  EXPECT_EQ(controlla(), "sheet-arrival-differs 19:52+14 [Beta] service 14:64\n");
  r[beta] = con_cella(r[beta], 4, "       -");
  EXPECT_EQ(controlla(), "sheet-time-missing 19:58+1 [Beta] service 14:64\n");
  // A dwell of 60 s makes 8.37 the arrival.
  r[beta] = con_cella(r[beta], 4, " 8.37      8.38");
  opzioni_confronto o;
  o.sosta_s = 60;
  EXPECT_EQ(controlla(o), "");
  // An arrival alone, at a station passed through with a stop, is the
  // service file's time less the dwell.
  r[beta] = con_cella(r[beta], 4, " 8.37");
  EXPECT_EQ(controlla(o), "");
  r[beta] = con_cella(r[beta], 4, " 8.38");
  EXPECT_EQ(controlla(o), "sheet-time-differs 19:52+4 [Beta] service 14:64\n");
  r[beta] = con_cella(r[beta], 4, " 8.37      8.38");
  // The last station's time is its arrival, on either side.
  r[beta + 2] = con_cella(r[beta + 2], 4, " 8.47");
  EXPECT_EQ(controlla(o), "");
  r[beta + 2] = con_cella(r[beta + 2], 4, "           8.48");
  EXPECT_EQ(controlla(o), "sheet-time-differs 21:62+4 [Gamma] service 15:64\n");
}

TEST_F(scheda_esempio, kilometre_tolerance) {
  r[beta] = con_cella(r[beta], 2, "    7.600");  // 100 m off: within
  EXPECT_EQ(controlla(), "");
  r[beta] = con_cella(r[beta], 2, "    7.399");  // 101 m off
  EXPECT_EQ(controlla(), "sheet-km-differs 19:19+5 [Beta] service 14:14\n");
  opzioni_confronto o;
  o.tolleranza_km_m = 101;
  EXPECT_EQ(controlla(o), "");
}

TEST(scheda_fissa, timetabled_time_where_the_service_file_has_none) {
  const dati_documenti d = dati_fissi();
  std::vector<std::string> r = righe(scheda_treno(d, {}));
  const std::size_t bassano = riga_con(r, "|Bassano");
  r[bassano] = con_cella(r[bassano], 4, "          14.31");
  EXPECT_EQ(elenco(controlla_scheda(unisci(r), d)),
            "sheet-time-not-in-service 30:61+5 [Bassano in Teverina] service 24:64\n");
  // Centred, or marked, it is a passing time and not compared.
  r[bassano] = con_cella(r[bassano], 4, "     14.31");
  EXPECT_EQ(elenco(controlla_scheda(unisci(r), d)), "");
  r[bassano] = con_cella(r[bassano], 4, "14.31 (X)");
  EXPECT_EQ(elenco(controlla_scheda(unisci(r), d)), "");
  r[bassano] = con_cella(r[bassano], 4, "14.31 *");
  EXPECT_EQ(elenco(controlla_scheda(unisci(r), d)), "");
}

// The example's generated form: its one row on line 13.
class modulo_esempio : public ::testing::Test {
 protected:
  const dati_documenti d = dati_esempio();
  std::vector<std::string> r = righe(ordine_rallentamento(d));
  std::string controlla() { return elenco(controlla_rallentamenti(unisci(r), d)); }
};

TEST_F(modulo_esempio, kilometre_speed_and_length) {
  ASSERT_NE(r[12].find("Alfa - Beta"), std::string::npos);
  // Km 11.000 lies after post 11 and, give or take 100 m, after post 12.
  r[12] = con_cella(r[12], 2, "    12");
  EXPECT_EQ(controlla(), "");
  r[12] = con_cella(r[12], 2, "    10");
  EXPECT_EQ(controlla(), "form-km-differs 13:40+2 [slowdown at 4000 m] service 17:19\n");
  r[12] = con_cella(r[12], 2, "  11+100");
  EXPECT_EQ(controlla(), "");
  r[12] = con_cella(r[12], 2, "  11+101");
  EXPECT_EQ(controlla(), "form-km-differs 13:38+6 [slowdown at 4000 m] service 17:19\n");
  r[12] = con_cella(con_cella(con_cella(r[12], 2, "    11"), 3, "    50"), 4, "   200 m");
  EXPECT_EQ(controlla(),
            "form-speed-differs 13:53+2 [slowdown at 4000 m] service 17:28\n"
            "form-length-differs 13:63+5 [slowdown at 4000 m] service 17:33\n");
}

TEST_F(modulo_esempio, slowdowns_on_one_side_only) {
  const std::string riga = r[12];
  r[13] = con_cella(
      con_cella(con_cella(con_cella(riga, 1, "   Beta - Gamma"), 2, "    3"), 3, "    60"), 4,
      "   100");
  r.erase(r.begin() + 16);
  EXPECT_EQ(controlla(), "form-slowdown-not-in-service 14:10+12\n");
  // The row told by its stations and its post.
  const rilievi in_piu = controlla_rallentamenti(unisci(r), d);
  ASSERT_EQ(in_piu.size(), 1U);
  EXPECT_EQ(in_piu[0].messaggio,
            "this row's slowdown 'Beta - Gamma' after post 3 is not in the service file: no "
            "\"rallentamento\" record matches it. Add the record, or strike the row");
  r[12] = con_cella(con_cella(con_cella(riga, 1, ""), 2, ""), 3, "");
  r[12] = con_cella(r[12], 4, "");
  r[12] = con_cella(r[12], 0, "");
  EXPECT_EQ(controlla(),
            "form-slowdown-not-in-service 14:10+12\n"
            "form-slowdown-missing 15:1+0 [slowdown at 4000 m] service 17:1\n");
}

TEST_F(modulo_esempio, a_row_without_post_goes_to_the_slowdown_of_its_length) {
  // Two slowdowns of 40 km/h, of 300 m and 500 m, between the same
  // stations; the form's row of the first struck out and the second's post
  // left blank: its speed fits both, its length only the second.
  dati_documenti due = d;
  ASSERT_EQ(due.rallentamenti.size(), 1U);
  rallentamento_documento secondo = due.rallentamenti[0];
  secondo.x = 6000;
  secondo.l = 500;
  secondo.record = -1;
  due.rallentamenti.push_back(secondo);
  std::vector<std::string> m = righe(ordine_rallentamento(due));
  const std::size_t primo = riga_con(m, "  300");
  m[primo + 1] = con_cella(m[primo + 1], 2, "");
  m.erase(m.begin() + static_cast<std::ptrdiff_t>(primo));
  // Matched to the second, whose post is missing; the first is missing.
  EXPECT_EQ(elenco(controlla_rallentamenti(unisci(m), due)),
            "form-slowdown-missing 13:10+11 [slowdown at 4000 m] service 17:1\n"
            "form-km-differs 13:36+1 [slowdown at 6000 m] service 17:19\n");
}

TEST(lettura, empty_and_other_layouts) {
  const dati_documenti d = dati_fissi();
  const fixed_scenario_documents doc = fixed_documents();
  EXPECT_EQ(elenco(controlla_scheda("", d)), "document-empty 1:1+0\n");
  EXPECT_EQ(elenco(controlla_rallentamenti(" \r\n\t\r\n", d)), "document-empty 1:1+0\n");
  EXPECT_EQ(elenco(controlla_scheda(fixed_texts().line, d)), "document-other-layout 1:1+0\n");
  // Each document given for the other.
  EXPECT_EQ(elenco(controlla_scheda(doc.form, d)), "document-other-layout 10:1+0\n");
  EXPECT_EQ(elenco(controlla_rallentamenti(doc.sheet, d)), "document-other-layout 14:1+0\n");
  const rilievi r = controlla_scheda(doc.form, d);
  EXPECT_NE(r[0].messaggio.find("slowdown order form, not of a timetable sheet"),
            std::string::npos);
  EXPECT_EQ(r[0].genere, genere_rilievo::lettura);
}

TEST(lettura, utf8_tabs_and_line_ends_are_said_and_read_on) {
  const dati_documenti d = dati_fissi();
  const std::string scheda = fixed_documents().sheet;
  const std::string disaccordi =
      "sheet-km-differs 26:19+5 [Sipicciano S. Nicola] service 21:13\n"
      "sheet-time-differs 26:51+15 [Sipicciano S. Nicola] service 21:63\n";
  // "n°" of the header box is the first character beyond ASCII.
  EXPECT_EQ(elenco(controlla_scheda(cp1252_to_utf8(scheda), d)),
            "document-utf8 4:52+2\n" + disaccordi);
  std::vector<std::string> r = righe(scheda);
  r[25].replace(14, 4, "\t");
  EXPECT_EQ(elenco(controlla_scheda(unisci(r), d)),
            "document-tab 26:15+1\nsheet-km-differs 26:16+5 [Sipicciano S. Nicola] service 21:13\n"
            "sheet-time-differs 26:48+15 [Sipicciano S. Nicola] service 21:63\n");
  std::string lf;
  for (const std::string& x : righe(scheda)) lf += x + "\n";
  EXPECT_EQ(elenco(controlla_scheda(lf, d)), "document-line-ends 1:1+1\n" + disaccordi);
}

TEST(lettura, a_document_cut_short_is_compared_as_far_as_it_goes) {
  const dati_documenti d = dati_fissi();
  const std::string scheda = fixed_documents().sheet;
  // Cut inside the row of "S. Nicola": that row is not read, and the
  // stations from it on are not missing.
  const std::size_t taglio = scheda.find("|S. Nicola") + 30;
  EXPECT_EQ(elenco(controlla_scheda(scheda.substr(0, taglio), d)),
            "document-truncated 26:1+0\n"
            "document-not-table-row 26:2+53\n");
  // Cut inside the heading.
  EXPECT_EQ(elenco(controlla_scheda(scheda.substr(0, scheda.find(" | Vel.")), d)),
            "document-truncated 14:1+0\n");
  const std::string modulo = fixed_documents().form;
  EXPECT_EQ(elenco(controlla_rallentamenti(modulo.substr(0, modulo.find(" |___|", 900)), d)),
            "form-length-differs 13:63+3 [slowdown at 22700 m] service 29:33\n"
            "document-truncated 38:1+0\n");
}

TEST(lettura, lines_and_cells_that_cannot_be_read) {
  const dati_documenti d = dati_esempio();
  std::vector<std::string> r = righe(scheda_treno(d, {}));
  r[17] = "  a line of prose in the table";
  r[19] = " | 60 |  | 1.500 | | - | |";
  r[22] = con_cella(con_cella(con_cella(r[22], 0, " fast"), 2, " km ?"), 4, " 8h30");
  EXPECT_EQ(elenco(controlla_scheda(unisci(r), d)),
            "document-not-table-row 18:1+30\n"
            "document-not-table-row 20:2+25\n"
            "document-bad-cell 23:4+4\n"
            "document-bad-cell 23:16+4\n"
            "document-bad-cell 23:52+4\n");
  std::vector<std::string> m = righe(ordine_rallentamento(d));
  m[12] = con_cella(con_cella(con_cella(m[12], 2, " 11 km"), 3, " 40 km/h"), 4, " 300 m");
  EXPECT_EQ(elenco(controlla_rallentamenti(unisci(m), d)),
            "document-bad-cell 13:37+5\n"
            "form-km-differs 13:37+5 [slowdown at 4000 m] service 17:19\n");
}

TEST(nomi, compared_loosely) {
  auto q = [](std::string_view a, std::string_view b) {
    return confronta_nomi(parole_nome(a), parole_nome(b));
  };
  EXPECT_EQ(q("VITERBO P.F.", "VITERBO P. F."), somiglianza::uguale);
  EXPECT_EQ(q("GROTTE SANTO STEFANO", "Grotte S. Stefano"), somiglianza::uguale);
  EXPECT_EQ(q("San Nicola", "S.Nicola"), somiglianza::uguale);
  EXPECT_EQ(q("2\xB0 bivio Orte Nord", "2\xC2\xB0 Bivio Orte Nord"), somiglianza::uguale);
  EXPECT_EQ(q("Citt\xE0", "CITTA"), somiglianza::uguale);
  EXPECT_EQ(q("Citt\xC3\xA0", "citta"), somiglianza::uguale);
  EXPECT_EQ(q("ATTIGLIANO-BOMARZO", "ATTIGLIANO"), somiglianza::parziale);
  EXPECT_EQ(q("S. Nicola", "Sipicciano S. Nicola"), somiglianza::parziale);
  EXPECT_EQ(q("Sipicciano", "Montefiascone"), somiglianza::nessuna);
  EXPECT_EQ(q("Orte", "Ortenuova"), somiglianza::nessuna);
  EXPECT_EQ(q("", "Orte"), somiglianza::nessuna);
  EXPECT_EQ(q("-", "."), somiglianza::nessuna);
  // Each Windows-1252 letter with an accent at the ends of its run, in
  // either case, reads as its plain letter; the signs between them do not.
  const struct {
    const char* accentate;
    const char* piana;
  } lettere[] = {{"\xC0\xC5\xE0\xE5", "AAAA"}, {"\xC7\xE7", "CC"},
                 {"\xC8\xCB\xE8\xEB", "EEEE"}, {"\xCC\xCF\xEC\xEF", "IIII"},
                 {"\xD1\xF1", "NN"},           {"\xD2\xD6\xD8\xF2\xF6\xF8", "OOOOOO"},
                 {"\xD9\xDC\xF9\xFC", "UUUU"}};
  for (const auto& l : lettere) {
    EXPECT_EQ(q(std::string("X") + l.accentate, std::string("X") + l.piana), somiglianza::uguale)
        << l.piana;
  }
  EXPECT_EQ(q("A\xD7"
              "B",
              "A B"),
            somiglianza::uguale);  // the multiplication sign parts words
  EXPECT_EQ(q("A\xF7"
              "B",
              "A B"),
            somiglianza::uguale);  // so does the division sign
}

TEST(pezzi, kilometres_times_and_posts) {
  auto km = [](std::string_view t) {
    const auto k = leggi_km(t);
    return k ? std::to_string(k->metri) + (k->interi ? " whole" : "") : "none";
  };
  EXPECT_EQ(km("39.050"), "39050");
  EXPECT_EQ(km(" 39,05 "), "39050");
  EXPECT_EQ(km("16+350"), "16350");
  EXPECT_EQ(km("Km. 16+350"), "16350");
  EXPECT_EQ(km("-0.050"), "-50");
  EXPECT_EQ(km("17"), "17000 whole");
  EXPECT_EQ(km("1.2345"), "none");
  EXPECT_EQ(km("17."), "none");
  EXPECT_EQ(km("abc"), "none");
  EXPECT_EQ(km(""), "none");
  EXPECT_EQ(km("1234567"), "none");

  EXPECT_EQ(orario_scheda(mezzi_minuti(14 * 3600 + 27 * 60 + 30)), "14.27+");
  EXPECT_EQ(orario_scheda(mezzi_minuti(8 * 3600 + 30 * 60)), " 8.30 ");
  // Half minutes rounded half to even: 15 s is half of one.
  EXPECT_EQ(orario_scheda(mezzi_minuti(14 * 3600 + 27 * 60 + 15)), "14.27 ");
  EXPECT_EQ(orario_scheda(mezzi_minuti(14 * 3600 + 27 * 60 + 45)), "14.28 ");
  EXPECT_EQ(orario_scheda(mezzi_minuti(24 * 3600 + 60)), " 0.01 ");
  EXPECT_EQ(orario_esteso(14 * 3600 + 9 * 60), "14:09:00");
  for (const char* t : {"13.59+", "13:59+", "13,59+"}) {
    const auto o = leggi_orario(t, 0);
    ASSERT_TRUE(o) << t;
    EXPECT_EQ(o->mezzi, 13 * 120 + 59 * 2 + 1);
    EXPECT_EQ(o->fine, 6U);
  }
  for (const char* t : {"24.00", "13.60", "13.5", "135.00", "13.590", "x"}) {
    EXPECT_FALSE(leggi_orario(t, 0)) << t;
  }

  EXPECT_EQ(cippo_prima(16350), 17);
  EXPECT_EQ(cippo_prima(16000), 16);
  EXPECT_EQ(cippo_prima(16001), 17);
  EXPECT_EQ(cippo_prima(0), 0);
  EXPECT_EQ(cippo_prima(-50), 0);
  EXPECT_EQ(cippo_prima(-1001), -1);
  EXPECT_EQ(testo_km(-50), "-0.050");
  EXPECT_EQ(testo_km(96100), "96.100");
}

}  // namespace
}  // namespace scenario
