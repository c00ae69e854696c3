// Times on the timetable sheet: hours and minutes, "+" for half a minute
// ("13.59+" is 13:59:30). Compared and written in half minutes of the day.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scenario {

inline constexpr std::int64_t mezzi_minuti_giorno = 24 * 60 * 2;

// Seconds after midnight to half minutes of the day, R(s / 30).
std::int64_t mezzi_minuti(std::int64_t secondi);

// "13.59+" or "14.00 ": hours right-aligned in two places, six characters.
std::string orario_scheda(std::int64_t mezzi);

// "14:09:00" for messages.
std::string orario_esteso(std::int64_t secondi);

// One time read from a cell: "13.59+", "14:00", "9,05"; where it stands in
// the text.
struct orario_letto {
  std::int64_t mezzi = 0;
  std::size_t inizio = 0;
  std::size_t fine = 0;
};

// The time that starts at `da` in `t` (digits, a separator ".", ":" or ",",
// two digits, an optional "+"); nothing when none does.
std::optional<orario_letto> leggi_orario(std::string_view t, std::size_t da);

}  // namespace scenario
