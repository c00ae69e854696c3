#include "compiler/marcia/guasti_orario.h"

#include <cmath>
#include <cstdio>

#include "compiler/route_model/misure.h"

namespace scenario {

namespace {

constexpr std::int32_t giornata = 24 * 3600;  // s

}  // namespace

std::vector<guasto_orario> guasti_orario(const linea_marcia& l, const esito_marcia* e) {
  std::vector<guasto_orario> out;
  std::optional<std::size_t> precedente;
  for (std::size_t k = 0; k < l.stazioni.size(); ++k) {
    const stazione_marcia& s = l.stazioni[k];
    if (!s.orario) continue;
    guasto_orario g;
    g.stazione = k;
    g.precedente = precedente;
    g.orario = *s.orario;
    if (precedente) {
      const stazione_marcia& p = l.stazioni[*precedente];
      g.orario_precedente = *p.orario;
      g.distanza = s.posizione - p.posizione;
      g.tempo_orario = static_cast<double>(g.orario) - static_cast<double>(g.orario_precedente);
    }
    if (g.orario < 0 || g.orario >= giornata) {
      g.tipo = tipo_guasto_orario::fuori_giornata;
      out.push_back(g);
    }
    if (precedente && g.orario <= g.orario_precedente) {
      g.tipo = tipo_guasto_orario::non_dopo_precedente;
      out.push_back(g);
    }
    if (precedente && e != nullptr && !e->impedimento) {
      for (const sezione_marcia& z : e->sezioni) {
        if (z.a != k || z.percorribile()) continue;
        g.tipo = tipo_guasto_orario::sezione_troppo_breve;
        g.tempo_minimo = z.tempo_minimo;
        out.push_back(g);
      }
    }
    precedente = k;
  }
  return out;
}

std::string durata(std::int64_t secondi) {
  const bool negativo = secondi < 0;
  const std::int64_t s = negativo ? -secondi : secondi;
  char buffer[64];
  if (s >= 3600) {
    std::snprintf(buffer, sizeof buffer, "%s%lld h %02lld min %02lld s", negativo ? "-" : "",
                  static_cast<long long>(s / 3600), static_cast<long long>(s / 60 % 60),
                  static_cast<long long>(s % 60));
  } else if (s >= 60) {
    std::snprintf(buffer, sizeof buffer, "%s%lld min %lld s", negativo ? "-" : "",
                  static_cast<long long>(s / 60), static_cast<long long>(s % 60));
  } else {
    std::snprintf(buffer, sizeof buffer, "%s%lld s", negativo ? "-" : "",
                  static_cast<long long>(s));
  }
  return buffer;
}

std::string testo_guasto_orario(const linea_marcia& l, const guasto_orario& g) {
  const std::string& nome = l.stazioni[g.stazione].nome;
  const std::string prima = g.precedente ? l.stazioni[*g.precedente].nome : std::string();
  switch (g.tipo) {
    case tipo_guasto_orario::fuori_giornata:
      return "the time " + hh_mm_ss(g.orario) + " of " + nome +
             " is not a time of day (0:00:00 to 23:59:59)";
    case tipo_guasto_orario::non_dopo_precedente:
      return "the time " + hh_mm_ss(g.orario) + " of " + nome + " is not after " +
             hh_mm_ss(g.orario_precedente) + " of " + prima;
    case tipo_guasto_orario::sezione_troppo_breve:
      break;
  }
  // "at least": the fastest run rounded up to whole seconds.
  const auto minimo = static_cast<std::int64_t>(std::ceil(g.tempo_minimo));
  const auto dato = static_cast<std::int64_t>(std::llround(g.tempo_orario));
  return std::to_string(std::llround(g.distanza)) + " m from " + prima + " needs at least " +
         durata(minimo) + "; the timetable gives " + durata(dato);
}

}  // namespace scenario
