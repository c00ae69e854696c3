#include "tools/decompile/profiles.h"

#include <algorithm>

#include "compiler/format/formato.h"

namespace scenario::decompile {

std::int32_t pendenza_scritta(std::uint8_t b) {
  return std::int32_t{b} - scarto_pendenza;
}

std::int32_t velocita_scritta(std::uint8_t b) {
  return std::int32_t{b} * passo_velocita;
}

std::int32_t aderenza_scritta(std::uint8_t b) {
  return b;
}

std::int32_t posizione_massima(std::int64_t ultima_cella) {
  // A record at p fits when (p + 100) / 50 <= n.
  return static_cast<std::int32_t>(ultima_cella * metri_per_cella - margine_record);
}

std::int32_t posizione_iniziale(std::int64_t ultima_cella) {
  return std::min(0, posizione_massima(ultima_cella));
}

std::vector<record_profilo> recover_profile(
    const std::vector<cella>& celle, std::uint8_t cella::*campo, fine_profilo fine,
    const std::function<std::int32_t(std::uint8_t)>& valore) {
  const std::int64_t n = static_cast<std::int64_t>(celle.size()) - 1;
  auto b = [&](std::int64_t c) { return celle[static_cast<std::size_t>(c)].*campo; };
  auto in_metri = [](std::int64_t c) { return static_cast<std::int32_t>(c * metri_per_cella); };
  // The last cell a record can change the value at: its position must pass
  // the room test.
  const std::int64_t ultima_variazione = n - 2;

  // The last cell that must be written.
  std::int64_t ultima_scritta = -1;
  for (std::int64_t c = n; c >= 0; --c) {
    if (b(c) != 0) {
      ultima_scritta = c;
      break;
    }
  }
  if (fine == fine_profilo::finito) {
    // The fill to the end writes up to the third cell from the end anyway.
    ultima_scritta = std::max(ultima_scritta, std::max<std::int64_t>(n - 3, 0));
  }

  std::vector<record_profilo> out;
  const std::int32_t inizio = posizione_iniziale(n);
  if (ultima_scritta < 0) {
    out.push_back({inizio, 0});  // nothing written: only the first value, never used
    return out;
  }
  out.push_back({inizio, valore(b(0))});
  const std::int64_t fino_a = std::min(ultima_scritta, ultima_variazione);
  for (std::int64_t c = 1; c <= fino_a; ++c) {
    if (b(c) != b(c - 1)) out.push_back({in_metri(c), valore(b(c))});
  }

  // Cells from the third last on, beyond every change a record can make:
  // a record at the last position that fits writes one cell at a time once
  // the fill has reached it.
  if (ultima_scritta >= ultima_variazione && ultima_variazione >= 1) {
    const std::int32_t p = in_metri(ultima_variazione);
    if (out.back().posizione != p) out.push_back({p, valore(b(ultima_variazione))});
    for (std::int64_t c = ultima_variazione + 1; c <= ultima_scritta; ++c) {
      out.push_back({p, valore(b(c))});
    }
    if (fine == fine_profilo::interrotto) out.push_back({p, 0});  // writes the last cell
  } else if (fine == fine_profilo::interrotto) {
    // No fill to the end: a last record writes up to the last cell.
    out.push_back({in_metri(ultima_scritta + 1), 0});
  }
  return out;
}

}  // namespace scenario::decompile
