#include "compiler/marcia/marcia.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>
#include <utility>

#include "base/text_format.h"
#include "compiler/format/arrotondamento.h"

namespace scenario {

namespace {

constexpr double kmh = 1.0 / 3.6;  // m/s
// Below this speed away from a stop the train counts as stalled: it could
// only creep on.
constexpr double velocita_stallo = 1.0 * kmh;
constexpr double lontano = std::numeric_limits<double>::max();
// Bounds on the work and the memory whatever the line and the options: at
// most half a million steps and profile points, coarser than asked only on
// a run of more than 5000 km (at 10 m), which only a station far before the
// origin can give (the longest line is 1000 km).
constexpr double nodi_massimi = 5.0e5;

// One integration step, from a node to the next, and what holds on it.
struct tratto {
  double limite = 0.0;     // m/s
  double forza = 0.0;      // N: the starting effort, or less where adhesion holds the wheels
  double pendio = 0.0;     // N: the grade's and the curves' pull against the train
  double frenatura = 0.0;  // m/s^2
};

double accelerazione(const treno_marcia& t, const tratto& s, double v) {
  double forza = s.forza;
  if (v > 0.0) forza = std::min(forza, t.potenza / v);
  const double resistenza = t.a + t.b * v + t.c * v * v;
  return (forza - resistenza - s.pendio) / t.massa_equivalente;
}

// v^2 after the step from v^2 = w0 under full power: one classical
// Runge-Kutta step of d(v^2)/ds = 2 a(v).
double passo_rk4(const treno_marcia& t, const tratto& s, double w0, double h) {
  const auto f = [&](double w) { return 2.0 * accelerazione(t, s, std::sqrt(std::max(w, 0.0))); };
  const double k1 = f(w0);
  const double k2 = f(w0 + h / 2.0 * k1);
  const double k3 = f(w0 + h / 2.0 * k2);
  const double k4 = f(w0 + h * k3);
  return w0 + h / 6.0 * (k1 + 2.0 * k2 + 2.0 * k3 + k4);
}

// The time over d metres while v^2 runs linearly from w0 to w1.
double tempo_tratto(double d, double w0, double w1) {
  if (d <= 0.0) return 0.0;
  return 2.0 * d / (std::sqrt(w0) + std::sqrt(w1));
}

std::string metri(double x) {
  return std::to_string(R(x)) + " m";
}

impedimento_marcia impedimento(tipo_impedimento t, double x, std::string testo) {
  return {t, x, std::move(testo)};
}

// The run's stations and their order: at least two, each beyond the one
// before it.
std::optional<impedimento_marcia> stazioni_in_ordine(const linea_marcia& l) {
  if (l.stazioni.size() < 2) {
    return impedimento(tipo_impedimento::poche_stazioni, 0.0,
                       "the service file has " + std::to_string(l.stazioni.size()) +
                           (l.stazioni.size() == 1 ? " station" : " stations") +
                           ": a run needs two");
  }
  for (std::size_t k = 1; k < l.stazioni.size(); ++k) {
    const stazione_marcia& prima = l.stazioni[k - 1];
    const stazione_marcia& s = l.stazioni[k];
    if (!(s.posizione > prima.posizione)) {
      return impedimento(tipo_impedimento::stazioni_fuori_ordine, s.posizione,
                         "station \"" + s.nome + "\" at " + metri(s.posizione) +
                             " does not lie beyond \"" + prima.nome + "\" at " +
                             metri(prima.posizione));
    }
  }
  return std::nullopt;
}

funzione_gradini gradini_di(const std::vector<gradino>& g, double scala, double fuori) {
  std::vector<double> inizi;
  std::vector<double> valori;
  for (const gradino& s : g) {
    if (!inizi.empty() && !(s.inizio > inizi.back())) {
      valori.back() = s.valore * scala;  // a later record at the same place wins
      continue;
    }
    inizi.push_back(s.inizio);
    valori.push_back(s.valore * scala);
  }
  return funzione_gradini(std::move(inizi), std::move(valori), fuori);
}

// Curves as an equivalent grade of 800 / r per mille; where curves overlap
// the sharper one counts.
funzione_gradini curve_di(const linea_marcia& l) {
  std::vector<intervallo_valore> iv;
  for (const curva_marcia& c : l.curve) {
    if (c.raggio > 0.0) iv.push_back({c.inizio, c.fine, 800.0 / c.raggio});
  }
  return inviluppo(iv, false, 0.0);
}

// Where the integration needs a node whatever the values: every place
// where something begins or ends, between s0 and s1.
std::vector<double> punti_di_rottura(const linea_marcia& l, double lunghezza, double s0,
                                     double s1) {
  std::vector<double> p;
  const auto aggiungi = [&](double x) {
    if (x > s0 && x < s1) p.push_back(x);
  };
  for (std::size_t k = 0; k < l.velocita.size(); ++k) {
    aggiungi(l.velocita[k].inizio);
    aggiungi(l.velocita[k].inizio + lunghezza);  // where the previous limit lets go
  }
  for (const rallentamento_marcia& r : l.rallentamenti) {
    aggiungi(r.inizio);
    aggiungi(r.fine + lunghezza);
  }
  for (const gradino& g : l.pendenze) aggiungi(g.inizio);
  for (const gradino& g : l.aderenze) aggiungi(g.inizio);
  for (const curva_marcia& c : l.curve) {
    aggiungi(c.inizio);
    aggiungi(c.fine);
  }
  for (const stazione_marcia& s : l.stazioni) aggiungi(s.posizione);
  return p;
}

// The profile drawn along the line from the nodes: every `passo` metres
// from s0, and s1.
std::vector<punto_marcia> profilo_di(const std::vector<nodo_marcia>& nodi,
                                     const funzione_gradini& limite, double s0, double s1,
                                     double passo) {
  std::vector<punto_marcia> out;
  if (nodi.empty()) return out;
  const double fino = std::min(s1, nodi.back().posizione);
  cursore_gradini lim(limite);
  std::size_t a = 0;
  for (std::int64_t k = 0;; ++k) {
    double x = s0 + static_cast<double>(k) * passo;
    if (x > fino) {
      if (out.empty() || out.back().posizione < fino) {
        x = fino;
      } else {
        break;
      }
    }
    while (a + 1 < nodi.size() && nodi[a + 1].posizione < x) ++a;
    const nodo_marcia& n0 = nodi[a];
    punto_marcia p{x, n0.velocita / kmh, lim.in(x) / kmh, n0.orario};
    if (a + 1 < nodi.size() && nodi[a + 1].posizione > n0.posizione) {
      const nodo_marcia& n1 = nodi[a + 1];
      const double f = (x - n0.posizione) / (n1.posizione - n0.posizione);
      const double w0 = n0.velocita * n0.velocita;
      const double w = w0 + (n1.velocita * n1.velocita - w0) * f;
      const double v = std::sqrt(std::max(w, 0.0));
      p.velocita_kmh = v / kmh;
      p.orario = n0.orario + tempo_tratto(x - n0.posizione, w0, v * v);
    }
    out.push_back(p);
    if (x >= fino) break;
  }
  return out;
}

void sezioni_di(const linea_marcia& l, const treno_marcia& t, esito_marcia& e) {
  std::vector<std::size_t> con_orario;  // indices into e.stazioni
  for (std::size_t k = 0; k < e.stazioni.size(); ++k) {
    if (l.stazioni[e.stazioni[k].stazione].orario) con_orario.push_back(k);
  }
  const std::size_t ultima = l.stazioni.size() - 1;
  const auto sezione = [&](const orario_stazione& da, const orario_stazione& a, double minimo) {
    sezione_marcia s;
    s.da = da.stazione;
    s.a = a.stazione;
    s.distanza = l.stazioni[s.a].posizione - l.stazioni[s.da].posizione;
    s.tempo_minimo = minimo;
    s.tempo_orario = static_cast<double>(*l.stazioni[s.a].orario) -
                     static_cast<double>(*l.stazioni[s.da].orario);
    s.margine = s.tempo_orario - s.tempo_minimo;
    s.margine_percento = s.tempo_minimo > 0.0 ? s.margine / s.tempo_minimo * 100.0 : 0.0;
    return s;
  };
  double totale = 0.0;
  for (std::size_t k = 1; k < con_orario.size(); ++k) {
    const orario_stazione& da = e.stazioni[con_orario[k - 1]];
    const orario_stazione& a = e.stazioni[con_orario[k]];
    const double sosta = a.stazione == ultima ? 0.0 : t.sosta_minima;
    e.sezioni.push_back(sezione(da, a, a.arrivo - da.partenza + sosta));
    totale += e.sezioni.back().tempo_minimo;
  }
  if (con_orario.size() >= 2) {
    e.intera = sezione(e.stazioni[con_orario.front()], e.stazioni[con_orario.back()], totale);
  }
}

// The braking envelope over a step: v^2 at two or three points (fractions
// of the step: its start, where a braking curve leaves the limit, its end),
// linear between them.
struct tetto_passo {
  std::array<double, 3> f{};
  std::array<double, 3> w{};
  int n = 2;
};

class corsa {
 public:
  corsa(const linea_marcia& l, const treno_marcia& t, const opzioni_marcia& o, esito_marcia& e)
      : l_(l), t_(t), o_(o), e_(e) {}

  void calcola();

 private:
  void nodi();
  std::optional<impedimento_marcia> limiti_nulli() const;
  void frenatura();
  void avanti();
  bool avanza(const tratto& s, double x0, double lunghezza, const tetto_passo& e, double& w,
              double& t);
  void alla_stazione(std::size_t j, std::size_t k, double lim, double& t);
  void stallo(double x);
  void nodo(const nodo_marcia& n) {
    if (o_.corsa) e_.nodi.push_back(n);
  }

  const linea_marcia& l_;
  const treno_marcia& t_;
  const opzioni_marcia& o_;
  esito_marcia& e_;

  double s0_ = 0.0, s1_ = 0.0;
  funzione_gradini limite_;
  funzione_gradini pendenza_;
  funzione_gradini curva_;
  funzione_gradini aderenza_;

  std::vector<double> x_;                                      // node positions
  std::vector<std::uint8_t> ferma_;                            // the node is a stop
  std::vector<std::pair<std::size_t, std::size_t>> stazioni_;  // (node, station), in order
  std::vector<double> wb_;  // the braking envelope of v^2 at each node
  // Steps where a braking curve leaves the step's limit, and where: the
  // envelope runs linearly in v^2 on either side, exactly. From the last.
  std::vector<std::pair<std::size_t, double>> attacchi_;
  bool ancorato_ = false;  // the clock is set to the timetable
};

// The nodes: a grid of `passo` from s0, every place where something begins
// or ends, and the stations. Stops are the first and last station and every
// station with a time; two stops with no node between them get one, so the
// train can move.
void corsa::nodi() {
  const double passo = std::max(o_.passo, (s1_ - s0_) / nodi_massimi);
  std::vector<double> rottura = punti_di_rottura(l_, t_.lunghezza, s0_, s1_);
  std::sort(rottura.begin(), rottura.end());
  rottura.erase(std::unique(rottura.begin(), rottura.end()), rottura.end());
  const auto stimati = static_cast<std::size_t>((s1_ - s0_) / passo) + rottura.size() + 8;
  x_.clear();
  ferma_.clear();
  stazioni_.clear();
  x_.reserve(stimati);
  ferma_.reserve(stimati);
  std::size_t r = 0;  // the next place in rottura
  std::size_t k = 0;  // the next station
  const auto aggiungi = [&](double p) {
    if (!x_.empty() && !(p > x_.back())) return;
    const bool stazione = k < l_.stazioni.size() && l_.stazioni[k].posizione == p;
    const bool ferma =
        stazione && (k == 0 || k + 1 == l_.stazioni.size() || l_.stazioni[k].orario.has_value());
    if (ferma && !ferma_.empty() && ferma_.back() != 0) {
      x_.push_back((x_.back() + p) / 2.0);
      ferma_.push_back(0);
    }
    if (stazione) stazioni_.push_back({x_.size(), k++});
    x_.push_back(p);
    ferma_.push_back(ferma ? 1 : 0);
  };
  for (std::int64_t g = 0;; ++g) {
    const double p = std::min(s0_ + static_cast<double>(g) * passo, s1_);
    for (; r < rottura.size() && rottura[r] < p; ++r) aggiungi(rottura[r]);
    aggiungi(p);
    if (p >= s1_) break;
  }
}

// What holds on a step, at its middle, walking the profiles either way.
class lettore_tratti {
 public:
  lettore_tratti(const treno_marcia& t, const funzione_gradini& limite,
                 const funzione_gradini& pendenza, const funzione_gradini& curva,
                 const funzione_gradini& aderenza)
      : t_(t),
        lim_(limite),
        pen_(pendenza),
        cur_(curva),
        ade_(aderenza),
        peso_(t.massa * accelerazione_gravita / 1000.0) {}

  tratto in(double x0, double x1) {
    const double m = (x0 + x1) / 2.0;
    tratto s;
    s.limite = lim_.in(m);
    s.pendio = peso_ * (pen_.in(m) + cur_.in(m));
    const double mu = t_.coefficiente_aderenza * ade_.in(m) / 100.0;
    s.forza = std::min(t_.sforzo_avviamento, mu * t_.massa_aderente * accelerazione_gravita);
    s.frenatura = std::min(t_.decelerazione, mu * accelerazione_gravita);
    return s;
  }

 private:
  const treno_marcia& t_;
  cursore_gradini lim_, pen_, cur_, ade_;
  double peso_;  // N per per mille of grade
};

std::optional<impedimento_marcia> corsa::limiti_nulli() const {
  const double zero = limite_.primo_non_oltre(s0_, s1_, 0.0);
  if (zero < s1_) {
    return impedimento(tipo_impedimento::limite_zero, zero,
                       "the speed limit is 0 km/h at " + metri(zero) + ": the train cannot pass");
  }
  const double senza = aderenza_.primo_non_oltre(s0_, s1_, 0.0);
  if (senza < s1_) {
    return impedimento(
        tipo_impedimento::senza_aderenza, senza,
        "the adhesion is 0 at " + metri(senza) + ": the wheels can neither pull nor brake");
  }
  return std::nullopt;
}

// The highest v^2 at each node from which the train can still keep every
// limit (the lower of the two steps' at a node) and stop ahead at its
// braking rate, and where a braking curve leaves a limit inside a step.
void corsa::frenatura() {
  const std::size_t n = x_.size();
  wb_.assign(n, 0.0);
  attacchi_.clear();
  lettore_tratti tratti(t_, limite_, pendenza_, curva_, aderenza_);
  for (std::size_t j = n - 1; j-- > 0;) {
    const tratto s = tratti.in(x_[j], x_[j + 1]);
    const double tetto = s.limite * s.limite;
    if (ferma_[j + 1] == 0) wb_[j + 1] = std::min(wb_[j + 1], tetto);
    const double curva = wb_[j + 1] + 2.0 * s.frenatura * (x_[j + 1] - x_[j]);
    if (curva > tetto && wb_[j + 1] < tetto) {
      const double x = x_[j + 1] - (tetto - wb_[j + 1]) / (2.0 * s.frenatura);
      if (x > x_[j] && x < x_[j + 1]) attacchi_.push_back({j, x});
    }
    if (ferma_[j] == 0) wb_[j] = std::min(tetto, curva);
  }
}

void corsa::stallo(double x) {
  const double pendenza = pendenza_.in(x);
  const double curva = curva_.in(x);
  std::string testo =
      "the train stalls at " + metri(x) + " on " + short_decimals(pendenza, 1) + " per mille";
  if (curva > 0.0) testo += " in a curve of " + metri(800.0 / curva) + " radius";
  e_.impedimento = impedimento(tipo_impedimento::stallo, x, std::move(testo));
}

// The train stops at node j, station k, at time t: it records its times
// and waits for the station's time, the first time setting the clock.
void corsa::alla_stazione(std::size_t j, std::size_t k, double lim, double& t) {
  const stazione_marcia& s = l_.stazioni[k];
  const bool ultima = k + 1 == l_.stazioni.size();
  double arrivo = t;
  double partenza = t;
  if (s.orario) {
    const double ora = *s.orario;
    if (!ancorato_) {
      // The first time sets the clock: the train leaves there at that
      // time (or arrives, at the last station), having arrived the
      // minimum dwell before.
      const double arrivo_voluto = ultima ? ora : (k == 0 ? ora : ora - t_.sosta_minima);
      const double scarto = arrivo_voluto - t;
      for (nodo_marcia& n : e_.nodi) n.orario += scarto;
      for (orario_stazione& o : e_.stazioni) {
        o.arrivo += scarto;
        o.partenza += scarto;
      }
      arrivo = arrivo_voluto;
      partenza = ultima ? arrivo : ora;
      ancorato_ = true;
    } else if (!ultima) {
      partenza = std::max(arrivo + t_.sosta_minima, ora);
    }
  }
  e_.stazioni.push_back({k, true, arrivo, partenza});
  nodo({x_[j], 0.0, arrivo, lim});
  if (partenza > arrivo) nodo({x_[j], 0.0, partenza, lim});
  t = partenza;
}

// One step from x0 over `lunghezza` metres under the envelope `e`: v^2 = w
// and the time t move on. The speed is the lower of full power (v^2 linear
// from w to one Runge-Kutta step's result) and the envelope, so it runs
// linearly between the envelope's points and the places where the two
// cross. False when the train stalls.
bool corsa::avanza(const tratto& s, double x0, double lunghezza, const tetto_passo& e, double& w,
                   double& t) {
  const double wb1 = e.w[static_cast<std::size_t>(e.n - 1)];
  const auto a_frazione = [&](double f, double wx) {
    nodo({x0 + f * lunghezza, std::sqrt(wx), t, s.limite});
  };
  bool non_sale = w >= e.w[0] && w > 0.0;
  for (std::size_t k = 1; k < static_cast<std::size_t>(e.n); ++k) {
    non_sale = non_sale && e.w[k] <= e.w[k - 1];
  }
  if (non_sale && accelerazione(t_, s, std::sqrt(w)) >= 0.0) {
    // On the envelope, which does not rise, with power to spare: the train
    // holds the limit or brakes along it.
    for (std::size_t k = 1; k < static_cast<std::size_t>(e.n); ++k) {
      t += tempo_tratto((e.f[k] - e.f[k - 1]) * lunghezza, e.w[k - 1], e.w[k]);
      if (k + 1 < static_cast<std::size_t>(e.n)) a_frazione(e.f[k], e.w[k]);
    }
    w = wb1;
    return true;
  }
  const double ws = velocita_stallo * velocita_stallo;
  double wc = passo_rk4(t_, s, w, lunghezza);
  if (wc < wb1 && wc < ws) {
    if (accelerazione(t_, s, velocita_stallo) <= 0.0) {
      // Full power cannot lift the train above a crawl here: it stalls
      // where v^2 would reach 0, or at the end of the step it creeps to.
      stallo(wc < 0.0 ? x0 + lunghezza * w / (w - wc) : x0 + lunghezza);
      return false;
    }
    if (wc <= 0.0) wc = std::min(ws, wb1);  // a long step's overshoot where it speeds up
  }
  // Piece by piece of the envelope: the lower line, split where they cross.
  const auto pezzo = [&](double f0, double f1, double w0, double w1) {
    const double d = (f1 - f0) * lunghezza;
    if (d > 0.0 && w0 <= 0.0 && w1 <= 0.0) return false;
    t += tempo_tratto(d, w0, w1);
    return true;
  };
  for (std::size_t k = 1; k < static_cast<std::size_t>(e.n); ++k) {
    const double f0 = e.f[k - 1], f1 = e.f[k];
    const double g0 = w + f0 * (wc - w), g1 = w + f1 * (wc - w);  // full power
    const double d0 = g0 - e.w[k - 1], d1 = g1 - e.w[k];
    const double m0 = std::min(g0, e.w[k - 1]), m1 = std::min(g1, e.w[k]);
    if ((d0 < 0.0 && d1 > 0.0) || (d0 > 0.0 && d1 < 0.0)) {
      const double q = d0 / (d0 - d1);
      const double fx = f0 + q * (f1 - f0);
      const double wx = e.w[k - 1] + q * (e.w[k] - e.w[k - 1]);
      if (!pezzo(f0, fx, m0, wx)) break;
      a_frazione(fx, wx);
      if (!pezzo(fx, f1, wx, m1)) break;
    } else if (!pezzo(f0, f1, m0, m1)) {
      break;
    }
    if (k + 1 < static_cast<std::size_t>(e.n)) {
      a_frazione(f1, m1);
    } else {
      w = m1;
      return true;
    }
  }
  stallo(x0 + lunghezza);  // the envelope and full power both at a stand
  return false;
}

void corsa::avanti() {
  const std::size_t n = x_.size();
  if (o_.corsa) e_.nodi.reserve(n + n / 16 + attacchi_.size() + 16);
  lettore_tratti tratti(t_, limite_, pendenza_, curva_, aderenza_);
  double w = 0.0;  // v^2 at the node
  double t = 0.0;
  std::size_t prossima = 0;                // in stazioni_
  std::size_t attacco = attacchi_.size();  // the next split step, from the first
  double limite_prima = lontano;           // of the step before the node
  for (std::size_t j = 0;; ++j) {
    const tratto s = j + 1 < n ? tratti.in(x_[j], x_[j + 1]) : tratto{lontano, 0.0, 0.0, 0.0};
    const double lim = std::min(limite_prima, s.limite);
    limite_prima = s.limite;
    const bool stazione = prossima < stazioni_.size() && stazioni_[prossima].first == j;
    if (stazione && ferma_[j] != 0) {
      alla_stazione(j, stazioni_[prossima].second, lim, t);
      w = 0.0;
    } else {
      if (stazione) e_.stazioni.push_back({stazioni_[prossima].second, false, t, t});
      nodo({x_[j], std::sqrt(w), t, lim});
    }
    if (stazione) ++prossima;
    if (j + 1 == n) break;

    tetto_passo e;
    e.f = {0.0, 1.0, 1.0};
    e.w = {wb_[j], wb_[j + 1], wb_[j + 1]};
    if (attacco > 0 && attacchi_[attacco - 1].first == j) {
      // The braking curve leaves the limit at a, inside the step.
      const double a = attacchi_[--attacco].second;
      e.f = {0.0, (a - x_[j]) / (x_[j + 1] - x_[j]), 1.0};
      e.w = {wb_[j], s.limite * s.limite, wb_[j + 1]};
      e.n = 3;
    }
    if (!avanza(s, x_[j], x_[j + 1] - x_[j], e, w, t)) return;
  }
}

void corsa::calcola() {
  limite_ = limite_efficace(l_, t_.lunghezza, t_.velocita_massima);
  pendenza_ = gradini_di(l_.pendenze, 1.0, 0.0);
  curva_ = curve_di(l_);
  aderenza_ = gradini_di(l_.aderenze, 1.0, 100.0);
  s0_ = l_.stazioni.front().posizione;
  s1_ = l_.stazioni.back().posizione;
  if (auto i = limiti_nulli()) {
    e_.impedimento = std::move(i);
    return;
  }
  nodi();
  frenatura();
  avanti();
  if (o_.corsa) {
    e_.profilo = profilo_di(e_.nodi, limite_, s0_, s1_,
                            std::max(o_.passo_profilo, (s1_ - s0_) / nodi_massimi));
  }
  if (!e_.impedimento) sezioni_di(l_, t_, e_);
}

}  // namespace

bool esito_marcia::percorribile() const {
  if (impedimento) return false;
  return std::all_of(sezioni.begin(), sezioni.end(),
                     [](const sezione_marcia& s) { return s.percorribile(); });
}

funzione_gradini limite_efficace(const linea_marcia& l, double lunghezza, double massima) {
  std::vector<intervallo_valore> iv;
  iv.reserve(l.velocita.size() + l.rallentamenti.size());
  for (std::size_t k = 0; k < l.velocita.size(); ++k) {
    const double inizio = k == 0 ? -lontano : l.velocita[k].inizio;
    const double fine = k + 1 < l.velocita.size() ? l.velocita[k + 1].inizio + lunghezza : lontano;
    iv.push_back({inizio, fine, std::max(l.velocita[k].valore, 0.0) * kmh});
  }
  for (const rallentamento_marcia& r : l.rallentamenti) {
    iv.push_back({r.inizio, r.fine + lunghezza, std::max(r.velocita, 0.0) * kmh});
  }
  iv.push_back({-lontano, lontano, massima});
  return inviluppo(iv, true, massima);
}

esito_marcia calcola_marcia(const linea_marcia& l, const modello_treno& m,
                            const opzioni_marcia& o) {
  esito_marcia e;
  if (auto i = stazioni_in_ordine(l)) {
    e.impedimento = std::move(i);
    return e;
  }
  auto t = risolvi_treno(m, l.numero_vetture, l.percentuale_massa_frenata);
  if (auto* i = std::get_if<impedimento_marcia>(&t)) {
    e.impedimento = std::move(*i);
    return e;
  }
  e.treno = std::get<treno_marcia>(t);
  corsa c(l, *e.treno, o, e);
  c.calcola();
  return e;
}

}  // namespace scenario
