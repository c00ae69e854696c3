#include "fuzz/compile_check.h"

#include <exception>

#include "compiler/check/catalogo_diagnostiche.h"
#include "compiler/check/contesto_check.h"
#include "compiler/check/controlla.h"
#include "compiler/check/errori.h"
#include "compiler/compila.h"

namespace scenario {

namespace {

constexpr std::string_view route_name = "Viterbo_Attigliano_Orte";
constexpr std::string_view train_number = "7547";

std::string describe(const compile_check_result& r) {
  return " (outcome " + std::to_string(static_cast<int>(r.esito)) + ", code " +
         std::to_string(r.codice_errore) + ")";
}

// Checks the three binary files of a completed run against the model.
std::string check_binaries(risultato_compilazione& r) {
  const modello_percorso& m = r.modello;
  if (m.n_celle < 0 || m.celle.size() != static_cast<std::size_t>(m.n_celle) + 1)
    return "cell array does not hold n_celle + 1 cells";
  if (r.celle_dat.size() != dimensione_cella * m.celle.size())
    return "cell data file size " + std::to_string(r.celle_dat.size()) + " != 15 x " +
           std::to_string(m.celle.size());

  std::size_t sim = std::size_t{n_elementi} * dimensione_elemento_senza_nome;
  for (const elemento& e : m.elementi) sim += e.nome.size();
  if (r.sim.size() != sim)
    return "simulation file size " + std::to_string(r.sim.size()) + " != " + std::to_string(sim);

  if (m.lunghezza_tracciato < 0 || m.tracciato.n_punti() != std::int64_t{m.lunghezza_tracciato} + 1)
    return "geometry does not hold lunghezza_tracciato + 1 points";
  // Each half: two Integers and the Doubles laid, then the empty points.
  const std::int64_t n = m.tracciato.n_punti();
  const std::int64_t laid = m.tracciato.prossimo();
  const std::size_t half = laid == 0
                               ? static_cast<std::size_t>(n) * byte_variante_vuota
                               : 2 * byte_variante_intero +
                                     static_cast<std::size_t>(laid - 2) * byte_variante_doppio +
                                     static_cast<std::size_t>(n - laid) * byte_variante_vuota;
  const auto line = static_cast<std::size_t>(r.modello.tracciato.size());
  if (line != 2 * half)
    return "line data file size " + std::to_string(line) + " != the model's " +
           std::to_string(2 * half);
  // A clean run lays every point from 2 to at least the third last as a
  // Double; a curve that ends on the last two points lays them as well.
  if (m.codice_errore == 0 && m.lunghezza_tracciato >= 3 && laid < m.lunghezza_tracciato - 1)
    return "a clean run left point " + std::to_string(laid) + " empty, before the last two";
  return {};
}

}  // namespace

bool is_known_code(std::int32_t code) {
  // 1250 and 1251 stop the compile step: told by the outcome, never the pair.
  if (code == numero(codice::slot_marcatori_occupato) ||
      code == numero(codice::slot_codici_occupato)) {
    return false;
  }
  return code == 0 || prima_voce_del_codice(code) != nullptr;
}

compile_check_result check_compile(std::string_view line_file,
                                   std::optional<std::string_view> service_file) {
  opzioni_compilazione o;
  o.nome_linea = std::string(route_name);
  o.numero_treno = std::string(train_number);
  compile_check_result r;
  risultato_compilazione c;
  try {
    c = compila({line_file, service_file}, o);
  } catch (const std::exception& e) {
    r.problem = std::string("exception escaped the compile step: ") + e.what();
    return r;
  }
  r.esito = c.esito;
  r.codice_errore = c.modello.codice_errore;
  r.posizione_errore = c.modello.posizione_errore;

  if (!is_known_code(r.codice_errore)) {
    r.problem = "unknown error code" + describe(r);
    return r;
  }
  if (r.codice_errore == 0 && !c.lettura.servizio_letto) {
    r.problem = "service file not read" + describe(r);
    return r;
  }
  switch (r.esito) {
    case esito_compilazione::completato:
      r.problem = check_binaries(c);
      if (!r.problem.empty()) r.problem += describe(r);
      break;
    case esito_compilazione::errore_1250:
    case esito_compilazione::errore_1251:
    case esito_compilazione::senza_modello:
      if (!c.sim.empty() || !c.celle_dat.empty())
        r.problem = "binary file built after a fatal outcome" + describe(r);
      break;
    default:
      r.problem = "unknown outcome" + describe(r);
  }
  return r;
}

std::string check_agrees_input(std::string_view input) {
  const std::size_t nul = input.find('\0');
  ingresso_controllo in;
  in.linea = input.substr(0, nul);
  if (nul != std::string_view::npos) in.servizio = input.substr(nul + 1);
  in.nome_linea = std::string(route_name);
  in.numero_treno = std::string(train_number);
  const esito_controllo e = controlla(in);
  // Each fault of the compile step is told as an error of its own code.
  const contesto_check c{in, e.compilazione.modello, e.compilazione.sorgenti};
  for (const guasto& g : e.compilazione.traccia.guasti) {
    const diagnostica d = diagnostica_guasto(g, c);
    if (d.severita() != gravita::errore || d.codice() != numero(g.codice_guasto)) {
      return "code " + std::to_string(numero(g.codice_guasto)) + " told as '" +
             std::string(d.nome()) + "'";
    }
  }
  return accordo_con_compilazione(e);
}

compile_check_result check_compile_input(std::string_view input) {
  const std::size_t nul = input.find('\0');
  if (nul == std::string_view::npos) return check_compile(input, std::nullopt);
  return check_compile(input.substr(0, nul), input.substr(nul + 1));
}

}  // namespace scenario
