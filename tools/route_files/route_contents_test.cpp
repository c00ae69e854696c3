#include "tools/route_files/route_contents.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"
#include "tools/testing/compiled_route_builder.h"

namespace scenario {
namespace {

TEST(RouteContents, SlotsProfileRunsAndGeometry) {
  memory_file_system fs;
  const program_folder folder{"/r", '/'};
  testing::write_route_files(fs, folder, testing::sample_model());
  const compiled_route r = load_compiled_route(fs, folder, "Prova", "12");
  const slot_elementi s = trova_slot(r);
  EXPECT_EQ(s.stazioni, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(s.cartelli, (std::vector<int>{80}));
  const auto runs = tratti_profilo(r.celle);
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_EQ(runs[3].prima, 40u);
  EXPECT_EQ(runs[3].ultima, 47u);
  EXPECT_EQ(runs[3].montagna, 2);
  const sommario_geometria g = riassumi_geometria(r);
  EXPECT_EQ(g.punti, 10001u);
  EXPECT_EQ(g.punti_valorizzati, 9999u);
  EXPECT_NEAR(g.curvatura_netta, -17.18868, 1e-4);
  EXPECT_NEAR(g.curvatura_totale, 74.4844, 1e-3);
}

TEST(RouteContents, EachObjectIsToldWithItsValues) {
  compiled_route r;
  r.elementi[2].nome = "ORTE";
  r.elementi[80].nome = "Bivio \xB0";  // Windows-1252 degree sign
  cella segnale;
  segnale.tipo = tipo_cella::segnale;
  // Codes as tens (left) and units (right); dato4 = rapp x 10 + 3 sx + dx.
  segnale.dato1 = 12;
  segnale.dato2 = 34;
  segnale.dato3 = 56;
  segnale.dato4 = 7 * 10 + 3 * 2 + 1;
  segnale.dato5 = 30;
  EXPECT_EQ(valori_cella(segnale, r),
            "left kind 2 codes 135, right kind 1 codes 246, rapp 7, opens after 30 "
            "[12 34 56 77 30]");
  segnale.dato5 = 0;
  segnale.segno = 24;
  EXPECT_EQ(valori_cella(segnale, r),
            "left kind 2 codes 135, right kind 1 codes 246, rapp 7, approach mark 24 "
            "[12 34 56 77 0]");

  cella inizio, avviso, fine, approccio;
  impacca_rallentamento(inizio, tipo_cella::inizio_rallentamento, {60, 20, 1});
  impacca_rallentamento(avviso, tipo_cella::avviso_rallentamento, {60, 20, 1});
  impacca_rallentamento(fine, tipo_cella::fine_rallentamento, {30, 0, 0});
  impacca_approccio(approccio, 3, true);
  EXPECT_EQ(valori_cella(inizio, r), "speed 60 km/h, flag 1, d_v 20 [60 20 1 0 0]");
  EXPECT_EQ(valori_cella(avviso, r), "speed 60 km/h, d_v 20 [60 20 0 0 0]");
  EXPECT_EQ(valori_cella(fine, r), "speed 30 km/h, flag 0 [30 0 0 0 0]");
  EXPECT_EQ(valori_cella(approccio, r), "mark 3 [3 3 0 0 0]");

  cella stazione, fuori, cartello, marcatore, libera;
  impacca_fine_stazione(stazione, 2);
  impacca_fine_stazione(fuori, 90);
  impacca_cartello(cartello, 80);
  impacca_marcatore(marcatore, 180);
  libera.segno = 81;
  EXPECT_EQ(valori_cella(stazione, r), "station 2 \"ORTE\" [2 0 0 0 0]");
  EXPECT_EQ(valori_cella(fuori, r), "station 90 slot 90 (outside the table) [90 0 0 0 0]");
  EXPECT_EQ(valori_cella(cartello, r), "slot 80 \"Bivio °\" [80 0 0 0 0]");
  EXPECT_EQ(valori_cella(marcatore, r), "value 180 [180 0 0 0 0]");
  EXPECT_EQ(valori_cella(libera, r), "approach mark 81 [0 0 0 0 0]");
  EXPECT_TRUE(cella_occupata(libera));
  EXPECT_FALSE(cella_occupata(cella{}));
  cella solo_valore;
  solo_valore.dato3 = 1;  // no object, but a value left behind
  EXPECT_TRUE(cella_occupata(solo_valore));
}

TEST(RouteContents, GeometryFiguresFromAHandfulOfPoints) {
  // (2, 3), (5, 7), (5, 1), nothing, (1, 8), (1, 12); the line is 4 long.
  // All above 0, so the bounds start from the first point, not from 0.
  compiled_route r;
  r.elementi[voce::treno_e_linea].fine = 4;
  const double xs[] = {2, 5, 5, 0, 1, 1};
  const double ys[] = {3, 7, 1, 0, 8, 12};
  for (int k = 0; k < 6; ++k) {
    r.tracciato.x.push_back(k == 3 ? variante{} : variante{xs[k]});
    r.tracciato.y.push_back(k == 3 ? variante{} : variante{ys[k]});
  }
  const sommario_geometria g = riassumi_geometria(r);
  EXPECT_EQ(g.punti, 6u);
  EXPECT_EQ(g.punti_valorizzati, 5u);
  EXPECT_EQ(g.x_min, 1);
  EXPECT_EQ(g.x_max, 5);
  EXPECT_EQ(g.y_min, 1);
  EXPECT_EQ(g.y_max, 12);
  EXPECT_EQ(g.x_fine, 1);
  EXPECT_EQ(g.y_fine, 12);
  EXPECT_TRUE(g.ha_punto_linea);
  EXPECT_EQ(g.x_linea, 1);
  EXPECT_EQ(g.y_linea, 8);
  EXPECT_EQ(g.lunghezza, 5 + 6 + 4);  // the gap is no step
  // From heading (3, 4) to (0, -6): 180 - atan(3/4) = 143.13 degrees to
  // the right.
  EXPECT_NEAR(g.curvatura_netta, 143.1301, 1e-4);
  EXPECT_NEAR(g.curvatura_totale, 143.1301, 1e-4);

  // No point with a value: dump shows every figure as 0.
  const sommario_geometria vuota = riassumi_geometria(compiled_route{});
  EXPECT_EQ(vuota.punti, 0u);
  EXPECT_FALSE(vuota.ha_punto_linea);
  for (const double v : {vuota.x_min, vuota.x_max, vuota.y_min, vuota.y_max, vuota.x_fine,
                         vuota.y_fine, vuota.lunghezza, vuota.curvatura_netta}) {
    EXPECT_EQ(v, 0.0);
  }
}

}  // namespace
}  // namespace scenario
