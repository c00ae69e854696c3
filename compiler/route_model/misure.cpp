#include "compiler/route_model/misure.h"

#include <algorithm>
#include <cstdio>

#include "compiler/format/arrotondamento.h"
#include "compiler/route_model/voci.h"

namespace scenario {

namespace {

// |v| without overflow: the most negative value has no positive twin.
std::uint64_t valore_assoluto(std::int64_t v) {
  const auto u = static_cast<std::uint64_t>(v);
  return v < 0 ? 0 - u : u;
}

}  // namespace

std::string km(std::int64_t progressiva) {
  const bool negative = progressiva < 0;
  const std::uint64_t m = valore_assoluto(progressiva);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "km %s%llu+%03llu", negative ? "-" : "",
                static_cast<unsigned long long>(m / 1000),
                static_cast<unsigned long long>(m % 1000));
  return buffer;
}

std::vector<serie_chilometrica> serie_in_uso(const tabella_elementi& e) {
  std::vector<serie_chilometrica> s;
  for (const int v : {voce::progressiva_tre, voce::progressiva_due, voce::progressiva_uno}) {
    if (verso_serie(e, v) != 1) continue;
    s.push_back({inizio_serie(e, v), origine_scritta(e, v)});
  }
  std::stable_sort(
      s.begin(), s.end(),
      [](const serie_chilometrica& a, const serie_chilometrica& b) { return a.inizio < b.inizio; });
  return s;
}

std::optional<std::int64_t> progressiva_a(const std::vector<serie_chilometrica>& s, double metri) {
  const serie_chilometrica* in_vigore = nullptr;
  for (const serie_chilometrica& x : s) {
    if (x.inizio <= metri) in_vigore = &x;
  }
  if (in_vigore == nullptr) return std::nullopt;
  return in_vigore->origine - R(metri);
}

std::optional<double> posizione_della_progressiva(const std::vector<serie_chilometrica>& s,
                                                  std::int64_t progressiva, double fine) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double da = s[i].inizio;
    const double a = i + 1 < s.size() ? s[i + 1].inizio : fine;
    const double m = static_cast<double>(s[i].origine - progressiva);
    if (m >= da && m <= a) return m;
  }
  return std::nullopt;
}

std::string metri_e_progressiva(std::int64_t metri, const std::vector<serie_chilometrica>& s) {
  std::string t = std::to_string(metri) + " m";
  if (const auto p = progressiva_a(s, static_cast<double>(metri))) t += " (" + km(*p) + ")";
  return t;
}

std::string progressiva_o_metri(std::int64_t metri, const std::vector<serie_chilometrica>& s) {
  if (const auto p = progressiva_a(s, static_cast<double>(metri))) return km(*p);
  return std::to_string(metri) + " m";
}

std::string cella_in_parole(std::int64_t cella) {
  return "cell " + std::to_string(cella) + " (" + std::to_string(metri_di_cella(cella)) + " m)";
}

std::string hh_mm_ss(std::int64_t secondi) {
  const bool negative = secondi < 0;
  const std::uint64_t s = valore_assoluto(secondi);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%s%02llu:%02llu:%02llu", negative ? "-" : "",
                static_cast<unsigned long long>(s / 3600),
                static_cast<unsigned long long>(s / 60 % 60),
                static_cast<unsigned long long>(s % 60));
  return buffer;
}

}  // namespace scenario
