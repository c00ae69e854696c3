#include "compiler/documenti/nomi_stazioni.h"

#include <algorithm>

#include "base/cp1252.h"
#include "base/utf8.h"

namespace scenario {

namespace {

// The letter without its accent, in capitals; 0 for anything that is no
// letter or digit.
char lettera(char32_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<char>(c);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) c -= 0x20;  // Latin-1 capitals
  if (c >= 0xC0 && c <= 0xC5) return 'A';
  if (c == 0xC7) return 'C';
  if (c >= 0xC8 && c <= 0xCB) return 'E';
  if (c >= 0xCC && c <= 0xCF) return 'I';
  if (c == 0xD1) return 'N';
  if ((c >= 0xD2 && c <= 0xD6) || c == 0xD8) return 'O';
  if (c >= 0xD9 && c <= 0xDC) return 'U';
  return 0;
}

bool utf8_oltre_ascii(std::string_view t) {
  bool oltre = false;
  for (std::size_t i = 0; i < t.size();) {
    if (static_cast<unsigned char>(t[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t n = sequenza_utf8(t.substr(i));
    if (n < 2) return false;
    oltre = true;
    i += n;
  }
  return oltre;
}

}  // namespace

std::vector<std::string> parole_nome(std::string_view nome) {
  std::u32string punti;
  if (utf8_oltre_ascii(nome)) {
    punti = decode_utf8(nome);
  } else {
    for (const char c : nome) punti.push_back(static_cast<unsigned char>(c));
  }
  std::vector<std::string> parole;
  std::string parola;
  auto chiudi = [&] {
    if (parola.empty()) return;
    if (parola == "SAN" || parola == "SANTO" || parola == "SANTA" || parola == "SANTI") {
      parola = "S";
    }
    parole.push_back(std::move(parola));
    parola.clear();
  };
  for (const char32_t c : punti) {
    const char l = lettera(c);
    if (l != 0) {
      parola += l;
    } else {
      chiudi();
    }
  }
  chiudi();
  return parole;
}

somiglianza confronta_nomi(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  if (a.empty() || b.empty()) return somiglianza::nessuna;
  if (a == b) return somiglianza::uguale;
  const auto& corto = a.size() < b.size() ? a : b;
  const auto& lungo = a.size() < b.size() ? b : a;
  return std::search(lungo.begin(), lungo.end(), corto.begin(), corto.end()) != lungo.end()
             ? somiglianza::parziale
             : somiglianza::nessuna;
}

std::string in_utf8(std::string_view testo) {
  return utf8_oltre_ascii(testo) ? std::string(testo) : cp1252_to_utf8(testo);
}

}  // namespace scenario
