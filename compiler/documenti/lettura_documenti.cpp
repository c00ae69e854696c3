#include "compiler/documenti/lettura_documenti.h"

#include "base/cp1252.h"
#include "base/text_format.h"
#include "compiler/documenti/impaginazione.h"
#include "compiler/documenti/nomi_stazioni.h"
#include "compiler/documenti/orari.h"

namespace scenario {

namespace {

namespace ps = pagina_scheda;
namespace pm = pagina_modulo;

bool cifra(char c) {
  return c >= '0' && c <= '9';
}

bool intestazione_scheda(std::string_view r) {
  return contains_any_case(r, "orario") &&
         (contains_any_case(r, "progr") || contains_any_case(r, "localit"));
}

bool intestazione_modulo(std::string_view r) {
  return contains_any_case(r, "fra le stazioni") ||
         (contains_any_case(r, "velocit") && contains_any_case(r, "lunghezza"));
}

const forma_tabella forma_scheda{documento::scheda,
                                 ps::larghezze.size(),
                                 "timetable sheet",
                                 "slowdown order form",
                                 intestazione_scheda,
                                 intestazione_modulo,
                                 false};
const forma_tabella forma_modulo{documento::rallentamenti,
                                 pm::larghezze.size(),
                                 "slowdown order form",
                                 "timetable sheet",
                                 intestazione_modulo,
                                 intestazione_scheda,
                                 true};

// A whole number, then maybe one of the units (any case).
std::optional<std::int32_t> leggi_intero(std::string_view t,
                                         std::initializer_list<std::string_view> unita = {}) {
  std::size_t i = 0;
  std::int64_t v = 0;
  while (i < t.size() && cifra(t[i]) && i < 9) v = v * 10 + (t[i++] - '0');
  if (i == 0) return std::nullopt;
  const std::string resto = cp1252_lower(without_blanks(t.substr(i)));
  if (resto.empty()) return static_cast<std::int32_t>(v);
  for (const std::string_view u : unita) {
    if (resto == u) return static_cast<std::int32_t>(v);
  }
  return std::nullopt;
}

rilievo cella_errata(documento doc, const posto& dove, const std::string& cosa,
                     std::string_view testo, const std::string& come) {
  return rilievo_di(
      id_rilievo::cella, doc, genere_rilievo::lettura, dove,
      "the " + cosa + " cell '" + in_utf8(testo) + "' is no " + come + ": it was read as empty");
}

bool solo_questa(const riga_letta& r, std::size_t cella) {
  for (std::size_t k = 0; k < r.celle.size(); ++k) {
    if (k != cella && !r.celle[k].testo.empty()) return false;
  }
  return true;
}

// A row holding only the rest of the name above: the generators carry a
// name on only when its next word would not fit beside the row's text.
bool continua_sopra(const std::string& sopra, std::string_view testo, std::size_t larghezza) {
  const std::size_t parola = testo.find(' ');
  const std::size_t prima = parola == std::string_view::npos ? testo.size() : parola;
  return !sopra.empty() && sopra.size() + 1 + prima > larghezza;
}

std::optional<orari_riga> leggi_orari(std::string_view t) {
  orari_riga o;
  std::vector<orario_letto> letti;
  bool segno = false;
  for (std::size_t k = 0; k < t.size();) {
    const char c = t[k];
    if (c == ' ' || c == '\t' || c == '-') {
      ++k;
    } else if (cifra(c)) {
      const auto x = leggi_orario(t, k);
      if (!x || letti.size() == 2) return std::nullopt;
      letti.push_back(*x);
      k = x->fine;
    } else if (c == '(') {
      const std::size_t chiusa = t.find(')', k);
      if (chiusa == std::string_view::npos || chiusa - k > 6) return std::nullopt;
      segno = true;
      k = chiusa + 1;
    } else if (c == '*') {
      segno = true;
      ++k;
    } else {
      return std::nullopt;
    }
  }
  if (letti.size() == 2) {
    o.arrivo = letti[0].mezzi;
    o.partenza = letti[1].mezzi;
  } else if (letti.size() == 1) {
    const orario_letto& x = letti[0];
    if (segno || (x.inizio >= 3 && x.inizio < 8)) {
      o.passaggio = x.mezzi;
    } else if (x.inizio < 3) {
      o.arrivo = x.mezzi;
    } else {
      o.partenza = x.mezzi;
    }
  }
  return o;
}

}  // namespace

std::optional<km_letto> leggi_km(std::string_view t) {
  t = without_blanks(t);
  if (t.size() >= 2 && (t[0] == 'k' || t[0] == 'K') && (t[1] == 'm' || t[1] == 'M')) {
    t.remove_prefix(2);
    if (!t.empty() && t.front() == '.') t.remove_prefix(1);
    t = without_blanks(t);
  }
  const bool meno = !t.empty() && t.front() == '-';
  if (meno) t.remove_prefix(1);
  std::size_t i = 0;
  std::int64_t km = 0;
  while (i < t.size() && cifra(t[i]) && i < 6) km = km * 10 + (t[i++] - '0');
  if (i == 0) return std::nullopt;
  km_letto r{km * 1000, true};
  if (i < t.size() && (t[i] == '.' || t[i] == ',' || t[i] == '+')) {
    ++i;
    std::int64_t m = 0;
    std::size_t cifre = 0;
    for (; i < t.size() && cifra(t[i]) && cifre < 3; ++i, ++cifre) m = m * 10 + (t[i] - '0');
    if (cifre == 0) return std::nullopt;
    for (; cifre < 3; ++cifre) m *= 10;
    r.metri += m;
    r.interi = false;
  }
  if (i != t.size()) return std::nullopt;
  if (meno) r.metri = -r.metri;
  return r;
}

namespace {

// The rows of a table as rows of a document: a row holding only the rest
// of the name above goes onto that name; `leggi` reads any other.
template <class riga>
documento_letto<riga> righe_di(tabella_letta t, std::size_t cella_nome, std::size_t larghezza,
                               std::string riga::*nome,
                               riga (*leggi)(const riga_letta&, rilievi&)) {
  documento_letto<riga> d;
  d.trovata = t.trovata;
  d.intera = t.intera;
  d.prima_riga = t.prima_riga;
  d.ultima_riga = t.ultima_riga;
  rilievi celle;
  for (const riga_letta& r : t.righe) {
    const std::string_view testo = r.celle[cella_nome].testo;
    if (!testo.empty() && !d.righe.empty() && solo_questa(r, cella_nome) &&
        continua_sopra(d.righe.back().*nome, testo, larghezza)) {
      (d.righe.back().*nome += ' ') += testo;
      continue;
    }
    d.righe.push_back(leggi(r, celle));
  }
  d.rilievi_lettura = std::move(t.rilievi_lettura);
  d.rilievi_lettura.insert(d.rilievi_lettura.end(), celle.begin(), celle.end());
  return d;
}

riga_scheda riga_della_scheda(const riga_letta& r, rilievi& celle) {
  riga_scheda x;
  x.riga = r.riga;
  x.nome = std::string(r.celle[ps::localita].testo);
  x.dove_km = r.dove(ps::km);
  x.dove_nome = r.dove(ps::localita);
  x.dove_orario = r.dove(ps::orario);
  if (const std::string_view v = r.celle[ps::vel_lim].testo; !v.empty()) {
    x.velocita = leggi_intero(v);
    if (!x.velocita) {
      celle.push_back(cella_errata(documento::scheda, r.dove(ps::vel_lim), "speed", v,
                                   "speed in km/h (write 100)"));
    }
  }
  if (const std::string_view k = r.celle[ps::km].testo; !k.empty()) {
    if (const auto km = leggi_km(k)) {
      x.km = km->metri;
    } else {
      celle.push_back(
          cella_errata(documento::scheda, x.dove_km, "kilometre", k, "kilometre (write 39.050)"));
    }
  }
  if (const auto o = leggi_orari(r.celle[ps::orario].intera)) {
    x.orari = *o;
  } else {
    celle.push_back(cella_errata(
        documento::scheda, x.dove_orario, "time", r.celle[ps::orario].testo,
        "time (write 14.00, with '+' for half a minute: 13.59+; arrival left, departure "
        "right, '-' for none)"));
  }
  return x;
}

riga_modulo riga_del_modulo(const riga_letta& r, rilievi& celle) {
  riga_modulo x;
  x.riga = r.riga;
  x.stazioni = std::string(r.celle[pm::stazioni].testo);
  x.dove = r.dove(pm::stazioni);
  x.dove_km = r.dove(pm::cippo);
  x.dove_velocita = r.dove(pm::velocita);
  x.dove_lunghezza = r.dove(pm::lunghezza);
  if (const std::string_view k = r.celle[pm::cippo].testo; !k.empty()) {
    if (const auto km = leggi_km(k)) {
      x.km = km->metri;
      x.cippo = km->interi;
    } else {
      celle.push_back(cella_errata(documento::rallentamenti, x.dove_km, "kilometre post", k,
                                   "kilometre post (write 17, or 16+350)"));
    }
  }
  if (const std::string_view v = r.celle[pm::velocita].testo; !v.empty()) {
    x.velocita = leggi_intero(v, {"km/h", "kmh"});
    if (!x.velocita) {
      celle.push_back(cella_errata(documento::rallentamenti, x.dove_velocita, "speed", v,
                                   "speed in km/h (write 30)"));
    }
  }
  if (const std::string_view l = r.celle[pm::lunghezza].testo; !l.empty()) {
    x.lunghezza = leggi_intero(l, {"m", "metri"});
    if (!x.lunghezza) {
      celle.push_back(cella_errata(documento::rallentamenti, x.dove_lunghezza, "length", l,
                                   "length in metres (write 300)"));
    }
  }
  return x;
}

}  // namespace

scheda_letta leggi_scheda(std::string_view bytes) {
  return righe_di(leggi_tabella(bytes, forma_scheda), ps::localita, ps::larghezze[ps::localita],
                  &riga_scheda::nome, riga_della_scheda);
}

modulo_letto leggi_modulo(std::string_view bytes) {
  return righe_di(leggi_tabella(bytes, forma_modulo), pm::stazioni,
                  pm::larghezze[pm::stazioni] - pm::rientro_stazioni, &riga_modulo::stazioni,
                  riga_del_modulo);
}

}  // namespace scenario
