#include "compiler/marcia/modello_treno.h"

#include <array>
#include <cmath>
#include <nlohmann/json.hpp>

#include "base/text_format.h"

namespace scenario {

namespace {

using m = modello_treno;

// Upper bounds keep every figure of a run finite; none of them is near a
// real train's.
const std::array<campo_modello_treno, 15> campi = {{
    {"velocita_massima_kmh", "km/h", 0.0, false, 1000.0, &m::velocita_massima_kmh, nullptr},
    {"massa_vettura_t", "t", 0.0, false, 10000.0, &m::massa_vettura_t, nullptr},
    {"massa_t", "t", 0.0, false, 1.0e6, nullptr, &m::massa_t},
    {"lunghezza_vettura_m", "m", 0.0, false, 1000.0, &m::lunghezza_vettura_m, nullptr},
    {"lunghezza_m", "m", 0.0, false, 1.0e5, nullptr, &m::lunghezza_m},
    {"quota_massa_aderente", "", 0.0, false, 1.0, &m::quota_massa_aderente, nullptr},
    {"fattore_masse_rotanti", "", 0.0, true, 1.0, &m::fattore_masse_rotanti, nullptr},
    {"sforzo_avviamento_kn", "kN", 0.0, false, 1.0e4, &m::sforzo_avviamento_kn, nullptr},
    {"potenza_kw", "kW", 0.0, false, 1.0e5, &m::potenza_kw, nullptr},
    {"resistenza_a_n_t", "N/t", 0.0, true, 1000.0, &m::resistenza_a_n_t, nullptr},
    {"resistenza_b_n_t_s_m", "N/t per m/s", 0.0, true, 1000.0, &m::resistenza_b_n_t_s_m, nullptr},
    {"resistenza_c_n_s2_m2", "N per (m/s)^2", 0.0, true, 1000.0, &m::resistenza_c_n_s2_m2, nullptr},
    {"decelerazione_servizio_m_s2", "m/s^2", 0.0, false, 10.0, &m::decelerazione_servizio_m_s2,
     nullptr},
    {"coefficiente_aderenza", "", 0.0, false, 1.0, &m::coefficiente_aderenza, nullptr},
    {"sosta_minima_s", "s", 0.0, true, 86400.0, &m::sosta_minima_s, nullptr},
}};

std::string con_unita(double v, std::string_view unita) {
  std::string s = short_decimals(v, 6);
  if (!unita.empty()) {
    s += ' ';
    s += unita;
  }
  return s;
}

errore_modello_treno errore(const campo_modello_treno& c, const std::string& testo) {
  return {std::string(c.nome), "field \"" + std::string(c.nome) + "\": " + testo};
}

std::optional<errore_modello_treno> fuori_campo(const campo_modello_treno& c, double v) {
  const bool sotto = c.minimo_incluso ? !(v >= c.minimo) : !(v > c.minimo);
  if (!sotto && v <= c.massimo) return std::nullopt;
  const std::string limite = sotto ? (c.minimo_incluso ? "must be at least " : "must be above ") +
                                         con_unita(c.minimo, c.unita)
                                   : "must be at most " + con_unita(c.massimo, c.unita);
  return errore(c, limite + ", not " + short_decimals(v, 6));
}

std::string nome_tipo(const nlohmann::json& v) {
  return std::string(v.type_name());
}

}  // namespace

std::span<const campo_modello_treno> campi_modello_treno() {
  return campi;
}

std::variant<modello_treno, errore_modello_treno> leggi_modello_treno(std::string_view json) {
  nlohmann::json j;
  try {
    j = nlohmann::json::parse(json.begin(), json.end());
  } catch (const nlohmann::json::exception& e) {  // a parse error, or a number past a double
    std::string what = e.what();
    const std::size_t dopo = what.find("] ");
    if (dopo != std::string::npos) what.erase(0, dopo + 2);
    return errore_modello_treno{"", "not JSON: " + what};
  }
  if (!j.is_object()) {
    return errore_modello_treno{
        "", "the train model is a JSON object of fields, not a JSON " + nome_tipo(j)};
  }
  modello_treno out;
  for (const auto& [nome, valore] : j.items()) {
    const campo_modello_treno* c = nullptr;
    for (const campo_modello_treno& k : campi) {
      if (k.nome == nome) c = &k;
    }
    if (c == nullptr) {
      return errore_modello_treno{nome, "unknown field \"" + nome + "\""};
    }
    if (valore.is_null() && c->facoltativo != nullptr) {
      out.*(c->facoltativo) = std::nullopt;
      continue;
    }
    if (!valore.is_number()) {
      return errore(*c, std::string("must be a number") +
                            (c->facoltativo != nullptr ? " or null" : "") + ", not " +
                            nome_tipo(valore));
    }
    const double v = valore.get<double>();
    if (auto e = fuori_campo(*c, v)) return *e;
    if (c->valore != nullptr) {
      out.*(c->valore) = v;
    } else {
      out.*(c->facoltativo) = v;
    }
  }
  return out;
}

std::string json_modello_treno(const modello_treno& mt) {
  nlohmann::ordered_json j = nlohmann::ordered_json::object();
  for (const campo_modello_treno& c : campi) {
    if (c.valore != nullptr) {
      j[std::string(c.nome)] = mt.*(c.valore);
    } else if (const auto& v = mt.*(c.facoltativo)) {
      j[std::string(c.nome)] = *v;
    } else {
      j[std::string(c.nome)] = nullptr;
    }
  }
  return j.dump();
}

std::variant<treno_marcia, impedimento_marcia> risolvi_treno(
    const modello_treno& mt, std::int32_t numero_vetture, std::int32_t percentuale_massa_frenata) {
  if (numero_vetture <= 0 && (!mt.massa_t || !mt.lunghezza_m)) {
    return impedimento_marcia{tipo_impedimento::senza_treno, 0.0,
                              "the service file gives " + std::to_string(numero_vetture) +
                                  " cars: no train to time (the train model may give "
                                  "\"massa_t\" and \"lunghezza_m\")"};
  }
  if (percentuale_massa_frenata <= 0) {
    return impedimento_marcia{tipo_impedimento::senza_frenatura, 0.0,
                              "the service file gives a braked mass of " +
                                  std::to_string(percentuale_massa_frenata) +
                                  " per cent: the train cannot brake"};
  }
  const double vetture = numero_vetture;
  const double tonnellate = mt.massa_t.value_or(vetture * mt.massa_vettura_t);
  treno_marcia t;
  t.massa = tonnellate * 1000.0;
  t.massa_equivalente = t.massa * (1.0 + mt.fattore_masse_rotanti);
  t.massa_aderente = t.massa * mt.quota_massa_aderente;
  t.lunghezza = mt.lunghezza_m.value_or(vetture * mt.lunghezza_vettura_m);
  t.sforzo_avviamento = mt.sforzo_avviamento_kn * 1000.0;
  t.potenza = mt.potenza_kw * 1000.0;
  t.a = mt.resistenza_a_n_t * tonnellate;
  t.b = mt.resistenza_b_n_t_s_m * tonnellate;
  t.c = mt.resistenza_c_n_s2_m2;
  t.decelerazione = mt.decelerazione_servizio_m_s2 * percentuale_massa_frenata / 100.0;
  t.coefficiente_aderenza = mt.coefficiente_aderenza;
  t.velocita_massima = mt.velocita_massima_kmh / 3.6;
  t.sosta_minima = mt.sosta_minima_s;
  return t;
}

}  // namespace scenario
