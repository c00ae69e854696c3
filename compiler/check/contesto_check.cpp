#include "compiler/check/contesto_check.h"

#include "base/cp1252.h"

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

std::string contesto_check::citazione(const luogo& l) const {
  const std::string_view riga = righe.riga(l);
  const auto pos = static_cast<std::size_t>(l.colonna > 0 ? l.colonna - 1 : 0);
  if (pos > riga.size()) return {};
  return cp1252_to_utf8(riga.substr(pos, static_cast<std::size_t>(l.lunghezza)));
}

std::string contesto_check::citazione(file_sorgente f, const campo_testo& c) const {
  const std::string_view t = testo(f);
  if (c.inizio > t.size() || c.fine < c.inizio) return {};
  return cp1252_to_utf8(t.substr(c.inizio, c.fine - c.inizio));
}

std::string contesto_check::oggetto(std::uint8_t tipo, std::int32_t record,
                                    regola_posa regola) const {
  std::string cosa;
  switch (tipo) {
    case tipo_cella::segnale:
      cosa = "the signal";
      break;
    case tipo_cella::fine_rallentamento:
      cosa = "the end of the slowdown";
      break;
    case tipo_cella::inizio_rallentamento:
      cosa = "the start of the slowdown";
      break;
    case tipo_cella::avviso_rallentamento:
      cosa = "the warning board of the slowdown";
      break;
    case tipo_cella::approccio_rallentamento:
      cosa = "an approach cell of the slowdown";
      break;
    case tipo_cella::indicatore_v_max:
      cosa = "the speed board";
      break;
    case tipo_cella::fine_stazione:
      cosa = "the end of the station";
      break;
    case tipo_cella::marcatore_montagna:
      cosa = "a tunnel marker of the span";
      break;
    case tipo_cella::marcatore_valore:
      cosa = regola != regola_posa::nessuna ? "a marker placed for the slowdown"
                                            : "the \"abbattimento\" marker";
      break;
    case tipo_cella::abbattimento_senza_valore:
      cosa = "the \"abbattimento\" marker";
      break;
    case tipo_cella::cartello_indicatore:
      cosa = "the indication board";
      break;
    default:
      cosa = "an object of code " + std::to_string(tipo);
  }
  if (const record_letto* r = s.trova(record)) cosa += " at " + posto(di_campo(r->file, r->chiave));
  return cosa;
}

std::string cella_in_parole(std::int64_t cella) {
  return "cell " + std::to_string(cella) + " (" + metri(metri_di_cella(cella - 1)) + ")";
}

std::string metri(std::int64_t m) {
  return std::to_string(m) + " m";
}

}  // namespace scenario
