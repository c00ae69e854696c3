// The slowdown order form ("ORDINE DI RALLENTAMENTO", Modulo M. 3) of a
// scenario, in the layout of the program's own form: one row per slowdown
// with the station it lies in (or the two it lies between), the kilometre
// post after which it begins, its speed and its length in metres; three
// rows of asterisks close the list. Rows beyond a page go on to the next.
#pragma once

#include <string>

#include "compiler/documenti/dati_documenti.h"

namespace scenario {

// "GROTTE SANTO STEFANO" when the slowdown begins inside a station,
// "Alfa - Beta" between two.
std::string stazioni_del_rallentamento(const dati_documenti& d, const rallentamento_documento& r);

// The form's bytes: Windows-1252, CR LF after every line.
std::string ordine_rallentamento(const dati_documenti& d);

}  // namespace scenario
