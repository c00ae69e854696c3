#include "tools/decompile/verification.h"

#include <bit>
#include <cstdio>
#include <type_traits>

#include "compiler/format/campi.h"

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

// The fields of two records that differ, in file order, each value as
// the file holds it: numbers as numbers, a text as its bytes.
template <class R, class Campi>
std::vector<field_difference> campi_diversi(const R& file, const R& testo, const Campi& campi) {
  std::vector<field_difference> f;
  per_ogni_campo(campi, [&](const auto& c) {
    const auto& a = file.*c.membro;
    const auto& b = testo.*c.membro;
    if (a == b) return;
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(a)>, std::string>) {
      f.push_back({std::string(c.nome), a, b});
    } else {
      f.push_back({std::string(c.nome), std::to_string(numero_campo(file, c)),
                   std::to_string(numero_campo(testo, c))});
    }
  });
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
    r.aggiungi(place::entry, k, campi_diversi(file.elementi[i], m.elementi[i], campi_elemento),
               v.entries);
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
    r.aggiungi(place::cell, static_cast<std::int64_t>(c),
               campi_diversi(file.celle[c], m.celle[c], campi_cella), v.cells);
  }

  // The text's geometry as its line data file holds it.
  const geometria testo_g =
      again.line_data.empty() ? geometria{} : decodifica_linea_dat(again.line_data, "text");
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
