// Functions of the position along the line that are constant between
// breakpoints: the speed limit, the grade, the curves' equivalent grade and
// the adhesion, as the calculation walks them.
#pragma once

#include <cstddef>
#include <vector>

namespace scenario {

class funzione_gradini {
 public:
  funzione_gradini() = default;
  // `inizi` increasing; valori[k] holds on [inizi[k], inizi[k + 1]), the
  // first value also before inizi[0], the last one after. Empty: `fuori`.
  funzione_gradini(std::vector<double> inizi, std::vector<double> valori, double fuori);

  double in(double x) const;
  const std::vector<double>& inizi() const { return inizi_; }
  const std::vector<double>& valori() const { return valori_; }

  // The first x in [da, a) where the value is at most `soglia`; a when none.
  double primo_non_oltre(double da, double a, double soglia) const;

 private:
  std::vector<double> inizi_;
  std::vector<double> valori_;
  double fuori_ = 0.0;
};

// Walks a function in either direction in amortised constant time.
class cursore_gradini {
 public:
  explicit cursore_gradini(const funzione_gradini& f) : f_(f) {}
  double in(double x);

 private:
  const funzione_gradini& f_;
  std::size_t k_ = 0;
};

// A value that holds on [inizio, fine).
struct intervallo_valore {
  double inizio = 0.0;
  double fine = 0.0;
  double valore = 0.0;
};

// The lowest (or the highest) value of the intervals covering each point;
// `fuori` where none does.
funzione_gradini inviluppo(const std::vector<intervallo_valore>& intervalli, bool minimo,
                           double fuori);

}  // namespace scenario
