#include "tools/testing/compiled_route_builder.h"

#include "compiler/format/file_binari.h"
#include "compiler/route_model/nomi_file.h"

namespace scenario::testing {

// The files' bytes come from the compiler's own writers: the decoders must
// read what the compiler writes.
std::string encode_sim(const modello_percorso& m) {
  return byte_sim(m);
}
std::string encode_cells(const modello_percorso& m) {
  return byte_celle_dat(m);
}
std::string encode_line(const modello_percorso& m) {
  modello_percorso copia = m;
  return std::string(byte_linea_dat(copia));
}

namespace {

void station(modello_percorso& m, int slot, const std::string& name, int pos, int length,
             int orario) {
  elemento& e = m.elementi[static_cast<std::size_t>(slot)];
  e.tipo = 24;
  e.posizione = pos;
  e.inizio = pos - length / 2;
  e.fine = pos + length / 2;
  e.nome = name;
  e.orario = orario;
  e.dato_b3 = 30;
  const auto end_cell = static_cast<std::size_t>(e.fine / 50 - 1);
  m.celle[end_cell].tipo = tipo_cella::fine_stazione;
  m.celle[end_cell].dato1 = static_cast<std::int16_t>(slot);
  m.n_stazioni = slot;
}

void signal(modello_percorso& m, int pos, int sx, int s1, int s2, int s3, int rapp, int dx, int d1,
            int d2, int d3, int tempo) {
  cella& c = m.celle[static_cast<std::size_t>(pos / 50 + 1)];
  c.tipo = tipo_cella::segnale;
  c.dato4 = static_cast<std::int16_t>(rapp * 10 + sx * 3 + dx);
  c.dato1 = static_cast<std::int16_t>(s1 * 10 + d1);
  c.dato2 = static_cast<std::int16_t>(s2 * 10 + d2);
  c.dato3 = static_cast<std::int16_t>(s3 * 10 + d3);
  c.dato5 = static_cast<std::uint8_t>(sx == 2 ? tempo : 0);
}

}  // namespace

modello_percorso sample_model() {
  modello_percorso m;
  m.nome_linea = "Prova";
  m.numero_treno = "12";
  const std::int32_t lunghezza = 3000;
  m.lunghezza_tracciato = lunghezza + coda_tracciato;
  m.n_celle = m.lunghezza_tracciato / 50;
  m.celle.assign(static_cast<std::size_t>(m.n_celle) + 1, cella{});
  for (std::size_t k = 0; k + 2 < m.celle.size(); ++k) {
    m.celle[k].velocita = k < 30 ? 14 : 18;  // 70 then 90 km/h
    m.celle[k].pendenza = static_cast<std::uint8_t>(k < 20 ? 100 : 112);
    m.celle[k].aderenza = 100;
    m.celle[k].montagna = (k >= 40 && k < 48) ? 2 : 0;
  }

  elemento& e81 = m.elementi[voce::progressiva_tre];
  e81 = elemento{};
  m.elementi[voce::progressiva_due].fine = 10100;
  m.elementi[voce::progressiva_due].posizione = 1;
  m.elementi[voce::treno_e_linea].inizio = 90;
  m.elementi[voce::treno_e_linea].fine = lunghezza;
  m.elementi[voce::treno_e_linea].posizione = 3;
  elemento& e85 = m.elementi[voce::testata_linea];
  e85.nome = m.nome_linea;
  e85.posizione = 1;
  e85.dato_i1 = 610;
  e85.orario = 4242;
  elemento& e86 = m.elementi[voce::testata_corsa];
  e86.nome = m.numero_treno;
  e86.inizio = 1000;
  e86.fine = 2000;
  e86.posizione = 4;
  e86.dato_i3 = 8;
  e86.dato_i4 = 5;
  e86.dato_i5 = 30;

  station(m, 1, "Alfa", 0, 400, 8 * 3600 + 6 * 60);
  station(m, 2, "Bet\xe0", 1500, 300, 8 * 3600 + 9 * 60 + 30);  // "Betà" in Windows-1252
  station(m, 3, "Gamma", 2800, 300, 8 * 3600 + 12 * 60);
  signal(m, 500, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0);
  signal(m, 1300, 1, 3, 1, 0, 0, 0, 0, 0, 0, 0);
  signal(m, 2000, 2, 4, 1, 0, 0, 2, 2, 1, 1, 130);
  signal(m, 2600, 2, 3, 1, 0, 1, 0, 0, 0, 0, 0);

  // Slowdown 30 km/h from 1000 m over 200 m: start cell 21, end cell 25.
  m.celle[21].tipo = tipo_cella::inizio_rallentamento;
  m.celle[21].dato1 = 30;
  m.celle[21].dato3 = 1;
  m.celle[25].tipo = tipo_cella::fine_rallentamento;
  m.celle[25].dato1 = 30;
  m.celle[25].dato3 = 1;
  m.celle[16].tipo = tipo_cella::marcatore_valore;
  m.celle[16].dato1 = 180;

  // Speed board at 650 m: 65/70/80 left, nothing right, 2 stripes left.
  m.celle[14].tipo = tipo_cella::indicatore_v_max;
  m.celle[14].dato1 = 1300;
  m.celle[14].dato2 = 1400;
  m.celle[14].dato3 = 1600;
  m.celle[14].dato4 = 20;
  // Indication board at 1700 m in slot 80.
  m.celle[35].tipo = tipo_cella::cartello_indicatore;
  m.celle[35].dato1 = 80;
  m.elementi[80].nome = "(P.L.A.)(km. 1+700)";

  m.celle[1].dato1 = 5121;
  m.celle[1].dato2 = 1234;

  // Geometry: north from the origin, a right curve at 800 m, a left one at 2000 m.
  m.tracciato.crea(m.lunghezza_tracciato);
  m.tracciato.semina();
  m.tracciato.posa(800, 0.0, false);
  m.tracciato.posa(1300, 0.001, true);
  m.tracciato.posa(2000, 0.0, false);
  m.tracciato.posa(2400, -0.002, true);
  m.tracciato.posa(m.lunghezza_tracciato - 2, 0.0, false);
  return m;
}

void write_route_files(file_system& fs, const program_folder& folder, const modello_percorso& m) {
  fs.write_file(file_path(folder, nome_file_sim(m.nome_linea, m.numero_treno)), encode_sim(m));
  fs.write_file(file_path(folder, nome_file_celle_dat(m.nome_linea, m.numero_treno)),
                encode_cells(m));
  fs.write_file(file_path(folder, nome_file_linea_dat(m.nome_linea)), encode_line(m));
}

}  // namespace scenario::testing
