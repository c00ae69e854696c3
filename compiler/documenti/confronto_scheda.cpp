#include <cstdlib>

#include "compiler/documenti/allineamento.h"
#include "compiler/documenti/confronto_comune.h"
#include "compiler/documenti/confronto_documenti.h"
#include "compiler/documenti/nomi_stazioni.h"
#include "compiler/documenti/orari.h"

namespace scenario {

namespace {

std::string descrivi(const dati_documenti& d, const stazione_documento& s) {
  std::string t = "'" + in_utf8(s.nome) + "' at " + std::to_string(s.posizione) + " m";
  if (const auto km = d.progressiva(s.posizione)) t += ", km " + testo_km(*km);
  return t;
}

std::string mostra(std::int64_t mezzi) {
  std::string t = orario_scheda(mezzi);
  if (t.back() == ' ') t.pop_back();
  if (t.front() == ' ') t.erase(0, 1);
  return t;
}

// Each station's row: names alike, loosely, and kilometres near.
righe_abbinate abbina(const scheda_letta& s, const dati_documenti& d, const opzioni_confronto& o,
                      const std::vector<std::vector<std::string>>& nomi_d,
                      const std::vector<std::vector<std::string>>& nomi_s) {
  return allinea(d.stazioni.size(), s.righe.size(), [&](std::size_t i, std::size_t j) {
    const somiglianza q = confronta_nomi(nomi_d[i], nomi_s[j]);
    if (q == somiglianza::nessuna) return std::int64_t{0};
    std::int64_t p = q == somiglianza::uguale ? 100 : 60;
    const auto km = d.progressiva(d.stazioni[i].posizione);
    if (km && s.righe[j].km) {
      const std::int64_t scarto = std::llabs(*km - *s.righe[j].km);
      p += scarto <= o.tolleranza_km_m ? 30 : scarto <= 1000 ? 15 : scarto > 5000 ? -90 : 0;
    }
    return std::max<std::int64_t>(p, 1);
  });
}

class confronto_scheda {
 public:
  confronto_scheda(const scheda_letta& s, const dati_documenti& d, const opzioni_confronto& o)
      : s_(s), d_(d), o_(o) {}

  rilievi esegui() {
    if (!s_.trovata) return {};
    std::vector<std::vector<std::string>> nomi_d, nomi_s;
    for (const stazione_documento& x : d_.stazioni) nomi_d.push_back(parole_nome(x.nome));
    for (const riga_scheda& r : s_.righe) nomi_s.push_back(parole_nome(r.nome));
    const righe_abbinate riga_di = abbina(s_, d_, o_, nomi_d, nomi_s);
    std::vector<bool> usata(s_.righe.size(), false);
    for (std::size_t i = 0; i < riga_di.size(); ++i) {
      if (!riga_di[i]) continue;
      usata[*riga_di[i]] = true;
      confronta_riga(i, s_.righe[*riga_di[i]]);
    }
    for (std::size_t i = 0; i < riga_di.size(); ++i) {
      if (riga_di[i]) continue;
      if (!mancante_da_segnalare(s_.intera, riga_di, i)) continue;
      manca(i, riga_di, usata, nomi_d, nomi_s);
    }
    return std::move(out_);
  }

 private:
  void segnala(const char* id, const posto& dove, const stazione_documento& x,
               const posto& nel_servizio, std::string messaggio) {
    rilievo r;
    r.id = id;
    r.doc = documento::scheda;
    r.dove = dove;
    r.messaggio = std::move(messaggio);
    r.abbinato = in_utf8(x.nome);
    r.record = x.record;
    r.nel_servizio = nel_servizio;
    out_.push_back(std::move(r));
  }

  std::string riga_abbinata(const riga_scheda& r, const stazione_documento& x) const {
    return "the row '" + in_utf8(r.nome) + "' (matched to the service file's station " +
           descrivi(d_, x) + ")";
  }

  void confronta_riga(std::size_t i, const riga_scheda& r) {
    const stazione_documento& x = d_.stazioni[i];
    const auto km = d_.progressiva(x.posizione);
    if (km && r.km && std::llabs(*km - *r.km) > o_.tolleranza_km_m) {
      segnala(id_rilievo::km_diverso, r.dove_km, x, x.campo_posizione,
              riga_abbinata(r, x) + " gives km " + testo_km(*r.km) + ", " +
                  std::to_string(std::llabs(*km - *r.km)) + " m from the station's km " +
                  testo_km(*km) + " (more than the " + std::to_string(o_.tolleranza_km_m) +
                  " m allowed). Correct the sheet or the station's position");
    }
    confronta_orario(i, r);
  }

  void confronta_orario(std::size_t i, const riga_scheda& r) {
    const stazione_documento& x = d_.stazioni[i];
    const orari_riga& t = r.orari;
    if (x.orario == 0) {
      if (t.arrivo || t.partenza) {
        segnala(id_rilievo::orario_in_piu, r.dove_orario, x, x.campo_orario,
                riga_abbinata(r, x) + " gives a timetabled time (" +
                    mostra(t.partenza ? *t.partenza : *t.arrivo) +
                    "), but the service file times no stop there (0, 0, 0). Give the time in "
                    "the service file, or mark a passing time on the sheet as computed: centred "
                    "in the cell, or followed by (c)");
      }
      return;
    }
    const bool prima = i == 0;
    const bool ultima = i + 1 == d_.stazioni.size() && !prima;
    const std::int64_t atteso = mezzi_minuti(x.orario);
    const std::int64_t arrivo = ultima ? atteso : mezzi_minuti(std::int64_t{x.orario} - o_.sosta_s);
    const std::string servizio =
        "the service file says " + orario_esteso(x.orario) + " (" + mostra(atteso) + ")";
    if (t.vuota()) {
      segnala(id_rilievo::orario_mancante, r.dove_orario, x, x.campo_orario,
              riga_abbinata(r, x) + " gives no time, but the service file times it at " +
                  orario_esteso(x.orario) + ": write " + mostra(atteso) + " on the sheet");
      return;
    }
    // Which of the sheet's times stands for the service file's one.
    std::optional<std::int64_t> principale;
    std::int64_t confronto_con = atteso;
    const char* quale = "departure";
    if (ultima) {
      principale = t.arrivo ? t.arrivo : t.partenza ? t.partenza : t.passaggio;
      quale = "arrival";
    } else if (t.partenza) {
      principale = t.partenza;
    } else if (t.passaggio) {
      principale = t.passaggio;
      quale = "time";
    } else if (!prima) {
      principale = t.arrivo;
      confronto_con = arrivo;
      quale = "arrival";
    } else {
      principale = t.arrivo;
    }
    if (*principale != confronto_con) {
      segnala(id_rilievo::orario_diverso, r.dove_orario, x, x.campo_orario,
              riga_abbinata(r, x) + " gives the " + quale + " " + mostra(*principale) + ", but " +
                  servizio +
                  (confronto_con != atteso ? " less the dwell of " + std::to_string(o_.sosta_s) +
                                                 " s gives " + mostra(confronto_con)
                                           : std::string{}) +
                  ". Correct the sheet or the service file");
      return;
    }
    if (!prima && !ultima && t.partenza && t.arrivo && *t.arrivo != arrivo) {
      segnala(id_rilievo::arrivo_diverso, r.dove_orario, x, x.campo_orario,
              riga_abbinata(r, x) + " gives the arrival " + mostra(*t.arrivo) +
                  ", but the departure " + mostra(atteso) + " less the dwell of " +
                  std::to_string(o_.sosta_s) + " s gives " + mostra(arrivo) +
                  ". Correct the sheet, or give the train model's dwell");
    }
  }

  void manca(std::size_t i, const righe_abbinate& riga_di, std::vector<bool>& usata,
             const std::vector<std::vector<std::string>>& nomi_d,
             const std::vector<std::vector<std::string>>& nomi_s) {
    const stazione_documento& x = d_.stazioni[i];
    // The same name on a row left over: the station stands out of order.
    std::optional<std::size_t> fuori;
    for (std::size_t j = 0; j < s_.righe.size(); ++j) {
      if (usata[j]) continue;
      const somiglianza q = confronta_nomi(nomi_d[i], nomi_s[j]);
      if (q == somiglianza::uguale || (q == somiglianza::parziale && !fuori)) fuori = j;
      if (q == somiglianza::uguale) break;
    }
    const std::string dove_va = dove_andrebbe(i, riga_di);
    if (fuori) {
      usata[*fuori] = true;
      const riga_scheda& r = s_.righe[*fuori];
      segnala(id_rilievo::fuori_ordine, r.dove_nome, x, x.chiave,
              "the row '" + in_utf8(r.nome) +
                  "' stands out of the running order: it is the "
                  "service file's station " +
                  descrivi(d_, x) + ", which comes " + dove_va + ". Move the row");
      return;
    }
    const posto dove = dove_mancante(s_, riga_di, i, &riga_scheda::dove_nome);
    segnala(id_rilievo::stazione_mancante, dove, x, x.chiave,
            "the service file's station " + descrivi(d_, x) +
                " is missing from the sheet: it "
                "comes " +
                dove_va + ". Add its row");
  }

  // "after the row 'A' and before the row 'B'", from the matched neighbours.
  std::string dove_andrebbe(std::size_t i, const righe_abbinate& riga_di) const {
    std::string prima, dopo;
    for (std::size_t k = i; k-- > 0;) {
      if (riga_di[k]) {
        prima = "after the row '" + in_utf8(s_.righe[*riga_di[k]].nome) + "'";
        break;
      }
    }
    for (std::size_t k = i + 1; k < riga_di.size(); ++k) {
      if (riga_di[k]) {
        dopo = "before the row '" + in_utf8(s_.righe[*riga_di[k]].nome) + "'";
        break;
      }
    }
    if (prima.empty() && dopo.empty()) return "among the rows";
    if (prima.empty()) return dopo;
    if (dopo.empty()) return prima;
    return prima + " and " + dopo;
  }

  const scheda_letta& s_;
  const dati_documenti& d_;
  const opzioni_confronto& o_;
  rilievi out_;
};

}  // namespace

std::vector<std::optional<std::size_t>> abbina_scheda(const scheda_letta& s,
                                                      const dati_documenti& d,
                                                      const opzioni_confronto& o) {
  if (!s.trovata) return std::vector<std::optional<std::size_t>>(d.stazioni.size());
  std::vector<std::vector<std::string>> nomi_d, nomi_s;
  for (const stazione_documento& x : d.stazioni) nomi_d.push_back(parole_nome(x.nome));
  for (const riga_scheda& r : s.righe) nomi_s.push_back(parole_nome(r.nome));
  return abbina(s, d, o, nomi_d, nomi_s);
}

rilievi confronta_scheda(const scheda_letta& s, const dati_documenti& d,
                         const opzioni_confronto& o) {
  return confronto_scheda(s, d, o).esegui();
}

rilievi controlla_scheda(std::string_view bytes, const dati_documenti& d,
                         const opzioni_confronto& o) {
  const scheda_letta s = leggi_scheda(bytes);
  return con_lettura(s, confronta_scheda(s, d, o));
}

}  // namespace scenario
