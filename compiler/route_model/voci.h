// The roles of the item table's entries 81 to 86, read and written by name:
// the kilometric series, the train and line figures, the line header and the
// run header. One accessor per value serves the readers, the binary writers
// and the tools that decode the compiled files.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <type_traits>

#include "compiler/route_model/route_model.h"

namespace scenario {

template <class T>
concept una_tabella_elementi = std::same_as<std::remove_const_t<T>, tabella_elementi>;

// Entries 81, 82, 83: a kilometric series as start, origin value and flag.
// After sorting, 81 holds the series with the greatest start.
template <una_tabella_elementi T>
auto& inizio_serie(T& e, int v) {
  return e[static_cast<std::size_t>(v)].inizio;
}
template <una_tabella_elementi T>
auto& origine_serie(T& e, int v) {
  return e[static_cast<std::size_t>(v)].fine;
}
template <una_tabella_elementi T>
auto& verso_serie(T& e, int v) {
  return e[static_cast<std::size_t>(v)].posizione;
}
// The origin as the series' record wrote it: the sort adds 100 m to a
// series in use.
inline std::int64_t origine_scritta(const tabella_elementi& e, int v) {
  return std::int64_t{origine_serie(e, v)} - (verso_serie(e, v) == 1 ? aggiunta_progressiva : 0);
}

// Entry 84: train and line figures.
template <una_tabella_elementi T>
auto& percentuale_massa_frenata(T& e) {
  return e[voce::treno_e_linea].inizio;
}
template <una_tabella_elementi T>
auto& lunghezza_percorso(T& e) {
  return e[voce::treno_e_linea].fine;
}
template <una_tabella_elementi T>
auto& numero_vetture(T& e) {
  return e[voce::treno_e_linea].posizione;
}

// Entry 85: line header.
template <una_tabella_elementi T>
auto& sfondo_uno(T& e) {
  return e[voce::testata_linea].inizio;
}
template <una_tabella_elementi T>
auto& sfondo_due(T& e) {
  return e[voce::testata_linea].posizione;
}
template <una_tabella_elementi T>
auto& sfondo_tre(T& e) {
  return e[voce::testata_linea].fine;
}
template <una_tabella_elementi T>
auto& nome_linea_di(T& e) {
  return e[voce::testata_linea].nome;
}
template <una_tabella_elementi T>
auto& marcatore_testata(T& e) {  // reserved: the stamp 610
  return e[voce::testata_linea].dato_i1;
}
template <una_tabella_elementi T>
auto& codice_gara_st_di(T& e) {  // reserved: the competition code
  return e[voce::testata_linea].orario;
}

// Entry 86: run header.
template <una_tabella_elementi T>
auto& inizio_ripetizione(T& e) {
  return e[voce::testata_corsa].inizio;
}
template <una_tabella_elementi T>
auto& fine_ripetizione(T& e) {
  return e[voce::testata_corsa].fine;
}
template <una_tabella_elementi T>
auto& numero_codici(T& e) {  // 4 or 9; 0 without a zone
  return e[voce::testata_corsa].posizione;
}
template <una_tabella_elementi T>
auto& numero_treno_di(T& e) {
  return e[voce::testata_corsa].nome;
}
template <una_tabella_elementi T>
auto& sabbia(T& e) {
  return e[voce::testata_corsa].dato_i1;
}
template <una_tabella_elementi T>
auto& ore_orologio(T& e) {
  return e[voce::testata_corsa].dato_i3;
}
template <una_tabella_elementi T>
auto& minuti_orologio(T& e) {
  return e[voce::testata_corsa].dato_i4;
}
template <una_tabella_elementi T>
auto& secondi_orologio(T& e) {
  return e[voce::testata_corsa].dato_i5;
}

}  // namespace scenario
