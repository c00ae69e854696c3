#include "compiler/documenti/ordine_rallentamento.h"

#include <algorithm>
#include <array>
#include <vector>

#include "compiler/documenti/impaginazione.h"
#include "sources/documenti_fissi.h"

namespace scenario {

namespace {

namespace pm = pagina_modulo;

// Rows on a page before the end mark's three lines.
constexpr std::size_t righe_per_pagina = pm::righe - pm::n_asterischi;

std::string nome_della_linea(std::string_view nome_linea) {
  std::string t;
  for (const char c : nome_linea) {
    if (c == '_') {
      t += " - ";
    } else {
      t += c;
    }
  }
  return t;
}

}  // namespace

std::string stazioni_del_rallentamento(const dati_documenti& d, const rallentamento_documento& r) {
  const stazione_documento* prima = nullptr;
  for (const stazione_documento& s : d.stazioni) {
    if (s.inizio <= r.x && r.x <= s.fine) return s.nome;
    if (s.posizione <= r.x) prima = &s;
  }
  const auto dopo = std::find_if(d.stazioni.begin(), d.stazioni.end(),
                                 [&](const stazione_documento& s) { return s.posizione > r.x; });
  if (prima != nullptr && dopo != d.stazioni.end()) return prima->nome + " - " + dopo->nome;
  if (prima != nullptr) return prima->nome;
  return dopo != d.stazioni.end() ? dopo->nome : std::string{};
}

std::string ordine_rallentamento(const dati_documenti& d) {
  using riga = std::array<std::string, 6>;
  std::vector<std::vector<riga>> pagine(1);
  for (std::size_t n = 0; n < d.rallentamenti.size(); ++n) {
    const rallentamento_documento& r = d.rallentamenti[n];
    const std::vector<std::string> stazioni = a_capo(
        stazioni_del_rallentamento(d, r), pm::larghezze[pm::stazioni] - pm::rientro_stazioni);
    if (pagine.back().size() + stazioni.size() > righe_per_pagina && !pagine.back().empty()) {
      pagine.emplace_back();
    }
    const std::string rientro(pm::rientro_stazioni, ' ');
    riga prima;
    prima[pm::numero] = n + 1 < 10 ? " " + std::to_string(n + 1) : std::to_string(n + 1);
    prima[pm::stazioni] = rientro + stazioni.front();
    if (const auto km = d.progressiva(r.x)) {
      prima[pm::cippo] = "    " + std::to_string(cippo_prima(*km));
    }
    prima[pm::velocita] = "    " + std::to_string(r.v);
    prima[pm::lunghezza] = "   " + std::to_string(r.l);
    pagine.back().push_back(prima);
    for (std::size_t k = 1; k < stazioni.size(); ++k) {
      if (pagine.back().size() == righe_per_pagina) pagine.emplace_back();
      riga seguito;
      seguito[pm::stazioni] = rientro + stazioni[k];
      pagine.back().push_back(seguito);
    }
  }
  const std::span<const std::string_view> fisse = righe_rallentamenti();
  std::string out;
  for (std::size_t p = 0; p < pagine.size(); ++p) {
    for (std::size_t i = 0; i < 4; ++i) aggiungi_riga(out, riga_fissa(fisse, i));
    aggiungi_riga(out, "  Linea  " + nome_della_linea(d.nome_linea));
    aggiungi_riga(out, "");
    aggiungi_riga(out, "  Si ordina al macchinista del treno " + d.numero_treno +
                           " di effettuare i seguenti rallentamenti");
    for (std::size_t i = 7; i < pm::prima_riga; ++i) aggiungi_riga(out, riga_fissa(fisse, i));
    for (const riga& r : pagine[p]) aggiungi_riga(out, riga_tabella(r, pm::larghezze));
    std::size_t scritte = pagine[p].size();
    if (p + 1 == pagine.size()) {
      for (std::size_t k = 0; k < pm::n_asterischi; ++k, ++scritte) {
        aggiungi_riga(out, riga_fissa(fisse, pm::asterischi));
      }
    }
    for (; scritte < pm::righe; ++scritte) aggiungi_riga(out, riga_fissa(fisse, pm::riga_vuota));
    for (std::size_t i = pm::chiusura; i < pm::n_righe; ++i) {
      aggiungi_riga(out, i == pm::prescrizione_b ? " B - Interessa anche la stazione di ........."
                                                 : riga_fissa(fisse, i));
    }
  }
  return out;
}

}  // namespace scenario
