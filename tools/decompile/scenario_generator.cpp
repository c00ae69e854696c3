#include "tools/decompile/scenario_generator.h"

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "compiler/format/arrotondamento.h"
#include "compiler/format/formato.h"

namespace scenario::decompile::testing {

namespace {

class generatore {
 public:
  explicit generatore(std::uint32_t seed) : rng_(seed) {}

  generated_scenario run() {
    lunghezza_ = intero(8000, 60000);
    if (probabile(0.7)) lunghezza_ -= lunghezza_ % 50;
    n_celle_ = n_celle_di(lunghezza_tracciato_di(lunghezza_));
    generated_scenario g;
    g.line_text = linea();
    g.service_text = servizio();
    return g;
  }

 private:
  std::int64_t intero(std::int64_t a, std::int64_t b) {
    return std::uniform_int_distribution<std::int64_t>(a, b)(rng_);
  }
  bool probabile(double p) { return std::bernoulli_distribution(p)(rng_); }
  template <typename T>
  const T& uno_di(const std::vector<T>& v) {
    return v[static_cast<std::size_t>(intero(0, static_cast<std::int64_t>(v.size()) - 1))];
  }

  // A position whose object cell, and the cells `anche` relative to it, are
  // free; they are taken. On the grid most of the time.
  std::int64_t posto_libero(std::int64_t da, std::int64_t a,
                            const std::vector<std::int64_t>& anche = {}) {
    for (int tentativo = 0; tentativo < 200; ++tentativo) {
      std::int64_t p = intero(da, a);
      if (probabile(0.8)) p -= p % 50;
      const std::int64_t c = cella_oggetto(p);
      bool libero = !prese_.count(c);
      for (const std::int64_t d : anche) libero = libero && !prese_.count(c + d);
      if (!libero) continue;
      prese_.insert(c);
      for (const std::int64_t d : anche) prese_.insert(c + d);
      return p;
    }
    return -1;
  }

  static void riga(std::string& out, const std::string& s) {
    out += s;
    out += "\r\n";
  }
  static std::string n(std::int64_t v) { return std::to_string(v); }

  std::string testo_cartello() {
    static const std::vector<std::string> pezzi = {"(P.L.A.    )",  "(km. 12+345)", "(______)",
                                                   "(Ponte)",       "( Tevere  )",  "(2\xB0 Bivio)",
                                                   "(INIZIO ZONA)", "(P.B. 557)",   ""};
    std::string s;
    const std::int64_t k = intero(1, 3);
    for (std::int64_t i = 0; i < k; ++i) s += uno_di(pezzi);
    return s;
  }

  std::string linea() {
    std::string f;
    riga(f, "[generale]");
    riga(f, "lunghezza percorso, " + n(lunghezza_));
    const std::int64_t cambio = intero(1, lunghezza_ / 50) * 50;
    riga(f, "progressiva chilometrica uno,  0,  " + n(intero(0, 2000) * 50) + ",  1");
    if (probabile(0.5)) {
      riga(f,
           "progressiva chilometrica due, " + n(cambio) + ", " + n(intero(0, 4000) * 50) + ", 1");
      riga(f, "progressiva chilometrica tre, 0, 0, 0");
    } else {
      riga(f, "progressiva chilometrica due, 0, 0, 0");
      riga(f, "progressiva chilometrica tre, 0, 0, 0");
    }
    riga(f, "sfondo uno, " + n(intero(0, 1)));
    riga(f, "sfondo due, " + n(intero(0, 1)));
    riga(f, "sfondo tre, " + n(intero(0, 1)));
    const std::int64_t zona = intero(0, lunghezza_ / 50) * 50;
    riga(f, std::string("ripetizione segnali ") + (probabile(0.5) ? "4" : "9") + " codici, " +
                n(zona) + ", " + n(probabile(0.2) ? 0 : zona + intero(1, 100) * 50));

    riga(f, "[curve]");
    // Every class and side at least once on a long enough line.
    std::int64_t s = intero(0, 400);
    int k = 0;
    while (true) {
      const std::int64_t l = intero(1, 700);
      if (s + l > lunghezza_) break;
      const int classe = k < 12 ? k % 6 + 1 : static_cast<int>(intero(1, 6));
      const bool sinistra = k < 12 ? k >= 6 : probabile(0.5);
      riga(f,
           std::string("curva") + (sinistra ? "s" : "d") + n(classe) + ", " + n(s) + ", " + n(l));
      s += l + (probabile(0.2) ? 0 : intero(1, 1500));
      ++k;
    }

    riga(f, "[pendenze]");
    std::int64_t p = 0;
    while (p < lunghezza_) {
      riga(f, "pendenza, " + n(p) + ", " + n(intero(-35, 35)));
      p += intero(1, 60) * (probabile(0.8) ? 50 : 7);
    }

    riga(f, "[montagne]");
    std::int64_t m = intero(0, 2000);
    while (true) {
      const std::int64_t l = intero(1, 40) * 50;
      if (m + l > lunghezza_) break;
      const std::int64_t tipo = intero(1, 9) + (probabile(0.5) ? 10 : 0);
      riga(f, "montagna, " + n(m) + ", " + n(m + l) + ", " + n(tipo));
      m += l + (probabile(0.15) ? intero(0, 3) * 50 : intero(4, 80) * 50);
    }

    riga(f, "[cartelli]");
    const std::int64_t indicatori = intero(0, 25);
    for (std::int64_t i = 0; i < indicatori; ++i) {
      const std::int64_t q = posto_libero(100, lunghezza_);
      if (q < 0) continue;
      auto v = [&] { return n(intero(4, 30) * 5); };
      std::string r = "indicatori_vmax, " + n(q) + ", " + v() + ", " + v() + ", " + v() + ", " +
                      n(intero(0, 2)) + ", ";
      if (probabile(0.6)) {
        r += ", , , ";
      } else {
        r += v() + ", " + v() + ", " + v() + ", ";
      }
      riga(f, r + n(intero(0, 2)));
    }
    riga(f, "[indicazioni]");
    const std::int64_t cartelli = intero(0, 40);
    for (std::int64_t i = 0; i < cartelli; ++i) {
      const std::int64_t q = posto_libero(100, lunghezza_);
      if (q < 0) continue;
      riga(f, "cartello_indicatore, " + n(q) + ", " + testo_cartello());
      ++n_cartelli_;
    }
    riga(f, "[fine]");
    return f;
  }

  std::string stazioni() {
    std::string f;
    static const std::vector<int> tipi = {4, 5, 6, 7, 8, 12, 22, 24, 25, 26, 27, 30};
    std::int64_t fine_precedente = -1000000;
    std::int64_t p = intero(0, 40) * 50;
    const std::int64_t massimo = std::min<std::int64_t>(20, 78 - n_cartelli_);
    for (std::int64_t j = 1; j <= massimo; ++j) {
      const int tipo = probabile(0.7) ? uno_di(tipi) : static_cast<int>(intero(0, 255));
      const std::int64_t ls = intero(1, 10) * 100;
      const int prolunga = probabile(0.4) ? 1 : 0;
      std::int64_t inizio = 0, fine = 0;
      if (tipo == 5 || tipo == 6) {
        inizio = p - ls;
        fine = p + 150;
      } else if (tipo == 7 || tipo == 8) {
        inizio = p - ls;
        fine = p + ls;
      } else {
        inizio = p - ls / 2;
        fine = p + ls / 2 + (prolunga != 0 ? 50 : 0);
      }
      if (inizio - 350 < fine_precedente) {
        p = fine_precedente + 350 + ls + intero(0, 20) * 50;
        p -= p % 50;
        --j;
        continue;
      }
      if (!entra_nelle_celle(p, margine_stazione, n_celle_)) break;
      if (tipo < 25 && !(in_celle(static_cast<double>(fine)) - 1 > 1)) {
        p += 500;
        --j;
        continue;
      }
      if (tipo < 25) prese_.insert(R(in_celle(static_cast<double>(fine)) - 1));  // the end cell
      const std::int64_t orario = probabile(0.3) ? 0 : intero(0, 86399);
      riga(f, "stazione, " + n(p) + ", " + n(tipo) + ", " + n(ls) + ", " + n(intero(0, 1)) + ", " +
                  n(intero(0, 3)) + ", " + n(prolunga) + ", " + n(intero(0, 9)) + ", " +
                  n(intero(-5, 5)) + ", " + n(intero(0, 255)) + ", " + n(intero(0, 9)) + ", " +
                  n(intero(0, 9)) + ", " + n(intero(0, 9)) + ", " +
                  n(uno_di(std::vector<int>{0, 1, 30})) + ", " + n(orario / 3600) + ", " +
                  n(orario / 60 % 60) + ", " + n(orario % 60) + ", Stazione " + n(j) +
                  (probabile(0.2) ? " \xB0" : ""));
      fine_precedente = fine;
      p = fine + 350 + intero(0, 100) * 50 + ls;
      p -= p % 50;
    }
    return f;
  }

  std::string servizio() {
    std::string f;
    riga(f, "[generale]");
    riga(f, "numero vetture, " + n(intero(1, 12)));
    riga(f, "percentuale massa frenata, " + n(intero(50, 150)));
    riga(f, "sabbia, " + n(intero(0, 3)));
    riga(f, "orologio, " + n(intero(0, 23)) + " " + n(intero(0, 59)) + " " + n(intero(0, 59)));
    riga(f, "[aderenze]");
    for (std::int64_t p = 0; p < lunghezza_; p += intero(20, 400) * 50) {
      riga(f, "aderenza, " + n(p) + ", " + n(intero(0, 255)));
    }
    riga(f, "[vel_limite]");
    for (std::int64_t p = 0; p < lunghezza_; p += intero(20, 400) * 50) {
      riga(f, "velocita, " + n(p) + ", " + n(intero(1, 40) * 5));
    }
    riga(f, "[stazioni]");
    f += stazioni();

    riga(f, "[rallentamenti]");
    const std::int64_t rallentamenti = intero(0, 5);
    for (std::int64_t i = 0; i < rallentamenti; ++i) {
      const std::int64_t x = intero(1, lunghezza_ / 50 - 40) * 50;
      const std::int64_t l = intero(2, 30) * 50;
      const bool avviso = x > 1500;
      const bool approccio = avviso && probabile(0.5);
      const std::int64_t i0 = cella_oggetto(x);
      const std::int64_t i1 = cella_oggetto(x + l);
      const std::int64_t k = cella_oggetto(x - 1200);
      std::vector<std::int64_t> celle = {i0, i1};
      if (avviso) celle.push_back(k);
      if (approccio) {
        for (int a = 1; a <= 4; ++a) celle.push_back(k - a);
      }
      if (std::any_of(celle.begin(), celle.end(),
                      [&](std::int64_t c) { return prese_.count(c) != 0; })) {
        continue;
      }
      prese_.insert(celle.begin(), celle.end());
      riga(f, "rallentamento, " + n(x) + ", " + n(intero(2, 30) * 5) + ", " + n(l) + ", " +
                  n(intero(0, 1)) + ", " + n(approccio ? 1 : 0) + ", " + n(intero(0, 1)));
    }

    riga(f, "[segnali]");
    std::vector<std::int64_t> posizioni;
    const std::int64_t segnali = intero(0, 40);
    for (std::int64_t i = 0; i < segnali; ++i) {
      const std::int64_t q = posto_libero(400, lunghezza_);
      if (q >= 0) posizioni.push_back(q);
    }
    // In running order, or, as the readers allow, in any order: then the
    // approach marks of neighbours overwrite each other differently.
    std::sort(posizioni.begin(), posizioni.end());
    if (probabile(0.3)) std::shuffle(posizioni.begin(), posizioni.end(), rng_);
    int codice = 0;  // every code in turn
    for (const std::int64_t q : posizioni) {
      const int sx = static_cast<int>(intero(0, 3));
      const int tempo = uno_di(std::vector<int>{0, 0, 50, 101, 130, 255});
      riga(f, "segnale, " + n(q) + ", " + n(sx) + ", " + n(codice % 10) + ", " + n(intero(0, 9)) +
                  ", " + n(intero(0, 9)) + ", " + n((codice + 3) % 10) + ", " + n(intero(0, 2)) +
                  ", " + n(intero(0, 9)) + ", " + n(intero(0, 9)) + ", " + n(intero(0, 9)) + ", " +
                  n(tempo));
      ++codice;
    }
    const std::int64_t abbattimenti = intero(0, 3);
    for (std::int64_t i = 0; i < abbattimenti; ++i) {
      // Its cell is R(p / 50): the object cell of the position 50 m back.
      const std::int64_t q = posto_libero(500, lunghezza_);
      if (q < 0) continue;
      riga(f, "abbattimento, " + n(cella_oggetto(q) * 50) + ", " + n(intero(-1, 250)));
    }
    riga(f, "[codici]");
    riga(f, "[fine]");
    return f;
  }

  std::mt19937 rng_;
  std::int64_t lunghezza_ = 0;
  std::int64_t n_celle_ = 0;
  std::int64_t n_cartelli_ = 0;
  std::set<std::int64_t> prese_;  // cells holding an object
};

}  // namespace

generated_scenario generate_scenario(std::uint32_t seed) {
  return generatore(seed).run();
}

}  // namespace scenario::decompile::testing
