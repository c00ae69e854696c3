// The one search the decompiler makes among candidates, for the spans (the
// same cells in fewer records) and for the signals (texts that give the
// files back closer): each candidate comes with its score, fewer being
// better, and the first of the best is kept.
#pragma once

#include <cstddef>
#include <utility>

namespace scenario::decompile {

template <class T>
class migliore_candidato {
 public:
  migliore_candidato(T primo, std::size_t punteggio)
      : scelto_(std::move(primo)), punteggio_(punteggio) {}

  // Keeps `candidato` when it scores strictly less than the one kept;
  // returns whether it did.
  bool prova(T candidato, std::size_t punteggio) {
    if (punteggio >= punteggio_) return false;
    scelto_ = std::move(candidato);
    punteggio_ = punteggio;
    return true;
  }

  const T& scelto() const { return scelto_; }
  std::size_t punteggio() const { return punteggio_; }
  T prendi() && { return std::move(scelto_); }

 private:
  T scelto_;
  std::size_t punteggio_;
};

}  // namespace scenario::decompile
