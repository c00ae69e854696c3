#include "compiler/marcia/linea_da_celle.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>

#include "compiler/format/codifica_celle.h"
#include "compiler/route_model/voci.h"

namespace scenario {

namespace {

// A profile byte of every cell as steps: cell i covers metres 50 i to
// 50 i + 50, and a step starts wherever the value changes.
template <class F>
std::vector<gradino> gradini(const std::vector<cella>& celle, F valore) {
  std::vector<gradino> out;
  for (std::size_t i = 0; i < celle.size(); ++i) {
    const double v = valore(celle[i]);
    if (!out.empty() && out.back().valore == v) continue;
    out.push_back({static_cast<double>(metri_di_cella(static_cast<std::int64_t>(i))), v});
  }
  return out;
}

// Slowdowns from their start (code 3) and end (code 2) cells, the speed as
// the cell codec reads it from both. An object at p sits in cell
// R(p / 50 + 1), so a cell i stands for the position 50 (i - 1). A start pairs with the first end
// of the same speed after it; nested slowdowns of one speed cover the same stretch however they
// pair. A start without an end holds to the end of the cells, an end without a start is left alone.
std::vector<rallentamento_marcia> rallentamenti(const std::vector<cella>& celle) {
  std::vector<rallentamento_marcia> out;
  std::map<std::int32_t, std::vector<std::size_t>> aperti;  // by speed, indices into out
  const auto posizione = [](std::size_t i) {
    return static_cast<double>(posizione_oggetto(static_cast<std::int64_t>(i)));
  };
  for (std::size_t i = 0; i < celle.size(); ++i) {
    const cella& c = celle[i];
    const std::int32_t velocita = spacchetta_rallentamento(c).velocita;
    if (c.tipo == tipo_cella::inizio_rallentamento) {
      aperti[velocita].push_back(out.size());
      out.push_back({posizione(i), -1.0, static_cast<double>(velocita)});
    } else if (c.tipo == tipo_cella::fine_rallentamento) {
      auto it = aperti.find(velocita);
      if (it == aperti.end() || it->second.empty()) continue;
      out[it->second.front()].fine = posizione(i);
      it->second.erase(it->second.begin());
    }
  }
  const double fine_celle =
      static_cast<double>(metri_di_cella(static_cast<std::int64_t>(celle.size())));
  for (rallentamento_marcia& r : out) {
    if (r.fine < 0.0) r.fine = fine_celle;
  }
  return out;
}

// Curves in metres: the points primo .. ultimo turn, each from the point
// before it, so the curve runs from metre primo - 1 to ultimo. Touching curves of one radius are
// one curve (the geometry cannot tell them apart).
std::vector<curva_marcia> curve_in_metri(std::vector<curva_posata> posate) {
  std::sort(posate.begin(), posate.end(), [](const curva_posata& a, const curva_posata& b) {
    return a.primo_punto < b.primo_punto;
  });
  std::vector<curva_marcia> out;
  for (const curva_posata& p : posate) {
    if (p.ultimo_punto < p.primo_punto || p.curvatura == 0.0) continue;
    const curva_marcia c{static_cast<double>(p.primo_punto - 1),
                         static_cast<double>(p.ultimo_punto), 1.0 / std::fabs(p.curvatura)};
    if (!out.empty() && out.back().fine == c.inizio && out.back().raggio == c.raggio) {
      out.back().fine = c.fine;
      continue;
    }
    out.push_back(c);
  }
  return out;
}

}  // namespace

linea_marcia linea_da_celle(const std::vector<cella>& celle, const tabella_elementi& elementi,
                            int n_stazioni, const std::vector<curva_posata>& curve) {
  linea_marcia l;
  l.velocita = gradini(celle, [](const cella& c) {
    return static_cast<double>(std::int32_t{c.velocita} * passo_velocita);
  });
  l.pendenze = gradini(celle, [](const cella& c) {
    return static_cast<double>(std::int32_t{c.pendenza} - scarto_pendenza);
  });
  l.aderenze = gradini(celle, [](const cella& c) { return static_cast<double>(c.aderenza); });
  l.curve = curve_in_metri(curve);
  l.rallentamenti = rallentamenti(celle);
  for (int k = voce::prima_stazione; k <= n_stazioni && k <= voce::ultimo_cartello; ++k) {
    const elemento& e = elementi[static_cast<std::size_t>(k)];
    stazione_marcia s;
    s.posizione = e.posizione;
    s.nome = e.nome;
    if (e.orario != 0) s.orario = e.orario;
    s.voce = k;
    l.stazioni.push_back(std::move(s));
  }
  l.numero_vetture = numero_vetture(elementi);
  l.percentuale_massa_frenata = percentuale_massa_frenata(elementi);
  return l;
}

}  // namespace scenario
