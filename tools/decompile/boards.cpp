#include "tools/decompile/boards.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "compiler/format/codifica_celle.h"
#include "tools/decompile/item_entries.h"
#include "tools/decompile/signals.h"

namespace scenario::decompile {

namespace {

std::int32_t posizione_di(std::int64_t cella) {
  return static_cast<std::int32_t>(posizione_oggetto(cella));
}

}  // namespace

record_indicatore unpack_speed_board(std::int32_t posizione, std::int16_t dato1, std::int16_t dato2,
                                     std::int16_t dato3, std::int16_t dato4) {
  cella x;
  x.dato1 = dato1;
  x.dato2 = dato2;
  x.dato3 = dato3;
  x.dato4 = dato4;
  const velocita_cartello v = spacchetta_cartello(x);
  record_indicatore b;
  b.valori.posizione = posizione;
  b.valori.vas = v.sinistra[0];
  b.valori.vbs = v.sinistra[1];
  b.valori.vcs = v.sinistra[2];
  b.valori.vad = v.destra[0];
  b.valori.vbd = v.destra[1];
  b.valori.vcd = v.destra[2];
  b.destra_vuota = v.destra[0] == 0 && v.destra[1] == 0 && v.destra[2] == 0;
  b.valori.strisces = v.strisce_sinistra;
  b.valori.strisced = v.strisce_destra;
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
          unpack_speed_board(posizione_di(c), x.dato1, x.dato2, x.dato3, x.dato4));
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
        out.indicatori.push_back(unpack_speed_board(posizione_di(c), 0, x.dato2, x.dato3, x.dato4));
      } else {
        fini_stazione_libere.push_back(c);
      }
    } else if (x.tipo == tipo_cella::cartello_indicatore) {
      if (voce_cartello(x) >= 0 && voce_cartello(x) <= voce::ultimo_cartello) {
        celle_del_posto[static_cast<std::size_t>(voce_cartello(x))].push_back(c);
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
    out.cartelli.push_back({posizione_di(c), e.nome});
  }
  // The 81st board: its cell was written, then the reader stopped.
  if (!celle_del_posto[0].empty()) {
    if (piu_basso == 1) {
      out.cartelli.push_back({posizione_di(celle_del_posto[0].front()), ""});
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
