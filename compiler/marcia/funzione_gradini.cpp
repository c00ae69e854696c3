#include "compiler/marcia/funzione_gradini.h"

#include <algorithm>
#include <limits>
#include <set>
#include <utility>

namespace scenario {

funzione_gradini::funzione_gradini(std::vector<double> inizi, std::vector<double> valori,
                                   double fuori)
    : inizi_(std::move(inizi)), valori_(std::move(valori)), fuori_(fuori) {}

double funzione_gradini::in(double x) const {
  if (valori_.empty()) return fuori_;
  const auto it = std::upper_bound(inizi_.begin(), inizi_.end(), x);
  if (it == inizi_.begin()) return valori_.front();
  return valori_[static_cast<std::size_t>(it - inizi_.begin()) - 1];
}

double funzione_gradini::primo_non_oltre(double da, double a, double soglia) const {
  if (!(da < a)) return a;
  if (in(da) <= soglia) return da;
  const auto primo = std::upper_bound(inizi_.begin(), inizi_.end(), da);
  for (auto it = primo; it != inizi_.end() && *it < a; ++it) {
    if (valori_[static_cast<std::size_t>(it - inizi_.begin())] <= soglia) return *it;
  }
  return a;
}

double cursore_gradini::in(double x) {
  const std::vector<double>& inizi = f_.inizi();
  if (inizi.empty()) return f_.in(x);
  while (k_ + 1 < inizi.size() && inizi[k_ + 1] <= x) ++k_;
  while (k_ > 0 && inizi[k_] > x) --k_;
  return f_.valori()[k_];
}

funzione_gradini inviluppo(const std::vector<intervallo_valore>& intervalli, bool minimo,
                           double fuori) {
  // Events in order of position; at one position the ends before the starts.
  struct evento {
    double x;
    bool inizio;
    double valore;
  };
  std::vector<evento> eventi;
  eventi.reserve(intervalli.size() * 2);
  for (const intervallo_valore& i : intervalli) {
    if (!(i.inizio < i.fine)) continue;
    eventi.push_back({i.inizio, true, i.valore});
    eventi.push_back({i.fine, false, i.valore});
  }
  std::sort(eventi.begin(), eventi.end(), [](const evento& a, const evento& b) {
    if (a.x != b.x) return a.x < b.x;
    return !a.inizio && b.inizio;
  });
  std::multiset<double> attivi;
  std::vector<double> inizi;
  std::vector<double> valori;
  // Before the first event nothing covers: `fuori`.
  inizi.push_back(std::numeric_limits<double>::lowest());
  valori.push_back(fuori);
  for (std::size_t k = 0; k < eventi.size();) {
    const double x = eventi[k].x;
    for (; k < eventi.size() && eventi[k].x == x; ++k) {
      if (eventi[k].inizio) {
        attivi.insert(eventi[k].valore);
      } else {
        attivi.erase(attivi.find(eventi[k].valore));
      }
    }
    const double v = attivi.empty() ? fuori : (minimo ? *attivi.begin() : *attivi.rbegin());
    if (v == valori.back()) continue;
    inizi.push_back(x);
    valori.push_back(v);
  }
  return funzione_gradini(std::move(inizi), std::move(valori), fuori);
}

}  // namespace scenario
