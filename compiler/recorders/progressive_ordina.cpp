#include "compiler/recorders/progressive_ordina.h"

#include "compiler/recorders/accesso_modello.h"

namespace scenario {

namespace {

// One series: start, origin value, flag (entry fields inizio, fine, posizione).
struct serie {
  std::int32_t inizio = 0;
  std::int32_t fine = 0;
  std::int32_t posizione = 0;
  std::int32_t record = nessun_record;  // where it was read, when sources are kept
};

serie da_voce(const modello_percorso& m, const sorgenti_modello* s, int v) {
  const elemento& e = m.elementi[static_cast<std::size_t>(v)];
  return {e.inizio, e.fine, e.posizione,
          s != nullptr ? s->elementi[static_cast<std::size_t>(v)] : nessun_record};
}

void in_voce(modello_percorso& m, sorgenti_modello* s, int v, const serie& x) {
  elemento& e = m.elementi[static_cast<std::size_t>(v)];
  e.inizio = x.inizio;
  e.fine = x.fine;
  e.posizione = x.posizione;
  if (s != nullptr) s->elementi[static_cast<std::size_t>(v)] = x.record;
}

}  // namespace

void progressive_ordina(modello_percorso& m, sorgenti_modello* s) {
  const serie t = da_voce(m, s, voce::progressiva_tre);
  const serie d = da_voce(m, s, voce::progressiva_due);
  const serie u = da_voce(m, s, voce::progressiva_uno);
  const std::int32_t a = d.inizio;
  const std::int32_t b = t.inizio;
  const std::int32_t c = u.inizio;
  serie r81, r82, r83;

  // a + b + c as Longs, left to right.
  const std::int32_t somma = long_di(static_cast<std::int64_t>(long_di(std::int64_t{a} + b)) + c);
  if (somma != 0) {
    // Greatest start first; equal smaller starts keep "uno", "due", "tre".
    if (b > a && b > c) {
      r81 = t;
      if (a > c) {
        r82 = d;
        r83 = u;
      } else {
        r82 = u;
        r83 = d;
      }
    }
    if (a > b && a > c) {
      r81 = d;
      if (b > c) {
        r82 = t;
        r83 = u;
      } else {
        r82 = u;
        r83 = t;
      }
    }
    if (c > a && c > b) {
      r81 = u;
      if (b > a) {
        r82 = t;
        r83 = d;
      } else {
        r82 = d;
        r83 = t;
      }
    }
  } else if (u.fine > 0) {
    // All series start at the origin: the first with an origin value leads.
    r81 = u;
    r82 = d;
    r83 = t;
  } else if (d.fine > 0) {
    r81 = d;
    r82 = t;
    r83 = u;
  } else if (t.fine > 0) {
    r81 = t;
    r82 = d;
    r83 = u;
  }

  in_voce(m, s, voce::progressiva_tre, r81);
  in_voce(m, s, voce::progressiva_due, r82);
  in_voce(m, s, voce::progressiva_uno, r83);
  for (int i = voce::progressiva_tre; i <= voce::progressiva_uno; ++i) {
    elemento& e = m.elementi[static_cast<std::size_t>(i)];
    if (e.posizione == 1) e.fine = long_di(std::int64_t{e.fine} + aggiunta_progressiva);
  }
}

}  // namespace scenario
