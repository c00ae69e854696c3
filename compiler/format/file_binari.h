// The three binary route files the simulator loads, each a plain dump of one
// container of the route model: written and read back here, both from the
// field lists of campi.h and the elements of variante.h.
//
// Common encoding
// ---------------
// Little-endian throughout: a byte is 1 byte unsigned, an integer 2 bytes
// two's complement, a long 4 bytes two's complement, a double 8 bytes
// IEEE 754 binary64. Records are written field by field in declaration
// order, each field at its own width, with nothing between fields and
// nothing between records. There is no header, no count and no checksum:
// a file's size follows from the model.
//
// A text inside a record is a 2-byte length n followed by its n bytes in
// Windows-1252 (an empty text is the length alone).
//
// A geometry value is a 2-byte tag followed by the value: tag 0 (empty) has
// no value bytes, tag 2 (integer) has 2, tag 5 (double) has 8.
//
// Line data file (`nome_linea`_linea.dat; written only when `genera_linea`
// is nonzero): the x values of the track points 0 .. lunghezza_tracciato,
// then their y values, each as a tagged value. As the line reader fills the
// geometry, each half holds two integers (points 0 and 1, 4 bytes each),
// doubles for points 2 .. lunghezza_tracciato - 2 (10 bytes each) and two
// empty values for the last two points (2 bytes each).
//
// Simulation file (`nome_linea`_`numero_treno`.sim): the 87 entries of the
// item table, 0 to 86, each 34 + n bytes (n the length of its name), the
// fields as campi_elemento lists them.
//
// Cell data file (`nome_linea`_`numero_treno`.dat): cells 0 .. n_celle,
// 15 bytes each, so cell k starts at byte 15 k, the fields as campi_cella
// lists them. Cell 1 carries the marker 5121 in dato1 (bytes 16-17) and the
// competition code `codice_gara_og` in dato2 (bytes 18-19).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/format/osservatore_campi.h"
#include "compiler/format/variante.h"
#include "compiler/route_model/route_model.h"

namespace scenario {

// ------------------------------------------------------------- writing ---

// The files' bytes, built from the model. byte_sim throws std::length_error
// for a name longer than lunghezza_nome_massima. The line data file is the
// geometry's own bytes, closed by this call.
std::string_view byte_linea_dat(modello_percorso& m);
std::string byte_sim(const modello_percorso& m);
std::string byte_sim(const tabella_elementi& elementi);
std::string byte_celle_dat(const modello_percorso& m);
std::string byte_celle_dat(const std::vector<cella>& celle);

// ------------------------------------------------------------- reading ---
// Each decoder checks every byte it reads and throws errore_decodifica
// naming the file (`file`, as messages give it) and the offset of the
// fault; the observer, if any, sees every field read.

// The 87 entries. Fails when the file ends inside an entry, a name's
// length runs past the end, or bytes follow entry 86.
tabella_elementi decodifica_sim(std::string_view bytes, const std::string& file,
                                osservatore_campi* osservatore = nullptr);

// Cells 0 .. n_celle. Fails when the file is empty or does not hold whole
// cells.
std::vector<cella> decodifica_celle_dat(std::string_view bytes, const std::string& file,
                                        osservatore_campi* osservatore = nullptr);

// The plan geometry as the line data file holds it.
struct geometria {
  std::vector<variante> x;  // points 0 .. last
  std::vector<variante> y;
};

// `punti`: the number of points per column the line length calls for, when
// known. Fails on an unknown tag, a value cut short, halves of different
// lengths or a point count other than the one expected.
geometria decodifica_linea_dat(std::string_view bytes, const std::string& file,
                               std::optional<std::size_t> punti = std::nullopt,
                               osservatore_campi* osservatore = nullptr);

}  // namespace scenario
