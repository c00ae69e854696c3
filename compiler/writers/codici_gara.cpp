#include "compiler/writers/codici_gara.h"

#include <string>

#include "base/cp1252.h"

namespace scenario {

namespace {

std::string testo_lavoro(std::string_view numero_treno, std::string_view nome_linea) {
  std::string s(numero_treno);
  s += nome_linea;
  std::string t = cp1252_lower(s);
  t += testo_riempimento;
  return t;
}

int codice_carattere(const std::string& t, int i) {  // i is 1-based
  return static_cast<unsigned char>(t[static_cast<std::size_t>(i - 1)]);
}

}  // namespace

std::int16_t codice_gara_og(std::string_view numero_treno, std::string_view nome_linea) {
  const std::string t = testo_lavoro(numero_treno, nome_linea);
  std::int32_t somma = 0;
  for (int i = 1; i <= caratteri_contati; ++i) somma += codice_carattere(t, i);
  return static_cast<std::int16_t>(somma);  // at most 6375
}

std::int32_t codice_gara_st(std::string_view numero_treno, std::string_view nome_linea) {
  const std::string t = testo_lavoro(numero_treno, nome_linea);
  std::int32_t somma = 0;
  for (int i = 1; i <= caratteri_contati; ++i) somma += i * codice_carattere(t, i);
  return somma;
}

std::int16_t codice_gara_og(const modello_percorso& m) {
  return codice_gara_og(m.elementi[voce::testata_corsa].nome, m.elementi[voce::testata_linea].nome);
}

std::int32_t codice_gara_st(const modello_percorso& m) {
  return codice_gara_st(m.elementi[voce::testata_corsa].nome, m.elementi[voce::testata_linea].nome);
}

}  // namespace scenario
