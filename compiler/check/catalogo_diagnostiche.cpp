#include "compiler/check/catalogo_diagnostiche.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <ostream>

namespace scenario {

namespace {

// The id users see: the enumerator's name with '-' for '_'.
template <std::size_t n>
struct nome_utente {
  std::array<char, n> testo{};
  constexpr explicit nome_utente(const char (&nome)[n]) {
    for (std::size_t i = 0; i < n; ++i) testo[i] = nome[i] == '_' ? '-' : nome[i];
  }
  constexpr std::string_view vista() const { return {testo.data(), n - 1}; }
};

#define VO_DIAGNOSTICA(n, g, c, f, p, s, r) constexpr nome_utente nome_##n{#n};
#include "compiler/check/diagnostiche.def"
#undef VO_DIAGNOSTICA

#define VO_DIAGNOSTICA(n, g, c, f, p, s, r) \
  voce_catalogo{                            \
      id_diagnostica::n, nome_##n.vista(), gravita::g, codice::c, file_colpevole::f, p, s, r},
constexpr std::array tabella = {
#include "compiler/check/diagnostiche.def"
};
#undef VO_DIAGNOSTICA

constexpr bool in_ordine_del_enum() {
  for (std::size_t i = 0; i < tabella.size(); ++i) {
    if (static_cast<std::size_t>(tabella[i].id) != i) return false;
  }
  return true;
}
static_assert(in_ordine_del_enum());

// A warning records no code and sets no position; an error records one.
constexpr bool gravita_coerente() {
  for (const voce_catalogo& v : tabella) {
    const bool avviso = v.severita == gravita::avviso;
    if (avviso != (v.codice_compilatore == codice::nessuno)) return false;
    if (avviso && v.imposta_posizione) return false;
  }
  return true;
}
static_assert(gravita_coerente());

}  // namespace

std::span<const voce_catalogo> catalogo() {
  return tabella;
}

const voce_catalogo& dal_catalogo(id_diagnostica id) {
  return tabella[static_cast<std::size_t>(id)];
}

std::ostream& operator<<(std::ostream& out, id_diagnostica id) {
  return out << dal_catalogo(id).nome;
}

std::optional<id_diagnostica> cerca_diagnostica(std::string_view nome) {
  const auto* it = std::find_if(tabella.begin(), tabella.end(),
                                [nome](const voce_catalogo& v) { return v.nome == nome; });
  if (it == tabella.end()) return std::nullopt;
  return it->id;
}

const voce_catalogo* prima_voce_del_codice(std::int32_t c) {
  if (c == numero(codice::nessuno)) return nullptr;
  const auto* it = std::find_if(tabella.begin(), tabella.end(), [c](const voce_catalogo& v) {
    return numero(v.codice_compilatore) == c;
  });
  return it == tabella.end() ? nullptr : it;
}

}  // namespace scenario
