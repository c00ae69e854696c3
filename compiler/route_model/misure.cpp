#include "compiler/route_model/misure.h"

#include <cstdio>

namespace scenario {

namespace {

// |v| without overflow: the most negative value has no positive twin.
std::uint64_t valore_assoluto(std::int64_t v) {
  const auto u = static_cast<std::uint64_t>(v);
  return v < 0 ? 0 - u : u;
}

}  // namespace

std::string km(std::int64_t metri) {
  const bool negative = metri < 0;
  const std::uint64_t m = valore_assoluto(metri);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "km %s%llu+%03llu", negative ? "-" : "",
                static_cast<unsigned long long>(m / 1000),
                static_cast<unsigned long long>(m % 1000));
  return buffer;
}

std::string metri_e_km(std::int64_t metri) {
  return std::to_string(metri) + " m (" + km(metri) + ")";
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
