#include "fuzz/timing_check.h"

#include <cmath>

#include "compiler/compila.h"
#include "compiler/marcia/guasti_orario.h"
#include "compiler/marcia/linea_da_modello.h"
#include "compiler/marcia/marcia.h"

namespace scenario {

namespace {

bool finito(double v) {
  return std::isfinite(v);
}

std::string check_run(const linea_marcia& l, const esito_marcia& e) {
  if (e.impedimento) {
    if (e.impedimento->testo.empty()) return "a reason without words";
    if (!finito(e.impedimento->posizione)) return "a reason at no finite place";
    if (!e.sezioni.empty() || e.intera) return "sections beside a reason";
  }
  double x = -INFINITY, t = -INFINITY;
  for (const nodo_marcia& n : e.nodi) {
    if (!finito(n.posizione) || !finito(n.velocita) || !finito(n.orario) || !finito(n.limite))
      return "a node not finite at " + std::to_string(n.posizione);
    if (n.velocita < 0.0 || n.velocita > n.limite * (1.0 + 1e-9) + 1e-9)
      return "speed " + std::to_string(n.velocita) + " over the limit " + std::to_string(n.limite) +
             " at " + std::to_string(n.posizione);
    if (n.posizione < x || n.orario < t)
      return "the run goes back at " + std::to_string(n.posizione);
    x = n.posizione;
    t = n.orario;
  }
  for (const punto_marcia& p : e.profilo) {
    if (!finito(p.velocita_kmh) || !finito(p.limite_kmh) || !finito(p.orario))
      return "a profile point not finite at " + std::to_string(p.posizione);
  }
  if (!e.impedimento && e.stazioni.size() != l.stazioni.size()) return "not every station reached";
  for (const orario_stazione& s : e.stazioni) {
    if (!finito(s.arrivo) || !finito(s.partenza) || s.partenza < s.arrivo)
      return "station times wrong at station " + std::to_string(s.stazione);
  }
  for (const sezione_marcia& s : e.sezioni) {
    if (!finito(s.tempo_minimo) || !finito(s.margine_percento) || !(s.tempo_minimo > 0.0))
      return "a section's figures not finite or not above 0";
    if (s.margine != s.tempo_orario - s.tempo_minimo) return "a margin that does not add up";
  }
  for (const guasto_orario& g : guasti_orario(l, &e)) {
    if (testo_guasto_orario(l, g).empty()) return "a timetable fault without words";
  }
  return {};
}

}  // namespace

std::string check_timing(std::string_view input, bool weak_train) {
  const std::size_t nul = input.find('\0');
  const opzioni_compilazione o = opzioni_compilazione_marcia("Viterbo_Attigliano_Orte", "7547");
  risultato_compilazione r;
  try {
    if (nul == std::string_view::npos) {
      r = compila({input, std::nullopt}, o);
    } else {
      r = compila({input.substr(0, nul), input.substr(nul + 1)}, o);
    }
  } catch (const std::length_error&) {
    return {};  // a name too long for the simulation file: nothing compiled
  }
  if (r.esito == esito_compilazione::senza_modello) return {};
  const linea_marcia l = linea_da_modello(r.modello, r.sorgenti);
  modello_treno m;
  if (weak_train) {
    m.sforzo_avviamento_kn /= 4.0;
    m.potenza_kw /= 4.0;
  }
  return check_run(l, calcola_marcia(l, m));
}

std::string check_timing_input(std::string_view input) {
  return check_timing(input, input.size() % 2 == 1);
}

}  // namespace scenario
