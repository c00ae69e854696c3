#include "compiler/readers/lettore.h"

#include <utility>

namespace scenario {

lettore::lettore(std::string_view testo, file_sorgente file, scrittura& w, stato_lettori& stato,
                 modo_lettura modo, traccia_lettura* traccia)
    : r_(testo),
      file_(file),
      w_(w),
      stato_(stato),
      modo_(modo),
      traccia_(traccia),
      giornale_(w.giornale()) {
  r_.set_tolerant(modo == modo_lettura::recupero);
}

void lettore::nota_chiave(std::string_view riga, bool commento, bool generale) {
  chiave_ = r_.last_field();
  if (traccia_ == nullptr || !traccia_->registra_chiavi) return;
  // An empty field matches no keyword and is worth no warning: a file of
  // commas must not fill the trace.
  if (!commento && riga.find_first_not_of(" \t") == std::string_view::npos && !r_.at_end()) {
    return;
  }
  campo_chiave c;
  c.file = file_;
  c.dove = chiave_;
  c.testo = riga;
  c.commento = commento;
  c.sezione_generale = generale;
  c.non_esaminato = r_.at_end();
  traccia_->chiavi.push_back(c);
}

void lettore::nota_tipi(std::uint32_t tipi) {
  if (traccia_ == nullptr || !traccia_->registra_chiavi || traccia_->chiavi.empty()) return;
  traccia_->chiavi.back().tipi |= tipi;
}

bool lettore::prossima_chiave(std::string_view& riga) {
  if (r_.at_end()) return false;
  const bool trovata = leggi_campo_chiave(
      r_, riga, [this](std::string_view commento, auto&) { nota_chiave(commento, true, false); });
  nota_chiave(riga, false, false);
  return trovata;
}

void lettore::apri(tipo_record t) {
  tipo_ = t;
  in_record_ = true;
  valori_.clear();
  record_ = nessun_record;
  if (sorgenti_modello* s = w_.sorgenti()) {
    record_ = static_cast<std::int32_t>(s->record.size());
    s->record.push_back({file_, t, chiave_, {}, false});
    s->ultimo[static_cast<std::size_t>(t)] = record_;
  }
  w_.per_record(record_);
  nota_tipi(std::uint32_t{1} << static_cast<unsigned>(t));
  if (recupero()) {
    if (giornale_ != nullptr) giornale_->dimentica();
    const modello_percorso& m = w_.modello();
    prima_ = {stato_,       m.codice_errore,   m.posizione_errore, m.n_montagne,
              m.n_stazioni, m.montagne_inizio, m.montagne_fine};
    r_.take_failure();
  }
}

void lettore::nota_valore() {
  valori_.push_back(r_.last_field());
  if (record_ == nessun_record) return;
  w_.sorgenti()->record[static_cast<std::size_t>(record_)].valori.push_back(r_.last_field());
}

std::int32_t lettore::long_32() {
  const std::int32_t v = r_.read_long();
  nota_valore();
  return v;
}

std::int16_t lettore::integer_16() {
  const std::int16_t v = r_.read_integer();
  nota_valore();
  return v;
}

std::uint8_t lettore::byte_8() {
  const std::uint8_t v = r_.read_byte();
  nota_valore();
  return v;
}

std::string_view lettore::testo() {
  const std::string_view v = r_.read_text();
  nota_valore();
  return v;
}

guasto lettore::nuovo_guasto(codice c, int campo) const {
  guasto g;
  g.codice_guasto = c;
  g.file = file_;
  g.ha_record = in_record_;
  g.record = record_;
  g.tipo = tipo_;
  g.campo = campo;
  g.dove = chiave_;
  if (campo >= 0 && static_cast<std::size_t>(campo) < valori_.size()) {
    g.dove = valori_[static_cast<std::size_t>(campo)];
  }
  return g;
}

seguito lettore::ferma_file(codice c) {
  in_record_ = false;
  w_.modello().codice_errore = numero(c);
  guasto g = nuovo_guasto(c, -1);
  g.dove = {1, 1, 0, 0};  // the file as a whole, from its start
  annota(std::move(g));
  return seguito::ferma;
}

void lettore::annota_del_record(std::int32_t record, motivo_guasto motivo) {
  guasto g;
  g.codice_guasto = codice::errore_lettura;
  g.file = file_;
  g.motivo = motivo;
  g.record = record;
  if (const sorgenti_modello* s = w_.sorgenti(); s != nullptr && s->trova(record) != nullptr) {
    const record_letto& r = *s->trova(record);
    g.ha_record = true;
    g.tipo = r.tipo;
    g.campo = 1;
    g.dove = r.valori.size() > 1 ? r.valori[1] : r.chiave;
  }
  annota(std::move(g));
}

void lettore::verifica_lettura() {
  if (const auto f = r_.take_failure())
    throw errore_esecuzione(f->motivo, "read past the end of the file");
}

void lettore::annota(guasto g) {
  if (traccia_ != nullptr) traccia_->guasti.push_back(std::move(g));
}

bool lettore::lettura_fallita() {
  const auto f = r_.take_failure();
  if (!f) return false;
  guasto g = nuovo_guasto(codice::errore_lettura, -1);
  g.dove = f->campo;
  g.motivo = f->motivo;
  g.campo = campo_fallito(g.dove);
  annota(std::move(g));
  return true;
}

seguito lettore::metti_da_parte() {
  modello_percorso& m = w_.modello();
  if (giornale_ != nullptr) giornale_->annulla(m, w_.sorgenti());
  stato_ = prima_.stato;
  m.codice_errore = prima_.codice_errore;
  m.posizione_errore = prima_.posizione_errore;
  m.n_montagne = prima_.n_montagne;
  m.n_stazioni = prima_.n_stazioni;
  m.montagne_inizio = prima_.montagne_inizio;
  m.montagne_fine = prima_.montagne_fine;
  if (record_ != nessun_record) {
    w_.sorgenti()->record[static_cast<std::size_t>(record_)].messo_da_parte = true;
  }
  // The rest of the record's line goes with it: none of its values is read
  // as a keyword.
  while (!r_.line_ended() && !r_.at_end()) r_.read_text();
  r_.take_failure();
  in_record_ = false;
  return seguito::continua;
}

seguito lettore::chiudi() {
  if (recupero() && lettura_fallita()) return metti_da_parte();
  if (giornale_ != nullptr) giornale_->dimentica();
  in_record_ = false;
  return seguito::continua;
}

seguito lettore::fuori(std::int32_t posizione, int campo) {
  if (recupero() && lettura_fallita()) return metti_da_parte();
  modello_percorso& m = w_.modello();
  m.codice_errore = numero(codice::fuori_dalle_celle);
  m.posizione_errore = posizione;
  guasto g = nuovo_guasto(codice::fuori_dalle_celle, campo);
  g.posizione_errore = posizione;
  annota(std::move(g));
  if (recupero()) return metti_da_parte();
  in_record_ = false;
  return seguito::esci;
}

seguito lettore::rifiuta(codice c, int campo, std::optional<std::int32_t> posizione,
                         std::int64_t cella) {
  guasto g = nuovo_guasto(c, campo);
  g.posizione_errore = posizione;
  g.cella = cella;
  const modello_percorso& m = w_.modello();
  if (cella >= 0 && static_cast<std::size_t>(cella) < m.celle.size()) {
    g.tipo_occupante = m.celle[static_cast<std::size_t>(cella)].tipo;
    if (const sorgenti_modello* s = w_.sorgenti()) {
      g.record_occupante = s->celle[static_cast<std::size_t>(cella)].oggetto;
      g.regola_occupante = s->celle[static_cast<std::size_t>(cella)].regola;
    }
  }
  return rifiuta(std::move(g));
}

seguito lettore::rifiuta(guasto g) {
  if (recupero() && lettura_fallita()) return metti_da_parte();
  modello_percorso& m = w_.modello();
  m.codice_errore = numero(g.codice_guasto);
  if (g.posizione_errore) m.posizione_errore = *g.posizione_errore;
  annota(std::move(g));
  if (recupero()) return metti_da_parte();
  in_record_ = false;
  return seguito::ferma;
}

int lettore::campo_fallito(const campo_testo& dove) const {
  for (std::size_t i = 0; i < valori_.size(); ++i) {
    if (valori_[i].inizio == dove.inizio && valori_[i].riga == dove.riga) {
      return static_cast<int>(i);
    }
  }
  return static_cast<int>(valori_.size());
}

namespace {

// A failure of the read itself stands at the field read; any other at the
// record.
bool di_lettura(motivo_guasto m) {
  return m == motivo_guasto::fine_file || m == motivo_guasto::numero_fuori_intervallo;
}

}  // namespace

seguito lettore::guasto_lettura(motivo_guasto motivo) {
  r_.take_failure();
  guasto g = nuovo_guasto(codice::errore_lettura, -1);
  if (di_lettura(motivo) || !in_record_) g.dove = r_.last_field();
  g.motivo = motivo;
  if (in_record_ && di_lettura(motivo)) g.campo = campo_fallito(g.dove);
  annota(std::move(g));
  metti_da_parte();
  // Without a route model every later record would fail the same way.
  return motivo == motivo_guasto::modello_assente ? seguito::ferma : seguito::continua;
}

void lettore::annota_trappola(motivo_guasto motivo) {
  guasto g = nuovo_guasto(codice::errore_lettura, -1);
  if (di_lettura(motivo) || !in_record_) g.dove = r_.last_field();
  g.motivo = motivo;
  if (in_record_ && di_lettura(motivo)) g.campo = campo_fallito(g.dove);
  annota(std::move(g));
  in_record_ = false;
}

}  // namespace scenario
