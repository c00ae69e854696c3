// Positions and times in words, as the tools and the checker print them:
// metres along the line, the kilometric progressive at a position, times of
// day. "km N+MMM" is kept for the kilometric progressive; a distance from
// the origin is given in metres.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/route_model/route_model.h"

namespace scenario {

// "km 22+700" for a progressive of 22700 m; "km -0+050" for -50 m.
std::string km(std::int64_t progressiva);

// A kilometric series in use: from `inizio` on, the progressive at position
// p is origine - p (series count down along the line), `origine` as the
// record wrote it.
struct serie_chilometrica {
  std::int32_t inizio = 0;
  std::int64_t origine = 0;
};

// The series in use (entries 81 to 83 flagged 1), by their start.
std::vector<serie_chilometrica> serie_in_uso(const tabella_elementi& e);

// The progressive at position `metri` (rounded to the metre), from the last
// series that starts at or before it; none before every series.
std::optional<std::int64_t> progressiva_a(const std::vector<serie_chilometrica>& s, double metri);

// The first position up to `fine` whose progressive is `progressiva`; none
// when no series reaches it.
std::optional<double> posizione_della_progressiva(const std::vector<serie_chilometrica>& s,
                                                  std::int64_t progressiva, double fine);

// "22700 m (km 16+350)" where a series covers the position, "22700 m"
// elsewhere.
std::string metri_e_progressiva(std::int64_t metri, const std::vector<serie_chilometrica>& s);

// The shorter form for labels: "km 16+350" where a series covers the
// position, "22700 m" elsewhere.
std::string progressiva_o_metri(std::int64_t metri, const std::vector<serie_chilometrica>& s);

// "cell 85 (4250 m)": a cell with its metre, the first one (cell 0 begins
// at the origin).
std::string cella_in_parole(std::int64_t cella);

// "13:49:00" for 49740 s after midnight; a negative or out-of-day value keeps
// its sign and counts hours past 24.
std::string hh_mm_ss(std::int64_t secondi);

}  // namespace scenario
