// The largest route the formats allow compiles completely: sizes of the
// three binary files, and a grade, a board and points of the geometry
// checked against values worked out here independently.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>

#include "base/memory_file_system.h"
#include "base/program_folder.h"
#include "bench/large_route.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/route_model/nomi_file.h"

namespace scenario {
namespace {

namespace lr = large_route;

class LargeRouteTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fs_ = new memory_file_system;
    m_ = new modello_percorso;
    m_->nome_linea = "Viterbo_Attigliano_Orte";
    m_->numero_treno = "7547";
    fs_->write_file(file_path(cartella_, nome_file_linea_txt(m_->nome_linea)), lr::line_file());
    fs_->write_file(file_path(cartella_, nome_file_servizio_txt(m_->nome_linea, m_->numero_treno)),
                    lr::service_file());
    esito_ = memorizza_percorso(*m_, *fs_, cartella_, 1);
  }
  static void TearDownTestSuite() {
    delete fs_;
    delete m_;
  }

  // Without a model of the full size the value checks would read outside it.
  void SetUp() override {
    ASSERT_EQ(m_->celle.size(), 20141u);
    ASSERT_EQ(m_->tracciato.n_punti(), 1007001);
  }

  static std::size_t file_size(const std::string& name) {
    const auto it = fs_->files.find(file_path(cartella_, name).generic_string());
    return it == fs_->files.end() ? 0 : it->second.size();
  }

  static double coordinate(std::int32_t k, int col) {
    const variante v = m_->tracciato.punto(k, col);
    if (const double* d = std::get_if<double>(&v)) return *d;
    if (const std::int16_t* i = std::get_if<std::int16_t>(&v)) return *i;
    ADD_FAILURE() << "point " << k << " column " << col << " is empty";
    return NAN;
  }

  static inline const program_folder cartella_{"/large", '/'};
  static inline memory_file_system* fs_ = nullptr;
  static inline modello_percorso* m_ = nullptr;
  static inline esito_compilazione esito_ = esito_compilazione::senza_modello;
};

TEST_F(LargeRouteTest, CompilesWithoutAFault) {
  EXPECT_EQ(esito_, esito_compilazione::completato);
  EXPECT_EQ(m_->codice_errore, 0);
  EXPECT_EQ(m_->lunghezza_tracciato, 1007000);
  EXPECT_EQ(m_->n_celle, 20140);
  EXPECT_FALSE(fs_->file_exists(file_path(cartella_, nome_file_linea_txt(m_->nome_linea))));
}

TEST_F(LargeRouteTest, BinaryFilesHaveTheSizesOfTheBounds) {
  // Line data: per column 2 Integers, 1006997 Doubles and 2 empty elements,
  // 2 x (2 x 4 + 1006997 x 10 + 2 x 2) bytes.
  EXPECT_EQ(file_size(nome_file_linea_dat(m_->nome_linea)), 20139964u);
  EXPECT_EQ(file_size(nome_file_celle_dat(m_->nome_linea, m_->numero_treno)), 15u * 20141u);
  std::size_t names = std::string("Viterbo_Attigliano_Orte").size() + std::string("7547").size();
  for (int k = 0; k < lr::station_count; ++k) names += ("Stazione " + std::to_string(k + 1)).size();
  for (int k = 0; k < lr::board_count; ++k) names += ("(Km. " + std::to_string(k) + ")").size();
  EXPECT_EQ(file_size(nome_file_sim(m_->nome_linea, m_->numero_treno)), 87u * 34u + names);
  EXPECT_EQ(m_->tracciato.n_punti(), 1007001);
}

TEST_F(LargeRouteTest, GradesFillTheirStretches) {
  // Record k at 2000 k m takes effect from cell 40 k; the grade is stored
  // plus 100.
  for (int k : {0, 1, 123, 250, 498}) {
    SCOPED_TRACE(k);
    EXPECT_EQ(m_->celle[40 * k].pendenza, lr::grade_of(k) + 100);
    EXPECT_EQ(m_->celle[40 * k + 39].pendenza, lr::grade_of(k) + 100);
  }
  // The last record holds up to the completion's end, two cells short of the last.
  EXPECT_EQ(m_->celle[20137].pendenza, lr::grade_of(499) + 100);
  EXPECT_EQ(m_->celle[20138].pendenza, 0);
  EXPECT_EQ(m_->celle[20140].pendenza, 0);
}

TEST_F(LargeRouteTest, BoardsTakeTheirCellsAndSlots) {
  for (int k : {0, 17, 39}) {
    SCOPED_TRACE(k);
    const int position = lr::board_first + k * lr::board_step;
    const cella& c = m_->celle[position / 50 + 1];
    EXPECT_EQ(c.tipo, tipo_cella::cartello_indicatore);
    EXPECT_EQ(c.dato1, 80 - k);
    EXPECT_EQ(m_->elementi[80 - k].nome, "(Km. " + std::to_string(k) + ")");
  }
}

TEST_F(LargeRouteTest, FirstCurveFollowsTheClosedForm) {
  // Straight along +y up to the curve's start at 1000 m.
  EXPECT_EQ(coordinate(0, 0), 0.0);
  EXPECT_EQ(coordinate(1, 1), 1.0);
  EXPECT_EQ(coordinate(1000, 0), 0.0);
  EXPECT_EQ(coordinate(1000, 1), 1000.0);

  // Each curve step turns the step vector by atan(c) and lengthens it by
  // sqrt(1 + c^2): step m of the curve is r^m (sin m t, cos m t).
  const long double c = 0.0001L;  // class 1, right-hand
  const long double r = std::sqrt(1.0L + c * c);
  const long double t = std::atan(c);
  long double x = 0, y = 1000;
  long double dx = 0, dy = 1;
  for (int m = 1; m <= lr::curve_length; ++m) {
    dx = std::pow(r, m) * std::sin(m * t);
    dy = std::pow(r, m) * std::cos(m * t);
    x += dx;
    y += dy;
    if (m == 150 || m == lr::curve_length) {
      EXPECT_NEAR(coordinate(1000 + m, 0), static_cast<double>(x), 1e-9);
      EXPECT_NEAR(coordinate(1000 + m, 1), static_cast<double>(y), 1e-9);
    }
  }
  // Then straight on with the last step until the next curve at 6000 m.
  const int run = 4000 - 1300;
  EXPECT_NEAR(coordinate(4000, 0), static_cast<double>(x + run * dx), 1e-7);
  EXPECT_NEAR(coordinate(4000, 1), static_cast<double>(y + run * dy), 1e-7);
}

TEST_F(LargeRouteTest, GeometryEndsWithTwoEmptyPoints) {
  for (int col : {0, 1}) {
    EXPECT_TRUE(std::holds_alternative<double>(m_->tracciato.punto(1006998, col)));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(m_->tracciato.punto(1006999, col)));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(m_->tracciato.punto(1007000, col)));
  }
}

}  // namespace
}  // namespace scenario
