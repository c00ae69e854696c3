#include "compiler/readers/lettore_linea.h"

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>

#include "base/cp1252.h"
#include "compiler/format/arrotondamento.h"
#include "compiler/format/codifica_celle.h"
#include "compiler/readers/errore_esecuzione.h"
#include "compiler/recorders/accesso_modello.h"
#include "compiler/recorders/memo_indicatori_v_max.h"
#include "compiler/recorders/memo_montagna.h"
#include "compiler/recorders/progressive_ordina.h"
#include "compiler/route_model/voci.h"

namespace scenario {

namespace {

[[noreturn]] void fuori_dal_tracciato() {
  throw errore_esecuzione(motivo_guasto::punto_fuori, "track point outside the plan geometry");
}

// Lays the plan geometry run by run (or, for the checker, only follows the
// point index with the same bounds): a run of points up to a given one,
// straight on or turned by a curve's curvature c (radians per metre). The
// bounds are those of laying point by point: a point past the geometry's
// last is a run-time failure, and past point 1000000 a curve stops with
// code 103, once the points before have been laid.
class posatore {
 public:
  posatore(modello_percorso& m, stato_lettori& st, bool posa) : m_(m), st_(st), posa_(posa) {}

  void semina() {
    st_.k = 2;
    if (posa_ ? !m_.tracciato.semina() : n_punti() < 2) fuori_dal_tracciato();
  }

  // Points k .. fino; false when the point limit stopped the run (code 103).
  bool corri(std::int64_t fino, double c, bool curva, bool con_limite) {
    if (st_.k > fino) return true;
    std::int64_t ultimo = fino;
    if (con_limite) ultimo = std::min(ultimo, punti_massimi);
    const bool oltre = ultimo >= n_punti();
    if (oltre) ultimo = n_punti() - 1;
    if (posa_ && ultimo >= st_.k) m_.tracciato.posa(ultimo, c, curva);
    st_.k = std::max(st_.k, ultimo + 1);
    if (oltre) fuori_dal_tracciato();
    return !(con_limite && st_.k > punti_massimi);
  }

 private:
  // Points of the geometry the model would hold: it exists once a
  // "lunghezza percorso" has sized the model.
  std::int64_t n_punti() const {
    return m_.ha_celle() ? std::int64_t{m_.lunghezza_tracciato} + 1 : 0;
  }

  modello_percorso& m_;
  stato_lettori& st_;
  bool posa_;
};

// Curvature per metre of a curve keyword: class digit 1 .. 6, first match
// wins; 0 when it has none.
double curvatura(std::string_view chiave) {
  constexpr std::string_view cifre[] = {"1", "2", "3", "4", "5", "6"};
  for (std::size_t i = 0; i < curvatura_classe.size(); ++i) {
    if (contains(chiave, cifre[i])) return curvatura_classe[i];
  }
  return 0.0;
}

std::string_view senza_blank_iniziali(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

// ---------------------------------------------------- general section ---

seguito leggi_lunghezza(lettore& l, bool posa) {
  modello_percorso& m = l.m();
  l.w().voce(voce::treno_e_linea);
  const std::int32_t lunghezza = l.long_32();
  lunghezza_percorso(m.elementi) = lunghezza;
  if (lunghezza > lunghezza_percorso_massima) {
    return l.rifiuta(codice::lunghezza_eccessiva, 0, std::nullopt);
  }
  const std::int32_t lt = long_di(lunghezza_tracciato_di(lunghezza));
  const std::int64_t n_celle = n_celle_di(lt);
  // A negative size has no arrays: the model is then left without cells
  // and geometry, so that nothing after reads a half-made one.
  m.celle.clear();
  m.tracciato.cancella();
  m.n_celle = 0;
  m.lunghezza_tracciato = 0;
  l.w().celle_create();
  if (n_celle < 0 || (m.genera_linea != 0 && lt < 0)) {
    throw errore_esecuzione(motivo_guasto::dimensione_negativa, "route model with a negative size");
  }
  m.lunghezza_tracciato = lt;
  m.n_celle = static_cast<std::int32_t>(n_celle);
  m.celle.assign(static_cast<std::size_t>(n_celle) + 1, cella{});
  l.w().celle_create();
  if (m.genera_linea != 0 && posa) m.tracciato.crea(lt);
  return l.chiudi();
}

seguito leggi_progressiva(lettore& l, int v) {
  l.w().voce(v);
  tabella_elementi& e = l.m().elementi;
  inizio_serie(e, v) = l.long_32();
  origine_serie(e, v) = l.long_32();
  verso_serie(e, v) = l.long_32();
  return l.chiudi();
}

seguito leggi_sfondo(lettore& l, tipo_record t) {
  l.w().voce(voce::testata_linea);
  tabella_elementi& e = l.m().elementi;
  const std::int32_t v = l.long_32();
  if (t == tipo_record::sfondo_uno) sfondo_uno(e) = v;
  if (t == tipo_record::sfondo_due) sfondo_due(e) = v;
  if (t == tipo_record::sfondo_tre) sfondo_tre(e) = v;
  return l.chiudi();
}

seguito leggi_ripetizione(lettore& l, std::string_view riga) {
  l.w().voce(voce::testata_corsa);
  tabella_elementi& e = l.m().elementi;
  inizio_ripetizione(e) = l.long_32();
  fine_ripetizione(e) = l.long_32();
  if (inizio_ripetizione(e) % metri_per_cella != 0) {
    return l.rifiuta(codice::inizio_zona_fuori_griglia, 0, std::nullopt);
  }
  if (fine_ripetizione(e) % metri_per_cella != 0) {
    return l.rifiuta(codice::fine_zona_fuori_griglia, 1, std::nullopt);
  }
  if (contains(riga, "4")) {
    numero_codici(e) = 4;
  } else if (contains(riga, "9")) {
    numero_codici(e) = 9;
  } else {
    return l.rifiuta(codice::numero_codici_mancante, -1, std::nullopt);
  }
  if (fine_ripetizione(e) == 0) numero_codici(e) = 0;
  return l.chiudi();
}

// Every kind of the general section that the field matches, in order.
seguito leggi_generale(lettore& l, std::string_view riga, bool posa) {
  for (const tipo_record t : tipi_generale()) {
    if (!corrisponde(descrizione(t), riga)) continue;
    const seguito s = l.esegui(t, [&] {
      switch (t) {
        case tipo_record::lunghezza_percorso:
          return leggi_lunghezza(l, posa);
        case tipo_record::progressiva_tre:
          return leggi_progressiva(l, voce::progressiva_tre);
        case tipo_record::progressiva_due:
          return leggi_progressiva(l, voce::progressiva_due);
        case tipo_record::progressiva_uno:
          return leggi_progressiva(l, voce::progressiva_uno);
        case tipo_record::ripetizione_segnali:
          return leggi_ripetizione(l, riga);
        default:
          return leggi_sfondo(l, t);
      }
    });
    if (s != seguito::continua) return s;
  }
  return seguito::continua;
}

// --------------------------------------------------------------- body ---

// The checker: a grade whose cell value overflows a Long is the fault of
// the record that set it, found when it is about to be written; the fill
// goes on level. (The compile step stops there, code 25.)
void pendenza_tenibile(lettore& l) {
  stato_lettori& st = l.stato();
  if (!l.recupero() || std::int64_t{st.pendenza_corrente} + scarto_pendenza <=
                           std::numeric_limits<std::int32_t>::max()) {
    return;
  }
  l.annota_del_record(st.record_pendenza, motivo_guasto::overflow_long);
  st.pendenza_corrente = 0;
}

// The grade in force written into the cells from the fill index on, up to
// `fino_a` (not included) but always at least one cell.
void riempi_pendenze(lettore& l, std::int64_t fino_a) {
  stato_lettori& st = l.stato();
  pendenza_tenibile(l);
  do {
    l.w().pendenza(st.indice_pendenza,
                   bassi_8(long_di(std::int64_t{st.pendenza_corrente} + scarto_pendenza)),
                   st.record_pendenza);
    ++st.indice_pendenza;
  } while (st.indice_pendenza < fino_a);
}

seguito leggi_pendenza(lettore& l) {
  stato_lettori& st = l.stato();
  const std::int32_t p = l.long_32();
  const std::int32_t g = l.long_32();
  if (fuori_dai_celle(l.m(), p, margine_record)) return l.fuori(p, 0);
  // The grade before this record holds up to the cell R(p / 50).
  const std::int64_t fino_a = cella_profilo(p);
  if (fino_a > 0) riempi_pendenze(l, fino_a);
  st.pendenza_corrente = g;
  st.record_pendenza = l.record_corrente();
  return l.chiudi();
}

seguito leggi_curva(lettore& l, std::string_view riga, posatore& geometria) {
  stato_lettori& st = l.stato();
  const std::int32_t inizio = l.long_32();
  const std::int32_t lunghezza = l.long_32();
  if (fuori_dai_celle(l.m(), inizio, margine_record)) return l.fuori(inizio, 0);
  double c = curvatura(riga);
  if (c == 0.0) return l.rifiuta(codice::curva_non_valida, -1, std::nullopt);
  if (contains_any_case(riga, "s")) c = -c;  // left-hand curve
  const std::int64_t fine = long_di(std::int64_t{inizio} + lunghezza);
  // Straight on up to the curve, then the curve.
  if (!geometria.corri(inizio, 0.0, false, true)) {
    return l.rifiuta(codice::curva_non_valida, 0, std::nullopt);
  }
  const std::int64_t primo = st.k;
  if (!geometria.corri(fine, c, true, true)) {
    return l.rifiuta(codice::curva_non_valida, 1, std::nullopt);
  }
  if (sorgenti_modello* s = l.w().sorgenti()) {
    s->curve.push_back({l.record_corrente(), primo, st.k - 1, c});
  }
  return l.chiudi();
}

seguito leggi_montagna(lettore& l) {
  const std::int32_t inizio = l.long_32();
  const std::int32_t fine = l.long_32();
  const std::int32_t tipo = l.long_32();
  if (fuori_dai_celle(l.m(), inizio, margine_record)) return l.fuori(inizio, 0);
  memo_montagna(l.w(), inizio, fine, tipo);  // a span is never refused
  return l.chiudi();
}

seguito leggi_indicatori(lettore& l) {
  indicatore_v_max b;
  b.posizione = l.long_32();
  b.vas = l.long_32();
  b.vbs = l.long_32();
  b.vcs = l.long_32();
  b.strisces = l.long_32();
  b.vad = l.long_32();
  b.vbd = l.long_32();
  b.vcd = l.long_32();
  b.strisced = l.long_32();
  if (fuori_dai_celle(l.m(), b.posizione, margine_record)) return l.fuori(b.posizione, 0);
  if (const auto r = memo_indicatori_v_max(l.w(), b)) {
    return l.rifiuta(r->codice_rifiuto, 0, b.posizione, r->cella);
  }
  return l.chiudi();
}

seguito leggi_cartello(lettore& l) {
  stato_lettori& st = l.stato();
  const std::int32_t p = l.long_32();
  const std::string_view scritta = l.testo();
  if (fuori_dai_celle(l.m(), p, margine_record)) return l.fuori(p, 0);
  const std::int64_t i = cella_oggetto(p);
  if (!cella_libera(l.w().leggi(i))) {
    return l.rifiuta(codice::cartello_cella_occupata, 0, p, i);
  }
  impacca_cartello(l.w().oggetto(i), st.posto_cartello);
  // Board texts take the slots 80 down to 1; entry 0 is never filled.
  if (st.posto_cartello < 1) {
    throw errore_esecuzione(motivo_guasto::troppi_cartelli, "more than 80 indication boards");
  }
  l.w().voce(st.posto_cartello).nome = std::string(scritta);
  st.posto_cartello -= 1;
  return l.chiudi();
}

seguito leggi_corpo(lettore& l, tipo_record t, std::string_view riga, posatore& geometria) {
  switch (t) {
    case tipo_record::pendenza:
      return leggi_pendenza(l);
    case tipo_record::curva:
      return leggi_curva(l, riga, geometria);
    case tipo_record::montagna:
      return leggi_montagna(l);
    case tipo_record::indicatori_vmax:
      return leggi_indicatori(l);
    default:
      return leggi_cartello(l);
  }
}

}  // namespace

seguito leggi_file_linea(lettore& l, bool posa_geometria) {
  modello_percorso& m = l.m();
  lettore_campi& r = l.campi();
  stato_lettori& st = l.stato();

  // The general section must come first: skip everything before it.
  std::string_view riga;
  for (;;) {
    riga = r.read_text();
    l.verifica_lettura();
    if (r.at_end()) return l.ferma_file(codice::generale_mancante);
    if (contains_any_case(riga, "[generale]")) break;
  }

  // General section, up to the next section header.
  for (;;) {
    if (r.at_end()) break;
    riga = r.read_text();
    if (r.at_end()) {
      l.nota_chiave(riga, false, true);
      break;
    }
    // Comments: up to ten fields with a dash, no end test between them.
    for (int n = 0; n < 10; ++n) {
      if (!contains(riga, "-")) continue;
      l.nota_chiave(riga, true, true);
      riga = r.read_text();
      l.verifica_lettura();
    }
    l.nota_chiave(riga, false, true);
    const seguito s = leggi_generale(l, riga, posa_geometria);
    if (s != seguito::continua) return s;
    const std::string_view inizio = senza_blank_iniziali(riga);
    const bool commento = !inizio.empty() && inizio.front() == '-';
    if (!commento && contains(riga, "[") && contains(riga, "]")) break;
  }

  progressive_ordina(m, l.w().sorgenti());
  m.n_montagne = 0;
  st.posto_cartello = voce::ultimo_cartello;
  st.indice_pendenza = 0;
  st.pendenza_corrente = 0;
  st.record_pendenza = nessun_record;
  posatore geometria(m, st, posa_geometria);
  if (m.genera_linea != 0) geometria.semina();

  // Body: every remaining section in one loop, records found by keyword.
  seguito s = seguito::continua;
  while (s == seguito::continua && l.prossima_chiave(riga)) {
    for (const tipo_record t : tipi_corpo(file_sorgente::linea)) {
      if (t == tipo_record::curva && m.genera_linea == 0) continue;
      if (!corrisponde(descrizione(t), riga)) continue;
      s = l.esegui(t, [&] { return leggi_corpo(l, t, riga, geometria); });
      if (s != seguito::continua) break;
    }
  }
  if (s == seguito::ferma) return s;

  // End of the file, or a record that did not fit. The last grade holds up
  // to the third cell from the end. The checker: with the cells used up by
  // the grade records, writing the last grade is its own record's fault,
  // unless a grade record after it found no cell and said so already.
  if (l.recupero() && st.indice_pendenza > std::int64_t{m.n_celle}) {
    const sorgenti_modello* fonti = l.w().sorgenti();
    const bool ultimo =
        fonti == nullptr ||
        fonti->ultimo[static_cast<std::size_t>(tipo_record::pendenza)] == st.record_pendenza;
    if (ultimo) l.annota_del_record(st.record_pendenza, motivo_guasto::cella_fuori);
  } else {
    riempi_pendenze(l, std::int64_t{m.n_celle} - 2);
  }
  // Straight on to the end; the last two points stay empty.
  if (m.genera_linea != 0)
    geometria.corri(std::int64_t{m.lunghezza_tracciato} - 2, 0.0, false, false);
  return seguito::continua;
}

}  // namespace scenario
