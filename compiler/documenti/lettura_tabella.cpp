#include "compiler/documenti/lettura_tabella.h"

#include <string>

#include "base/cp1252.h"
#include "base/text_format.h"
#include "base/utf8.h"

namespace scenario {

namespace {

bool solo(std::string_view t, char c) {
  bool visto = false;
  for (const char x : t) {
    if (x == c) {
      visto = true;
    } else if (!blank(x)) {
      return false;
    }
  }
  return visto;
}

// The closing rule: cells of underscores, or blanks, between bars.
bool chiusura(const std::vector<std::string_view>& parti) {
  bool sottolineata = false;
  for (const std::string_view p : parti) {
    if (!without_blanks(p).empty() && !solo(p, '_')) return false;
    sottolineata = sottolineata || solo(p, '_');
  }
  return sottolineata;
}

class lettore_tabella {
 public:
  lettore_tabella(std::string_view bytes, const forma_tabella& forma) : b_(bytes), f_(forma) {}

  tabella_letta leggi() {
    if (solo_blank(b_)) {
      segnala(id_rilievo::vuoto, {1, 1, 0},
              std::string("the ") + f_.nome + " is empty: nothing was compared");
      return std::move(t_);
    }
    std::size_t i = 0;
    std::int32_t n = 0;
    while (i < b_.size()) {
      std::size_t fine = b_.find_first_of("\r\n", i);
      if (fine == std::string_view::npos) fine = b_.size();
      const std::string_view riga = b_.substr(i, fine - i);
      ++n;
      if (fine < b_.size()) {
        const bool crlf = b_[fine] == '\r' && fine + 1 < b_.size() && b_[fine + 1] == '\n';
        if (!crlf && !fine_segnalata_) {
          fine_segnalata_ = true;
          segnala(id_rilievo::fine_riga, {n, static_cast<std::int32_t>(riga.size()) + 1, 1},
                  std::string("this line ends with ") + (b_[fine] == '\n' ? "LF" : "CR") +
                      " alone; the documents end every line with CR LF. Read on as it stands");
        }
        i = fine + (crlf ? 2 : 1);
      } else {
        i = fine;
      }
      controlla_byte(riga, n);
      leggi_riga(riga, n);
    }
    t_.ultima_riga = n;
    t_.intera = t_.trovata && stato_ == stato::cerca;
    if (stato_ != stato::cerca) {
      segnala(id_rilievo::troncato, {n, 1, 0},
              std::string("the ") + f_.nome + " ends inside its table (no closing rule " +
                  (stato_ == stato::intestazione ? "under the heading" : "after the rows") +
                  "): it seems cut short. " + plural(t_.righe.size(), "row", "rows") +
                  " read before it " + (t_.righe.size() == 1 ? "was" : "were") +
                  " compared; nothing after the last one was");
    }
    if (!t_.trovata) {
      if (riga_altra_ != 0) {
        segnala(id_rilievo::altro_formato, {riga_altra_, 1, 0},
                std::string("this is the heading of a ") + f_.altro_nome + ", not of a " + f_.nome +
                    ": nothing was compared");
      } else {
        segnala(id_rilievo::altro_formato, {1, 1, 0},
                std::string("no ") + f_.nome + " table found (its heading line is missing): " +
                    "this document has another layout, and nothing was compared");
      }
    }
    return std::move(t_);
  }

 private:
  enum class stato { cerca, intestazione, righe };

  static bool solo_blank(std::string_view b) {
    for (const char c : b) {
      if (!blank(c) && c != '\r' && c != '\n') return false;
    }
    return true;
  }

  void segnala(const char* id, posto dove, std::string messaggio) {
    t_.rilievi_lettura.push_back(
        rilievo_di(id, f_.doc, genere_rilievo::lettura, dove, std::move(messaggio)));
  }

  void controlla_byte(std::string_view riga, std::int32_t n) {
    if (!tab_segnalata_) {
      if (const std::size_t tab = riga.find('\t'); tab != std::string_view::npos) {
        tab_segnalata_ = true;
        segnala(id_rilievo::tabulazione, {n, static_cast<std::int32_t>(tab) + 1, 1},
                "a tab: the documents line their columns up with blanks, so a tab shifts "
                "everything after it. Read as a blank");
      }
    }
    if (utf8_segnalato_) return;
    for (std::size_t k = 0; k < riga.size(); ++k) {
      if (static_cast<unsigned char>(riga[k]) < 0x80) continue;
      const std::size_t s = sequenza_utf8(riga.substr(k));
      if (s < 2) continue;
      utf8_segnalato_ = true;
      segnala(id_rilievo::utf8, {n, static_cast<std::int32_t>(k) + 1, static_cast<std::int32_t>(s)},
              "this document holds UTF-8 text ('" + std::string(riga.substr(k, s)) +
                  "' is stored as " + std::to_string(s) + " bytes, read as '" +
                  cp1252_to_utf8(riga.substr(k, s)) +
                  "'), but the documents are Windows-1252: save it in that code page. Read on "
                  "as it stands");
      return;
    }
  }

  void leggi_riga(std::string_view riga, std::int32_t n) {
    switch (stato_) {
      case stato::cerca:
        if (f_.intestazione(riga)) {
          stato_ = stato::intestazione;
          t_.trovata = true;
        } else if (riga_altra_ == 0 && f_.intestazione_altra(riga)) {
          riga_altra_ = n;
        }
        return;
      case stato::intestazione:
        if (riga.find("___") != std::string_view::npos) {
          stato_ = stato::righe;
          if (t_.prima_riga == 0) t_.prima_riga = n + 1;
        }
        return;
      case stato::righe:
        riga_tabella(riga, n);
        return;
    }
  }

  void riga_tabella(std::string_view riga, std::int32_t n) {
    const std::string_view piena = without_blanks(riga);
    if (f_.asterischi && solo(piena, '*')) return;
    if (piena.empty() || piena.front() != '|') {
      segnala(id_rilievo::non_riga, {n, 1, static_cast<std::int32_t>(riga.size())},
              std::string("this line stands inside the ") + f_.nome +
                  "'s table but is no row of it (a row starts with '|'): it was not read");
      return;
    }
    const std::size_t da = riga.find('|');
    const std::size_t a = riga.rfind('|');
    std::vector<std::string_view> parti;
    std::vector<std::size_t> inizi;
    for (std::size_t k = da; k < a;) {
      const std::size_t sbarra = riga.find('|', k + 1);
      inizi.push_back(k + 1);
      parti.push_back(riga.substr(k + 1, sbarra - k - 1));
      k = sbarra;
    }
    if (chiusura(parti)) {
      stato_ = stato::cerca;
      return;
    }
    if (parti.size() != f_.n_celle || !without_blanks(riga.substr(a + 1)).empty()) {
      segnala(id_rilievo::non_riga,
              {n, static_cast<std::int32_t>(da) + 1, static_cast<std::int32_t>(piena.size())},
              "this line is no row of the " + std::string(f_.nome) + "'s table: it has " +
                  plural(parti.size(), "cell", "cells") + " between bars" +
                  (parti.size() == f_.n_celle ? " and text after the last bar" : "") +
                  ", a row has " + std::to_string(f_.n_celle) + ". It was not read");
      return;
    }
    riga_letta r;
    r.riga = n;
    bool piena_di_qualcosa = false;
    for (std::size_t k = 0; k < parti.size(); ++k) {
      cella_letta c;
      c.intera = parti[k];
      c.testo = without_blanks(parti[k]);
      const std::size_t dentro =
          c.testo.empty() ? 0 : static_cast<std::size_t>(c.testo.data() - parti[k].data());
      c.colonna = static_cast<std::int32_t>(inizi[k] + dentro) + 1;
      piena_di_qualcosa = piena_di_qualcosa || !c.testo.empty();
      r.celle.push_back(c);
    }
    if (piena_di_qualcosa) t_.righe.push_back(std::move(r));
  }

  std::string_view b_;
  const forma_tabella& f_;
  tabella_letta t_;
  stato stato_ = stato::cerca;
  std::int32_t riga_altra_ = 0;
  bool fine_segnalata_ = false;
  bool tab_segnalata_ = false;
  bool utf8_segnalato_ = false;
};

}  // namespace

posto riga_letta::dove(std::size_t i) const {
  if (i >= celle.size()) return {riga, 1, 1};
  const cella_letta& c = celle[i];
  return {riga, c.colonna, std::max<std::int32_t>(1, static_cast<std::int32_t>(c.testo.size()))};
}

tabella_letta leggi_tabella(std::string_view bytes, const forma_tabella& forma) {
  return lettore_tabella(bytes, forma).leggi();
}

rilievo rilievo_di(const char* id, documento doc, genere_rilievo genere, const posto& dove,
                   std::string messaggio) {
  rilievo r;
  r.id = id;
  r.doc = doc;
  r.genere = genere;
  r.dove = dove;
  r.messaggio = std::move(messaggio);
  return r;
}

}  // namespace scenario
