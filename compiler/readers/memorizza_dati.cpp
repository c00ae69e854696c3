#include "compiler/readers/memorizza_dati.h"

#include <memory>
#include <optional>

#include "base/file_system.h"
#include "compiler/readers/errore_esecuzione.h"
#include "compiler/readers/lettore_linea.h"
#include "compiler/readers/lettore_servizio.h"
#include "compiler/route_model/voci.h"

namespace scenario {

namespace {

void annota(traccia_lettura* traccia, guasto g) {
  if (traccia != nullptr) traccia->guasti.push_back(std::move(g));
}

guasto guasto_file(codice c, file_sorgente f, std::optional<motivo_guasto> motivo) {
  guasto g;
  g.codice_guasto = c;
  g.file = f;
  g.motivo = motivo;
  return g;
}

// The checker reads a service file whose line file gave no route model
// against the largest line the format allows.
void modello_sostitutivo(modello_percorso& m, scrittura& w) {
  m.lunghezza_tracciato =
      static_cast<std::int32_t>(lunghezza_tracciato_di(lunghezza_percorso_massima));
  m.n_celle = static_cast<std::int32_t>(n_celle_di(m.lunghezza_tracciato));
  m.celle.assign(static_cast<std::size_t>(m.n_celle) + 1, cella{});
  w.celle_create();
}

}  // namespace

esito_lettura memorizza_dati(modello_percorso& m, const testi_scenario& testi,
                             const opzioni_lettura& o, sorgenti_modello* s,
                             traccia_lettura* traccia) {
  nome_linea_di(m.elementi) = m.nome_linea;
  numero_treno_di(m.elementi) = m.numero_treno;
  esito_lettura esito;
  if (!testi.linea) {
    m.codice_errore = numero(codice::file_linea_mancante);
    annota(traccia, guasto_file(codice::file_linea_mancante, file_sorgente::linea, std::nullopt));
    return esito;
  }
  const bool recupero = o.modo == modo_lettura::recupero;
  giornale_modello giornale;
  scrittura w(m, s, recupero ? &giornale : nullptr);
  stato_lettori stato;

  auto letto = [&](file_sorgente f) {
    if (o.letto) o.letto(f);
  };
  // The failure trap: code 25, both files done with; the reading ends (the
  // checker goes on with the service file).
  std::unique_ptr<lettore> corrente;
  auto trappola = [&](motivo_guasto motivo) {
    m.codice_errore = numero(codice::errore_lettura);
    if (corrente) corrente->annota_trappola(motivo);
    letto(file_sorgente::nessuno);
  };

  seguito dopo_linea = seguito::continua;
  try {
    corrente =
        std::make_unique<lettore>(*testi.linea, file_sorgente::linea, w, stato, o.modo, traccia);
    dopo_linea = leggi_file_linea(*corrente, o.posa_geometria);
    letto(file_sorgente::linea);
  } catch (const errore_esecuzione& f) {
    trappola(f.motivo());
    if (!recupero) return esito;
  } catch (const file_error&) {
    trappola(motivo_guasto::file_inaccessibile);
    return esito;
  }
  if (dopo_linea == seguito::ferma && !recupero) return esito;

  if (recupero && !m.ha_celle()) {
    modello_sostitutivo(m, w);
    esito.servizio_senza_linea = true;
  }
  esito.servizio_letto = true;
  corrente.reset();
  if (!testi.servizio) {
    // No existence test: a missing file fails to open.
    annota(traccia, guasto_file(codice::errore_lettura, file_sorgente::servizio,
                                motivo_guasto::file_mancante));
    trappola(motivo_guasto::file_mancante);
    return esito;
  }
  try {
    corrente = std::make_unique<lettore>(*testi.servizio, file_sorgente::servizio, w, stato, o.modo,
                                         traccia);
    leggi_file_servizio(*corrente);
    letto(file_sorgente::servizio);
  } catch (const errore_esecuzione& f) {
    trappola(f.motivo());
  } catch (const file_error&) {
    trappola(motivo_guasto::file_inaccessibile);
  }
  return esito;
}

}  // namespace scenario
