#include "compiler/check/contesto_check.h"

#include "base/cp1252.h"
#include "compiler/format/codifica_celle.h"

namespace scenario {

righe_dei_file::righe_dei_file(const ingresso_controllo& in) {
  indici_.emplace_back(file_sorgente::linea, indice_righe(in.linea));
  indici_.emplace_back(file_sorgente::servizio, indice_righe(in.servizio));
  for (const altro_file& a : in.altri_file) indici_.emplace_back(a.file, indice_righe(a.testo));
}

std::string_view righe_dei_file::riga(const luogo& l) const {
  const file_sorgente f = l.file == file_sorgente::nessuno ? file_sorgente::linea : l.file;
  for (const auto& [file, indice] : indici_) {
    if (file == f) return indice.riga(l.riga);
  }
  return {};
}

contesto_check::contesto_check(const ingresso_controllo& ingresso, const modello_percorso& modello,
                               const sorgenti_modello& sorgenti)
    : in(ingresso), m(modello), s(sorgenti), righe(ingresso) {}

std::string_view contesto_check::testo(file_sorgente f) const {
  return in.testo(f);
}

const std::string& contesto_check::nome_file(file_sorgente f) const {
  return in.nome_file(f);
}

std::string contesto_check::posto(const luogo& l) const {
  return in.posto(l);
}

luogo contesto_check::di_campo(file_sorgente f, const campo_testo& c) const {
  return {f, c.riga, c.colonna, static_cast<std::int32_t>(c.fine - c.inizio)};
}

luogo contesto_check::di_record(std::int32_t record, int campo) const {
  const record_letto* r = s.trova(record);
  if (r == nullptr) return {};
  if (campo >= 0 && static_cast<std::size_t>(campo) < r->valori.size()) {
    return di_campo(r->file, r->valori[static_cast<std::size_t>(campo)]);
  }
  return di_campo(r->file, r->chiave);
}

std::string per_messaggio(std::string_view campo) {
  constexpr std::string_view bom = "\xEF\xBB\xBF";
  if (campo.starts_with(bom)) return "(byte-order mark)" + cp1252_to_utf8(campo.substr(bom.size()));
  return cp1252_to_utf8(campo);
}

std::string contesto_check::citazione(const luogo& l) const {
  const std::string_view riga = righe.riga(l);
  const auto pos = static_cast<std::size_t>(l.colonna > 0 ? l.colonna - 1 : 0);
  if (pos > riga.size()) return {};
  return per_messaggio(riga.substr(pos, static_cast<std::size_t>(l.lunghezza)));
}

std::string contesto_check::citazione(file_sorgente f, const campo_testo& c) const {
  const std::string_view t = testo(f);
  if (c.inizio > t.size() || c.fine < c.inizio) return {};
  return per_messaggio(t.substr(c.inizio, c.fine - c.inizio));
}

std::string contesto_check::oggetto(std::uint8_t tipo, std::int32_t record,
                                    regola_posa regola) const {
  std::string cosa = tipo == tipo_cella::marcatore_valore && regola != regola_posa::nessuna
                         ? std::string("a marker placed for the slowdown")
                         : oggetto_in_frase(tipo);
  if (const record_letto* r = s.trova(record)) cosa += " at " + posto(di_campo(r->file, r->chiave));
  return cosa;
}

std::string metri(std::int64_t m) {
  return std::to_string(m) + " m";
}

}  // namespace scenario
