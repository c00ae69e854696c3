#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/cp1252.h"
#include "base/text_format.h"
#include "compiler/check/avvisi.h"

namespace scenario {

namespace {

// True when only blanks stand before the field on its line.
bool primo_della_riga(std::string_view testo, const campo_testo& c) {
  const std::size_t inizio_riga = c.inizio - static_cast<std::size_t>(c.colonna - 1);
  for (std::size_t i = inizio_riga; i < c.inizio && i < testo.size(); ++i) {
    if (!blank(testo[i])) return false;
  }
  return true;
}

bool intestazione(std::string_view s) {
  return s.size() >= 2 && s.front() == '[' && s.back() == ']';
}

bool solo_cifre(std::string_view s) {
  if (s.empty()) return false;
  for (char ch : s) {
    if ((ch < '0' || ch > '9') && ch != '-' && ch != '+' && ch != '.') return false;
  }
  return true;
}

// The keyword as it should be spelt: the field holds nothing else.
bool chiave_piana(tipo_record t, const std::string& s) {
  switch (t) {
    case tipo_record::curva:
      return s.size() == 7 && s.starts_with("curva") && (s[5] == 'd' || s[5] == 's') &&
             s[6] >= '1' && s[6] <= '6';
    case tipo_record::ripetizione_segnali:
      return s == "ripetizione segnali 4 codici" || s == "ripetizione segnali 9 codici";
    case tipo_record::velocita:
      return s == "velocita" || s == "velocit\xe0";
    default:
      return s == descrizione(t).parola_chiave;
  }
}

// The spelling a field that begins with the keyword should begin with.
std::string prefisso_chiave(tipo_record t, const std::string& s) {
  if (t == tipo_record::curva && s.size() >= 7) return s.substr(0, 7);
  return std::string(descrizione(t).parola_chiave);
}

std::vector<tipo_record> tipi_di(std::uint32_t maschera) {
  std::vector<tipo_record> tipi;
  for (int t = 0; t < n_tipi_record; ++t) {
    if ((maschera >> t) & 1u) tipi.push_back(static_cast<tipo_record>(t));
  }
  return tipi;
}

// "'velocit'" or "'velocit' and 'pendenza'": the words that made the match.
std::string parole_trovate(const std::vector<tipo_record>& tipi) {
  std::string s;
  for (std::size_t i = 0; i < tipi.size(); ++i) {
    if (i > 0) s += i + 1 == tipi.size() ? " and " : ", ";
    std::string parole;
    for (std::string_view p : descrizione(tipi[i]).parole) {
      if (p.empty()) continue;
      parole += parole.empty() ? "'" + std::string(p) + "'" : " and '" + std::string(p) + "'";
    }
    s += parole;
  }
  return s;
}

std::string nomi_record(const std::vector<tipo_record>& tipi) {
  std::string s;
  for (std::size_t i = 0; i < tipi.size(); ++i) {
    if (i > 0) s += i + 1 == tipi.size() ? " and " : ", ";
    s += tipi[i] == tipo_record::curva
             ? std::string("curve")
             : "\"" + std::string(descrizione(tipi[i]).parola_chiave) + "\"";
  }
  return s + (tipi.size() == 1 ? " record" : " records");
}

// The kinds a file's reader tests at a keyword field.
std::vector<tipo_record> tipi_del_file(file_sorgente f, bool generale) {
  if (generale) {
    const auto g = tipi_generale();
    return {g.begin(), g.end()};
  }
  const auto c = tipi_corpo(f);
  return {c.begin(), c.end()};
}

// A kind the field would match if letter case did not matter.
std::optional<tipo_record> uguale_ignorando_maiuscole(std::string_view campo,
                                                      const std::vector<tipo_record>& tipi) {
  for (const tipo_record t : tipi) {
    descrizione_record d = descrizione(t);
    if (!d.maiuscole_esatte) continue;
    d.maiuscole_esatte = false;
    if (corrisponde(d, campo)) return t;
  }
  return std::nullopt;
}

// A field that matched no kind, first on its line.
void chiave_sconosciuta(const campo_chiave& k, std::string_view testo, const contesto_check& c,
                        std::vector<diagnostica>& out) {
  const luogo dove = c.di_campo(k.file, k.dove);
  const std::string citato = "'" + per_messaggio(testo) + "'";
  if (k.file == file_sorgente::linea && k.sezione_generale) {
    if (const auto t = uguale_ignorando_maiuscole(testo, tipi_del_file(k.file, true))) {
      out.push_back(avviso(id_diagnostica::keyword_case, dove,
                           citato + " is not read: in \"[generale]\" the words " +
                               parole_trovate({*t}) + " must be written in lower case. Write \"" +
                               std::string(descrizione(*t).parola_chiave) + "\""));
      return;
    }
  }
  if (k.file == file_sorgente::linea && !k.sezione_generale) {
    for (const tipo_record t : tipi_generale()) {
      descrizione_record d = descrizione(t);
      d.maiuscole_esatte = false;
      if (!corrisponde(d, testo)) continue;
      out.push_back(avviso(id_diagnostica::misplaced_general_record, dove,
                           citato + " is read only in the \"[generale]\" section, before the next "
                                    "section header: here the reader skips it. Move it into "
                                    "\"[generale]\""));
      return;
    }
  }
  if (solo_cifre(testo)) {
    out.push_back(avviso(id_diagnostica::unknown_keyword, dove,
                         citato + " stands where a keyword is expected, so the reader skips this "
                                  "line's values. Begin the record with its keyword"));
    return;
  }
  std::string m = citato + " is not a keyword, so the reader skips it and the values after it";
  const auto simile = parola_simile(testo, tipi_del_file(k.file, k.sezione_generale));
  if (simile) m += "; did you mean '" + *simile + "'?";
  diagnostica d = avviso(id_diagnostica::unknown_keyword, dove, std::move(m));
  if (simile) {
    // Only the keyword's own bytes: blanks before the comma stay.
    luogo parola = dove;
    parola.lunghezza = static_cast<std::int32_t>(testo.size());
    d.correzioni.push_back({"Write '" + *simile + "'", {{parola, *simile}}});
  }
  out.push_back(std::move(d));
}

// A field that matched one or more kinds but holds more than the keyword.
// Returns false when it is a plain keyword.
bool chiave_con_altro(const campo_chiave& k, std::string_view testo, const contesto_check& c,
                      const std::vector<std::int32_t>& record, std::vector<diagnostica>& out) {
  const std::vector<tipo_record> tipi = tipi_di(k.tipi);
  const std::string minuscolo = cp1252_lower(testo);
  bool piana = true;
  for (const tipo_record t : tipi) piana = piana && chiave_piana(t, minuscolo);
  if (piana) return false;

  const luogo dove = c.di_campo(k.file, k.dove);
  const std::string citato = "'" + per_messaggio(testo) + "'";
  if (testo.find('\t') != std::string_view::npos) return true;  // a tab: told per line

  if (tipi.size() == 1) {
    const std::string prefisso = prefisso_chiave(tipi[0], minuscolo);
    if (minuscolo.size() > prefisso.size() && minuscolo.starts_with(prefisso) &&
        blank(minuscolo[prefisso.size()])) {
      const std::string_view resto = without_blanks(testo.substr(prefisso.size()));
      std::string m = "missing comma after '" + prefisso + "': the reader takes " + citato +
                      " as the keyword and its values from the fields after it";
      if (const record_letto* r = record.empty() ? nullptr : c.s.trova(record.front())) {
        for (const campo_testo& v : r->valori) {
          if (v.riga == k.dove.riga) continue;
          m += ", down to '" + c.citazione(r->file, v) + "' on line " + std::to_string(v.riga) +
               ", so the record there is lost";
          break;
        }
      }
      diagnostica d = avviso(id_diagnostica::missing_comma, dove,
                             m + ". Write '" + prefisso + ", " + cp1252_to_utf8(resto) + "'");
      const luogo dopo_chiave{k.file, dove.riga,
                              dove.colonna + static_cast<std::int32_t>(prefisso.size()), 0};
      d.correzioni.push_back({"Insert ',' after '" + prefisso + "'", {{dopo_chiave, ","}}});
      out.push_back(std::move(d));
      return true;
    }
  }
  const std::string lette = " a " + nomi_record(tipi) + " from the fields after it";
  if (intestazione(testo)) {
    out.push_back(avviso(id_diagnostica::keyword_in_text, dove,
                         "the section header " + citato + " contains " + parole_trovate(tipi) +
                             ", so the reader reads" + lette +
                             ". Name the section without a keyword"));
  } else if (testo.find('-') != std::string_view::npos) {
    out.push_back(avviso(id_diagnostica::keyword_in_text, dove,
                         "only two comment fields in a row are passed over: " + citato +
                             " is read as a keyword and contains " + parole_trovate(tipi) +
                             ", so the reader reads" + lette +
                             ". Leave at most two comment lines in a row"));
  } else {
    out.push_back(avviso(id_diagnostica::keyword_in_text, dove,
                         citato + " contains " + parole_trovate(tipi) + ", so the reader reads" +
                             lette +
                             ". Write each keyword alone in its field, and begin comments "
                             "with '-'"));
  }
  return true;
}

// A field passed over as a comment that holds a record's keyword.
void commento_con_chiave(const campo_chiave& k, std::string_view testo, const contesto_check& c,
                         std::vector<diagnostica>& out) {
  std::vector<tipo_record> tipi;
  for (const tipo_record t : tipi_del_file(k.file, k.sezione_generale)) {
    if (corrisponde(descrizione(t), testo)) tipi.push_back(t);
  }
  // A comment line begins with its dash; a dash inside a keyword is a slip.
  if (tipi.empty() || testo.starts_with('-') || !primo_della_riga(c.testo(k.file), k.dove)) {
    return;
  }
  out.push_back(avviso(id_diagnostica::dash_comment, c.di_campo(k.file, k.dove),
                       "'" + per_messaggio(testo) +
                           "' contains '-', so the reader passes over it as a comment and the " +
                           nomi_record(tipi) +
                           " on this line is lost. Write the keyword without '-'"));
}

}  // namespace

void avvisi_chiavi(const traccia_lettura& t, const contesto_check& c, std::vector<diagnostica>& out,
                   std::set<std::int32_t>& gia_segnalati) {
  // The records read from each keyword field.
  std::map<std::pair<file_sorgente, std::uint32_t>, std::vector<std::int32_t>> record_di;
  for (std::size_t i = 0; i < c.s.record.size(); ++i) {
    const record_letto& r = c.s.record[i];
    record_di[{r.file, r.chiave.inizio}].push_back(static_cast<std::int32_t>(i));
  }
  for (const campo_chiave& k : t.chiavi) {
    if (k.non_esaminato) continue;
    const std::string_view testo = without_blanks(k.testo);
    if (k.commento) {
      commento_con_chiave(k, testo, c, out);
      continue;
    }
    if (k.tipi == 0) {
      // A third comment in a row is read as a keyword: harmless when it
      // matches none.
      if (testo.empty() || intestazione(testo) || testo.starts_with('-')) continue;
      if (!primo_della_riga(c.testo(k.file), k.dove)) continue;
      chiave_sconosciuta(k, testo, c, out);
      continue;
    }
    const std::vector<std::int32_t>& record = record_di[{k.file, k.dove.inizio}];
    if (chiave_con_altro(k, testo, c, record, out)) {
      for (const std::int32_t r : record) gia_segnalati.insert(r);
    }
  }
}

}  // namespace scenario
