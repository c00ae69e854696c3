#include "tools/decompile/verification.h"

#include <bit>
#include <cstdio>

namespace scenario::decompile {

namespace {

std::string testo(const variante& v) {
  if (const auto* i = std::get_if<std::int16_t>(&v)) return "Integer " + std::to_string(*i);
  if (const auto* d = std::get_if<double>(&v)) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.17g", *d);
    return buffer;
  }
  return "empty";
}

bool stessi_bit(const variante& a, const variante& b) {
  if (a.index() != b.index()) return false;
  if (const auto* x = std::get_if<double>(&a)) {
    return std::bit_cast<std::uint64_t>(*x) == std::bit_cast<std::uint64_t>(std::get<double>(b));
  }
  return a == b;
}

template <typename T>
void campo(std::vector<field_difference>& out, const char* nome, const T& file, const T& testo) {
  if (file != testo) out.push_back({nome, std::to_string(file), std::to_string(testo)});
}

std::vector<field_difference> campi_cella(const cella& a, const cella& b) {
  std::vector<field_difference> f;
  campo(f, "tipo", int{a.tipo}, int{b.tipo});
  campo(f, "dato1", a.dato1, b.dato1);
  campo(f, "dato2", a.dato2, b.dato2);
  campo(f, "dato3", a.dato3, b.dato3);
  campo(f, "dato4", a.dato4, b.dato4);
  campo(f, "dato5", int{a.dato5}, int{b.dato5});
  campo(f, "segno", int{a.segno}, int{b.segno});
  campo(f, "montagna", int{a.montagna}, int{b.montagna});
  campo(f, "velocita", int{a.velocita}, int{b.velocita});
  campo(f, "pendenza", int{a.pendenza}, int{b.pendenza});
  campo(f, "aderenza", int{a.aderenza}, int{b.aderenza});
  return f;
}

std::vector<field_difference> campi_voce(const elemento& a, const elemento& b) {
  std::vector<field_difference> f;
  campo(f, "tipo", int{a.tipo}, int{b.tipo});
  campo(f, "inizio", a.inizio, b.inizio);
  campo(f, "fine", a.fine, b.fine);
  campo(f, "posizione", a.posizione, b.posizione);
  campo(f, "dato_b1", int{a.dato_b1}, int{b.dato_b1});
  if (a.nome != b.nome) f.push_back({"nome", a.nome, b.nome});
  campo(f, "dato_i1", a.dato_i1, b.dato_i1);
  campo(f, "dato_i2", a.dato_i2, b.dato_i2);
  campo(f, "dato_i3", a.dato_i3, b.dato_i3);
  campo(f, "dato_i4", a.dato_i4, b.dato_i4);
  campo(f, "dato_i5", a.dato_i5, b.dato_i5);
  campo(f, "dato_b2", int{a.dato_b2}, int{b.dato_b2});
  campo(f, "dato_b3", int{a.dato_b3}, int{b.dato_b3});
  campo(f, "prolunga", int{a.prolunga}, int{b.prolunga});
  campo(f, "dato_b4", int{a.dato_b4}, int{b.dato_b4});
  campo(f, "orario", a.orario, b.orario);
  return f;
}

class raccolta {
 public:
  raccolta(verification& v, const notes& n) : v_(v), n_(n) {}

  void aggiungi(place dove, std::int64_t indice, std::vector<field_difference> campi,
                std::size_t& conta) {
    if (campi.empty()) return;
    ++conta;
    if (conta > differenze_elencate) return;
    const location at{dove, indice};
    const std::string* why = n_.why(at);
    v_.differences.push_back({at, why ? *why : std::string(), std::move(campi)});
  }

 private:
  verification& v_;
  const notes& n_;
};

}  // namespace

verification verify(const compiled_route& file, const compiled_texts& again, const notes& n) {
  verification v;
  switch (again.esito) {
    case esito_compilazione::completato:
      break;
    case esito_compilazione::errore_1250:
      v.no_files = "the decompiled text stops the compile step with error 1250";
      return v;
    case esito_compilazione::errore_1251:
      v.no_files = "the decompiled text stops the compile step with error 1251";
      return v;
    case esito_compilazione::senza_modello:
      v.no_files = "the decompiled text builds no route model";
      return v;
  }
  const modello_percorso& m = again.model;
  raccolta r(v, n);

  for (int k = 0; k < n_elementi; ++k) {
    const auto i = static_cast<std::size_t>(k);
    r.aggiungi(place::entry, k, campi_voce(file.elementi[i], m.elementi[i]), v.entries);
  }

  const std::size_t celle = std::max(file.celle.size(), m.celle.size());
  for (std::size_t c = 0; c < celle; ++c) {
    if (c >= file.celle.size() || c >= m.celle.size()) {
      r.aggiungi(place::cell, static_cast<std::int64_t>(c),
                 {{"cell", c < file.celle.size() ? "present" : "absent",
                   c < m.celle.size() ? "present" : "absent"}},
                 v.cells);
      continue;
    }
    r.aggiungi(place::cell, static_cast<std::int64_t>(c), campi_cella(file.celle[c], m.celle[c]),
               v.cells);
  }

  // The text's geometry as its line data file holds it.
  const geometria testo_g =
      again.line_data.empty() ? geometria{} : decode_line_data_file(again.line_data, "text");
  const std::size_t punti_file = file.tracciato.x.size();
  const std::size_t punti_testo = static_cast<std::size_t>(m.lunghezza_tracciato) + 1;
  const std::size_t punti = std::max(punti_file, punti_testo);
  const variante assente;
  for (std::size_t k = 0; k < punti; ++k) {
    auto dal_file = [&](int col) -> const variante& {
      if (k >= punti_file) return assente;
      return col == 0 ? file.tracciato.x[k] : file.tracciato.y[k];
    };
    auto dal_testo = [&](int col) -> const variante& {
      if (k >= punti_testo || k >= testo_g.x.size()) return assente;
      return col == 0 ? testo_g.x[k] : testo_g.y[k];
    };
    std::vector<field_difference> f;
    for (int col = 0; col < 2; ++col) {
      if (!stessi_bit(dal_file(col), dal_testo(col))) {
        f.push_back({col == 0 ? "x" : "y", testo(dal_file(col)), testo(dal_testo(col))});
      }
    }
    if (punti_file != punti_testo && f.empty() && (k >= punti_file || k >= punti_testo)) {
      f.push_back(
          {"point", k < punti_file ? "present" : "absent", k < punti_testo ? "present" : "absent"});
    }
    r.aggiungi(place::point, static_cast<std::int64_t>(k), std::move(f), v.points);
  }

  v.exact = v.cells == 0 && v.entries == 0 && v.points == 0 && again.sim.size() == file.sim_bytes &&
            again.cells.size() == file.cell_bytes && again.line_data.size() == file.line_bytes;
  return v;
}

}  // namespace scenario::decompile
