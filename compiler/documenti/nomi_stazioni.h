// Station names compared loosely, as a hand-written document gives them:
// letter case, accents, dots and blanks do not count ("VITERBO P.F." is
// "VITERBO P. F."), "S." stands for San, Santo and Santa, and one name may
// be part of the other ("ATTIGLIANO-BOMARZO" for "ATTIGLIANO", "S. Nicola"
// for "Sipicciano S. Nicola").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

enum class somiglianza : std::uint8_t { nessuna, parziale, uguale };

// The words of a name, in capitals without accents. Windows-1252, or UTF-8
// when the name is well-formed UTF-8 beyond ASCII.
std::vector<std::string> parole_nome(std::string_view nome);

// `uguale` for the same words; `parziale` when the words of one are a run of
// the other's; otherwise (an empty name too) `nessuna`.
somiglianza confronta_nomi(const std::vector<std::string>& a, const std::vector<std::string>& b);

// A document's or the data's text as UTF-8, for messages: as it stands when
// it is well-formed UTF-8 beyond ASCII, else read as Windows-1252.
std::string in_utf8(std::string_view testo);

}  // namespace scenario
