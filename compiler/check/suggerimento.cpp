#include <algorithm>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "compiler/check/avvisi.h"

namespace scenario {

namespace {

// Edits between two words, a swap of two neighbours counting as one.
std::size_t distanza(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t costo = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + costo});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::optional<std::string> parola_simile(std::string_view parola,
                                         std::span<const tipo_record> tipi) {
  // Long fields are sentences, not mistyped keywords.
  if (parola.size() > 40) return std::nullopt;
  const std::string minuscola = cp1252_lower(parola);
  std::optional<std::string> migliore;
  std::size_t migliore_distanza = 0;
  auto prova = [&](const std::string& candidata) {
    const std::size_t soglia = std::clamp<std::size_t>(candidata.size() / 3, 1, 3);
    const std::size_t d = distanza(minuscola, candidata);
    if (d <= soglia && (!migliore || d < migliore_distanza)) {
      migliore = candidata;
      migliore_distanza = d;
    }
  };
  for (const tipo_record t : tipi) {
    if (t != tipo_record::curva) {
      prova(std::string(descrizione(t).parola_chiave));
      continue;
    }
    // A curve keyword ends with its side and class: compare with the curves
    // of the class written, or of the side and class written.
    const char classe = minuscola.empty() ? '4' : minuscola.back();
    if (classe < '1' || classe > '6') continue;
    prova(std::string("curvad") + classe);
    prova(std::string("curvas") + classe);
  }
  return migliore;
}

}  // namespace scenario
