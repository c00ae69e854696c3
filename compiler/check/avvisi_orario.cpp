#include "compiler/check/avvisi_orario.h"

#include <algorithm>

#include "base/cp1252.h"
#include "compiler/check/avvisi.h"
#include "compiler/marcia/guasti_orario.h"
#include "compiler/marcia/linea_da_modello.h"
#include "compiler/marcia/marcia.h"
#include "compiler/route_model/misure.h"

namespace scenario {

namespace {

// The station record's hours, minutes and seconds: the three values of its
// time, one place when they stand on one line.
luogo campo_orario(const contesto_check& c, std::int32_t record) {
  const auto& campi = descrizione(tipo_record::stazione).campi;
  const auto ore = std::find_if(campi.begin(), campi.end(),
                                [](const descrizione_campo& d) { return d.nome == "ore"; });
  const int i = static_cast<int>(ore - campi.begin());
  luogo l = c.di_record(record, i);
  const luogo secondi = c.di_record(record, i + 2);
  if (secondi.riga == l.riga && secondi.colonna >= l.colonna) {
    l.lunghezza = secondi.colonna + secondi.lunghezza - l.colonna;
  }
  return l;
}

id_diagnostica id_di(tipo_guasto_orario t) {
  switch (t) {
    case tipo_guasto_orario::non_dopo_precedente:
      return id_diagnostica::time_not_after_previous;
    case tipo_guasto_orario::sezione_troppo_breve:
      return id_diagnostica::section_too_short;
    case tipo_guasto_orario::fuori_giornata:
      break;
  }
  return id_diagnostica::time_outside_day;
}

std::string rimedio(tipo_guasto_orario t) {
  switch (t) {
    case tipo_guasto_orario::non_dopo_precedente:
      return "Give a later time, or put the stations in running order";
    case tipo_guasto_orario::sezione_troppo_breve:
      return "Give this station a later time (route_tool timing shows the fastest run)";
    case tipo_guasto_orario::fuori_giornata:
      break;
  }
  return "Give a time from 0:00:00 to 23:59:59";
}

}  // namespace

void avvisi_orario(const risultato_compilazione& r, const contesto_check& c,
                   const modello_treno& treno, std::vector<diagnostica>& out) {
  const linea_marcia l = linea_da_modello(r.modello, r.sorgenti);
  // A checker needs the stations' times and the sections, not the run.
  opzioni_marcia o;
  o.corsa = false;
  const esito_marcia e = calcola_marcia(l, treno, o);
  for (const guasto_orario& g : guasti_orario(l, &e)) {
    const stazione_marcia& s = l.stazioni[g.stazione];
    diagnostica d = avviso(id_di(g.tipo), campo_orario(c, s.record),
                           cp1252_to_utf8(testo_guasto_orario(l, g)) + ". " + rimedio(g.tipo));
    if (g.precedente) {
      const stazione_marcia& p = l.stazioni[*g.precedente];
      d.correlate.push_back({campo_orario(c, p.record), "the time of " + cp1252_to_utf8(p.nome) +
                                                            ", " + hh_mm_ss(g.orario_precedente)});
    }
    out.push_back(std::move(d));
  }
}

}  // namespace scenario
