#include "compiler/documenti/impaginazione.h"

#include "base/cp1252.h"

namespace scenario {

std::string a_larghezza(std::string_view testo, std::size_t larghezza) {
  std::string t(testo.substr(0, larghezza));
  t.resize(larghezza, ' ');
  return t;
}

std::string riga_tabella(std::span<const std::string> celle,
                         std::span<const std::size_t> larghezze) {
  std::string r = " |";
  for (std::size_t i = 0; i < larghezze.size(); ++i) {
    r += a_larghezza(i < celle.size() ? std::string_view(celle[i]) : std::string_view{},
                     larghezze[i]);
    r += '|';
  }
  return r;
}

std::vector<std::string> a_capo(std::string_view testo, std::size_t larghezza) {
  std::vector<std::string> righe(1);
  if (larghezza == 0) return righe;
  std::size_t i = 0;
  while (i < testo.size()) {
    if (testo[i] == ' ') {
      ++i;
      continue;
    }
    std::size_t fine = testo.find(' ', i);
    if (fine == std::string_view::npos) fine = testo.size();
    std::string_view parola = testo.substr(i, fine - i);
    i = fine;
    while (!parola.empty()) {
      std::string& r = righe.back();
      const std::size_t spazio = r.empty() ? 0 : 1;
      if (r.size() + spazio + parola.size() <= larghezza) {
        if (spazio != 0) r += ' ';
        r += parola;
        break;
      }
      if (!r.empty()) {
        righe.emplace_back();
        continue;
      }
      r = parola.substr(0, larghezza);
      parola.remove_prefix(r.size());
      if (!parola.empty()) righe.emplace_back();
    }
  }
  return righe;
}

std::string riga_fissa(std::span<const std::string_view> righe, std::size_t i) {
  return i < righe.size() ? utf8_to_cp1252(righe[i]) : std::string{};
}

void aggiungi_riga(std::string& out, std::string_view riga) {
  out += riga;
  out += "\r\n";
}

}  // namespace scenario
