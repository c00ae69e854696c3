#include "tools/route_files/route_contents.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/cp1252.h"
#include "compiler/format/campi.h"

namespace scenario {

bool cella_occupata(const cella& c) {
  bool valori = false;
  per_ogni_campo(campi_oggetto, [&](const auto& f) { valori = valori || numero_campo(c, f) != 0; });
  return c.tipo != tipo_cella::libera || valori || c.segno != 0;
}

namespace {

// The object's values as they stand: "[dato1 .. dato5]".
std::string raw(const cella& c) {
  std::string t;
  per_ogni_campo(campi_oggetto, [&](const auto& f) {
    t += (t.empty() ? "[" : " ") + std::to_string(numero_campo(c, f));
  });
  return t + "]";
}

std::string three(const int v[3]) {
  return std::to_string(v[0]) + "/" + std::to_string(v[1]) + "/" + std::to_string(v[2]);
}

std::string slot_name(const compiled_route& r, int slot) {
  if (slot < 0 || slot >= n_elementi)
    return "slot " + std::to_string(slot) + " (outside the table)";
  return "\"" + cp1252_to_utf8(r.elementi[static_cast<std::size_t>(slot)].nome) + "\"";
}

}  // namespace

std::string valori_cella(const cella& c, const compiled_route& r) {
  std::string v;
  switch (c.tipo) {
    case tipo_cella::segnale: {
      const valori_segnale s = spacchetta_segnale(c);
      v = "left kind " + std::to_string(s.sx) + " codes " + std::to_string(s.s[0]) +
          std::to_string(s.s[1]) + std::to_string(s.s[2]) + ", right kind " + std::to_string(s.dx) +
          " codes " + std::to_string(s.d[0]) + std::to_string(s.d[1]) + std::to_string(s.d[2]) +
          ", rapp " + std::to_string(s.rapp);
      if (c.dato5 != 0) v += ", opens after " + std::to_string(c.dato5);
      break;
    }
    case tipo_cella::fine_rallentamento:
    case tipo_cella::inizio_rallentamento:
    case tipo_cella::avviso_rallentamento: {
      const valori_rallentamento x = spacchetta_rallentamento(c);
      v = "speed " + std::to_string(x.velocita) + " km/h";
      if (c.tipo != tipo_cella::avviso_rallentamento) v += ", flag " + std::to_string(x.avviso);
      if (x.d_v != 0) v += ", d_v " + std::to_string(x.d_v);
      break;
    }
    case tipo_cella::approccio_rallentamento:
      v = "mark " + std::to_string(numero_approccio(c));
      break;
    case tipo_cella::indicatore_v_max: {
      const velocita_cartello b = spacchetta_cartello(c);
      v = "left A/B/C " + three(b.sinistra) + " km/h, " + std::to_string(b.strisce_sinistra) +
          " stripes; right " + three(b.destra) + " km/h, " + std::to_string(b.strisce_destra) +
          " stripes";
      break;
    }
    case tipo_cella::fine_stazione:
      v = "station " + std::to_string(stazione_di(c)) + " " + slot_name(r, stazione_di(c));
      break;
    case tipo_cella::marcatore_valore:
      v = "value " + std::to_string(valore_marcatore_di(c));
      break;
    case tipo_cella::cartello_indicatore:
      v = "slot " + std::to_string(voce_cartello(c)) + " " + slot_name(r, voce_cartello(c));
      break;
    default:
      break;
  }
  if (c.segno != 0)
    v += std::string(v.empty() ? "" : ", ") + "approach mark " + std::to_string(c.segno);
  v += std::string(v.empty() ? "" : " ") + raw(c);
  return v;
}

namespace {
bool vuoto(const elemento& e) {
  return e.tipo == 0 && e.inizio == 0 && e.fine == 0 && e.posizione == 0 && e.dato_b1 == 0 &&
         e.nome.empty() && e.dato_i1 == 0 && e.dato_i2 == 0 && e.dato_i3 == 0 && e.dato_i4 == 0 &&
         e.dato_i5 == 0 && e.dato_b2 == 0 && e.dato_b3 == 0 && e.prolunga == 0 && e.dato_b4 == 0 &&
         e.orario == 0;
}
}  // namespace

slot_elementi trova_slot(const compiled_route& r) {
  slot_elementi s;
  for (int k = voce::ultimo_cartello; k >= voce::prima_stazione; --k) {
    if (vuoto(r.elementi[static_cast<std::size_t>(k)])) break;
    s.cartelli.push_back(k);
  }
  const int limite = s.cartelli.empty() ? voce::ultimo_cartello : s.cartelli.back() - 1;
  for (int k = voce::prima_stazione; k <= limite; ++k) {
    if (vuoto(r.elementi[static_cast<std::size_t>(k)])) break;
    s.stazioni.push_back(k);
  }
  return s;
}

std::vector<tratto_profilo> tratti_profilo(const std::vector<cella>& celle) {
  std::vector<tratto_profilo> tratti;
  for (std::size_t k = 0; k < celle.size(); ++k) {
    const cella& c = celle[k];
    if (!tratti.empty()) {
      tratto_profilo& t = tratti.back();
      if (t.velocita == c.velocita && t.pendenza == c.pendenza && t.aderenza == c.aderenza &&
          t.montagna == c.montagna) {
        t.ultima = k;
        continue;
      }
    }
    tratti.push_back({k, k, c.velocita, c.pendenza, c.aderenza, c.montagna});
  }
  return tratti;
}

sommario_geometria riassumi_geometria(const compiled_route& r) {
  sommario_geometria g;
  const auto& xs = r.tracciato.x;
  const auto& ys = r.tracciato.y;
  g.punti = std::min(xs.size(), ys.size());
  bool primo = true;
  double px = 0, py = 0, hx = 0, hy = 0;
  bool ha_precedente = false, ha_direzione = false;
  const auto linea = static_cast<std::size_t>(std::max(0, r.lunghezza_percorso()));
  for (std::size_t k = 0; k < g.punti; ++k) {
    const auto x = valore(xs[k]);
    const auto y = valore(ys[k]);
    if (!x || !y) {
      ha_precedente = false;
      ha_direzione = false;
      continue;
    }
    ++g.punti_valorizzati;
    if (primo) {
      g.x_min = g.x_max = *x;
      g.y_min = g.y_max = *y;
      primo = false;
    }
    g.x_min = std::min(g.x_min, *x);
    g.x_max = std::max(g.x_max, *x);
    g.y_min = std::min(g.y_min, *y);
    g.y_max = std::max(g.y_max, *y);
    g.x_fine = *x;
    g.y_fine = *y;
    if (k == linea) {
      g.x_linea = *x;
      g.y_linea = *y;
      g.ha_punto_linea = true;
    }
    if (ha_precedente) {
      const double dx = *x - px, dy = *y - py;
      g.lunghezza += std::hypot(dx, dy);
      if (ha_direzione) {
        // Turn from the previous step to this one; positive clockwise (to the right).
        const double turn = std::atan2(hx * dy - hy * dx, hx * dx + hy * dy);
        g.curvatura_netta -= turn;
        g.curvatura_totale += std::fabs(turn);
      }
      hx = dx;
      hy = dy;
      ha_direzione = true;
    }
    px = *x;
    py = *y;
    ha_precedente = true;
  }
  g.curvatura_netta *= 180.0 / std::numbers::pi;
  g.curvatura_totale *= 180.0 / std::numbers::pi;
  return g;
}

}  // namespace scenario
