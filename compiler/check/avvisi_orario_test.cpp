// The timetable's warnings through the checker: on the fixed scenario, on
// its service file edited as an author might, and never on texts with an
// error.
#include "compiler/check/avvisi_orario.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/check/controlla.h"
#include "sources/testi_fissi.h"

namespace scenario {
namespace {

// The text with line `n` (1-based, CR LF lines) replaced.
std::string con_riga(const std::string& testo, int n, const std::string& nuova) {
  std::size_t inizio = 0;
  for (int k = 1; k < n; ++k) inizio = testo.find("\r\n", inizio) + 2;
  const std::size_t fine = testo.find("\r\n", inizio);
  return testo.substr(0, inizio) + nuova + testo.substr(fine);
}

std::vector<diagnostica> dell_orario(const std::string& servizio, const modello_treno& treno = {},
                                     const std::string& linea = fixed_texts().line) {
  ingresso_controllo in;
  in.linea = linea;
  in.servizio = servizio;
  in.nome_file_servizio = "s.txt";
  in.nome_linea = "Viterbo_Attigliano_Orte";
  in.numero_treno = "7547";
  in.treno = treno;
  esito_controllo e = controlla(in);
  std::vector<diagnostica> out;
  for (const diagnostica& d : e.diagnostiche) {
    using enum id_diagnostica;
    if (d.id == time_not_after_previous || d.id == section_too_short || d.id == time_outside_day ||
        d.id == run_not_timed) {
      out.push_back(d);
    }
  }
  return out;
}

// "s.txt:21:56 [id] message | note at 20:56: note".
std::string riga_di(const diagnostica& d) {
  std::string r = std::to_string(d.dove.riga) + ":" + std::to_string(d.dove.colonna) + "+" +
                  std::to_string(d.dove.lunghezza) + " [" + std::string(d.nome()) + "] " +
                  d.messaggio;
  for (const nota& n : d.correlate) {
    r += " | " + std::to_string(n.dove.riga) + ":" + std::to_string(n.dove.colonna) + " " +
         n.messaggio;
  }
  return r;
}

std::vector<std::string> righe_di(const std::vector<diagnostica>& ds) {
  std::vector<std::string> r;
  for (const diagnostica& d : ds) r.push_back(riga_di(d));
  return r;
}

// Line 21 of the service file: "stazione,   31900, 27,  200,  0, 0, 0,
// 0,0,0,  0,0,0,   30,  14, 9, 0, Sipicciano S. Nicola"; its time "14, 9, 0"
// stands at columns 63 to 70. Grotte S. Stefano (line 20)
// leaves at the same 14:09:00, 9050 m before.
TEST(TimetableWarnings, TheFixedScenarioTimesSNicolaWithGrotte) {
  // One warning: the time not after Grotte's, with what the section needs
  // (the section too short is not said on top).
  const std::vector<std::string> atteso = {
      "21:63+8 [time-not-after-previous] the time 14:09:00 of Sipicciano S. Nicola is not after "
      "14:09:00 of Grotte S. Stefano; the 9050 m from there need at least 8 min 31 s. Give a "
      "later time, or put the stations in running order | 20:63 the time of Grotte S. Stefano, "
      "14:09:00"};
  const std::vector<diagnostica> d = dell_orario(fixed_texts().service);
  EXPECT_EQ(righe_di(d), atteso);
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].dove.file, file_sorgente::servizio);
  EXPECT_EQ(d[0].correlate.at(0).dove.file, file_sorgente::servizio);
}

TEST(TimetableWarnings, TheTimeOfSNicolaGivenAsOnTheSheetLeavesNone) {
  // 14.18 on the timetable sheet: 9 min after Grotte, 8 min 31 s needed.
  const std::string servizio = fixed_texts_on_time().service;
  EXPECT_EQ(righe_di(dell_orario(servizio)), std::vector<std::string>{});
  // A train of half the power and effort cannot keep the 9 min from
  // Montefiascone to Grotte S. Stefano.
  modello_treno debole;
  debole.potenza_kw = 1000.0;
  debole.sforzo_avviamento_kn = 60.0;
  const std::vector<std::string> atteso = {
      "20:63+8 [section-too-short] 10400 m from Montefiascone needs at least 9 min 5 s; the "
      "timetable gives 9 min 0 s. Give the later station a later time, or the train more power "
      "in its train model | 19:63 the time of Montefiascone, 14:00:00"};
  EXPECT_EQ(righe_di(dell_orario(servizio, debole)), atteso);
}

TEST(TimetableWarnings, ATimeOfDayPastMidnightAndOneBeforeThePrevious) {
  std::string servizio = fixed_texts_on_time().service;
  // ORTE at 24:38:00, and Sipicciano at 14:12:00, before S. Nicola's
  // 14:18:00. ORTE's note is at ATTIGLIANO, the last station with a time
  // before it (Bassano in Teverina has none).
  servizio = con_riga(servizio, 26,
                      "stazione,   52600,  4,  400,  1, 0, 0,  1,1,0,  2,1,1,    0,  24,38, 0, "
                      "ORTE");
  servizio = con_riga(servizio, 22,
                      "stazione,   33650, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   30,  14,12, 0, "
                      "Sipicciano");
  const std::vector<std::string> atteso = {
      "22:63+8 [time-not-after-previous] the time 14:12:00 of Sipicciano is not after 14:18:00 "
      "of Sipicciano S. Nicola; the 1750 m from there need at least 2 min 27 s. Give a later "
      "time, or put the stations in running order | 21:63 the time of Sipicciano S. Nicola, "
      "14:18:00",
      "26:63+8 [time-outside-day] the time 24:38:00 of ORTE is not a time of day (0:00:00 to "
      "23:59:59). Give a time from 0:00:00 to 23:59:59 | 23:63 the time of ATTIGLIANO, "
      "14:27:30"};
  EXPECT_EQ(righe_di(dell_orario(servizio)), atteso);
}

TEST(TimetableWarnings, NoneWhenTheTextsHaveAnError) {
  // A station off the 50 m grid (code 8): the route is not timed.
  const std::string servizio = con_riga(fixed_texts().service, 19,
                                        "stazione,   12475, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,   "
                                        "30,  14, 0, 0, Montefiascone");
  EXPECT_EQ(righe_di(dell_orario(servizio)), std::vector<std::string>{});
}

// A run that cannot be timed: one warning at the value the reason names,
// and the times still judged against each other.
TEST(TimetableWarnings, ARunThatCannotBeTimedIsSaidAtTheValueAtFault) {
  const fixed_scenario_texts t = fixed_texts();
  const std::string nicola =
      "21:63+8 [time-not-after-previous] the time 14:09:00 of Sipicciano S. Nicola is not after "
      "14:09:00 of Grotte S. Stefano. Give a later time, or put the stations in running order | "
      "20:63 the time of Grotte S. Stefano, 14:09:00";
  // A speed limit of 0 km/h from 8000 m (line 11: "velocita,    8000,    75").
  EXPECT_EQ(righe_di(dell_orario(con_riga(t.service, 11, "velocita,    8000,     0"))),
            (std::vector<std::string>{
                "11:24+1 [run-not-timed] the speed limit is 0 km/h at 8000 m: the train cannot "
                "pass, so the train's run cannot be timed and the timetable is not checked. Give "
                "a speed above 0 km/h",
                nicola}));
  // The slowdown at 22700 m at 0 km/h: its speed, not the line's limit.
  EXPECT_EQ(righe_di(dell_orario(
                con_riga(t.service, 29, "rallentamento,   22700,     0,  200, 1,  0,  0"))),
            (std::vector<std::string>{
                nicola,
                "29:29+1 [run-not-timed] the speed limit is 0 km/h at 22700 m: the train cannot "
                "pass, so the train's run cannot be timed and the timetable is not checked. Give "
                "a speed above 0 km/h"}));
  // No cars: at the number of cars; a train model with its own mass and
  // length times the run again.
  const std::string senza_vetture = con_riga(t.service, 2, "numero vetture,    0");
  EXPECT_EQ(righe_di(dell_orario(senza_vetture)),
            (std::vector<std::string>{
                "2:20+1 [run-not-timed] the service file gives 0 cars: no train to time (the "
                "train model may give \"massa_t\" and \"lunghezza_m\"), so the train's run "
                "cannot be timed and the timetable is not checked. Give the number of cars, or "
                "\"massa_t\" and \"lunghezza_m\" in the train model",
                nicola}));
  modello_treno proprio;
  proprio.massa_t = 200.0;
  proprio.lunghezza_m = 100.0;
  ASSERT_EQ(dell_orario(senza_vetture, proprio).size(), 1u);
  EXPECT_EQ(dell_orario(senza_vetture, proprio)[0].id, id_diagnostica::time_not_after_previous);
  // A gradient the train stalls on (the line file's line 59).
  EXPECT_EQ(righe_di(dell_orario(t.service, {}, con_riga(t.line, 59, "pendenza,  1500,   155"))),
            (std::vector<std::string>{
                "59:20+3 [run-not-timed] the train stalls at 1695 m on 155 per mille, so the "
                "train's run cannot be timed and the timetable is not checked. Ease the gradient, "
                "or give the train more tractive effort in its train model",
                nicola}));
}

// The last run is kept for the next check of the same line and train (an
// editor's keystrokes): a check after another line or train gives what a
// first check gives.
TEST(TimetableWarnings, EachCheckTimesItsOwnLineAndTrain) {
  const std::string fisso = fixed_texts().service;
  const std::string in_orario = fixed_texts_on_time().service;
  const std::vector<std::string> primo = righe_di(dell_orario(fisso));
  ASSERT_EQ(primo.size(), 1u);
  EXPECT_EQ(righe_di(dell_orario(fisso)), primo);
  modello_treno debole;
  debole.potenza_kw = 1000.0;
  debole.sforzo_avviamento_kn = 60.0;
  EXPECT_EQ(righe_di(dell_orario(in_orario, debole)).size(), 1u);  // Montefiascone to Grotte
  EXPECT_EQ(righe_di(dell_orario(in_orario)), std::vector<std::string>{});
  // 70 km/h from 2050 m too, instead of 100: VITERBO P. F. to Montefiascone
  // cannot be kept in its 11 min any more.
  const std::vector<std::string> lenti =
      righe_di(dell_orario(con_riga(fisso, 10, "velocita,    2050,    70")));
  ASSERT_EQ(lenti.size(), 2u);
  EXPECT_TRUE(
      lenti[0].starts_with("19:63+8 [section-too-short] 12450 m from VITERBO P. F. needs "
                           "at least 11 min 35 s; the timetable gives 11 min 0 s."))
      << lenti[0];
  EXPECT_EQ(lenti[1], primo[0]);
  EXPECT_EQ(righe_di(dell_orario(fisso)), primo);
}

TEST(TimetableWarnings, ALimitOfZeroBeforeTheFirstSpeedRecordIsSaidOnce) {
  // The cells before 1000 m get the limit 0: no-speed-at-zero says so, and
  // the run that cannot start is not said on top.
  const fixed_scenario_texts t = fixed_texts();
  const std::string servizio = con_riga(t.service, 9, "velocita,    1000,    70");
  ingresso_controllo in;
  in.linea = t.line;
  in.servizio = servizio;
  const esito_controllo e = controlla(in);
  std::vector<std::string> ids;
  for (const diagnostica& d : e.diagnostiche) ids.emplace_back(d.nome());
  EXPECT_EQ(ids, (std::vector<std::string>{"no-speed-at-zero", "time-not-after-previous"}));
}

}  // namespace
}  // namespace scenario
