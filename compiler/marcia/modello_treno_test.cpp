// The train model file: defaults, every refusal with its field named, and
// the train it gives for a service file's cars and braked mass.
#include "compiler/marcia/modello_treno.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

errore_modello_treno rifiuto(std::string_view json) {
  auto r = leggi_modello_treno(json);
  EXPECT_TRUE(std::holds_alternative<errore_modello_treno>(r)) << json;
  if (auto* e = std::get_if<errore_modello_treno>(&r)) return *e;
  return {};
}

TEST(ModelloTreno, UnOggettoVuotoDaIValoriPredefiniti) {
  auto r = leggi_modello_treno("{}");
  ASSERT_TRUE(std::holds_alternative<modello_treno>(r));
  EXPECT_EQ(std::get<modello_treno>(r), modello_treno{});
  // Each field given replaces its default only; null gives back the
  // count of cars for mass and length.
  r = leggi_modello_treno(R"({"potenza_kw": 1650, "massa_t": null, "lunghezza_m": 80.5})");
  ASSERT_TRUE(std::holds_alternative<modello_treno>(r));
  modello_treno atteso;
  atteso.potenza_kw = 1650;
  atteso.lunghezza_m = 80.5;
  EXPECT_EQ(std::get<modello_treno>(r), atteso);
}

TEST(ModelloTreno, IlJsonDiOgniCampoSiRilegge) {
  modello_treno m;
  m.massa_t = 180.0;
  m.sosta_minima_s = 20.0;
  const std::string json = json_modello_treno(m);
  EXPECT_EQ(json.substr(0, 50), R"({"velocita_massima_kmh":130.0,"massa_vettura_t":55)");
  EXPECT_NE(json.find(R"("lunghezza_m":null)"), std::string::npos);
  auto r = leggi_modello_treno(json);
  ASSERT_TRUE(std::holds_alternative<modello_treno>(r));
  EXPECT_EQ(std::get<modello_treno>(r), m);
  EXPECT_EQ(campi_modello_treno().size(), 15u);
}

TEST(ModelloTreno, RifiutaCioCheNonEJson) {
  const errore_modello_treno e = rifiuto("{\"potenza_kw\": 12");
  EXPECT_EQ(e.campo, "");
  EXPECT_EQ(e.testo.substr(0, 9), "not JSON:");
  EXPECT_NE(e.testo.find("line 1, column 18"), std::string::npos) << e.testo;
  EXPECT_EQ(rifiuto("").testo.substr(0, 9), "not JSON:");
  EXPECT_EQ(rifiuto("[1, 2]").testo,
            "the train model is a JSON object of fields, not a JSON array");
  EXPECT_EQ(rifiuto("42").testo, "the train model is a JSON object of fields, not a JSON number");
}

TEST(ModelloTreno, RifiutaUnCampoIgnotoODiTipoSbagliato) {
  errore_modello_treno e = rifiuto(R"({"potenza_kw": 1000, "potenza": 5})");
  EXPECT_EQ(e.campo, "potenza");
  EXPECT_EQ(e.testo, "unknown field \"potenza\"");
  e = rifiuto(R"({"massa_vettura_t": "55"})");
  EXPECT_EQ(e.campo, "massa_vettura_t");
  EXPECT_EQ(e.testo, "field \"massa_vettura_t\": must be a number, not string");
  e = rifiuto(R"({"massa_t": true})");
  EXPECT_EQ(e.testo, "field \"massa_t\": must be a number or null, not boolean");
  e = rifiuto(R"({"potenza_kw": null})");
  EXPECT_EQ(e.testo, "field \"potenza_kw\": must be a number, not null");
  e = rifiuto(R"({"sosta_minima_s": [30]})");
  EXPECT_EQ(e.campo, "sosta_minima_s");
}

TEST(ModelloTreno, RifiutaMassaPotenzaEDecelerazioneNulleONegative) {
  struct caso {
    const char* json;
    const char* testo;
  } casi[] = {
      {R"({"massa_vettura_t": 0})", "field \"massa_vettura_t\": must be above 0 t, not 0"},
      {R"({"massa_t": -220})", "field \"massa_t\": must be above 0 t, not -220"},
      {R"({"potenza_kw": 0})", "field \"potenza_kw\": must be above 0 kW, not 0"},
      {R"({"potenza_kw": -0.5})", "field \"potenza_kw\": must be above 0 kW, not -0.5"},
      {R"({"decelerazione_servizio_m_s2": 0})",
       "field \"decelerazione_servizio_m_s2\": must be above 0 m/s^2, not 0"},
      {R"({"sforzo_avviamento_kn": 0})",
       "field \"sforzo_avviamento_kn\": must be above 0 kN, not 0"},
      {R"({"velocita_massima_kmh": 1001})",
       "field \"velocita_massima_kmh\": must be at most 1000 km/h, not 1001"},
      {R"({"quota_massa_aderente": 1.5})",
       "field \"quota_massa_aderente\": must be at most 1, not 1.5"},
      {R"({"sosta_minima_s": -1})", "field \"sosta_minima_s\": must be at least 0 s, not -1"},
      {R"({"resistenza_c_n_s2_m2": 1e400})", "not JSON: number overflow parsing '1e400'"},
  };
  for (const caso& c : casi) {
    const errore_modello_treno e = rifiuto(c.json);
    EXPECT_EQ(e.testo, c.testo);
  }
  // At the bounds: accepted.
  for (const char* json :
       {R"({"sosta_minima_s": 0})", R"({"quota_massa_aderente": 1})",
        R"({"fattore_masse_rotanti": 0, "resistenza_a_n_t": 0})", R"({"potenza_kw": 1e-9})"}) {
    EXPECT_TRUE(std::holds_alternative<modello_treno>(leggi_modello_treno(json))) << json;
  }
}

TEST(ModelloTreno, IlTrenoDelServizio) {
  const auto treno = [](const modello_treno& m, int vetture, int frenata) {
    auto r = risolvi_treno(m, vetture, frenata);
    EXPECT_TRUE(std::holds_alternative<treno_marcia>(r));
    return std::get<treno_marcia>(r);
  };
  // Four cars of 55 t and 26.86 m; Davis A and B per tonne.
  const treno_marcia t = treno(modello_treno{}, 4, 100);
  EXPECT_DOUBLE_EQ(t.massa, 220000.0);
  EXPECT_DOUBLE_EQ(t.massa_equivalente, 237600.0);
  EXPECT_DOUBLE_EQ(t.massa_aderente, 139920.0);
  EXPECT_DOUBLE_EQ(t.lunghezza, 107.44);
  EXPECT_DOUBLE_EQ(t.a, 3300.0);
  EXPECT_DOUBLE_EQ(t.b, 66.0);
  EXPECT_DOUBLE_EQ(t.c, 6.5);
  EXPECT_DOUBLE_EQ(t.decelerazione, 0.6);
  EXPECT_DOUBLE_EQ(t.velocita_massima, 130.0 / 3.6);
  // Six cars, 80 per cent braked mass.
  const treno_marcia sei = treno(modello_treno{}, 6, 80);
  EXPECT_DOUBLE_EQ(sei.massa, 330000.0);
  EXPECT_DOUBLE_EQ(sei.decelerazione, 0.48);
  // The model's own mass and length win over the cars.
  modello_treno proprio;
  proprio.massa_t = 150.0;
  proprio.lunghezza_m = 75.0;
  const treno_marcia p = treno(proprio, 4, 100);
  EXPECT_DOUBLE_EQ(p.massa, 150000.0);
  EXPECT_DOUBLE_EQ(p.lunghezza, 75.0);
  EXPECT_DOUBLE_EQ(treno(proprio, 0, 100).massa, 150000.0);

  auto r = risolvi_treno(modello_treno{}, 0, 100);
  ASSERT_TRUE(std::holds_alternative<impedimento_marcia>(r));
  EXPECT_EQ(std::get<impedimento_marcia>(r).testo,
            "the service file gives 0 cars: no train to time (the train model may give "
            "\"massa_t\" and \"lunghezza_m\")");
  r = risolvi_treno(modello_treno{}, 4, -5);
  ASSERT_TRUE(std::holds_alternative<impedimento_marcia>(r));
  EXPECT_EQ(std::get<impedimento_marcia>(r).tipo, tipo_impedimento::senza_frenatura);
}

}  // namespace
}  // namespace scenario
