#include <cstdlib>

#include "compiler/documenti/allineamento.h"
#include "compiler/documenti/confronto_comune.h"
#include "compiler/documenti/confronto_documenti.h"
#include "compiler/documenti/nomi_stazioni.h"
#include "compiler/documenti/ordine_rallentamento.h"

namespace scenario {

namespace {

// Beyond this a row and a slowdown are not the same one, unless the row
// names its stations.
constexpr std::int64_t scarto_massimo_m = 2000;

class confronto_modulo {
 public:
  confronto_modulo(const modulo_letto& m, const dati_documenti& d, const opzioni_confronto& o)
      : m_(m), d_(d), o_(o) {}

  rilievi esegui() {
    if (!m_.trovata) return {};
    for (const rallentamento_documento& r : d_.rallentamenti) {
      stazioni_.push_back(stazioni_del_rallentamento(d_, r));
      nomi_d_.push_back(parole_nome(stazioni_.back()));
    }
    for (const riga_modulo& r : m_.righe) nomi_m_.push_back(parole_nome(r.stazioni));
    const auto riga_di = allinea(d_.rallentamenti.size(), m_.righe.size(),
                                 [&](std::size_t k, std::size_t j) { return punti(k, j); });
    std::vector<bool> usata(m_.righe.size(), false);
    for (std::size_t k = 0; k < riga_di.size(); ++k) {
      if (!riga_di[k]) continue;
      usata[*riga_di[k]] = true;
      confronta_riga(k, m_.righe[*riga_di[k]]);
    }
    for (std::size_t j = 0; j < m_.righe.size(); ++j) {
      if (usata[j]) continue;
      const riga_modulo& r = m_.righe[j];
      rilievo x = base(id_rilievo::rallentamento_in_piu, r.stazioni.empty() ? r.dove_km : r.dove);
      x.messaggio = "this row's slowdown" + riga(r) +
                    " is not in the service file: no \"rallentamento\" record matches it. Add the "
                    "record, or strike the row";
      out_.push_back(std::move(x));
    }
    for (std::size_t k = 0; k < riga_di.size(); ++k) {
      if (riga_di[k]) continue;
      if (!mancante_da_segnalare(m_.intera, riga_di, k)) continue;
      manca(k, riga_di);
    }
    return std::move(out_);
  }

 private:
  // How far the row's kilometre is from the slowdown's start: 0 when it
  // agrees (a post agrees when the start lies after it and before the next,
  // give or take the tolerance); nothing when either is unknown.
  std::optional<std::int64_t> scarto(std::size_t k, const riga_modulo& r) const {
    const auto km = d_.progressiva(d_.rallentamenti[k].x);
    if (!km || !r.km) return std::nullopt;
    const std::int64_t t = o_.tolleranza_km_m;
    if (!r.cippo) {
      const std::int64_t s = std::llabs(*km - *r.km);
      return s <= t ? 0 : s;
    }
    const std::int64_t da = *r.km - 1000 - t;
    const std::int64_t a = *r.km + t;
    if (*km < da) return da - *km;
    if (*km > a) return *km - a;
    return 0;
  }

  std::int64_t punti(std::size_t k, std::size_t j) const {
    const rallentamento_documento& x = d_.rallentamenti[k];
    const riga_modulo& r = m_.righe[j];
    const bool stazioni = confronta_nomi(nomi_d_[k], nomi_m_[j]) != somiglianza::nessuna;
    std::int64_t p = 0;
    if (const auto s = scarto(k, r)) {
      if (*s > scarto_massimo_m && !stazioni) return 0;
      p = 100 - std::min<std::int64_t>(*s / 20, 90);
    } else {
      p = 20;
    }
    if (stazioni) p += 30;
    if (r.velocita && *r.velocita == x.v) p += 20;
    if (r.lunghezza && *r.lunghezza == x.l) p += 20;
    return p;
  }

  rilievo base(const char* id, const posto& dove) const {
    rilievo x;
    x.id = id;
    x.doc = documento::rallentamenti;
    x.dove = dove;
    return x;
  }

  std::string descrivi(std::size_t k) const {
    const rallentamento_documento& x = d_.rallentamenti[k];
    std::string t = "the service file's slowdown at " + std::to_string(x.x) + " m";
    if (const auto km = d_.progressiva(x.x)) {
      t += " (km " + testo_km(*km) + ", after post " + std::to_string(cippo_prima(*km)) + ")";
    }
    if (!stazioni_[k].empty()) t += " in " + in_utf8(stazioni_[k]);
    return t + ", " + std::to_string(x.v) + " km/h over " + std::to_string(x.l) + " m";
  }

  static std::string km_della_riga(const riga_modulo& r) {
    return r.cippo ? " after post " + std::to_string(*r.km / 1000) : " at km " + testo_km(*r.km);
  }

  static std::string riga(const riga_modulo& r) {
    std::string t;
    if (!r.stazioni.empty()) t += " '" + in_utf8(r.stazioni) + "'";
    if (r.km) t += km_della_riga(r);
    return t;
  }

  void segnala(const char* id, const posto& dove, std::size_t k, const posto& nel_servizio,
               std::string messaggio) {
    rilievo x = base(id, dove);
    const rallentamento_documento& s = d_.rallentamenti[k];
    x.messaggio = std::move(messaggio);
    x.abbinato = "slowdown at " + std::to_string(s.x) + " m";
    x.record = s.record;
    x.nel_servizio = nel_servizio;
    out_.push_back(std::move(x));
  }

  void confronta_riga(std::size_t k, const riga_modulo& r) {
    const rallentamento_documento& x = d_.rallentamenti[k];
    const std::string chi = "this row (matched to " + descrivi(k) + ")";
    const auto s = scarto(k, r);
    const auto km = d_.progressiva(x.x);
    if (km && (!r.km || (s && *s > 0))) {
      segnala(id_rilievo::km_rallentamento, r.dove_km, k, x.campo_x,
              chi +
                  (r.km ? " gives a start" + km_della_riga(r)
                        : std::string(" gives no kilometre post")) +
                  ", but the slowdown begins at km " + testo_km(*km) + ": write post " +
                  std::to_string(cippo_prima(*km)) + ", or correct the record");
    }
    if (r.velocita != x.v) {
      segnala(id_rilievo::velocita_rallentamento, r.dove_velocita, k, x.campo_v,
              chi +
                  (r.velocita ? " gives " + std::to_string(*r.velocita) + " km/h"
                              : std::string(" gives no speed")) +
                  " where the service file gives " + std::to_string(x.v) +
                  " km/h. Correct the form or the record");
    }
    if (r.lunghezza != x.l) {
      segnala(id_rilievo::lunghezza_rallentamento, r.dove_lunghezza, k, x.campo_l,
              chi +
                  (r.lunghezza ? " gives " + std::to_string(*r.lunghezza) + " m"
                               : std::string(" gives no length")) +
                  " where the service file gives " + std::to_string(x.l) +
                  " m. Correct the form or the record");
    }
  }

  void manca(std::size_t k, const righe_abbinate& riga_di) {
    const posto dove = dove_mancante(m_, riga_di, k, &riga_modulo::dove);
    segnala(id_rilievo::rallentamento_mancante, dove, k, d_.rallentamenti[k].chiave,
            descrivi(k) + " is missing from the form. Add its row");
  }

  const modulo_letto& m_;
  const dati_documenti& d_;
  const opzioni_confronto& o_;
  std::vector<std::string> stazioni_;
  std::vector<std::vector<std::string>> nomi_d_, nomi_m_;
  rilievi out_;
};

}  // namespace

rilievi confronta_modulo(const modulo_letto& m, const dati_documenti& d,
                         const opzioni_confronto& o) {
  return confronto_modulo(m, d, o).esegui();
}

rilievi controlla_rallentamenti(std::string_view bytes, const dati_documenti& d,
                                const opzioni_confronto& o) {
  const modulo_letto m = leggi_modulo(bytes);
  return con_lettura(m, confronta_modulo(m, d, o));
}

}  // namespace scenario
