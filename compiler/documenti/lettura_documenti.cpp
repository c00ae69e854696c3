#include "compiler/documenti/lettura_documenti.h"

#include "base/cp1252.h"
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

std::string_view senza_spazi(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

// A whole number, then maybe one of the units (any case).
std::optional<std::int32_t> leggi_intero(std::string_view t,
                                         std::initializer_list<std::string_view> unita = {}) {
  std::size_t i = 0;
  std::int64_t v = 0;
  while (i < t.size() && cifra(t[i]) && i < 9) v = v * 10 + (t[i++] - '0');
  if (i == 0) return std::nullopt;
  const std::string resto = cp1252_lower(senza_spazi(t.substr(i)));
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
bool seguito(const std::string& sopra, std::string_view testo, std::size_t larghezza) {
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
  t = senza_spazi(t);
  if (t.size() >= 2 && (t[0] == 'k' || t[0] == 'K') && (t[1] == 'm' || t[1] == 'M')) {
    t.remove_prefix(2);
    if (!t.empty() && t.front() == '.') t.remove_prefix(1);
    t = senza_spazi(t);
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

scheda_letta leggi_scheda(std::string_view bytes) {
  tabella_letta t = leggi_tabella(bytes, forma_scheda);
  scheda_letta s;
  s.trovata = t.trovata;
  s.intera = t.intera;
  s.prima_riga = t.prima_riga;
  s.ultima_riga = t.ultima_riga;
  rilievi celle;
  for (const riga_letta& r : t.righe) {
    const std::string_view nome = r.celle[ps::localita].testo;
    if (!nome.empty() && !s.righe.empty() && solo_questa(r, ps::localita) &&
        seguito(s.righe.back().nome, nome, ps::larghezze[ps::localita])) {
      s.righe.back().nome += ' ';
      s.righe.back().nome += nome;
      continue;
    }
    riga_scheda x;
    x.riga = r.riga;
    x.nome = std::string(nome);
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
    s.righe.push_back(std::move(x));
  }
  s.rilievi_lettura = std::move(t.rilievi_lettura);
  s.rilievi_lettura.insert(s.rilievi_lettura.end(), celle.begin(), celle.end());
  return s;
}

modulo_letto leggi_modulo(std::string_view bytes) {
  tabella_letta t = leggi_tabella(bytes, forma_modulo);
  modulo_letto m;
  m.trovata = t.trovata;
  m.intera = t.intera;
  m.prima_riga = t.prima_riga;
  m.ultima_riga = t.ultima_riga;
  rilievi celle;
  const std::size_t larghezza = pm::larghezze[pm::stazioni];
  for (const riga_letta& r : t.righe) {
    const std::string_view stazioni = r.celle[pm::stazioni].testo;
    if (!stazioni.empty() && !m.righe.empty() && solo_questa(r, pm::stazioni) &&
        seguito(m.righe.back().stazioni, stazioni, larghezza - 3)) {
      m.righe.back().stazioni += ' ';
      m.righe.back().stazioni += stazioni;
      continue;
    }
    riga_modulo x;
    x.riga = r.riga;
    x.stazioni = std::string(stazioni);
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
    m.righe.push_back(std::move(x));
  }
  m.rilievi_lettura = std::move(t.rilievi_lettura);
  m.rilievi_lettura.insert(m.rilievi_lettura.end(), celle.begin(), celle.end());
  return m;
}

}  // namespace scenario
