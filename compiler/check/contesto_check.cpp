#include "compiler/check/contesto_check.h"

#include "base/cp1252.h"

namespace scenario {

std::string_view contesto_check::testo(file_sorgente f) const {
  return f == file_sorgente::servizio ? in.servizio : in.linea;
}

const std::string& contesto_check::nome_file(file_sorgente f) const {
  return f == file_sorgente::servizio ? in.nome_file_servizio : in.nome_file_linea;
}

std::string contesto_check::posto(const luogo& l) const {
  std::string p = nome_file(l.file);
  if (l.riga > 0) p += ":" + std::to_string(l.riga) + ":" + std::to_string(l.colonna);
  return p;
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
  const std::string_view t = testo(l.file);
  std::vector<std::size_t>& inizi = inizi_righe_[l.file == file_sorgente::servizio ? 1 : 0];
  if (inizi.empty()) {
    inizi.push_back(0);
    for (std::size_t i = 0; i < t.size(); ++i) {
      if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
      if (t[i] == '\r' || t[i] == '\n') inizi.push_back(i + 1);
    }
  }
  if (l.riga < 1 || static_cast<std::size_t>(l.riga) > inizi.size()) return {};
  std::size_t fine = inizi[static_cast<std::size_t>(l.riga - 1)];
  const std::size_t inizio = fine;
  while (fine < t.size() && t[fine] != '\n' && t[fine] != '\r') ++fine;
  const std::string_view riga = t.substr(inizio, fine - inizio);
  const auto pos = static_cast<std::size_t>(l.colonna > 0 ? l.colonna - 1 : 0);
  if (pos > riga.size()) return {};
  return cp1252_to_utf8(riga.substr(pos, static_cast<std::size_t>(l.lunghezza)));
}

std::string_view riga_del_testo(std::string_view testo, std::int32_t riga) {
  std::size_t pos = 0;
  for (std::int32_t r = 1; r < riga && pos < testo.size(); ++r) {
    while (pos < testo.size() && testo[pos] != '\n' && testo[pos] != '\r') ++pos;
    if (pos < testo.size() && testo[pos] == '\r' && pos + 1 < testo.size() &&
        testo[pos + 1] == '\n')
      ++pos;
    if (pos < testo.size()) ++pos;
  }
  if (riga < 1) return {};
  std::size_t fine = pos;
  while (fine < testo.size() && testo[fine] != '\n' && testo[fine] != '\r') ++fine;
  return testo.substr(pos, fine - pos);
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
