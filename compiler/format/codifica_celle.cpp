#include "compiler/format/codifica_celle.h"

#include <algorithm>

#include "compiler/format/arrotondamento.h"

namespace scenario {

namespace {

constexpr descrizione_tipo_cella tabella_tipi[] = {
    {tipo_cella::libera, "nothing", ""},
    {tipo_cella::segnale, "signal", "the signal"},
    {tipo_cella::fine_rallentamento, "slowdown end", "the end of the slowdown"},
    {tipo_cella::inizio_rallentamento, "slowdown start", "the start of the slowdown"},
    {tipo_cella::avviso_rallentamento, "slowdown warning", "the warning board of the slowdown"},
    {tipo_cella::approccio_rallentamento, "slowdown approach", "an approach cell of the slowdown"},
    {tipo_cella::indicatore_v_max, "speed board", "the speed board"},
    {tipo_cella::fine_stazione, "station end", "the end of the station"},
    {tipo_cella::marcatore_montagna, "tunnel marker", "a tunnel marker of the span"},
    {tipo_cella::marcatore_valore, "marker", "the \"abbattimento\" marker"},
    {tipo_cella::abbattimento_senza_valore, "marker, no value", "the \"abbattimento\" marker"},
    {tipo_cella::cartello_indicatore, "indication board", "the indication board"},
};

const descrizione_tipo_cella* trova(std::uint8_t tipo) {
  const auto it = std::find_if(std::begin(tabella_tipi), std::end(tabella_tipi),
                               [&](const descrizione_tipo_cella& d) { return d.tipo == tipo; });
  return it != std::end(tabella_tipi) ? it : nullptr;
}

// a / b and a mod b, the quotient rounded toward minus infinity; b > 0.
std::int64_t quoziente(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return a % b < 0 ? q - 1 : q;
}

constexpr std::int64_t dieci = 10;
constexpr std::int64_t lati_per_sinistra = 3;  // sum = 3 sx + dx
// A packed speed is left x 20 + right / 5: in km/h per 5, the left-hand
// speed counts 100 and the right-hand one 1.
constexpr std::int64_t peso_sinistra_a_passi = std::int64_t{peso_lato_sinistro} * passo_velocita;

}  // namespace

std::span<const descrizione_tipo_cella> tipi_cella() {
  return tabella_tipi;
}

bool tipo_scritto(std::uint8_t tipo) {
  return trova(tipo) != nullptr;
}

std::string nome_oggetto(std::uint8_t tipo) {
  if (const descrizione_tipo_cella* d = trova(tipo)) return std::string(d->nome);
  return "object " + std::to_string(tipo);
}

std::string oggetto_in_frase(std::uint8_t tipo) {
  const descrizione_tipo_cella* d = trova(tipo);
  if (d != nullptr && !d->frase.empty()) return std::string(d->frase);
  return "an object of code " + std::to_string(tipo);
}

std::int16_t impacca_decine(std::int64_t decine, std::int64_t unita) {
  return bassi_16(decine * dieci + unita);
}

decine_e_unita spacchetta_decine(std::int32_t v) {
  const std::int64_t d = quoziente(v, dieci);
  return {static_cast<std::int32_t>(d), static_cast<std::int32_t>(v - d * dieci)};
}

std::int64_t somma_lati(std::int64_t sx, std::int64_t dx) {
  return sx * lati_per_sinistra + dx;
}

lati_segnale spacchetta_lati(std::int32_t somma) {
  const std::int64_t sx = quoziente(somma, lati_per_sinistra);
  return {static_cast<std::int32_t>(sx), static_cast<std::int32_t>(somma - sx * lati_per_sinistra)};
}

std::int16_t dato_lati(std::int64_t rapp, std::int64_t somma) {
  return impacca_decine(rapp, somma);
}

std::uint8_t tempo_in_cella(std::int64_t sx, std::int64_t tempo) {
  if (sx != 2) return 0;
  if (tempo >= 1 && tempo < tempo_minimo_segnale) tempo = tempo_minimo_segnale;
  return bassi_8(tempo);
}

std::int32_t tempo_del_record(std::uint8_t dato5) {
  return dato5 != 0 && dato5 < tempo_minimo_segnale ? dato5 + 256 : dato5;
}

std::uint8_t segno_segnale(std::int64_t somma, std::int64_t r) {
  return bassi_8(somma * dieci + r);
}

valori_segnale spacchetta_segnale(const cella& c) {
  valori_segnale s;
  const decine_e_unita d4 = spacchetta_decine(c.dato4);
  s.rapp = d4.decine;
  const lati_segnale l = spacchetta_lati(d4.unita);
  s.sx = l.sx;
  s.dx = l.dx;
  const std::int16_t d[3] = {c.dato1, c.dato2, c.dato3};
  for (int i = 0; i < 3; ++i) {
    const decine_e_unita x = spacchetta_decine(d[i]);
    s.s[i] = x.decine;
    s.d[i] = x.unita;
  }
  return s;
}

std::int64_t valore_velocita(std::int64_t sinistra, std::int64_t destra) {
  return R(static_cast<double>(destra) / passo_velocita +
           static_cast<double>(sinistra) * peso_lato_sinistro);
}

std::int16_t impacca_velocita(std::int64_t sinistra, std::int64_t destra) {
  return bassi_16(valore_velocita(sinistra, destra));
}

velocita_lati spacchetta_velocita(std::int32_t v) {
  const std::int64_t centinaia = quoziente(v, peso_sinistra_a_passi);
  return {static_cast<std::int32_t>(centinaia * passo_velocita),
          static_cast<std::int32_t>((v - centinaia * peso_sinistra_a_passi) * passo_velocita)};
}

velocita_cartello spacchetta_cartello(const cella& c) {
  velocita_cartello v;
  const std::int16_t d[3] = {c.dato1, c.dato2, c.dato3};
  for (int i = 0; i < 3; ++i) {
    const velocita_lati x = spacchetta_velocita(d[i]);
    v.sinistra[i] = x.sinistra;
    v.destra[i] = x.destra;
  }
  const decine_e_unita strisce = spacchetta_decine(c.dato4);
  v.strisce_sinistra = strisce.decine;
  v.strisce_destra = strisce.unita;
  return v;
}

void impacca_rallentamento(cella& c, std::uint8_t tipo, const valori_rallentamento& r) {
  c.tipo = tipo;
  c.dato1 = bassi_16(r.velocita);
  if (r.d_v != 0) c.dato2 = bassi_16(r.d_v);
  if (tipo != tipo_cella::avviso_rallentamento) c.dato3 = bassi_16(r.avviso);
}

valori_rallentamento spacchetta_rallentamento(const cella& c) {
  return {c.dato1, c.dato2, c.tipo != tipo_cella::avviso_rallentamento ? c.dato3 : 0};
}

void impacca_approccio(cella& c, std::int64_t n, bool con_d_v) {
  c.tipo = tipo_cella::approccio_rallentamento;
  c.dato1 = bassi_16(n);
  if (con_d_v) c.dato2 = bassi_16(n);
}

std::int32_t numero_approccio(const cella& c) {
  return c.dato1;
}

void impacca_fine_stazione(cella& c, std::int64_t j) {
  c.tipo = tipo_cella::fine_stazione;
  c.dato1 = bassi_16(j);
}

std::int32_t stazione_di(const cella& c) {
  return c.dato1;
}

std::uint8_t segno_stazione_n(int n) {
  return static_cast<std::uint8_t>(segno_stazione + n);
}

int numero_segno_stazione(std::uint8_t segno) {
  const int n = segno - segno_stazione;
  return n >= 1 && n <= n_segni_stazione ? n : 0;
}

void impacca_cartello(cella& c, std::int64_t voce) {
  c.tipo = tipo_cella::cartello_indicatore;
  c.dato1 = bassi_16(voce);
}

std::int32_t voce_cartello(const cella& c) {
  return c.dato1;
}

void impacca_marcatore(cella& c, std::int64_t valore) {
  c.tipo = tipo_cella::marcatore_valore;
  c.dato1 = bassi_16(valore);
}

void impacca_abbattimento_senza_valore(cella& c) {
  c.tipo = tipo_cella::abbattimento_senza_valore;
}

std::int32_t valore_marcatore_di(const cella& c) {
  return c.dato1;
}

std::int32_t valore_abbattimento(const cella& c) {
  return c.dato1 > 0 ? c.dato1 : c.dato1 + 65536;
}

valori_cella_riservata spacchetta_cella_riservata(const cella& c) {
  return {c.dato1, c.dato2};
}

}  // namespace scenario
