#include "compiler/check/avvisi_documenti.h"

#include <array>
#include <cmath>
#include <string_view>

#include "compiler/documenti/confronto_documenti.h"
#include "compiler/documenti/dati_documenti.h"

namespace scenario {

namespace {

// The ids of the findings are the catalogue's: every one has its row, in
// the file it stands in, and every row of a document is a finding's id.
struct riga_catalogo {
  std::string_view nome;  // the enumerator: '_' where users see '-'
  file_colpevole file;
};

#define VO_DIAGNOSTICA(n, g, c, f, p, s, r) riga_catalogo{#n, file_colpevole::f},
constexpr riga_catalogo catalogo[] = {
#include "compiler/check/diagnostiche.def"
};
#undef VO_DIAGNOSTICA

constexpr bool stesso_id(std::string_view enumeratore, std::string_view id) {
  if (enumeratore.size() != id.size()) return false;
  for (std::size_t i = 0; i < id.size(); ++i) {
    if ((enumeratore[i] == '_' ? '-' : enumeratore[i]) != id[i]) return false;
  }
  return true;
}

template <std::size_t n>
constexpr bool tutti_nel_catalogo(const std::array<const char*, n>& ids, file_colpevole f) {
  for (const char* id : ids) {
    bool trovato = false;
    for (const riga_catalogo& r : catalogo)
      trovato = trovato || (stesso_id(r.nome, id) && r.file == f);
    if (!trovato) return false;
  }
  return true;
}

constexpr std::size_t righe_dei_documenti() {
  std::size_t n = 0;
  for (const riga_catalogo& r : catalogo) {
    n += r.file == file_colpevole::documenti || r.file == file_colpevole::scheda_treno ||
                 r.file == file_colpevole::rallentamenti
             ? 1
             : 0;
  }
  return n;
}

static_assert(tutti_nel_catalogo(id_rilievo::lettura, file_colpevole::documenti));
static_assert(tutti_nel_catalogo(id_rilievo::scheda, file_colpevole::scheda_treno));
static_assert(tutti_nel_catalogo(id_rilievo::modulo, file_colpevole::rallentamenti));
static_assert(righe_dei_documenti() ==
              id_rilievo::lettura.size() + id_rilievo::scheda.size() + id_rilievo::modulo.size());

luogo nel_file(file_sorgente f, const posto& p) {
  return {f, p.riga, p.colonna, p.lunghezza};
}

}  // namespace

diagnostica diagnostica_rilievo(const rilievo& r, file_sorgente f) {
  diagnostica d;
  // Every finding's id has its row (checked above when this is built).
  d.id = cerca_diagnostica(r.id).value_or(id_diagnostica::document_other_layout);
  d.dove = nel_file(f, r.dove);
  d.messaggio = r.messaggio;
  if (r.record >= 0 && r.nel_servizio.riga > 0) {
    d.correlate.push_back({nel_file(file_sorgente::servizio, r.nel_servizio),
                           r.abbinato.empty()
                               ? "the service file's record"
                               : "the service file's record of '" + r.abbinato + "'"});
  }
  return d;
}

void avvisi_documenti(const ingresso_controllo& in, const risultato_compilazione& r,
                      std::vector<diagnostica>& out) {
  if (in.altri_file.empty()) return;
  const dati_da_testi_esito dati =
      dati_da_compilazione(r, in.servizio, in.nome_linea, in.numero_treno);
  if (!dati.dati) return;
  opzioni_confronto o;
  o.tolleranza_km_m = in.tolleranza_km_m;
  o.sosta_s = static_cast<std::int32_t>(std::lround(in.treno.sosta_minima_s));
  for (const altro_file& a : in.altri_file) {
    rilievi trovati;
    if (a.file == file_sorgente::scheda_treno) {
      trovati = controlla_scheda(a.testo, *dati.dati, o);
    } else if (a.file == file_sorgente::rallentamenti) {
      trovati = controlla_rallentamenti(a.testo, *dati.dati, o);
    }
    for (const rilievo& x : trovati) out.push_back(diagnostica_rilievo(x, a.file));
  }
}

}  // namespace scenario
