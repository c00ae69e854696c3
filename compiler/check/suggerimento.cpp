#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "compiler/check/avvisi.h"

namespace scenario {

namespace {

// Longest word compared: a field of more is a sentence, not a mistyped
// keyword, and the keywords are shorter.
constexpr std::size_t parola_massima = 40;

// Edits between two words, a swap of two neighbours counting as one. Three
// rows of the table are enough: the swap looks two rows back.
std::size_t distanza(std::string_view a, std::string_view b) {
  if (a.size() > parola_massima || b.size() > parola_massima) return SIZE_MAX;
  std::array<std::size_t, parola_massima + 1> due_prima{}, prima{}, riga{};
  for (std::size_t j = 0; j <= b.size(); ++j) prima[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    riga[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t costo = a[i - 1] == b[j - 1] ? 0 : 1;
      riga[j] = std::min({prima[j] + 1, riga[j - 1] + 1, prima[j - 1] + costo});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        riga[j] = std::min(riga[j], due_prima[j - 2] + 1);
      }
    }
    due_prima = prima;
    prima = riga;
  }
  return prima[b.size()];
}

}  // namespace

std::optional<std::string> parola_simile(std::string_view parola,
                                         std::span<const tipo_record> tipi) {
  if (parola.size() > parola_massima) return std::nullopt;
  const std::string minuscola = cp1252_lower(parola);
  std::optional<std::string> migliore;
  std::size_t migliore_distanza = 0;
  auto prova = [&](const std::string& candidata) {
    const std::size_t soglia = std::clamp<std::size_t>(candidata.size() / 3, 1, 3);
    // Each edit changes the length by one at most.
    const std::size_t scarto = minuscola.size() > candidata.size()
                                   ? minuscola.size() - candidata.size()
                                   : candidata.size() - minuscola.size();
    if (scarto > soglia) return;
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
