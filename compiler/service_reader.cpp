#include "compiler/service_reader.h"

#include <string>

#include "base/cp1252.h"
#include "compiler/memo_rallentamento.h"
#include "compiler/memo_segnale.h"
#include "compiler/model_access.h"
#include "compiler/rounding.h"
#include "compiler/run_failure.h"

namespace scenario {

namespace {

// The speed limit of a cell: km/h divided by 5, rounded; it must fit a Byte.
std::uint8_t velocita_cella(std::int32_t velocita) {
  const std::int64_t v = R(velocita / 5.0);
  if (v < 0 || v > 255) throw run_failure("speed does not fit a cell");
  return static_cast<std::uint8_t>(v);
}

}  // namespace

void leggi_file_servizio(modello_percorso& m, file_system& fs, const std::filesystem::path& file,
                         stato_lettori& s) {
  s.file = file_sorgente::servizio;
  s.lettore.reset();
  // No existence test: a missing file fails to open (code 25).
  if (!fs.file_exists(file)) throw run_failure("service file missing");
  s.lettore.emplace(fs.read_file(file));
  field_reader& r = *s.lettore;
  auto chiudi_ed_elimina = [&] { fs.remove_file(file); };
  auto errore = [&](std::int32_t codice, std::int32_t riga) {
    m.codice_errore = codice;
    m.origine = {file_sorgente::servizio, riga};
  };

  // Starting speed and adhesion before the first records: 0.
  std::int64_t indice_velocita = 0;
  std::int32_t velocita_corrente = 0;
  std::int64_t indice_aderenza = 0;
  std::int32_t aderenza_corrente = 0;
  std::int32_t j = voce::prima_stazione;  // slot of the next station
  m.n_stazioni = 0;

  // Everything before the general section is skipped.
  std::string riga;
  do {
    riga = r.read_text();
  } while (!contains_any_case(riga, "[generale]") && !r.at_end());

  auto fuori = [&](std::int32_t p, std::int32_t margine, std::int32_t riga_chiave) {
    if (!fuori_dai_celle(m, p, margine)) return false;
    errore(15, riga_chiave);
    m.posizione_errore = p;
    return true;
  };

  while (read_keyword_field(r, riga)) {
    const std::int32_t riga_chiave = r.field_line();
    auto& e84 = m.elementi[voce::treno_e_linea];
    auto& e86 = m.elementi[voce::testata_corsa];

    if (contains_any_case(riga, "frenata") && contains_any_case(riga, "massa")) {
      e84.inizio = r.read_long();
    }
    if (contains_any_case(riga, "vetture")) e84.posizione = r.read_long();

    if (contains_any_case(riga, "velocit")) {
      const std::int32_t p = r.read_long();
      const std::int32_t v = r.read_long();
      if (fuori(p, 100, riga_chiave)) break;
      // The limit before this record holds up to the cell R(p / 50).
      const std::int64_t fino_a = R(p / 50.0);
      if (fino_a > 0) {
        do {
          if (indice_velocita >= m.n_celle) break;
          cella_in(m, indice_velocita).velocita = velocita_cella(velocita_corrente);
          ++indice_velocita;
        } while (indice_velocita < fino_a);
      }
      velocita_corrente = v;
    }

    if (contains_any_case(riga, "aderenza")) {
      const std::int32_t p = r.read_long();
      const std::int32_t a = r.read_long();
      if (fuori(p, 100, riga_chiave)) break;
      const std::int64_t fino_a = R(p / 50.0);
      if (fino_a > 0) {
        do {
          cella_in(m, indice_aderenza).aderenza = bassi_8(aderenza_corrente);
          ++indice_aderenza;
        } while (indice_aderenza < fino_a);
      }
      aderenza_corrente = a;
    }

    if (contains_any_case(riga, "orologio")) {
      e86.dato_i3 = r.read_integer();
      e86.dato_i4 = r.read_integer();
      e86.dato_i5 = r.read_integer();
    }
    if (contains_any_case(riga, "sabbia")) e86.dato_i1 = r.read_integer();

    if (contains_any_case(riga, "segnale")) {
      segnale sg;
      sg.posizione = r.read_long();
      sg.sx = r.read_long();
      sg.s1 = r.read_long();
      sg.s2 = r.read_long();
      sg.s3 = r.read_long();
      sg.rapp = r.read_long();
      sg.dx = r.read_long();
      sg.d1 = r.read_long();
      sg.d2 = r.read_long();
      sg.d3 = r.read_long();
      sg.tempo = r.read_long();
      if (fuori(sg.posizione, 100, riga_chiave)) break;
      // Only a refusal by the recorder itself stops the reading; a code
      // left by an earlier record does not.
      if (memo_segnale(m, sg)) {
        chiudi_ed_elimina();
        m.posizione_errore = sg.posizione;
        m.origine = {file_sorgente::servizio, riga_chiave};
        return;
      }
    }

    if (contains_any_case(riga, "rallentamento")) {
      rallentamento ra;
      ra.x = r.read_long();
      ra.v = r.read_long();
      ra.l = r.read_long();
      ra.f_tt = r.read_long();
      ra.f_ta = r.read_long();
      ra.d_v = r.read_long();
      if (fuori(ra.x, 100, riga_chiave)) break;
      if (memo_rallentamento(m, ra)) {
        chiudi_ed_elimina();
        m.posizione_errore = ra.x;
        m.origine = {file_sorgente::servizio, riga_chiave};
        return;
      }
    }

    if (contains_any_case(riga, "abbattimento")) {
      const std::int32_t p = r.read_long();
      const std::int32_t valore = r.read_long();
      if (fuori(p, 100, riga_chiave)) break;
      cella& c = cella_in(m, R(p / 50.0));
      if (!cella_libera(c)) {
        chiudi_ed_elimina();
        errore(7, riga_chiave);
        m.posizione_errore = p;
        return;
      }
      if (valore < 1) {
        c.tipo = tipo_cella::abbattimento_senza_valore;
      } else {
        c.tipo = tipo_cella::marcatore_valore;
        c.dato1 = bassi_16(valore);
      }
    }

    if (contains_any_case(riga, "stazione")) {
      elemento& st = m.elementi[static_cast<std::size_t>(j)];
      st.posizione = r.read_long();
      const std::int32_t p = st.posizione;
      if (fuori(p, 800, riga_chiave)) break;
      if (p % 50 != 0) {
        chiudi_ed_elimina();
        errore(8, riga_chiave);
        m.posizione_errore = p;
        return;
      }
      st.tipo = r.read_byte();
      const std::int32_t ls = r.read_long();  // station length, metres
      if (ls % 100 != 0) {
        chiudi_ed_elimina();
        errore(9, riga_chiave);
        m.posizione_errore = p;
        return;
      }
      st.dato_b1 = r.read_byte();
      st.dato_b4 = r.read_byte();
      st.prolunga = r.read_byte();
      st.dato_i1 = r.read_integer();
      st.dato_i2 = r.read_integer();
      st.dato_b2 = r.read_byte();
      st.dato_i3 = r.read_integer();
      st.dato_i4 = r.read_integer();
      st.dato_i5 = r.read_integer();
      st.dato_b3 = r.read_byte();
      const std::int32_t ore = r.read_long();
      const std::int32_t minuti = r.read_long();
      const std::int32_t secondi = r.read_long();
      st.nome = r.read_text();
      // Seconds after midnight, each step a Long as the time is built up.
      const std::int32_t in_minuti =
          long_di(std::int64_t{long_di(std::int64_t{ore} * 60)} + minuti);
      st.orario = long_di(std::int64_t{long_di(std::int64_t{in_minuti} * 60)} + secondi);

      // Station area: from the axis and the length, by type.
      if (st.tipo == 5 || st.tipo == 6) {
        st.inizio = long_di(std::int64_t{p} - ls);
        st.fine = long_di(std::int64_t{p} + 150);
        st.prolunga = 0;
      } else if (st.tipo == 7 || st.tipo == 8) {
        st.inizio = long_di(std::int64_t{p} - ls);
        st.fine = long_di(std::int64_t{p} + ls);
        st.prolunga = 0;
      } else {
        st.inizio = long_arrotondato(p - ls / 2.0);
        st.fine =
            st.prolunga != 0 ? long_arrotondato(p + ls / 2.0 + 50) : long_arrotondato(p + ls / 2.0);
      }
      if (ls < 600) st.dato_b4 = 0;
      if (j == voce::prima_stazione) {
        st.prolunga = 0;
        st.dato_b4 = 0;
      }

      // Approach markers 81 .. 84 in the four cells before the end cell.
      if (st.tipo < 25 && st.tipo != 5 && st.tipo != 6) {
        for (int n = 1; n <= 4; ++n) {
          const double q = st.fine / 50.0 - n - 1;
          if (q > 1) cella_in(m, R(q)).segno = static_cast<std::uint8_t>(80 + n);
        }
      }
      if (st.tipo < 25) {
        const double q = st.fine / 50.0 - 1;
        if (!(q > 1)) {
          chiudi_ed_elimina();
          errore(24, riga_chiave);
          return;
        }
        cella& c = cella_in(m, R(q));
        c.tipo = tipo_cella::fine_stazione;
        c.dato1 = bassi_16(j);
      }
      if (j > voce::prima_stazione && long_di(std::int64_t{st.inizio} - 350) <
                                          m.elementi[static_cast<std::size_t>(j - 1)].fine) {
        chiudi_ed_elimina();
        errore(22, riga_chiave);
        m.posizione_errore = p;
        return;
      }
      j += 1;
      m.n_stazioni = j - 1;
      if (j >= s.posto_cartello) {
        chiudi_ed_elimina();
        errore(10, riga_chiave);
        return;
      }
    }
  }

  // End of the file, or a record that did not fit.
  chiudi_ed_elimina();
  // The last speed and adhesion hold up to the third cell from the end.
  do {
    cella_in(m, indice_velocita).velocita = velocita_cella(velocita_corrente);
    ++indice_velocita;
  } while (indice_velocita < std::int64_t{m.n_celle} - 2);
  do {
    cella_in(m, indice_aderenza).aderenza = bassi_8(aderenza_corrente);
    ++indice_aderenza;
  } while (indice_aderenza < std::int64_t{m.n_celle} - 2);

  // Every kilometric series must start and end on a cell boundary.
  for (int i = voce::progressiva_tre; i <= voce::progressiva_uno; ++i) {
    const elemento& e = m.elementi[static_cast<std::size_t>(i)];
    if (e.inizio % 50 != 0 || e.fine % 50 != 0) {
      m.codice_errore = 2;
      m.origine = {file_sorgente::linea, 0};
    }
  }
}

}  // namespace scenario
