#include "compiler/documenti/scheda_treno.h"

#include <algorithm>
#include <array>

#include "base/cp1252.h"
#include "compiler/documenti/impaginazione.h"
#include "compiler/documenti/orari.h"
#include "sources/documenti_fissi.h"

namespace scenario {

namespace {

namespace ps = pagina_scheda;

struct riga_punto {
  std::int64_t posizione = 0;
  std::array<std::string, 7> celle;
  bool continua = false;  // the rest of the name of the row above
};

std::string destra(const std::string& t, std::size_t larghezza) {
  return t.size() >= larghezza ? t : std::string(larghezza - t.size(), ' ') + t;
}

std::string al_centro(std::string_view t, std::size_t larghezza, char riempi = ' ') {
  t = t.substr(0, larghezza);
  const std::size_t sinistra = (larghezza - t.size() + 1) / 2;
  std::string r(sinistra, riempi);
  r += t;
  r.resize(larghezza, riempi);
  return r;
}

std::string cella_velocita(std::int32_t v) {
  return destra(std::to_string(v), ps::larghezze[ps::vel_lim] - 1) + " ";
}

std::string cella_km(const dati_documenti& d, std::int64_t posizione) {
  const auto p = d.progressiva(posizione);
  return p ? destra(testo_km(*p), ps::larghezze[ps::km] - 1) + " " : std::string{};
}

std::string cella_orario(const dati_documenti& d, std::size_t i, const opzioni_scheda& o) {
  const stazione_documento& s = d.stazioni[i];
  const bool prima = i == 0;
  const bool ultima = i + 1 == d.stazioni.size();
  if (s.orario != 0) {
    const std::int64_t partenza = mezzi_minuti(s.orario);
    if (prima || ultima) return std::string(ps::da_partenza, ' ') + orario_scheda(partenza);
    const std::int64_t arrivo = mezzi_minuti(std::int64_t{s.orario} - o.sosta_s);
    return orario_scheda(arrivo) + std::string(ps::da_partenza - 6, ' ') + orario_scheda(partenza);
  }
  if (i < o.passaggi.size() && o.passaggi[i]) {
    return std::string(ps::da_passaggio, ' ') + orario_scheda(mezzi_minuti(*o.passaggi[i])) +
           std::string(ps::segno_calcolato);
  }
  return "       -";
}

std::vector<riga_punto> righe_punti(const dati_documenti& d, const opzioni_scheda& o) {
  std::vector<riga_punto> elenco;
  if (d.stazioni.empty()) return elenco;
  const std::int64_t da = d.stazioni.front().posizione;
  const std::int64_t a = d.stazioni.back().posizione;
  // Stations first, then the speed changes between them, merged where they
  // share a position.
  for (std::size_t i = 0; i < d.stazioni.size(); ++i) {
    const stazione_documento& s = d.stazioni[i];
    riga_punto r;
    r.posizione = s.posizione;
    if (i == 0) r.celle[ps::vel_lim] = cella_velocita(d.velocita_a(s.posizione));
    r.celle[ps::km] = cella_km(d, s.posizione);
    r.celle[ps::orario] = cella_orario(d, i, o);
    const std::vector<std::string> nome = a_capo(s.nome, ps::larghezze[ps::localita]);
    r.celle[ps::localita] = nome.front();
    elenco.push_back(r);
    for (std::size_t k = 1; k < nome.size(); ++k) {
      riga_punto c;
      c.posizione = s.posizione;
      c.celle[ps::localita] = nome[k];
      c.continua = true;
      elenco.push_back(c);
    }
  }
  for (const cambio_velocita& c : d.velocita) {
    if (c.posizione <= da || c.posizione > a) continue;
    auto stazione = std::find_if(elenco.begin(), elenco.end(), [&](const riga_punto& r) {
      return !r.continua && r.posizione == c.posizione && !r.celle[ps::localita].empty();
    });
    if (stazione != elenco.end()) {
      stazione->celle[ps::vel_lim] = cella_velocita(c.velocita);
      continue;
    }
    riga_punto r;
    r.posizione = c.posizione;
    r.celle[ps::vel_lim] = cella_velocita(c.velocita);
    r.celle[ps::km] = cella_km(d, c.posizione);
    r.celle[ps::orario] = "       -";
    auto dopo = std::find_if(elenco.begin(), elenco.end(), [&](const riga_punto& x) {
      return !x.continua && x.posizione > c.posizione;
    });
    elenco.insert(dopo, r);
  }
  return elenco;
}

void intestazione(std::string& out, const dati_documenti& d, const opzioni_scheda& o,
                  std::size_t pagina, std::size_t pagine) {
  const std::span<const std::string_view> fisse = righe_scheda();
  const intestazione_scheda& h = o.intestazione;
  const std::string prima = d.stazioni.empty() ? "" : d.stazioni.front().nome;
  const std::string ultima = d.stazioni.empty() ? "" : d.stazioni.back().nome;
  const std::string scheda =
      utf8_to_cp1252("    scheda n° ") + std::to_string(pagina) + "/" + std::to_string(pagine);
  aggiungi_riga(out, riga_fissa(fisse, 0));
  aggiungi_riga(out, riga_fissa(fisse, 1));
  aggiungi_riga(out, riga_fissa(fisse, 2));
  aggiungi_riga(out, " |  Fascicolo Linee  |     Treno      |" + a_larghezza(scheda, 22) +
                         "| Sigla di composizione|");
  aggiungi_riga(out, " |" + al_centro(h.fascicolo, 19) + "|" + al_centro(d.numero_treno, 16) + "|" +
                         std::string(22, ' ') + "|" + al_centro(h.sigla, 22) + "|");
  aggiungi_riga(out, " |___________________|________________|" +
                         a_larghezza("    da: " + prima, 22) + "|" +
                         al_centro(std::to_string(d.numero_vetture) + " vetture", 22) + "|");
  aggiungi_riga(out, "                     | Termine scheda |" +
                         a_larghezza("    a:  " + ultima, 22) + "|______________________|");
  aggiungi_riga(out, "  ___________________|" + al_centro(ultima, 16, '_') + "|" +
                         std::string(23, ' ') + std::string(22, '_'));
  aggiungi_riga(out, riga_fissa(fisse, 8));
  aggiungi_riga(out, " |" + al_centro(h.classificazione, 19) + "|" +
                         al_centro(std::to_string(d.massa_frenata) + "%", 16) + "|" +
                         std::string(22, ' ') + "|" + al_centro(h.rotabili, 13) + "|" +
                         al_centro(h.rsc, 8) + "|");
  for (std::size_t i = 10; i < ps::prima_riga; ++i) aggiungi_riga(out, riga_fissa(fisse, i));
}

}  // namespace

std::string scheda_treno(const dati_documenti& d, const opzioni_scheda& o) {
  const std::vector<riga_punto> punti = righe_punti(d, o);
  // Pages of whole stations: a name's continuation stays with its row.
  std::vector<std::vector<const riga_punto*>> pagine(1);
  for (std::size_t i = 0; i < punti.size();) {
    std::size_t fine = i + 1;
    while (fine < punti.size() && punti[fine].continua) ++fine;
    if (pagine.back().size() + (fine - i) > ps::righe && !pagine.back().empty())
      pagine.emplace_back();
    for (; i < fine; ++i) {
      if (pagine.back().size() == ps::righe) pagine.emplace_back();
      pagine.back().push_back(&punti[i]);
    }
  }
  const bool calcolati = std::any_of(punti.begin(), punti.end(), [](const riga_punto& r) {
    return r.celle[ps::orario].find(ps::segno_calcolato) != std::string::npos;
  });
  const std::span<const std::string_view> fisse = righe_scheda();
  std::string out;
  for (std::size_t p = 0; p < pagine.size(); ++p) {
    intestazione(out, d, o, p + 1, pagine.size());
    for (const riga_punto* r : pagine[p]) aggiungi_riga(out, riga_tabella(r->celle, ps::larghezze));
    for (std::size_t k = pagine[p].size(); k < ps::righe; ++k) {
      aggiungi_riga(out, riga_fissa(fisse, ps::riga_vuota));
    }
    aggiungi_riga(out, riga_fissa(fisse, ps::chiusura));
    aggiungi_riga(out, riga_fissa(fisse, ps::chiusura + 1));
    aggiungi_riga(out, riga_fissa(fisse, ps::nota_mezzo_minuto));
    aggiungi_riga(out, calcolati ? "  (c) orario di passaggio calcolato, non in orario" : "");
    for (std::size_t k = ps::nota_mezzo_minuto + 1; k < ps::n_righe; ++k) {
      aggiungi_riga(out, riga_fissa(fisse, k));
    }
  }
  return out;
}

}  // namespace scenario
