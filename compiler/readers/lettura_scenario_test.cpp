// The fixed scenario written by the two text writers and read back. Every
// expectation comes from the scenario's tables, written out here, not from
// the readers.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/memory_file_system.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/readers/memorizza_dati.h"
#include "compiler/route_model/nomi_file.h"
#include "sources/writers.h"

namespace scenario {
namespace {

constexpr int n_celle = 1340;
constexpr int ultima_cella_scritta = n_celle - 3;  // profiles are finished up to 1337

struct da_posizione {
  int posizione;
  int valore;
};

// Grades in per mille, from their position on.
const std::vector<da_posizione> pendenze = {
    {0, 0},       {500, 3},     {1500, 0},    {5000, -5},   {6350, -15},  {7750, -3},
    {8250, 0},    {8850, 10},   {9350, 14},   {10350, 27},  {11000, 25},  {11450, 27},
    {11600, 0},   {11700, -12}, {12000, -6},  {12200, 0},   {12750, -10}, {13450, -20},
    {14400, 10},  {15400, 0},   {17050, -9},  {17550, -13}, {18100, -17}, {19500, 0},
    {20400, 4},   {21000, -5},  {21350, -8},  {21900, -10}, {22400, -12}, {22700, 0},
    {23050, -7},  {24050, -10}, {24850, -5},  {25850, -10}, {26350, -17}, {26850, -20},
    {28350, -25}, {28850, -27}, {29350, -32}, {29850, -35}, {31450, -25}, {32450, -20},
    {32550, -25}, {32750, -15}, {33150, 0},
};

// Speed limits in km/h, from their position on.
const std::vector<da_posizione> velocita = {
    {0, 70},     {2050, 100}, {8000, 75},  {12650, 85},
    {23050, 75}, {33800, 90}, {39100, 30}, {39400, 100},
};

// The value in force in cell i: the last record whose cell p / 50 is at or before i.
int in_vigore(const std::vector<da_posizione>& tabella, int i) {
  int v = 0;
  for (const auto& r : tabella) {
    if (r.posizione / 50 <= i) v = r.valore;
  }
  return v;
}

struct montagna {
  int inizio, fine, tipo;
};
const std::vector<montagna> montagne = {
    {6950, 7050, 2}, {11200, 12000, 12}, {30600, 31200, 2}, {32000, 32400, 2}, {49200, 49600, 12},
};

struct cartello_v {
  int posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced;
};
const std::vector<cartello_v> cartelli_v = {
    {500, 65, 70, 80, 0, 0, 0, 0, 0},
    {2050, 95, 100, 105, 0, 0, 0, 0, 0},
    {6700, 70, 75, 75, 2, 0, 0, 0, 0},
    {6950, 70, 75, 75, 1, 0, 0, 0, 0},
    {7200, 70, 75, 75, 0, 0, 0, 0, 0},
    {12650, 80, 85, 85, 0, 0, 0, 0, 0},
    {17050, 95, 100, 105, 0, 0, 0, 0, 0},
    {20200, 80, 85, 85, 0, 0, 0, 0, 0},
    {23050, 85, 90, 100, 0, 0, 0, 0, 0},
    {24250, 80, 85, 90, 0, 0, 0, 0, 0},
    {30550, 70, 75, 80, 0, 0, 0, 0, 0},
    {33800, 90, 90, 90, 0, 0, 0, 0, 0},
    {39400, 100, 105, 110, 0, 100, 105, 110, 0},
    {50900, 90, 95, 100, 0, 90, 95, 100, 0},
};

struct cartello_i {
  int posizione;
  std::string scritta;
};
const std::vector<cartello_i> cartelli_i = {
    {2100, "(Cippo Km.)( 37+000  )"},
    {3000, "(______)(______)(______)"},
    {3050, "(P.L.A.    )(km. 35+997)"},
    {3500, "(______)(______)(______)"},
    {3550, "(P.L.A.    )(km. 35+472)"},
    {3950, "(______)(______)(______)"},
    {4000, "(P.L.A.    )(km. 35+080)"},
    {6250, "(______)(______)(______)"},
    {6300, "(P.L.A.    )(km. 32+706)"},
    {7600, "(______)(______)(______)"},
    {7650, "(P.L.A.    )(km. 31+398)"},
    {13300, "(______)(______)(______)"},
    {13350, "(P.L.A.    )(km. 25+730)"},
    {14050, "(______)(______)(______)"},
    {14100, "(P.L.A.)(25+024)"},
    {17100, "(______)(______)(______)"},
    {17150, "(P.L.A.    )(km. 21+986)"},
    {20650, "(______)(______)(______)"},
    {20700, "(P.L.A.    )(Km. 18+413)"},
    {22250, "(P.L.      )(km. 16+784)"},
    {23000, "(P.L.      )(km. 16+035)"},
    {23650, "(______)(______)(______)"},
    {23700, "(P.L.A.    )(km. 15+346)"},
    {25150, "(______)(______)(______)"},
    {25200, "(P.L.A.    )(km. 13+890)"},
    {27600, "(______)(______)(______)"},
    {27650, "(P.L.A.    )(km. 11+453)"},
    {28300, "(______)(______)(______)"},
    {28350, "(P.L.A.    )(km. 10+764)"},
    {30200, "(______)(______)(______)"},
    {30250, "(P.L.A.   )(km. 8+788)"},
    {33050, "(P.L.     )(km. 5+693)"},
    {35800, "(Ponte Fiume)(  Tevere   )"},
    {45000, "(INIZIO ZONA)(CODIFICATA )"},
    {47250, "(P.B. 557)"},
    {48750, "(P.B. 555)"},
    {49950, "(P.B. 553)"},
    {51250, "(FINE ZONA )(CODIFICATA)"},
    {51700, "(Dev. I.)"},
};

struct stazione {
  int posizione, tipo, b1, b4, prolunga, i1, i2, b2, i3, i4, i5, b3;
  std::string nome;
  // Worked out by hand from the area rules.
  int inizio, fine, orario;
};
const std::vector<stazione> stazioni = {
    {0, 12, 1, 0, 0, 4, 1, 0, 2, 1, 1, 1, "VITERBO P. F.", -200, 250, 49740},
    {12450, 24, 0, 0, 0, 0, 0, 0, 4, 1, 1, 30, "Montefiascone", 12300, 12600, 50400},
    {22850, 24, 0, 0, 1, 0, 0, 0, 4, 1, 1, 30, "Grotte S. Stefano", 22700, 23050, 50940},
    {31900, 27, 0, 0, 0, 0, 0, 0, 0, 0, 0, 30, "Sipicciano S. Nicola", 31800, 32000, 50940},
    {33650, 24, 0, 0, 0, 0, 0, 0, 4, 1, 1, 30, "Sipicciano", 33500, 33800, 51720},
    {38950, 22, 0, 0, 0, 0, 0, 0, 2, 4, 1, 30, "ATTIGLIANO", 38750, 39150, 52050},
    {44200, 24, 0, 0, 0, 0, 0, 0, 4, 1, 1, 0, "Bassano in Teverina", 44050, 44350, 0},
    {46650, 26, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "2\xB0 Bivio Orte Nord", 46450, 46850, 0},
    {52600, 4, 1, 0, 0, 1, 1, 0, 2, 1, 1, 0, "ORTE", 52400, 52800, 52680},
};

struct segnale_t {
  int posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo;
};
const std::vector<segnale_t> segnali = {
    {10000, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0}, {11000, 2, 3, 1, 0, 0, 0, 0, 0, 0, 0},
    {21100, 2, 5, 1, 0, 0, 0, 0, 0, 0, 0}, {22100, 2, 3, 1, 0, 0, 0, 0, 0, 0, 0},
    {31800, 2, 5, 1, 0, 0, 0, 0, 0, 0, 0}, {33000, 2, 3, 1, 0, 0, 0, 0, 0, 0, 0},
    {37000, 1, 3, 1, 0, 0, 0, 0, 0, 0, 0}, {38100, 2, 3, 1, 0, 0, 0, 0, 0, 0, 130},
    {42100, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0}, {43200, 2, 4, 1, 0, 0, 0, 0, 0, 0, 0},
    {45050, 2, 4, 1, 0, 0, 1, 3, 1, 0, 0}, {46400, 2, 4, 1, 1, 0, 2, 2, 1, 1, 0},
    {47300, 2, 4, 0, 0, 0, 0, 0, 0, 0, 0}, {48850, 2, 4, 0, 0, 0, 0, 0, 0, 0, 0},
    {50000, 2, 3, 1, 0, 0, 1, 3, 1, 0, 0}, {51300, 2, 2, 3, 0, 0, 0, 2, 1, 0, 120},
};

// The expected content of the cells that hold something.
struct atteso {
  int tipo = 0, dato1 = 0, dato2 = 0, dato3 = 0, dato4 = 0, dato5 = 0;
};

class ScenarioRead : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fs_ = new memory_file_system;
    m_ = new modello_percorso;
    const program_folder dir{"/prog", '/'};
    dati_linea(*fs_, dir, "Viterbo_Attigliano_Orte");
    dati_treno(*fs_, dir, "Viterbo_Attigliano_Orte", "7547");
    m_->nome_linea = "Viterbo_Attigliano_Orte";
    m_->numero_treno = "7547";
    m_->genera_linea = 1;
    const auto linea = file_path(dir, nome_file_linea_txt("Viterbo_Attigliano_Orte"));
    const auto servizio = file_path(dir, nome_file_servizio_txt("Viterbo_Attigliano_Orte", "7547"));
    const std::string testo_linea = fs_->read_file(linea);
    const std::string testo_servizio = fs_->read_file(servizio);
    memorizza_dati(*m_, {testo_linea, testo_servizio},
                   {modo_lettura::esatto, true, elimina_dopo_lettura(*fs_, linea, servizio)});
  }
  static void TearDownTestSuite() {
    delete fs_;
    delete m_;
  }
  static const cella& c(int i) { return m_->celle.at(static_cast<std::size_t>(i)); }
  static memory_file_system* fs_;
  static modello_percorso* m_;
};
memory_file_system* ScenarioRead::fs_ = nullptr;
modello_percorso* ScenarioRead::m_ = nullptr;

TEST_F(ScenarioRead, NoFaultModelSizeAndBothFilesDeleted) {
  EXPECT_EQ(m_->codice_errore, 0);
  EXPECT_EQ(m_->n_celle, n_celle);
  EXPECT_EQ(m_->celle.size(), 1341u);
  EXPECT_EQ(m_->lunghezza_tracciato, 67000);
  EXPECT_EQ(m_->tracciato.n_punti(), 67001);
  EXPECT_TRUE(fs_->files.empty());
  EXPECT_EQ(m_->n_montagne, 5);
  EXPECT_EQ(m_->n_stazioni, 9);
}

TEST_F(ScenarioRead, HeaderEntries81To86) {
  const auto& e = m_->elementi;
  auto triple = [&](int i, int a, int b, int p) {
    EXPECT_EQ(e[static_cast<std::size_t>(i)].inizio, a) << i;
    EXPECT_EQ(e[static_cast<std::size_t>(i)].fine, b) << i;
    EXPECT_EQ(e[static_cast<std::size_t>(i)].posizione, p) << i;
  };
  triple(81, 39100, 135250, 1);
  triple(82, 0, 39150, 1);
  triple(83, 0, 0, 0);
  triple(84, 100, 60000, 4);
  triple(85, 0, 0, 1);  // sfondo uno, sfondo tre, sfondo due
  triple(86, 45000, 51300, 4);
  EXPECT_EQ(e[85].nome, "Viterbo_Attigliano_Orte");
  EXPECT_EQ(e[86].nome, "7547");
  EXPECT_EQ(e[86].dato_i1, 0);
  EXPECT_EQ(e[86].dato_i3, 13);
  EXPECT_EQ(e[86].dato_i4, 48);
  EXPECT_EQ(e[86].dato_i5, 40);
}

TEST_F(ScenarioRead, NineStations) {
  for (std::size_t j = 1; j <= stazioni.size(); ++j) {
    const stazione& s = stazioni[j - 1];
    const elemento& e = m_->elementi[j];
    EXPECT_EQ(e.nome, s.nome) << j;
    EXPECT_EQ(e.tipo, s.tipo) << j;
    EXPECT_EQ(e.posizione, s.posizione) << j;
    EXPECT_EQ(e.inizio, s.inizio) << j;
    EXPECT_EQ(e.fine, s.fine) << j;
    EXPECT_EQ(e.orario, s.orario) << j;
    EXPECT_EQ(e.dato_b1, s.b1) << j;
    EXPECT_EQ(e.dato_b4, s.b4) << j;
    EXPECT_EQ(e.prolunga, s.prolunga) << j;
    EXPECT_EQ(e.dato_i1, s.i1) << j;
    EXPECT_EQ(e.dato_i2, s.i2) << j;
    EXPECT_EQ(e.dato_b2, s.b2) << j;
    EXPECT_EQ(e.dato_i3, s.i3) << j;
    EXPECT_EQ(e.dato_i4, s.i4) << j;
    EXPECT_EQ(e.dato_i5, s.i5) << j;
    EXPECT_EQ(e.dato_b3, s.b3) << j;
  }
  EXPECT_EQ(m_->elementi[8].nome.size(), 18u);
  // The first station's end cell and markers.
  EXPECT_EQ(c(4).tipo, 10);
  EXPECT_EQ(c(4).dato1, 1);
  EXPECT_EQ(c(3).segno, 81);
  EXPECT_EQ(c(2).segno, 82);
  EXPECT_EQ(c(1).segno, 0);
  EXPECT_EQ(c(0).segno, 0);
}

TEST_F(ScenarioRead, EntriesNotFilledStayCleared) {
  const int ultimo_cartello = 80 - static_cast<int>(cartelli_i.size());  // 41
  for (int i = 0; i <= ultimo_cartello; ++i) {
    if (i >= 1 && i <= 9) continue;
    const elemento& e = m_->elementi[static_cast<std::size_t>(i)];
    EXPECT_EQ(e.tipo, 0) << i;
    EXPECT_EQ(e.inizio, 0) << i;
    EXPECT_EQ(e.nome, "") << i;
  }
  for (std::size_t n = 0; n < cartelli_i.size(); ++n) {
    const elemento& e = m_->elementi[80 - n];
    EXPECT_EQ(e.nome, cartelli_i[n].scritta) << n;
    EXPECT_EQ(e.posizione, 0);
    EXPECT_EQ(e.tipo, 0);
  }
}

TEST_F(ScenarioRead, EveryCellsGradeSpeedAdhesionAndTunnelType) {
  for (int i = 0; i <= n_celle; ++i) {
    const bool scritta = i <= ultima_cella_scritta;
    EXPECT_EQ(c(i).pendenza, scritta ? 100 + in_vigore(pendenze, i) : 0) << i;
    EXPECT_EQ(c(i).velocita, scritta ? in_vigore(velocita, i) / 5 : 0) << i;
    EXPECT_EQ(c(i).aderenza, scritta ? 100 : 0) << i;
    int tipo_montagna = 0;
    for (const montagna& s : montagne) {
      if (i >= s.inizio / 50 && i <= s.fine / 50 - 1) tipo_montagna = s.tipo % 10;
    }
    EXPECT_EQ(c(i).montagna, tipo_montagna) << i;
  }
}

TEST_F(ScenarioRead, EveryCellsObjectAndMarks) {
  std::map<int, atteso> oggetti;
  std::map<int, int> segni;
  // Markers every 200 m in the two spans of type 12.
  for (const montagna& s : montagne) {
    if (s.tipo <= 10) continue;
    for (int i = s.inizio / 50 + 3; i <= s.fine / 50 - 1; i += 4) oggetti[i] = {11};
  }
  for (const cartello_v& b : cartelli_v) {
    oggetti[b.posizione / 50 + 1] = {6, b.vas * 20 + b.vad / 5, b.vbs * 20 + b.vbd / 5,
                                     b.vcs * 20 + b.vcd / 5, b.strisces * 10 + b.strisced};
  }
  for (std::size_t n = 0; n < cartelli_i.size(); ++n) {
    oggetti[cartelli_i[n].posizione / 50 + 1] = {14, 80 - static_cast<int>(n)};
  }
  for (std::size_t j = 1; j <= stazioni.size(); ++j) {
    const stazione& s = stazioni[j - 1];
    if (s.tipo >= 25) continue;
    const int fine = s.fine / 50 - 1;
    oggetti[fine] = {10, static_cast<int>(j)};
    for (int n = 1; n <= 4; ++n) {
      if (fine - n > 1) segni[fine - n] = 80 + n;
    }
  }
  oggetti[431] = {4, 30};
  oggetti[455] = {3, 30, 0, 1};
  oggetti[459] = {2, 30, 0, 1};
  for (const segnale_t& s : segnali) {
    const int i = s.posizione / 50 + 1;
    const int tempo = s.tempo >= 1 && s.tempo <= 100 ? 101 : s.tempo;
    oggetti[i] = {1,
                  s.s1 * 10 + s.d1,
                  s.s2 * 10 + s.d2,
                  s.s3 * 10 + s.d3,
                  s.rapp * 10 + s.sx * 3 + s.dx,
                  s.sx == 2 ? tempo : 0};
    for (int r = 1; r <= 4; ++r) segni[i - 2 * r] = (s.sx * 3 + s.dx) * 10 + r;
  }
  ASSERT_EQ(oggetti.size(), 6u + 14 + 39 + 7 + 3 + 16);  // no two in one cell

  for (int i = 0; i <= n_celle; ++i) {
    const atteso a = oggetti.count(i) ? oggetti[i] : atteso{};
    EXPECT_EQ(c(i).tipo, a.tipo) << i;
    EXPECT_EQ(c(i).dato1, a.dato1) << i;
    EXPECT_EQ(c(i).dato2, a.dato2) << i;
    EXPECT_EQ(c(i).dato3, a.dato3) << i;
    EXPECT_EQ(c(i).dato4, a.dato4) << i;
    EXPECT_EQ(c(i).dato5, a.dato5) << i;
    EXPECT_EQ(c(i).segno, segni.count(i) ? segni[i] : 0) << i;
  }
}

TEST_F(ScenarioRead, SpotChecksFromTheTables) {
  // The slowdown at 22700 m.
  EXPECT_EQ(c(431).tipo, 4);
  EXPECT_EQ(c(455).tipo, 3);
  EXPECT_EQ(c(459).tipo, 2);
  // The tunnel of type 12 from 11200 to 12000 m.
  EXPECT_EQ(c(223).montagna, 0);
  EXPECT_EQ(c(224).montagna, 2);
  EXPECT_EQ(c(239).montagna, 2);
  EXPECT_EQ(c(240).montagna, 0);
  for (int i : {227, 231, 235, 239}) EXPECT_EQ(c(i).tipo, 11) << i;
  // Boards: 500 m and 39400 m.
  EXPECT_EQ(c(11).dato1, 1300);
  EXPECT_EQ(c(789).dato3, 2222);
  EXPECT_EQ(c(135).dato4, 20);
  // The two delayed signals.
  EXPECT_EQ(c(763).dato5, 130);
  EXPECT_EQ(c(1027).dato5, 120);
  EXPECT_EQ(c(1027).dato1, 22);
}

TEST_F(ScenarioRead, TrackGeometryEnds) {
  EXPECT_TRUE(std::holds_alternative<std::int16_t>(m_->tracciato.punto(1, 1)));
  EXPECT_TRUE(std::holds_alternative<double>(m_->tracciato.punto(66998, 0)));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(m_->tracciato.punto(66999, 0)));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(m_->tracciato.punto(67000, 1)));
  // Straight up to the first curve at 500 m.
  EXPECT_EQ(std::get<double>(m_->tracciato.punto(500, 0)), 0.0);
  EXPECT_EQ(std::get<double>(m_->tracciato.punto(500, 1)), 500.0);
  EXPECT_GT(std::get<double>(m_->tracciato.punto(501, 0)), 0.0);  // a right-hand curve
}

}  // namespace
}  // namespace scenario
