// The drawing model's run: the running-time calculation once, its profile,
// stations and sections in the units the pictures draw.
#include <algorithm>
#include <cmath>

#include "base/cp1252.h"
#include "compiler/marcia/marcia.h"
#include "tools/route_view/drawing_model.h"

namespace scenario {

void add_run(route_drawing& d, const linea_marcia& line, const modello_treno& model,
             std::string model_name) {
  drawn_run r;
  r.train_model = std::move(model_name);
  const esito_marcia e = calcola_marcia(line, model);
  if (e.impedimento) {
    r.reason = "no run drawn: " + cp1252_to_utf8(e.impedimento->testo);
    d.run = std::move(r);
    return;
  }
  r.points.reserve(e.profilo.size());
  for (const punto_marcia& p : e.profilo) {
    r.points.push_back({p.posizione, p.velocita_kmh, p.limite_kmh, p.orario});
  }
  const auto drawn_index = [&](std::size_t k) -> std::optional<std::size_t> {
    for (std::size_t i = 0; i < d.stations.size(); ++i) {
      if (d.stations[i].slot == line.stazioni[k].voce) return i;
    }
    return std::nullopt;
  };
  for (const orario_stazione& o : e.stazioni) {
    const std::optional<std::size_t> i = drawn_index(o.stazione);
    if (!i) continue;
    const stazione_marcia& s = line.stazioni[o.stazione];
    r.stations.push_back({*i, s.posizione, o.ferma, o.arrivo, o.partenza, s.orario});
  }
  for (const sezione_marcia& z : e.sezioni) {
    const stazione_marcia& a = line.stazioni[z.da];
    const stazione_marcia& b = line.stazioni[z.a];
    r.sections.push_back({a.posizione, b.posizione, cp1252_to_utf8(a.nome), cp1252_to_utf8(b.nome),
                          z.tempo_minimo, z.tempo_orario, z.margine, z.margine_percento});
  }
  d.run = std::move(r);
}

}  // namespace scenario
