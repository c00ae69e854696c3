#include "compiler/check/controlla.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <tuple>

#include "compiler/check/avvisi.h"
#include "compiler/check/contesto_check.h"
#include "compiler/check/errori.h"
#include "compiler/placement/posa_marcatori.h"
#include "compiler/writers/slot_riservati.h"

namespace scenario {

namespace {

// The checker's own reading: every record, a faulty one set aside.
struct lettura_di_recupero {
  modello_percorso m;
  sorgenti_modello s;
  traccia_lettura t;
  esito_lettura esito;
};

void leggi_con_recupero(const ingresso_controllo& in, lettura_di_recupero& r) {
  r.m.nome_linea = in.nome_linea;
  r.m.numero_treno = in.numero_treno;
  r.m.genera_linea = 1;
  r.t.registra_chiavi = true;
  r.esito =
      memorizza_dati(r.m, {in.linea, in.servizio}, {modo_lettura::recupero, false, {}}, &r.s, &r.t);
  // A stand-in line says nothing of placement or the reserved slots.
  if (!r.m.ha_celle() || r.esito.servizio_senza_linea) return;
  posiziona_marcatori(r.m, &r.s, &r.t);
  const esito_compilazione e = timbra_slot_riservati(r.m);
  if (e == esito_compilazione::errore_1250 || e == esito_compilazione::errore_1251) {
    guasto g;
    g.codice_guasto = e == esito_compilazione::errore_1250 ? codice::slot_marcatori_occupato
                                                           : codice::slot_codici_occupato;
    g.cella = static_cast<std::int64_t>(cella_riservata);
    g.tipo_occupante = r.m.celle[cella_riservata].tipo;
    g.record_occupante = r.s.celle[cella_riservata].oggetto;
    g.regola_occupante = r.s.celle[cella_riservata].regola;
    r.t.guasti.push_back(g);
  }
}

auto chiave_ordine(const diagnostica& d) {
  return std::tuple(d.dove.file == file_sorgente::servizio, d.dove.riga, d.dove.colonna,
                    d.severita != gravita::errore, d.id);
}

// The compile step's own record of what stopped it, if the recovering read
// did not find that code: the code compile records is always among the
// errors.
void aggiungi_codice_della_compilazione(const ingresso_controllo& in,
                                        const risultato_compilazione& c,
                                        std::vector<diagnostica>& out) {
  const std::int32_t finale = c.modello.codice_errore;
  std::vector<std::int32_t> codici;
  if (finale != 0) codici.push_back(finale);
  if (c.esito == esito_compilazione::errore_1250) codici.push_back(1250);
  if (c.esito == esito_compilazione::errore_1251) codici.push_back(1251);
  const contesto_check contesto{in, c.modello, c.sorgenti};
  for (const std::int32_t codice_cercato : codici) {
    const bool presente = std::any_of(
        out.begin(), out.end(), [&](const diagnostica& d) { return d.codice == codice_cercato; });
    if (presente) continue;
    for (auto it = c.traccia.guasti.rbegin(); it != c.traccia.guasti.rend(); ++it) {
      if (numero(it->codice_guasto) != codice_cercato) continue;
      out.push_back(diagnostica_guasto(*it, contesto));
      break;
    }
  }
}

// 0, 1, 2 for a grade, speed or adhesion record that found no cell left.
std::optional<std::size_t> indice_riempimento(const guasto& g) {
  if (g.motivo != motivo_guasto::cella_fuori || !g.ha_record) return std::nullopt;
  switch (g.tipo) {
    case tipo_record::pendenza:
      return 0;
    case tipo_record::velocita:
      return 1;
    case tipo_record::aderenza:
      return 2;
    default:
      return std::nullopt;
  }
}

// The first such fault's note: how many later records of its kind found no
// cell either, at the last of them.
void nota_altri_senza_cella(diagnostica& primo, std::int32_t altri, const luogo& ultimo) {
  nota n;
  n.dove = ultimo;
  n.messaggio = std::to_string(altri) + (altri == 1 ? " later record" : " later records") +
                " of this kind find no cell either; the last is here";
  if (altri == 1) {
    primo.correlate.push_back(std::move(n));
  } else {
    primo.correlate.back() = std::move(n);
  }
}

// Without a route model nothing is written: the fault that stopped the
// compile step says so.
void senza_modello(const risultato_compilazione& c, std::vector<diagnostica>& out) {
  if (c.esito != esito_compilazione::senza_modello || c.traccia.guasti.empty()) return;
  const guasto& g = c.traccia.guasti.back();
  for (diagnostica& d : out) {
    // Those that say so already.
    if (d.id == "no-route-model" || d.id == "no-general-section" || d.id == "line-too-long") {
      continue;
    }
    if (d.codice != numero(g.codice_guasto)) continue;
    if (d.dove.file != g.file || d.dove.riga != g.dove.riga) continue;
    d.messaggio +=
        "; the compile step stops here, before any \"lunghezza percorso\", so no route "
        "model is built and nothing is written";
    return;
  }
}

}  // namespace

esito_controllo controlla(const ingresso_controllo& in) {
  esito_controllo e;
  opzioni_compilazione o;
  o.nome_linea = in.nome_linea;
  o.numero_treno = in.numero_treno;
  o.sorgenti = true;
  o.posa_geometria = in.posa_geometria;
  o.file_binari = false;
  e.compilazione = compila({in.linea, in.servizio}, o);

  lettura_di_recupero r;
  leggi_con_recupero(in, r);
  const contesto_check contesto{in, r.m, r.s};

  std::vector<diagnostica>& out = e.diagnostiche;
  std::set<std::tuple<std::int32_t, file_sorgente, std::int32_t, std::int32_t>> visti;
  // Once the cells are used up, every later grade, speed or adhesion record
  // of the same kind finds none either: the first says so, a note counts
  // the rest.
  std::array<std::optional<std::size_t>, 3> primo_senza_cella;
  std::array<std::int32_t, 3> altri_senza_cella{};
  bool arresto_visto = false;
  for (const guasto& g : r.t.guasti) {
    const std::optional<std::size_t> riempimento = indice_riempimento(g);
    if (riempimento && primo_senza_cella[*riempimento]) {
      const std::size_t k = *riempimento;
      ++altri_senza_cella[k];
      nota_altri_senza_cella(out[*primo_senza_cella[k]], altri_senza_cella[k],
                             contesto.di_campo(g.file, g.dove));
      continue;
    }
    // The compile step stops reading at the first read fault; the checker
    // reads on and finds the later ones.
    diagnostica d = diagnostica_guasto(g, contesto, arresto_visto);
    if (g.codice_guasto == codice::errore_lettura) arresto_visto = true;
    // A stand-in line cannot judge positions past its end.
    if (r.esito.servizio_senza_linea && g.codice_guasto == codice::fuori_dalle_celle) continue;
    if (!visti.insert({*d.codice, d.dove.file, d.dove.riga, d.dove.colonna}).second) continue;
    out.push_back(std::move(d));
    // The list grows: keep the index, not a pointer.
    if (riempimento) primo_senza_cella[*riempimento] = out.size() - 1;
  }
  aggiungi_codice_della_compilazione(in, e.compilazione, out);
  senza_modello(e.compilazione, out);

  std::set<std::int32_t> gia_segnalati;
  avvisi_chiavi(r.t, contesto, out, gia_segnalati);
  avvisi_record(contesto, gia_segnalati, out);
  avvisi_file(r.t, contesto, out);
  // In a file given for the other one every keyword is unknown: the swap
  // says it once.
  for (const file_sorgente f : {file_sorgente::linea, file_sorgente::servizio}) {
    const bool scambiato = std::any_of(out.begin(), out.end(), [f](const diagnostica& d) {
      return d.id == "files-swapped" && d.dove.file == f;
    });
    if (!scambiato) continue;
    std::erase_if(out, [f](const diagnostica& d) {
      return d.dove.file == f && (d.id == "unknown-keyword" || d.id == "keyword-case" ||
                                  d.id == "misplaced-general-record");
    });
  }

  std::stable_sort(out.begin(), out.end(), [](const diagnostica& a, const diagnostica& b) {
    return chiave_ordine(a) < chiave_ordine(b);
  });
  for (const diagnostica& d : out) (d.severita == gravita::errore ? e.errori : e.avvisi) += 1;
  e.modello_letto = std::move(r.m);
  e.sorgenti_letti = std::move(r.s);
  return e;
}

std::string accordo_con_compilazione(const esito_controllo& e) {
  const risultato_compilazione& c = e.compilazione;
  auto tra_gli_errori = [&](std::int32_t codice) {
    return std::any_of(e.diagnostiche.begin(), e.diagnostiche.end(), [&](const diagnostica& d) {
      return d.severita == gravita::errore && d.codice == codice;
    });
  };
  const std::int32_t finale = c.modello.codice_errore;
  if (finale != 0 && !tra_gli_errori(finale)) {
    return "compile records code " + std::to_string(finale) + ", not among the errors";
  }
  if (c.esito == esito_compilazione::errore_1250 && !tra_gli_errori(1250)) return "1250 missing";
  if (c.esito == esito_compilazione::errore_1251 && !tra_gli_errori(1251)) return "1251 missing";
  if (finale == 0 && c.esito == esito_compilazione::completato && e.errori != 0) {
    return "compile records no code, the checker " + std::to_string(e.errori) + " errors";
  }
  return {};
}

}  // namespace scenario
