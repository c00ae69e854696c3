#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "base/cp1252.h"
#include "base/utf8.h"
#include "compiler/check/avvisi.h"

namespace scenario {

namespace {

// Walks the lines of a text: number, first byte and bytes of each.
template <class F>
void per_riga(std::string_view t, F&& f) {
  std::size_t inizio = 0;
  std::int32_t riga = 1;
  while (inizio < t.size()) {
    std::size_t fine = inizio;
    while (fine < t.size() && t[fine] != '\r' && t[fine] != '\n') ++fine;
    f(riga, inizio, t.substr(inizio, fine - inizio));
    if (fine < t.size() && t[fine] == '\r' && fine + 1 < t.size() && t[fine + 1] == '\n') ++fine;
    inizio = fine + 1;
    ++riga;
  }
}

constexpr std::string_view bom_utf8 = "\xEF\xBB\xBF";

// Text saved as UTF-8: sequences of two to four bytes that decode as one
// character beyond ASCII.
void testo_utf8(file_sorgente f, const contesto_check& c, std::vector<diagnostica>& out) {
  luogo primo;
  std::string esempio;
  int righe = 0;
  per_riga(c.testo(f), [&](std::int32_t riga, std::size_t, std::string_view testo) {
    bool trovata = false;
    // A byte-order mark changes no field the reader looks at.
    for (std::size_t i = riga == 1 && testo.starts_with(bom_utf8) ? bom_utf8.size() : 0;
         i < testo.size();) {
      const std::size_t n = sequenza_utf8(testo.substr(i));
      if (n < 2) {
        ++i;
        continue;
      }
      if (!trovata && righe == 0) {
        primo = {f, riga, static_cast<std::int32_t>(i) + 1, static_cast<std::int32_t>(n)};
        esempio = "'" + std::string(testo.substr(i, n)) + "' is stored as the " +
                  std::to_string(n) + " characters '" + cp1252_to_utf8(testo.substr(i, n)) + "'";
      }
      trovata = true;
      i += n;
    }
    if (trovata) ++righe;
  });
  if (righe == 0) return;
  out.push_back(avviso(
      id_diagnostica::not_cp1252, primo,
      "this file holds UTF-8 text (" + std::to_string(righe) + (righe == 1 ? " line" : " lines") +
          "), but it is read as Windows-1252: " + esempio + ". Save the file as Windows-1252"));
}

// A line file that reads like a service file, or the other way round.
void file_scambiati(const traccia_lettura& t, std::vector<diagnostica>& out) {
  int propri[2] = {0, 0};
  int altrui[2] = {0, 0};
  for (const campo_chiave& k : t.chiavi) {
    if (k.commento || k.non_esaminato) continue;
    const int i = k.file == file_sorgente::servizio ? 1 : 0;
    const file_sorgente altro = i == 0 ? file_sorgente::servizio : file_sorgente::linea;
    if (k.tipi != 0) ++propri[i];
    for (const tipo_record tr : tipi_corpo(altro)) {
      if (corrisponde(descrizione(tr), k.testo)) {
        ++altrui[i];
        break;
      }
    }
  }
  for (int i = 0; i < 2; ++i) {
    if (altrui[i] < 2 || altrui[i] <= propri[i]) continue;
    const file_sorgente f = i == 0 ? file_sorgente::linea : file_sorgente::servizio;
    out.push_back(avviso(id_diagnostica::files_swapped, {f, 1, 1, 0},
                         "this file reads like a " +
                             std::string(i == 0 ? "service file" : "line description file") + ": " +
                             std::to_string(altrui[i]) +
                             " of its records belong there. "
                             "Check that the line and service files are not swapped"));
  }
}

// Tabs inside a keyword or a text, which only a comma ends: a tab there,
// and what follows it, stays in the field. A tab before a field is skipped
// like a blank, and one after a number ends it: neither changes anything.
void tabulazioni(file_sorgente f, const traccia_lettura& t, const contesto_check& c,
                 std::vector<diagnostica>& out) {
  const std::string_view testo = c.testo(f);
  // The byte ranges read as keywords or texts, with something after the tab.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> campi;
  for (const campo_chiave& k : t.chiavi) {
    if (k.file == f && !k.commento) campi.emplace_back(k.dove.inizio, k.dove.fine);
  }
  for (const record_letto& r : c.s.record) {
    if (r.file != f) continue;
    const auto descritti = descrizione(r.tipo).campi;
    for (std::size_t i = 0; i < r.valori.size() && i < descritti.size(); ++i) {
      if (descritti[i].tipo == tipo_valore::testo) {
        campi.emplace_back(r.valori[i].inizio, r.valori[i].fine);
      }
    }
  }
  const auto dentro = [&](std::size_t o) {
    for (const auto& [inizio, fine] : campi) {
      if (o <= inizio || o >= fine) continue;
      // Blanks only up to the field's end: a trailing tab (said as such for a text).
      const std::string_view dopo = testo.substr(o, fine - o);
      if (dopo.find_first_not_of(" \t") != std::string_view::npos) return true;
    }
    return false;
  };
  per_riga(testo, [&](std::int32_t riga, std::size_t inizio, std::string_view linea) {
    for (std::size_t tab = linea.find('\t'); tab != std::string_view::npos;
         tab = linea.find('\t', tab + 1)) {
      if (!dentro(inizio + tab)) continue;
      out.push_back(avviso(id_diagnostica::tab_separator,
                           {f, riga, static_cast<std::int32_t>(tab) + 1, 1},
                           "a tab separates fields on this line, but only a comma does: a keyword "
                           "or a text runs on over the tab. Use a comma"));
      return;
    }
  });
}

// The last field of a file is never read as a keyword: "[fine]" closes it.
void fine_mancante(file_sorgente f, const contesto_check& c, std::vector<diagnostica>& out) {
  std::int32_t ultima = 0;
  std::string_view testo_ultima;
  std::string_view fine_riga = "\r\n";  // the file's own line end, for the fix
  bool fine_trovata = false;
  per_riga(c.testo(f), [&](std::int32_t riga, std::size_t inizio, std::string_view testo) {
    const std::string_view dopo = c.testo(f).substr(inizio + testo.size());
    if (!fine_trovata && !dopo.empty()) {
      fine_riga = dopo.starts_with("\r\n") ? dopo.substr(0, 2) : dopo.substr(0, 1);
      fine_trovata = true;
    }
    std::size_t i = 0;
    while (i < testo.size() && (testo[i] == ' ' || testo[i] == '\t')) ++i;
    if (i == testo.size()) return;
    ultima = riga;
    testo_ultima = testo;
  });
  std::string_view campo = testo_ultima;
  if (const std::size_t virgola = campo.rfind(','); virgola != std::string_view::npos) {
    campo = campo.substr(virgola + 1);
  }
  while (!campo.empty() && (campo.front() == ' ' || campo.front() == '\t')) campo.remove_prefix(1);
  while (!campo.empty() && (campo.back() == ' ' || campo.back() == '\t')) campo.remove_suffix(1);
  if (cp1252_lower(campo) == "[fine]") return;
  diagnostica d = avviso(id_diagnostica::missing_fine, {f, ultima, 1, 0},
                         "the file does not end with \"[fine]\": its last field is never read as "
                         "a keyword. End the file with the line \"[fine]\"");
  const luogo fine_ultima{f, ultima, static_cast<std::int32_t>(testo_ultima.size()) + 1, 0};
  if (ultima > 0) {
    d.correzioni.push_back(
        {"Add the line \"[fine]\"", {{fine_ultima, std::string(fine_riga) + "[fine]"}}});
  }
  out.push_back(std::move(d));
}

// The service reader skips every field up to one holding "[generale]":
// without it, not one record is read. Said at line 1, with what is lost.
bool servizio_senza_generale(const contesto_check& c, std::vector<diagnostica>& out) {
  const std::string_view t = c.testo(file_sorgente::servizio);
  if (cp1252_lower(t).find("[generale]") != std::string::npos) return false;
  const std::string persi = record_non_letti(t, file_sorgente::servizio);
  out.push_back(avviso(id_diagnostica::service_without_general, {file_sorgente::servizio, 1, 1, 0},
                       "this file has no \"[generale]\": the reader skips everything before it, "
                       "so nothing of this file is read" +
                           (persi.empty() ? std::string() : " (" + persi + " are read)") +
                           ". Begin the file with the line \"[generale]\""));
  return true;
}

}  // namespace

std::string record_non_letti(std::string_view testo, file_sorgente f) {
  std::vector<tipo_record> tipi(tipi_corpo(f).begin(), tipi_corpo(f).end());
  if (f == file_sorgente::linea)
    tipi.insert(tipi.begin(), tipi_generale().begin(), tipi_generale().end());
  std::vector<int> quanti(tipi.size(), 0);
  per_riga(testo, [&](std::int32_t, std::size_t, std::string_view riga) {
    const std::string_view campo = riga.substr(0, riga.find(','));
    for (std::size_t k = 0; k < tipi.size(); ++k) {
      if (corrisponde(descrizione(tipi[k]), campo)) {
        ++quanti[k];
        break;
      }
    }
  });
  std::string persi;
  int altri = 0;
  for (std::size_t k = 0; k < tipi.size(); ++k) {
    if (quanti[k] == 0) continue;
    // The kinds an author counts by name; the others together.
    constexpr std::pair<tipo_record, std::string_view> nomi[] = {
        {tipo_record::stazione, "stations"},       {tipo_record::segnale, "signals"},
        {tipo_record::rallentamento, "slowdowns"}, {tipo_record::velocita, "speed limits"},
        {tipo_record::pendenza, "gradients"},      {tipo_record::curva, "curves"}};
    const auto nome = std::find_if(std::begin(nomi), std::end(nomi),
                                   [&](const auto& n) { return n.first == tipi[k]; });
    if (nome == std::end(nomi)) {
      altri += quanti[k];
      continue;
    }
    persi += (persi.empty() ? "" : ", ") + std::string("0 of ") + std::to_string(quanti[k]) + " " +
             std::string(nome->second);
  }
  if (altri > 0) {
    persi += (persi.empty() ? "" : ", ") + std::string("0 of ") + std::to_string(altri) +
             (persi.empty() ? " records" : " other records");
  }
  return persi;
}

void avvisi_file(const traccia_lettura& t, const contesto_check& c, std::vector<diagnostica>& out) {
  for (const file_sorgente f : {file_sorgente::linea, file_sorgente::servizio}) {
    if (c.testo(f).empty()) continue;
    testo_utf8(f, c, out);
    tabulazioni(f, t, c, out);
    fine_mancante(f, c, out);
  }
  file_scambiati(t, out);
  if (!c.testo(file_sorgente::servizio).empty() && servizio_senza_generale(c, out)) {
    // Its records are lost as a whole: no speed or adhesion record says it.
    std::erase_if(out, [](const diagnostica& d) {
      return d.id == id_diagnostica::no_speed_at_zero ||
             d.id == id_diagnostica::no_adhesion_at_zero;
    });
  }
}

}  // namespace scenario
