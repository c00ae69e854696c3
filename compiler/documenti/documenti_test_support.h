// Test support for the documents: the data of the fixed and the example
// scenario, documents edited line by line and cell by cell, and findings
// listed one a line for comparison.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "compiler/documenti/dati_documenti.h"
#include "compiler/documenti/rilievi.h"
#include "sources/testi_fissi.h"

namespace scenario::prova_documenti {

inline dati_da_testi_esito esito_di(std::string_view linea, std::string_view servizio,
                                    const std::string& nome = "Viterbo_Attigliano_Orte",
                                    const std::string& treno = "7547") {
  dati_da_testi_esito e = dati_da_testi(linea, servizio, nome, treno);
  EXPECT_TRUE(e.dati) << e.errore;
  if (!e.dati) e.dati.emplace();
  return e;
}

inline dati_documenti dati_di(std::string_view linea, std::string_view servizio,
                              const std::string& nome = "Viterbo_Attigliano_Orte",
                              const std::string& treno = "7547") {
  return *esito_di(linea, servizio, nome, treno).dati;
}

inline dati_da_testi_esito esito_fisso() {
  const fixed_scenario_texts t = fixed_texts();
  return esito_di(t.line, t.service);
}

inline dati_documenti dati_fissi() {
  return *esito_fisso().dati;
}

inline std::string esempio(const char* nome) {
  return disk_file_system().read_file(std::string(VO_DOCS_DIR) + "/examples/" + nome);
}

inline dati_da_testi_esito esito_esempio() {
  return esito_di(esempio("Esempio_linea.txt"), esempio("Esempio_1234-.txt"), "Esempio", "1234");
}

inline dati_documenti dati_esempio() {
  return *esito_esempio().dati;
}

// A document as its lines, without CR LF, and back.
inline std::vector<std::string> righe(std::string_view b) {
  std::vector<std::string> r;
  std::size_t i = 0;
  while (i < b.size()) {
    std::size_t f = b.find("\r\n", i);
    if (f == std::string_view::npos) f = b.size();
    r.emplace_back(b.substr(i, f - i));
    i = f + 2;
  }
  return r;
}

inline std::string unisci(const std::vector<std::string>& r) {
  std::string b;
  for (const std::string& x : r) b += x + "\r\n";
  return b;
}

// The index of the first line holding `testo`.
inline std::size_t riga_con(const std::vector<std::string>& r, std::string_view testo) {
  for (std::size_t i = 0; i < r.size(); ++i) {
    if (r[i].find(testo) != std::string::npos) return i;
  }
  ADD_FAILURE() << "no line holds '" << testo << "'";
  return 0;
}

// The line with cell k (from 0, between bars) replaced by `testo`, padded
// or cut to the cell's width.
inline std::string con_cella(std::string riga, std::size_t k, std::string_view testo) {
  std::size_t da = riga.find('|');
  for (std::size_t n = 0; n < k; ++n) da = riga.find('|', da + 1);
  const std::size_t a = riga.find('|', da + 1);
  std::string t(testo.substr(0, a - da - 1));
  t.resize(a - da - 1, ' ');
  return riga.replace(da + 1, a - da - 1, t);
}

// "id line:column+length [matched] service line:column", one a line.
inline std::string elenco(const rilievi& r) {
  std::string t;
  for (const rilievo& x : r) {
    t += x.id + " " + std::to_string(x.dove.riga) + ":" + std::to_string(x.dove.colonna) + "+" +
         std::to_string(x.dove.lunghezza);
    if (!x.abbinato.empty()) t += " [" + x.abbinato + "]";
    if (x.nel_servizio.riga != 0) {
      t += " service " + std::to_string(x.nel_servizio.riga) + ":" +
           std::to_string(x.nel_servizio.colonna);
    }
    t += "\n";
  }
  return t;
}

}  // namespace scenario::prova_documenti
