#include "compiler/compila.h"

#include "compiler/format/file_binari.h"
#include "compiler/placement/posa_marcatori.h"
#include "compiler/writers/slot_riservati.h"

namespace scenario {

namespace {

// The fault of a reserved slot found taken: what cell 1 held.
guasto guasto_slot(codice c, const modello_percorso& m, const sorgenti_modello* s) {
  guasto g;
  g.codice_guasto = c;
  g.cella = static_cast<std::int64_t>(cella_riservata);
  g.tipo_occupante = m.celle[cella_riservata].tipo;
  if (s != nullptr && s->celle.size() > cella_riservata) {
    g.record_occupante = s->celle[cella_riservata].oggetto;
    g.regola_occupante = s->celle[cella_riservata].regola;
  }
  return g;
}

}  // namespace

risultato_compilazione compila(const testi_scenario& testi, const opzioni_compilazione& o) {
  risultato_compilazione r;
  modello_percorso& m = r.modello;
  m.nome_linea = o.nome_linea;
  m.numero_treno = o.numero_treno;
  m.genera_linea = o.j;
  m.codice_errore = 0;
  sorgenti_modello* s = o.sorgenti ? &r.sorgenti : nullptr;
  r.traccia.registra_chiavi = o.modo == modo_lettura::recupero;

  // Its outcome is not examined: whatever code the readers leave stays, and
  // the pass runs on the cells as they left them.
  r.lettura = memorizza_dati(m, testi, {o.modo, o.posa_geometria, o.letto}, s, &r.traccia);

  // The readers stopped before any "lunghezza percorso" created the cells:
  // nothing to place, stamp or write. A stand-in line says nothing of
  // placement or the reserved slots either.
  if (!m.ha_celle() || r.lettura.servizio_senza_linea) return r;

  posiziona_marcatori(m, s, &r.traccia);

  r.esito = timbra_slot_riservati(m);
  if (const codice c = codice_arresto(r.esito); c != codice::nessuno) {
    r.traccia.guasti.push_back(guasto_slot(c, m, s));
  }
  if (r.esito != esito_compilazione::completato || !o.file_binari) return r;

  r.sim = byte_sim(m);
  r.celle_dat = byte_celle_dat(m);
  return r;
}

}  // namespace scenario
