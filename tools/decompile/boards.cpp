#include "tools/decompile/boards.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "compiler/format/formato.h"
#include "tools/decompile/item_entries.h"
#include "tools/decompile/signals.h"

namespace scenario::decompile {

namespace {

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

struct velocita_lati {
  std::int32_t sinistra = 0, destra = 0;
};

// The ways a packed value (left x 20 + right / 5) is read: left only, both
// sides equal, or the general split with the right speed below 100 km/h.
std::optional<velocita_lati> solo_sinistra(std::int64_t d) {
  if (d % peso_lato_sinistro != 0) return std::nullopt;
  return velocita_lati{static_cast<std::int32_t>(d / peso_lato_sinistro), 0};
}

std::optional<velocita_lati> lati_uguali(std::int64_t d) {
  // left = right = 5 w gives 100 w + w.
  const std::int64_t per_passo = std::int64_t{peso_lato_sinistro} * passo_velocita + 1;
  if (d % per_passo != 0) return std::nullopt;
  const auto v = static_cast<std::int32_t>(d / per_passo * passo_velocita);
  return velocita_lati{v, v};
}

velocita_lati diviso(std::int64_t d) {
  const std::int64_t sinistra = floor_div(d, peso_lato_sinistro);
  const std::int64_t resto = d - sinistra * peso_lato_sinistro;
  return {static_cast<std::int32_t>(sinistra), static_cast<std::int32_t>(resto * passo_velocita)};
}

bool a_passi(const std::array<velocita_lati, 3>& v) {
  return std::all_of(v.begin(), v.end(), [](const velocita_lati& s) {
    return s.sinistra % passo_velocita == 0 && s.destra % passo_velocita == 0;
  });
}

std::int32_t posizione_oggetto(std::int64_t cella) {
  return static_cast<std::int32_t>((cella - 1) * metri_per_cella);
}

}  // namespace

record_indicatore unpack_speed_board(std::int32_t posizione, std::int16_t dato1, std::int16_t dato2,
                                     std::int16_t dato3, std::int16_t dato4) {
  const std::array<std::int64_t, 3> d = {dato1, dato2, dato3};
  std::vector<std::array<velocita_lati, 3>> letture;
  for (auto* modo : {&solo_sinistra, &lati_uguali}) {
    std::array<velocita_lati, 3> v;
    bool tutte = true;
    for (std::size_t i = 0; i < 3; ++i) {
      const auto s = (*modo)(d[i]);
      tutte = tutte && s.has_value();
      if (s) v[i] = *s;
    }
    if (tutte) letture.push_back(v);
  }
  letture.push_back({diviso(d[0]), diviso(d[1]), diviso(d[2])});
  const auto scelta = std::find_if(letture.begin(), letture.end(), a_passi);
  const std::array<velocita_lati, 3>& v = scelta != letture.end() ? *scelta : letture.front();

  record_indicatore b;
  b.valori.posizione = posizione;
  b.valori.vas = v[0].sinistra;
  b.valori.vbs = v[1].sinistra;
  b.valori.vcs = v[2].sinistra;
  b.valori.vad = v[0].destra;
  b.valori.vbd = v[1].destra;
  b.valori.vcd = v[2].destra;
  b.destra_vuota = v[0].destra == 0 && v[1].destra == 0 && v[2].destra == 0;
  b.valori.strisces = static_cast<std::int32_t>(floor_div(dato4, 10));
  b.valori.strisced = static_cast<std::int32_t>(dato4 - 10 * b.valori.strisces);
  return b;
}

board_recovery recover_boards(const std::vector<cella>& celle, const tabella_elementi& elementi,
                              notes& n) {
  board_recovery out;
  const std::int64_t ultima_cella = static_cast<std::int64_t>(celle.size()) - 1;
  std::array<std::vector<std::int64_t>, voce::ultimo_cartello + 1> celle_del_posto;
  std::vector<std::int64_t> fini_stazione_libere;  // end cells that may hide an indication board
  for (std::int64_t c = 0; c <= ultima_cella; ++c) {
    const cella& x = celle[static_cast<std::size_t>(c)];
    if (x.tipo == tipo_cella::indicatore_v_max) {
      if (x.dato5 != 0) {
        n.add({place::cell, c}, "a speed board with a fifth value, which boards do not have");
      }
      out.indicatori.push_back(
          unpack_speed_board(posizione_oggetto(c), x.dato1, x.dato2, x.dato3, x.dato4));
    } else if (x.tipo == tipo_cella::fine_stazione) {
      if (x.dato5 != 0 && segnale_sotto_stazione(celle, static_cast<std::size_t>(c))) {
        // A signal's opening delay: the signal recovery names the cell.
      } else if (x.dato5 != 0) {
        n.add({place::cell, c},
              "a station's end cell with a fifth value: an object with one stood there before "
              "the station, which no order of records allows");
      } else if (x.dato2 != 0 || x.dato3 != 0 || x.dato4 != 0) {
        // A speed board the station's end cell was written over: its first
        // value is lost, its others stay.
        out.indicatori.push_back(
            unpack_speed_board(posizione_oggetto(c), 0, x.dato2, x.dato3, x.dato4));
      } else {
        fini_stazione_libere.push_back(c);
      }
    } else if (x.tipo == tipo_cella::cartello_indicatore) {
      if (x.dato1 >= 0 && x.dato1 <= voce::ultimo_cartello) {
        celle_del_posto[static_cast<std::size_t>(x.dato1)].push_back(c);
      } else {
        n.add({place::cell, c}, "an indication board pointing at entry " + std::to_string(x.dato1) +
                                    ", outside the board slots 80 down to 1");
      }
      if (x.dato2 != 0 || x.dato3 != 0 || x.dato4 != 0 || x.dato5 != 0) {
        n.add({place::cell, c}, "an indication board with values beyond its entry number");
      }
    }
  }

  // The board slots: from 80 down to the lowest one a cell points at, and
  // further down over entries that hold a name only.
  int piu_basso = voce::ultimo_cartello + 1;
  for (int s = 1; s <= voce::ultimo_cartello; ++s) {
    if (!celle_del_posto[static_cast<std::size_t>(s)].empty()) {
      piu_basso = s;
      break;
    }
  }
  while (piu_basso > 1) {
    const elemento& e = elementi[static_cast<std::size_t>(piu_basso - 1)];
    if (!senza_numeri(e) || e.nome.empty()) break;
    --piu_basso;
  }
  out.posto_libero = piu_basso - 1;

  std::size_t prossima_fine = 0;
  for (int s = voce::ultimo_cartello; s >= piu_basso; --s) {
    const elemento& e = elementi[static_cast<std::size_t>(s)];
    if (!senza_numeri(e)) {
      n.add({place::entry, s}, "a board's text entry with numbers, which boards do not have");
    }
    const auto& puntate = celle_del_posto[static_cast<std::size_t>(s)];
    std::int64_t c = 0;
    if (!puntate.empty()) {
      c = puntate.front();
      for (std::size_t i = 1; i < puntate.size(); ++i) {
        n.add({place::cell, puntate[i]}, "a second indication board pointing at entry " +
                                             std::to_string(s) +
                                             "; every board has an entry of its own");
      }
    } else if (prossima_fine < fini_stazione_libere.size()) {
      c = fini_stazione_libere[prossima_fine++];  // a station's end was written over it
    } else {
      n.add({place::entry, s}, "a board's text whose board stands in no cell");
      continue;
    }
    out.cartelli.push_back({posizione_oggetto(c), e.nome});
  }
  // The 81st board: its cell was written, then the reader stopped.
  if (!celle_del_posto[0].empty()) {
    if (piu_basso == 1) {
      out.cartelli.push_back({posizione_oggetto(celle_del_posto[0].front()), ""});
      out.ottantunesimo = true;
    }
    for (std::size_t i = out.ottantunesimo ? 1 : 0; i < celle_del_posto[0].size(); ++i) {
      n.add({place::cell, celle_del_posto[0][i]},
            "an indication board pointing at entry 0, which only an 81st board does");
    }
  }
  std::stable_sort(out.indicatori.begin(), out.indicatori.end(), [](const auto& a, const auto& b) {
    return a.valori.posizione < b.valori.posizione;
  });
  return out;
}

}  // namespace scenario::decompile
