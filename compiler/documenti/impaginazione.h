// The layouts of the two documents, as the program's own sheet and form
// draw them: which of their lines make the frame, how many rows a page
// holds and how wide each column is. The generators draw with these and the
// reader reads by them.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

namespace pagina_scheda {
// Lines of the program's sheet, from 0.
inline constexpr std::size_t prima_riga = 16;  // the first row of the grid
inline constexpr std::size_t righe = 31;       // rows on a page: 18 points and 13 empty rows
inline constexpr std::size_t riga_vuota = 34;  // an empty row
inline constexpr std::size_t chiusura = 47;    // the grid's closing rule
inline constexpr std::size_t nota_mezzo_minuto = 50;
inline constexpr std::size_t n_righe = 54;  // lines of a page
// Columns of a row, each as wide as between its bars.
inline constexpr std::array<std::size_t, 7> larghezze = {5, 5, 10, 24, 16, 9, 11};
enum colonna : std::size_t { vel_lim, vel_mar, km, localita, orario, v_max, srs };
// In the time cell: arrival from the first character, departure from the
// eleventh, a passing time centred from the sixth.
inline constexpr std::size_t da_arrivo = 0;
inline constexpr std::size_t da_partenza = 10;
inline constexpr std::size_t da_passaggio = 5;
inline constexpr std::string_view segno_calcolato = "(c)";  // a computed passing time
}  // namespace pagina_scheda

namespace pagina_modulo {
// Lines of the program's form, from 0.
inline constexpr std::size_t prima_riga = 12;  // the first row of the table
inline constexpr std::size_t righe = 26;       // lines for rows, the end mark included
inline constexpr std::size_t asterischi = 13;  // a line of the end mark, three of them
inline constexpr std::size_t n_asterischi = 3;
inline constexpr std::size_t riga_vuota = 16;
inline constexpr std::size_t chiusura = 38;
inline constexpr std::size_t prescrizioni = 40;  // heading, then A, B, D, C
inline constexpr std::size_t prescrizione_b = 42;
inline constexpr std::size_t n_righe = 46;
inline constexpr std::array<std::size_t, 6> larghezze = {3, 28, 12, 10, 9, 12};
enum colonna : std::size_t { numero, stazioni, cippo, velocita, lunghezza, prescrizioni_cella };
inline constexpr std::size_t rientro_stazioni = 3;  // blanks before the stations' names
}  // namespace pagina_modulo

// " |a|b|c|": the cells padded or cut to their widths, between bars.
std::string riga_tabella(std::span<const std::string> celle,
                         std::span<const std::size_t> larghezze);

// `testo` padded with blanks to `larghezza`, or cut to it.
std::string a_larghezza(std::string_view testo, std::size_t larghezza);

// The words of `testo` in lines of at most `larghezza` characters; a word
// longer than that is cut across lines. At least one line.
std::vector<std::string> a_capo(std::string_view testo, std::size_t larghezza);

// A line of the program's document as its bytes (Windows-1252).
std::string riga_fissa(std::span<const std::string_view> righe, std::size_t i);

// `riga` and the CR LF that ends every line of the documents.
void aggiungi_riga(std::string& out, std::string_view riga);

}  // namespace scenario
