#include "compiler/marcia/funzione_gradini.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(FunzioneGradini, ValoreAiBordi) {
  const funzione_gradini f({0.0, 100.0, 250.0}, {1.0, 2.0, 3.0}, 9.0);
  EXPECT_EQ(f.in(-5.0), 1.0);  // the first value holds before
  EXPECT_EQ(f.in(99.999), 1.0);
  EXPECT_EQ(f.in(100.0), 2.0);
  EXPECT_EQ(f.in(250.0), 3.0);
  EXPECT_EQ(f.in(1e9), 3.0);
  EXPECT_EQ(funzione_gradini({}, {}, 9.0).in(0.0), 9.0);
  // The first place at or below a threshold, in [da, a).
  const funzione_gradini g({0.0, 100.0, 250.0}, {5.0, 2.0, 3.0}, 9.0);
  EXPECT_EQ(g.primo_non_oltre(0.0, 300.0, 2.0), 100.0);
  EXPECT_EQ(g.primo_non_oltre(150.0, 300.0, 2.0), 150.0);
  EXPECT_EQ(g.primo_non_oltre(0.0, 100.0, 2.0), 100.0);
  EXPECT_EQ(g.primo_non_oltre(0.0, 300.0, 1.0), 300.0);
  EXPECT_EQ(g.primo_non_oltre(-50.0, 300.0, 5.0), -50.0);
  cursore_gradini c(f);
  EXPECT_EQ(c.in(50.0), 1.0);
  EXPECT_EQ(c.in(100.0), 2.0);
  EXPECT_EQ(c.in(400.0), 3.0);
}

TEST(FunzioneGradini, InviluppoDegliIntervalli) {
  const std::vector<intervallo_valore> iv = {
      {0.0, 100.0, 5.0}, {50.0, 80.0, 3.0}, {80.0, 120.0, 4.0}, {200.0, 200.0, 0.0}};
  const funzione_gradini minimo = inviluppo(iv, true, 10.0);
  EXPECT_EQ(minimo.in(-1.0), 10.0);
  EXPECT_EQ(minimo.in(0.0), 5.0);
  EXPECT_EQ(minimo.in(50.0), 3.0);
  EXPECT_EQ(minimo.in(80.0), 4.0);  // one ends where the next begins
  EXPECT_EQ(minimo.in(100.0), 4.0);
  EXPECT_EQ(minimo.in(120.0), 10.0);
  EXPECT_EQ(minimo.in(200.0), 10.0);  // an empty interval covers nothing
  const funzione_gradini massimo = inviluppo(iv, false, 0.0);
  EXPECT_EQ(massimo.in(60.0), 5.0);
  EXPECT_EQ(massimo.in(100.0), 4.0);
  EXPECT_EQ(massimo.in(130.0), 0.0);
  // Equal values side by side make one step.
  const funzione_gradini uno = inviluppo({{0.0, 10.0, 1.0}, {10.0, 20.0, 1.0}}, true, 7.0);
  EXPECT_EQ(uno.inizi().size(), 3u);
}

}  // namespace
}  // namespace scenario
