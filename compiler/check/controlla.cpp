#include "compiler/check/controlla.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <tuple>

#include "compiler/check/avvisi.h"
#include "compiler/check/contesto_check.h"
#include "compiler/check/errori.h"

namespace scenario {

namespace {

// Ties go by the id users see, so the order does not hang on the
// catalogue's.
auto chiave_ordine(const diagnostica& d) {
  return std::tuple(d.dove.file == file_sorgente::servizio, d.dove.riga, d.dove.colonna,
                    d.severita() != gravita::errore, d.nome());
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
  if (const codice arresto = codice_arresto(c.esito); arresto != codice::nessuno) {
    codici.push_back(numero(arresto));
  }
  const contesto_check contesto{in, c.modello, c.sorgenti};
  for (const std::int32_t codice_cercato : codici) {
    const bool presente = std::any_of(
        out.begin(), out.end(), [&](const diagnostica& d) { return d.codice() == codice_cercato; });
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
    using enum id_diagnostica;
    if (d.id == no_route_model || d.id == no_general_section || d.id == line_too_long) continue;
    if (d.codice() != numero(g.codice_guasto)) continue;
    if (d.dove.file != g.file || d.dove.riga != g.dove.riga) continue;
    d.messaggio +=
        "; the compile step stops here, before any \"lunghezza percorso\", so no route "
        "model is built and nothing is written";
    return;
  }
}

// The file `f` among an input's further files, if given.
const altro_file* altro(const ingresso_controllo& in, file_sorgente f) {
  const auto it = std::find_if(in.altri_file.begin(), in.altri_file.end(),
                               [f](const altro_file& a) { return a.file == f; });
  return it == in.altri_file.end() ? nullptr : &*it;
}

}  // namespace

std::string_view ingresso_controllo::testo(file_sorgente f) const {
  if (f == file_sorgente::servizio) return servizio;
  if (const altro_file* a = altro(*this, f)) return a->testo;
  return f == file_sorgente::nessuno || f == file_sorgente::linea ? linea : std::string_view{};
}

const std::string& ingresso_controllo::nome_file(file_sorgente f) const {
  static const std::string nessun_nome;
  if (f == file_sorgente::servizio) return nome_file_servizio;
  if (const altro_file* a = altro(*this, f)) return a->nome;
  return f == file_sorgente::nessuno || f == file_sorgente::linea ? nome_file_linea : nessun_nome;
}

std::string ingresso_controllo::posto(const luogo& l) const {
  std::string p = nome_file(l.file);
  if (l.riga > 0) p += ":" + std::to_string(l.riga) + ":" + std::to_string(l.colonna);
  return p;
}

esito_controllo controlla(const ingresso_controllo& in) {
  esito_controllo e;
  opzioni_compilazione o;
  o.nome_linea = in.nome_linea;
  o.numero_treno = in.numero_treno;
  o.sorgenti = true;
  o.posa_geometria = in.posa_geometria;
  o.file_binari = in.file_binari;
  e.compilazione = compila({in.linea, in.servizio}, o);
  // The checker's own reading, past every fault.
  o.modo = modo_lettura::recupero;
  o.posa_geometria = false;
  o.file_binari = false;
  risultato_compilazione r = compila({in.linea, in.servizio}, o);
  const contesto_check contesto{in, r.modello, r.sorgenti};

  std::vector<diagnostica>& out = e.diagnostiche;
  std::set<std::tuple<std::int32_t, file_sorgente, std::int32_t, std::int32_t>> visti;
  // Once the cells are used up, every later grade, speed or adhesion record
  // of the same kind finds none either: the first says so, a note counts
  // the rest.
  std::array<std::optional<std::size_t>, 3> primo_senza_cella;
  std::array<std::int32_t, 3> altri_senza_cella{};
  bool arresto_visto = false;
  for (const guasto& g : r.traccia.guasti) {
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
    if (r.lettura.servizio_senza_linea && g.codice_guasto == codice::fuori_dalle_celle) continue;
    if (!visti.insert({numero(g.codice_guasto), d.dove.file, d.dove.riga, d.dove.colonna}).second) {
      continue;
    }
    out.push_back(std::move(d));
    // The list grows: keep the index, not a pointer.
    if (riempimento) primo_senza_cella[*riempimento] = out.size() - 1;
  }
  aggiungi_codice_della_compilazione(in, e.compilazione, out);
  senza_modello(e.compilazione, out);

  std::set<std::int32_t> gia_segnalati;
  avvisi_chiavi(r.traccia, contesto, out, gia_segnalati);
  avvisi_record(contesto, gia_segnalati, out);
  avvisi_file(r.traccia, contesto, out);
  // In a file given for the other one every keyword is unknown: the swap
  // says it once.
  for (const file_sorgente f : {file_sorgente::linea, file_sorgente::servizio}) {
    const bool scambiato = std::any_of(out.begin(), out.end(), [f](const diagnostica& d) {
      return d.id == id_diagnostica::files_swapped && d.dove.file == f;
    });
    if (!scambiato) continue;
    std::erase_if(out, [f](const diagnostica& d) {
      using enum id_diagnostica;
      return d.dove.file == f &&
             (d.id == unknown_keyword || d.id == keyword_case || d.id == misplaced_general_record);
    });
  }

  std::stable_sort(out.begin(), out.end(), [](const diagnostica& a, const diagnostica& b) {
    return chiave_ordine(a) < chiave_ordine(b);
  });
  for (const diagnostica& d : out) (d.severita() == gravita::errore ? e.errori : e.avvisi) += 1;
  e.modello_letto = std::move(r.modello);
  e.sorgenti_letti = std::move(r.sorgenti);
  return e;
}

std::string accordo_con_compilazione(const esito_controllo& e) {
  const risultato_compilazione& c = e.compilazione;
  auto tra_gli_errori = [&](std::int32_t codice) {
    return std::any_of(e.diagnostiche.begin(), e.diagnostiche.end(), [&](const diagnostica& d) {
      return d.severita() == gravita::errore && d.codice() == codice;
    });
  };
  const std::int32_t finale = c.modello.codice_errore;
  if (finale != 0 && !tra_gli_errori(finale)) {
    return "compile records code " + std::to_string(finale) + ", not among the errors";
  }
  if (const codice arresto = codice_arresto(c.esito);
      arresto != codice::nessuno && !tra_gli_errori(numero(arresto))) {
    return std::to_string(numero(arresto)) + " missing";
  }
  if (finale == 0 && c.esito == esito_compilazione::completato && e.errori != 0) {
    return "compile records no code, the checker " + std::to_string(e.errori) + " errors";
  }
  return {};
}

}  // namespace scenario
