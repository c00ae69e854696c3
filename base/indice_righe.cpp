#include "base/indice_righe.h"

namespace scenario {

indice_righe::indice_righe(std::string_view testo) : testo_(testo) {
  inizi_.push_back(0);
  const std::size_t n = testo.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char ch = testo[i];
    if (ch != '\n' && ch != '\r') continue;
    if (ch == '\r' && i + 1 < n && testo[i + 1] == '\n') ++i;
    inizi_.push_back(i + 1);
  }
}

std::string_view indice_righe::riga(std::int64_t n) const {
  if (n < 1 || n > n_righe()) return {};
  const std::size_t inizio = inizi_[static_cast<std::size_t>(n - 1)];
  std::size_t fine = inizio;
  while (fine < testo_.size() && testo_[fine] != '\n' && testo_[fine] != '\r') ++fine;
  return testo_.substr(inizio, fine - inizio);
}

}  // namespace scenario
