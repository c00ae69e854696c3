#include "tools/route_files/route_contents.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/cp1252.h"

namespace scenario {

std::string nome_oggetto(std::uint8_t tipo) {
  switch (tipo) {
    case tipo_cella::libera:
      return "nothing";
    case tipo_cella::segnale:
      return "signal";
    case tipo_cella::fine_rallentamento:
      return "slowdown end";
    case tipo_cella::inizio_rallentamento:
      return "slowdown start";
    case tipo_cella::avviso_rallentamento:
      return "slowdown warning";
    case tipo_cella::approccio_rallentamento:
      return "slowdown approach";
    case tipo_cella::indicatore_v_max:
      return "speed board";
    case tipo_cella::fine_stazione:
      return "station end";
    case tipo_cella::marcatore_montagna:
      return "tunnel marker";
    case tipo_cella::marcatore_valore:
      return "marker";
    case tipo_cella::abbattimento_senza_valore:
      return "marker, no value";
    case tipo_cella::cartello_indicatore:
      return "indication board";
    default:
      return "object " + std::to_string(tipo);
  }
}

bool cella_occupata(const cella& c) {
  return c.tipo != 0 || c.dato1 != 0 || c.dato2 != 0 || c.dato3 != 0 || c.dato4 != 0 ||
         c.dato5 != 0 || c.segno != 0;
}

codici_segnale decodifica_segnale(const cella& c) {
  // dato4 = rapp x 10 + sx x 3 + dx; dato1..3 = left code x 10 + right code.
  codici_segnale s;
  const int lati = c.dato4 % 10;
  s.rapp = c.dato4 / 10;
  s.sx = lati / 3;
  s.dx = lati % 3;
  const std::int16_t d[3] = {c.dato1, c.dato2, c.dato3};
  for (int i = 0; i < 3; ++i) {
    s.s[i] = d[i] / 10;
    s.d[i] = d[i] % 10;
  }
  return s;
}

velocita_cartello decodifica_cartello(const cella& c) {
  // Each value packs the left speed x 20 plus the right speed / 5. Speeds
  // are multiples of 5 km/h, so the left speed fills the hundreds and the
  // right one's fifth the last two digits.
  velocita_cartello v;
  const std::int16_t d[3] = {c.dato1, c.dato2, c.dato3};
  for (int i = 0; i < 3; ++i) {
    v.sinistra[i] = d[i] / 100 * 5;
    v.destra[i] = d[i] % 100 * 5;
  }
  v.strisce_sinistra = c.dato4 / 10;
  v.strisce_destra = c.dato4 % 10;
  return v;
}

namespace {

std::string raw(const cella& c) {
  return "[" + std::to_string(c.dato1) + " " + std::to_string(c.dato2) + " " +
         std::to_string(c.dato3) + " " + std::to_string(c.dato4) + " " + std::to_string(c.dato5) +
         "]";
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
      const auto s = decodifica_segnale(c);
      v = "left kind " + std::to_string(s.sx) + " codes " + std::to_string(s.s[0]) +
          std::to_string(s.s[1]) + std::to_string(s.s[2]) + ", right kind " + std::to_string(s.dx) +
          " codes " + std::to_string(s.d[0]) + std::to_string(s.d[1]) + std::to_string(s.d[2]) +
          ", rapp " + std::to_string(s.rapp);
      if (c.dato5 != 0) v += ", opens after " + std::to_string(c.dato5);
      break;
    }
    case tipo_cella::fine_rallentamento:
    case tipo_cella::inizio_rallentamento:
      v = "speed " + std::to_string(c.dato1) + " km/h, flag " + std::to_string(c.dato3);
      if (c.dato2 != 0) v += ", d_v " + std::to_string(c.dato2);
      break;
    case tipo_cella::avviso_rallentamento:
      v = "speed " + std::to_string(c.dato1) + " km/h";
      if (c.dato2 != 0) v += ", d_v " + std::to_string(c.dato2);
      break;
    case tipo_cella::approccio_rallentamento:
      v = "mark " + std::to_string(c.dato1);
      break;
    case tipo_cella::indicatore_v_max: {
      const auto b = decodifica_cartello(c);
      v = "left A/B/C " + three(b.sinistra) + " km/h, " + std::to_string(b.strisce_sinistra) +
          " stripes; right " + three(b.destra) + " km/h, " + std::to_string(b.strisce_destra) +
          " stripes";
      break;
    }
    case tipo_cella::fine_stazione:
      v = "station " + std::to_string(c.dato1) + " " + slot_name(r, c.dato1);
      break;
    case tipo_cella::marcatore_valore:
      v = "value " + std::to_string(c.dato1);
      break;
    case tipo_cella::cartello_indicatore:
      v = "slot " + std::to_string(c.dato1) + " " + slot_name(r, c.dato1);
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
