#include "compiler/documenti/dati_documenti.h"

#include <algorithm>
#include <utility>

#include "compiler/compila.h"
#include "compiler/format/codifica_celle.h"
#include "compiler/marcia/linea_da_modello.h"
#include "compiler/readers/lettore_campi.h"
#include "compiler/route_model/voci.h"

namespace scenario {

namespace {

// Value fields of the records the documents show.
namespace campo {
inline constexpr std::size_t posizione = 0;
inline constexpr std::size_t ore = 13;
inline constexpr std::size_t secondi = 15;
inline constexpr std::size_t x = 0;
inline constexpr std::size_t v = 1;
inline constexpr std::size_t l = 2;
}  // namespace campo

posto posto_di(const campo_testo& c) {
  return {c.riga, c.colonna, static_cast<std::int32_t>(c.fine - c.inizio)};
}

posto posto_valore(const record_letto& r, std::size_t i) {
  return i < r.valori.size() ? posto_di(r.valori[i]) : posto_di(r.chiave);
}

// From the first field to the last when they share a line, else the first.
posto posto_campi(const record_letto& r, std::size_t primo, std::size_t ultimo) {
  posto p = posto_valore(r, primo);
  if (ultimo < r.valori.size() && r.valori[ultimo].riga == p.riga && primo < r.valori.size()) {
    p.lunghezza = static_cast<std::int32_t>(r.valori[ultimo].fine - r.valori[primo].inizio);
  }
  return p;
}

std::optional<std::int32_t> numero_valore(const record_letto& r, std::size_t i,
                                          std::string_view testo) {
  if (i >= r.valori.size()) return std::nullopt;
  const campo_testo& c = r.valori[i];
  if (c.fine < c.inizio || c.fine > testo.size()) return std::nullopt;
  const auto v = valore_numero(testo.substr(c.inizio, c.fine - c.inizio));
  if (!v || *v < INT32_MIN || *v > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(*v);
}

const record_letto* record_di(const sorgenti_modello* s, std::int32_t i) {
  if (s == nullptr) return nullptr;
  const record_letto* r = s->trova(i);
  return r != nullptr && r->file == file_sorgente::servizio ? r : nullptr;
}

void leggi_rallentamenti(dati_documenti& d, std::span<const cella> celle, const sorgenti_modello* s,
                         std::string_view servizio) {
  // Without sources a start pairs with the first unpaired end after it.
  std::vector<std::size_t> fini;
  for (std::size_t k = 0; k < celle.size(); ++k) {
    if (celle[k].tipo == tipo_cella::fine_rallentamento) fini.push_back(k);
  }
  std::vector<bool> usata(fini.size(), false);
  for (std::size_t k = 0; k < celle.size(); ++k) {
    if (celle[k].tipo != tipo_cella::inizio_rallentamento) continue;
    rallentamento_documento r;
    r.x = static_cast<std::int32_t>(posizione_oggetto(static_cast<std::int64_t>(k)));
    r.v = spacchetta_rallentamento(celle[k]).velocita;
    for (std::size_t f = 0; f < fini.size(); ++f) {
      if (usata[f] || fini[f] <= k) continue;
      usata[f] = true;
      r.l = static_cast<std::int32_t>(metri_di_cella(static_cast<std::int64_t>(fini[f] - k)));
      break;
    }
    if (s != nullptr && k < s->celle.size()) {
      if (const record_letto* rec = record_di(s, s->celle[k].oggetto);
          rec != nullptr && rec->tipo == tipo_record::rallentamento) {
        r.record = s->celle[k].oggetto;
        r.x = numero_valore(*rec, campo::x, servizio).value_or(r.x);
        r.v = numero_valore(*rec, campo::v, servizio).value_or(r.v);
        r.l = numero_valore(*rec, campo::l, servizio).value_or(r.l);
        r.chiave = posto_di(rec->chiave);
        r.campo_x = posto_valore(*rec, campo::x);
        r.campo_v = posto_valore(*rec, campo::v);
        r.campo_l = posto_valore(*rec, campo::l);
      }
    }
    d.rallentamenti.push_back(r);
  }
  std::stable_sort(
      d.rallentamenti.begin(), d.rallentamenti.end(),
      [](const rallentamento_documento& a, const rallentamento_documento& b) { return a.x < b.x; });
}

}  // namespace

std::optional<std::int64_t> dati_documenti::progressiva(std::int64_t p) const {
  if (serie.empty()) return std::nullopt;
  const serie_chilometrica* in_uso = &serie.front();
  for (const serie_chilometrica& s : serie) {
    if (s.inizio <= p) in_uso = &s;
  }
  return in_uso->origine - p;
}

std::int32_t dati_documenti::velocita_a(std::int64_t p) const {
  std::int32_t v = 0;
  for (const cambio_velocita& c : velocita) {
    if (c.posizione > p) break;
    v = c.velocita;
  }
  return v;
}

dati_documenti dati_da_modello(std::span<const cella> celle, const tabella_elementi& elementi,
                               std::span<const int> slot_stazioni, std::string nome_linea,
                               std::string numero_treno, const sorgenti_modello* s,
                               std::string_view servizio) {
  dati_documenti d;
  d.nome_linea = std::move(nome_linea);
  d.numero_treno = std::move(numero_treno);
  d.numero_vetture = numero_vetture(elementi);
  d.massa_frenata = percentuale_massa_frenata(elementi);
  d.serie = serie_in_uso(elementi);
  for (const int slot : slot_stazioni) {
    if (slot < 0 || slot >= n_elementi) continue;
    const elemento& e = elementi[static_cast<std::size_t>(slot)];
    stazione_documento st;
    st.nome = e.nome;
    st.posizione = e.posizione;
    st.inizio = e.inizio;
    st.fine = e.fine;
    st.orario = e.orario;
    st.voce = slot;
    if (s != nullptr) {
      const std::int32_t i = s->elementi[static_cast<std::size_t>(slot)];
      if (const record_letto* rec = record_di(s, i);
          rec != nullptr && rec->tipo == tipo_record::stazione) {
        st.record = i;
        st.chiave = posto_di(rec->chiave);
        st.campo_posizione = posto_valore(*rec, campo::posizione);
        st.campo_orario = posto_campi(*rec, campo::ore, campo::secondi);
      }
    }
    d.stazioni.push_back(std::move(st));
  }
  for (std::size_t k = 0; k < celle.size(); ++k) {
    const std::int32_t v = celle[k].velocita * passo_velocita;
    if (!d.velocita.empty() && d.velocita.back().velocita == v) continue;
    d.velocita.push_back(
        {static_cast<std::int32_t>(metri_di_cella(static_cast<std::int64_t>(k))), v});
  }
  leggi_rallentamenti(d, celle, s, servizio);
  return d;
}

dati_da_testi_esito dati_da_compilazione(const risultato_compilazione& r, std::string_view servizio,
                                         std::string nome_linea, std::string numero_treno) {
  dati_da_testi_esito esito;
  const modello_percorso& m = r.modello;
  if (!m.ha_celle()) {
    esito.errore = "the compile step built no route model";
  } else if (m.codice_errore != 0) {
    esito.errore = "the compile step recorded error " + std::to_string(m.codice_errore) +
                   " (the readers stop at the first fault, so later records are missing)";
  } else if (r.esito != esito_compilazione::completato) {
    esito.errore = "the compile step stopped with a reserved slot taken";
  } else {
    std::vector<int> slot;
    for (int k = voce::prima_stazione; k < voce::prima_stazione + m.n_stazioni; ++k) {
      slot.push_back(k);
    }
    esito.dati = dati_da_modello(m.celle, m.elementi, slot, std::move(nome_linea),
                                 std::move(numero_treno), &r.sorgenti, servizio);
    esito.linea = linea_da_modello(m, r.sorgenti);
  }
  return esito;
}

dati_da_testi_esito dati_da_testi(std::string_view linea, std::string_view servizio,
                                  std::string nome_linea, std::string numero_treno) {
  opzioni_compilazione o;
  o.nome_linea = nome_linea;
  o.numero_treno = numero_treno;
  o.j = 0;  // the documents need no plan geometry
  o.sorgenti = true;
  o.posa_geometria = false;
  o.file_binari = false;
  return dati_da_compilazione(compila(testi_scenario{linea, servizio}, o), servizio,
                              std::move(nome_linea), std::move(numero_treno));
}

std::vector<std::string> dati_mancanti(const dati_documenti& d) {
  std::vector<std::string> m;
  if (d.stazioni.empty()) m.emplace_back("a station (the item table holds none)");
  if (d.serie.empty()) m.emplace_back("a kilometric series in use (entries 81 to 83)");
  return m;
}

std::int64_t cippo_prima(std::int64_t km) {
  // Ceiling of km / 1000 for either sign.
  return km >= 0 ? (km + 999) / 1000 : -((-km) / 1000);
}

std::string testo_km(std::int64_t metri) {
  const std::int64_t a = metri < 0 ? -metri : metri;
  std::string t = std::to_string(a / 1000) + ".";
  const std::string m = std::to_string(a % 1000);
  t += std::string(3 - m.size(), '0') + m;
  return metri < 0 ? "-" + t : t;
}

}  // namespace scenario
