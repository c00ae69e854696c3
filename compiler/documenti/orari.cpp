#include "compiler/documenti/orari.h"

#include <cstdio>

#include "compiler/format/arrotondamento.h"

namespace scenario {

namespace {

bool cifra(char c) {
  return c >= '0' && c <= '9';
}

std::int64_t nel_giorno(std::int64_t mezzi) {
  return ((mezzi % mezzi_minuti_giorno) + mezzi_minuti_giorno) % mezzi_minuti_giorno;
}

}  // namespace

std::int64_t mezzi_minuti(std::int64_t secondi) {
  return nel_giorno(R(static_cast<double>(secondi) / 30.0));
}

std::string orario_scheda(std::int64_t mezzi) {
  mezzi = nel_giorno(mezzi);
  char t[16];
  std::snprintf(t, sizeof t, "%2d.%02d%c", static_cast<int>(mezzi / 120),
                static_cast<int>(mezzi % 120 / 2), mezzi % 2 != 0 ? '+' : ' ');
  return t;
}

std::string orario_esteso(std::int64_t secondi) {
  const std::int64_t s = ((secondi % 86400) + 86400) % 86400;
  char t[16];
  std::snprintf(t, sizeof t, "%02d:%02d:%02d", static_cast<int>(s / 3600),
                static_cast<int>(s % 3600 / 60), static_cast<int>(s % 60));
  return t;
}

std::optional<orario_letto> leggi_orario(std::string_view t, std::size_t da) {
  std::size_t i = da;
  std::int64_t ore = 0;
  while (i < t.size() && cifra(t[i]) && i - da < 2) ore = ore * 10 + (t[i++] - '0');
  if (i == da || i >= t.size() || (t[i] != '.' && t[i] != ':' && t[i] != ',')) return std::nullopt;
  ++i;
  if (i + 2 > t.size() || !cifra(t[i]) || !cifra(t[i + 1])) return std::nullopt;
  const std::int64_t minuti = (t[i] - '0') * 10 + (t[i + 1] - '0');
  i += 2;
  if (ore > 23 || minuti > 59 || (i < t.size() && cifra(t[i]))) return std::nullopt;
  std::int64_t mezzi = ore * 120 + minuti * 2;
  if (i < t.size() && t[i] == '+') {
    ++mezzi;
    ++i;
  }
  return orario_letto{mezzi, da, i};
}

}  // namespace scenario
