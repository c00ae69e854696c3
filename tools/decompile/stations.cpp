#include "tools/decompile/stations.h"

#include <algorithm>
#include <limits>
#include <string>

#include "compiler/format/arrotondamento.h"
#include "compiler/format/codifica_celle.h"
#include "tools/decompile/item_entries.h"

namespace scenario::decompile {

namespace {

using guasto = record_stazione::campo_guasto;

// The record's fields the entry keeps as they were read.
record_stazione campi_letti(const elemento& e) {
  record_stazione s;
  s.posizione = e.posizione;
  s.tipo = e.tipo;
  s.dato_b1 = e.dato_b1;
  s.dato_b4 = e.dato_b4;
  s.prolunga = e.prolunga;
  s.dato_i1 = e.dato_i1;
  s.dato_i2 = e.dato_i2;
  s.dato_b2 = e.dato_b2;
  s.dato_i3 = e.dato_i3;
  s.dato_i4 = e.dato_i4;
  s.dato_i5 = e.dato_i5;
  s.dato_b3 = e.dato_b3;
  s.nome = e.nome;
  // Seconds after midnight as hours, minutes and seconds that add up to
  // them exactly, whatever their sign.
  s.ore = e.orario / 3600;
  s.minuti = e.orario % 3600 / 60;
  s.secondi = e.orario % 60;
  return s;
}

bool entra(std::int64_t p, std::int64_t ultima_cella) {
  return static_cast<double>(p + margine_stazione) / metri_per_cella <=
         static_cast<double>(ultima_cella);
}

bool tipo_corto(int t) {
  return t == 5 || t == 6;
}
bool tipo_simmetrico(int t) {
  return t == 7 || t == 8;
}

// A station's area as the reader computes it from its axis, type and
// length (metres), lengthened by 50 m where asked.
std::pair<std::int64_t, std::int64_t> area(int tipo, std::int64_t p, std::int64_t lunghezza,
                                           bool prolungata) {
  if (tipo_corto(tipo)) return {p - lunghezza, p + coda_stazione_corta};
  if (tipo_simmetrico(tipo)) return {p - lunghezza, p + lunghezza};
  return {p - lunghezza / 2, p + lunghezza / 2 + (prolungata ? prolunga_metri : 0)};
}

// The whole record behind a station's entry, when its area follows from
// its axis, type and a length in hundreds of metres as the reader computes
// it. `prima` is the first station, whose "prolunga" and fourth datum are
// cleared after use.
std::optional<record_stazione> record_intero(const elemento& e, bool prima) {
  if (e.posizione % metri_per_cella != 0) return std::nullopt;
  const std::int64_t p = e.posizione;
  record_stazione s = campi_letti(e);
  const bool centrata = !tipo_corto(e.tipo) && !tipo_simmetrico(e.tipo);
  const std::int64_t lunghezza = centrata ? 2 * (p - e.inizio) : p - e.inizio;
  const bool prolungata = centrata && area(e.tipo, p, lunghezza, true).second == e.fine;
  if (area(e.tipo, p, lunghezza, prolungata) !=
      std::pair<std::int64_t, std::int64_t>{e.inizio, e.fine}) {
    return std::nullopt;
  }
  // "prolunga" is cleared for types 5 to 8, and for the first station
  // after use.
  if (!centrata || prima) {
    if (e.prolunga != 0) return std::nullopt;
    s.prolunga = prolungata ? 1 : 0;
  } else if ((e.prolunga != 0) != prolungata) {
    return std::nullopt;
  }
  if (lunghezza % 100 != 0 || lunghezza < INT32_MIN || lunghezza > INT32_MAX) return std::nullopt;
  s.lunghezza = static_cast<std::int32_t>(lunghezza);
  // The fourth datum is cleared for a short station and for the first one.
  constexpr std::int64_t corta = 600;  // metres
  if (lunghezza < corta || prima) {
    if (e.dato_b4 != 0) return std::nullopt;
  }
  return s;
}

// The record of a station whose reading failed partway: the fields read so
// far, then a number out of range in the field where it failed.
record_stazione record_parziale(const elemento& e) {
  record_stazione s = campi_letti(e);
  s.ore = s.minuti = s.secondi = 0;
  if (!e.nome.empty()) {
    s.guasto = guasto::orario;  // the name was read: the time overflowed
    return s;
  }
  // The field after the last one that holds a value.
  const std::pair<std::int32_t, guasto> letti[] = {
      {e.tipo, guasto::lunghezza},   {e.dato_b1, guasto::dato_b4}, {e.dato_b4, guasto::prolunga},
      {e.prolunga, guasto::dato_i1}, {e.dato_i1, guasto::dato_i2}, {e.dato_i2, guasto::dato_b2},
      {e.dato_b2, guasto::dato_i3},  {e.dato_i3, guasto::dato_i4}, {e.dato_i4, guasto::dato_i5},
      {e.dato_i5, guasto::dato_b3},  {e.dato_b3, guasto::orario},
  };
  s.guasto = guasto::tipo;
  for (const auto& [v, dopo] : letti) {
    if (v != 0) s.guasto = dopo;
  }
  return s;
}

// The nearest whole record to an entry no whole record gives (a damaged
// axis, start or end): of the axes and lengths its fields suggest, the one
// whose area agrees with most of them.
record_stazione record_approssimato(const elemento& e) {
  record_stazione migliore = campi_letti(e);
  int accordi_migliori = -1;
  const std::int64_t griglia = metri_per_cella, cento = 2 * metri_per_cella;
  auto su = [](std::int64_t v, std::int64_t passo) { return v / passo * passo; };
  const std::int64_t assi[] = {su(e.posizione, griglia),
                               su((std::int64_t{e.inizio} + e.fine) / 2, griglia)};
  for (const std::int64_t p : assi) {
    const std::int64_t lunghezze[] = {
        su(tipo_corto(e.tipo) || tipo_simmetrico(e.tipo) ? p - e.inizio : 2 * (p - e.inizio),
           cento),
        su(tipo_simmetrico(e.tipo) ? e.fine - p : 2 * (e.fine - p), cento),
        su(2 * (e.fine - prolunga_metri - p), cento)};
    for (const std::int64_t l : lunghezze) {
      for (const bool prolungata : {false, true}) {
        const auto [inizio, fine] = area(e.tipo, p, l, prolungata);
        const int accordi = (inizio == e.inizio) + (fine == e.fine) + (p == e.posizione);
        if (accordi <= accordi_migliori || l < INT32_MIN || l > INT32_MAX) continue;
        accordi_migliori = accordi;
        migliore.posizione = static_cast<std::int32_t>(p);
        migliore.lunghezza = static_cast<std::int32_t>(l);
        migliore.prolunga = prolungata ? 1 : 0;
      }
    }
  }
  return migliore;
}

}  // namespace

// End cells of a station whose entry holds no station, as when the
// indication boards' texts took it (stations and boards share entries 1 to
// 80): the end cell and the approach marks the station put before it.
void nota_fini_senza_stazione(const std::vector<cella>& celle, int ultimo_posto, notes& n) {
  for (std::size_t c = 0; c < celle.size(); ++c) {
    const cella& x = celle[c];
    const std::int32_t j = stazione_di(x);
    if (x.tipo != tipo_cella::fine_stazione || (j >= 1 && j <= ultimo_posto)) continue;
    const std::string why = "what station " + std::to_string(j) +
                            " put here (its end or an approach mark): its entry holds no station "
                            "(the stations' entries end at " +
                            std::to_string(ultimo_posto) +
                            ", as the boards' texts take the others)";
    n.add({place::cell, static_cast<std::int64_t>(c)}, why);
    for (std::size_t k = 1; k <= static_cast<std::size_t>(n_segni_stazione) && k <= c; ++k) {
      if (celle[c - k].segno == segno_stazione_n(static_cast<int>(k))) {
        n.add({place::cell, static_cast<std::int64_t>(c - k)}, why);
      }
    }
  }
}

station_recovery recover_stations(const std::vector<cella>& celle, const tabella_elementi& elementi,
                                  int posto_libero, notes& n) {
  station_recovery out;
  const std::int64_t ultima_cella = static_cast<std::int64_t>(celle.size()) - 1;
  // Stations fill the slots from 1 without a gap; anything after the first
  // empty slot below the boards is no station's.
  int ultimo_posto = 0;
  while (ultimo_posto + 1 <= posto_libero &&
         !vuota(elementi[static_cast<std::size_t>(ultimo_posto + 1)])) {
    ++ultimo_posto;
  }
  for (int j = ultimo_posto + 1; j <= posto_libero; ++j) {
    if (!vuota(elementi[static_cast<std::size_t>(j)])) {
      n.add({place::entry, j},
            "the entry holds values after an empty station slot, which no "
            "station or indication board record writes");
    }
  }

  std::int32_t fine_precedente = 0;
  for (int j = voce::prima_stazione; j <= ultimo_posto; ++j) {
    const elemento& e = elementi[static_cast<std::size_t>(j)];
    const bool prima = j == voce::prima_stazione;
    std::optional<record_stazione> s =
        entra(e.posizione, ultima_cella) ? record_intero(e, prima) : std::nullopt;
    bool ferma = false;  // the reader stopped right after this station
    if (s) {
      if (e.tipo < tipo_stazione_senza_celle) {
        const double q = e.fine / static_cast<double>(metri_per_cella) - 1;
        if (!(q > 1)) {
          ferma = true;  // no end cell: code 24
        } else {
          const std::int64_t c = R(q);
          const bool trovata =
              c >= 0 && c <= ultima_cella &&
              celle[static_cast<std::size_t>(c)].tipo == tipo_cella::fine_stazione &&
              stazione_di(celle[static_cast<std::size_t>(c)]) == j;
          if (!trovata) {
            n.add({place::entry, j}, "the station's end cell " + std::to_string(c) +
                                         " does not hold an end of station " + std::to_string(j));
          }
        }
      }
      if (!prima && std::int64_t{e.inizio} - distanza_stazioni < fine_precedente) {
        ferma = true;  // too close to the station before: code 22
      }
      if (j + 1 >= posto_libero) ferma = true;  // the board slots are reached: code 10
    } else {
      s = record_parziale(e);
      ferma = true;
      const bool solo_posizione = s->guasto == guasto::tipo && e.tipo == 0;
      if (solo_posizione && !entra(e.posizione, ultima_cella)) {
        s->guasto = guasto::nessuno;  // the room test stops the reader, which finishes its fills
        out.finisce_il_file = true;
      } else if (solo_posizione && e.posizione % metri_per_cella != 0) {
        s->guasto = guasto::nessuno;  // off the grid: code 8, nothing more read
      }
    }
    for (const char ch : s->nome) {
      if (ch == ',' || ch == '\r' || ch == '\n') {
        n.add({place::entry, j},
              "the station's name holds a comma or a line break, which end "
              "a field of the service file");
      }
    }
    if (!s->nome.empty() && (s->nome.front() == ' ' || s->nome.front() == '\t')) {
      n.add({place::entry, j}, "the station's name begins with a blank, which the reader skips");
    }
    if (ferma) {
      if (j != ultimo_posto) {
        // Not the last: written as a whole record, so that the stations
        // after it are still read.
        n.add({place::entry, j}, "the reader stops at this station, yet stations follow it");
        if (s->guasto != guasto::nessuno) s = record_approssimato(e);
        out.stazioni.push_back(*s);
      } else {
        out.ultima = *s;
      }
    } else {
      out.stazioni.push_back(*s);
    }
    fine_precedente = e.fine;
  }
  nota_fini_senza_stazione(celle, ultimo_posto, n);
  return out;
}

}  // namespace scenario::decompile
