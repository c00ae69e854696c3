#include "compiler/line_reader.h"

#include <string>
#include <string_view>
#include <variant>

#include "base/cp1252.h"
#include "compiler/memo_indicatori_v_max.h"
#include "compiler/memo_montagna.h"
#include "compiler/model_access.h"
#include "compiler/progressive_ordina.h"
#include "compiler/rounding.h"
#include "compiler/run_failure.h"

namespace scenario {

namespace {

constexpr std::int32_t punti_massimi = 1000000;  // the geometry stops here (code 103)

// The last two points laid, k - 2 and k - 1, kept as doubles so a step
// need not read them back from the geometry: a line of 1000000 m takes a
// million steps.
struct ultimi_punti {
  double x2 = 0.0, y2 = 0.0;  // point k - 2
  double x1 = 0.0, y1 = 1.0;  // point k - 1
};

// Point k from the two before it: straight on, or turned by the curvature c
// (radians per metre), in exactly this order of operations.
void passo(modello_percorso& m, std::int64_t k, double c, bool curva, ultimi_punti& u) {
  variante& x = punto_in(m, k, 0);
  variante& y = punto_in(m, k, 1);
  const double dx = u.x1 - u.x2;
  const double dy = u.y1 - u.y2;
  const double nx = curva ? u.x1 + (dx + c * dy) : u.x1 + dx;
  const double ny = curva ? u.y1 + (dy - c * dx) : u.y1 + dy;
  x = nx;
  y = ny;
  u = {u.x1, u.y1, nx, ny};
}

// Curvature per metre of a curve keyword: class digit 1 .. 6, first match
// wins; 0 when it has none.
double curvatura(std::string_view chiave) {
  constexpr std::string_view cifre[] = {"1", "2", "3", "4", "5", "6"};
  constexpr double valori[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
  for (int i = 0; i < 6; ++i) {
    if (contains(chiave, cifre[i])) return valori[i];
  }
  return 0.0;
}

std::string_view senza_blank_iniziali(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

}  // namespace

bool leggi_file_linea(modello_percorso& m, file_system& fs, const std::filesystem::path& file,
                      stato_lettori& s) {
  s.file = file_sorgente::linea;
  s.lettore.reset();
  auto errore = [&](std::int32_t codice, std::int32_t riga) {
    m.codice_errore = codice;
    m.origine = {file_sorgente::linea, riga};
  };
  if (!fs.file_exists(file)) {
    errore(101, 0);
    return false;
  }
  s.lettore.emplace(fs.read_file(file));
  field_reader& r = *s.lettore;
  auto chiudi_ed_elimina = [&] { fs.remove_file(file); };

  // The general section must come first: skip everything before it.
  std::string riga;
  for (;;) {
    riga = r.read_text();
    if (r.at_end()) {
      chiudi_ed_elimina();
      errore(102, 0);
      return false;
    }
    if (contains_any_case(riga, "[generale]")) break;
  }

  // General section, up to the next section header.
  for (;;) {
    if (r.at_end()) break;
    riga = r.read_text();
    if (r.at_end()) break;
    // Comments: up to ten fields with a dash, no end test between them.
    for (int n = 0; n < 10; ++n) {
      if (contains(riga, "-")) riga = r.read_text();
    }
    const std::int32_t riga_chiave = r.field_line();
    auto& e84 = m.elementi[voce::treno_e_linea];
    auto& e85 = m.elementi[voce::testata_linea];
    auto& e86 = m.elementi[voce::testata_corsa];

    if (contains_any_case(riga, "lunghezza") && contains_any_case(riga, "percorso")) {
      const std::int32_t l = r.read_long();
      e84.fine = l;
      if (l > lunghezza_percorso_massima) {
        chiudi_ed_elimina();
        errore(1, riga_chiave);
        return false;
      }
      const std::int32_t lunghezza = long_di(std::int64_t{l} + coda_tracciato);
      const std::int64_t n_celle = R(lunghezza / 50.0);
      // A negative size has no arrays: the model is then left without
      // cells and geometry, so that nothing after reads a half-made one.
      m.celle.clear();
      m.tracciato.clear();
      m.n_celle = 0;
      m.lunghezza_tracciato = 0;
      if (n_celle < 0 || (m.genera_linea != 0 && lunghezza < 0)) {
        throw run_failure("route model with a negative size");
      }
      m.lunghezza_tracciato = lunghezza;
      m.n_celle = static_cast<std::int32_t>(n_celle);
      m.celle.assign(static_cast<std::size_t>(n_celle) + 1, cella{});
      if (m.genera_linea != 0) {
        m.tracciato.assign(2 * (static_cast<std::size_t>(lunghezza) + 1), variante{});
      }
    }
    auto progressiva = [&](std::string_view nome, int indice) {
      if (contains(riga, nome) && contains(riga, "progressiva")) {
        auto& e = m.elementi[static_cast<std::size_t>(indice)];
        e.inizio = r.read_long();
        e.fine = r.read_long();
        e.posizione = r.read_long();
      }
    };
    progressiva("tre", voce::progressiva_tre);
    progressiva("due", voce::progressiva_due);
    progressiva("uno", voce::progressiva_uno);
    if (contains(riga, "sfondo") && contains(riga, "uno")) e85.inizio = r.read_long();
    if (contains(riga, "sfondo") && contains(riga, "due")) e85.posizione = r.read_long();
    if (contains(riga, "sfondo") && contains(riga, "tre")) e85.fine = r.read_long();
    if (contains(riga, "segnali") && contains(riga, "ripetizione")) {
      e86.inizio = r.read_long();
      e86.fine = r.read_long();
      if (e86.inizio % 50 != 0) {
        chiudi_ed_elimina();
        errore(3, riga_chiave);
        return false;
      }
      if (e86.fine % 50 != 0) {
        chiudi_ed_elimina();
        errore(4, riga_chiave);
        return false;
      }
      if (contains(riga, "4")) {
        e86.posizione = 4;
      } else if (contains(riga, "9")) {
        e86.posizione = 9;
      } else {
        chiudi_ed_elimina();
        errore(5, riga_chiave);
        return false;
      }
      if (e86.fine == 0) e86.posizione = 0;
    }
    const std::string_view inizio = senza_blank_iniziali(riga);
    const bool commento = !inizio.empty() && inizio.front() == '-';
    if (!commento && contains(riga, "[") && contains(riga, "]")) break;
  }

  progressive_ordina(m);
  m.n_montagne = 0;
  s.posto_cartello = voce::ultimo_cartello;
  std::int64_t indice_pendenza = 0;  // first cell whose grade is not written yet
  std::int32_t pendenza_corrente = 0;
  std::int64_t k = 2;   // next point of the plan geometry
  ultimi_punti ultimi;  // points 0 and 1 as seeded below
  if (m.genera_linea != 0) {
    // The track starts at the origin heading along +y, one metre a step.
    punto_in(m, 0, 0) = std::int16_t{0};
    punto_in(m, 0, 1) = std::int16_t{0};
    punto_in(m, 1, 0) = std::int16_t{0};
    punto_in(m, 1, 1) = std::int16_t{1};
  }

  // Body: every remaining section in one loop, records found by keyword.
  auto fuori = [&](std::int32_t p, std::int32_t riga_chiave) {
    if (!fuori_dai_celle(m, p, 100)) return false;
    errore(15, riga_chiave);
    m.posizione_errore = p;
    return true;
  };
  while (read_keyword_field(r, riga)) {
    const std::int32_t riga_chiave = r.field_line();

    if (contains_any_case(riga, "pendenza")) {
      const std::int32_t p = r.read_long();
      const std::int32_t g = r.read_long();
      if (fuori(p, riga_chiave)) break;
      // The grade before this record holds up to the cell R(p / 50).
      const std::int64_t v = R(p / 50.0);
      if (v > 0) {
        do {
          cella_in(m, indice_pendenza).pendenza =
              bassi_8(long_di(std::int64_t{pendenza_corrente} + 100));
          ++indice_pendenza;
        } while (indice_pendenza < v);
      }
      pendenza_corrente = g;
    }

    if (m.genera_linea != 0 && contains_any_case(riga, "curva")) {
      const std::int32_t inizio_curva = r.read_long();
      const std::int32_t lunghezza = r.read_long();
      if (fuori(inizio_curva, riga_chiave)) break;
      double c = curvatura(riga);
      if (c == 0.0) {
        chiudi_ed_elimina();
        errore(103, riga_chiave);
        return false;
      }
      if (contains_any_case(riga, "s")) c = -c;  // left-hand curve
      const std::int64_t fine_curva = long_di(std::int64_t{inizio_curva} + lunghezza);
      bool troppi_punti = false;
      auto avanza = [&] {
        ++k;
        troppi_punti = k > punti_massimi;
        return !troppi_punti;
      };
      while (k <= inizio_curva) {
        passo(m, k, 0.0, false, ultimi);
        if (!avanza()) break;
      }
      while (!troppi_punti && k <= fine_curva) {
        passo(m, k, c, true, ultimi);
        if (!avanza()) break;
      }
      if (troppi_punti) {
        chiudi_ed_elimina();
        errore(103, riga_chiave);
        return false;
      }
    }

    if (contains_any_case(riga, "montagna")) {
      const std::int32_t inizio_m = r.read_long();
      const std::int32_t fine_m = r.read_long();
      const std::int32_t tipo = r.read_long();
      if (fuori(inizio_m, riga_chiave)) break;
      // A span is never refused.
      memo_montagna(m, inizio_m, fine_m, tipo);
    }

    if (contains_any_case(riga, "indicatori_v")) {
      indicatore_v_max b;
      b.posizione = r.read_long();
      b.vas = r.read_long();
      b.vbs = r.read_long();
      b.vcs = r.read_long();
      b.strisces = r.read_long();
      b.vad = r.read_long();
      b.vbd = r.read_long();
      b.vcd = r.read_long();
      b.strisced = r.read_long();
      if (fuori(b.posizione, riga_chiave)) break;
      if (memo_indicatori_v_max(m, b)) {
        chiudi_ed_elimina();
        m.posizione_errore = b.posizione;
        m.origine = {file_sorgente::linea, riga_chiave};
        return false;
      }
    }

    if (contains_any_case(riga, "cartello") && contains_any_case(riga, "indicat")) {
      const std::int32_t p = r.read_long();
      riga = r.read_text();  // the board's text
      if (fuori(p, riga_chiave)) break;
      cella& c = cella_in(m, R(p / 50.0 + 1));
      if (!cella_libera(c)) {
        chiudi_ed_elimina();
        errore(6, riga_chiave);
        m.posizione_errore = p;
        return false;
      }
      c.tipo = tipo_cella::cartello_indicatore;
      c.dato1 = bassi_16(s.posto_cartello);
      // Board texts take the slots 80 down to 1; entry 0 is never filled.
      if (s.posto_cartello < 1) throw run_failure("more than 80 indication boards");
      m.elementi[static_cast<std::size_t>(s.posto_cartello)].nome = riga;
      s.posto_cartello -= 1;
    }
  }

  // End of the file, or a record that did not fit.
  chiudi_ed_elimina();
  // The last grade holds up to the third cell from the end.
  do {
    cella_in(m, indice_pendenza).pendenza = bassi_8(long_di(std::int64_t{pendenza_corrente} + 100));
    ++indice_pendenza;
  } while (indice_pendenza < std::int64_t{m.n_celle} - 2);
  if (m.genera_linea != 0) {
    // Straight on to the end; the last two points stay empty.
    while (k <= std::int64_t{m.lunghezza_tracciato} - 2) {
      passo(m, k, 0.0, false, ultimi);
      ++k;
    }
  }
  return true;
}

}  // namespace scenario
