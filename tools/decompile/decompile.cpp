#include "tools/decompile/decompile.h"

#include <algorithm>
#include <iterator>

#include "compiler/route_model/formato.h"
#include "tools/decompile/boards.h"
#include "tools/decompile/compile_in_memory.h"
#include "tools/decompile/curves.h"
#include "tools/decompile/general_section.h"
#include "tools/decompile/markers.h"
#include "tools/decompile/profiles.h"
#include "tools/decompile/signals.h"
#include "tools/decompile/slowdowns.h"
#include "tools/decompile/spans.h"
#include "tools/decompile/stations.h"
#include "tools/decompile/text_writer.h"

namespace scenario::decompile {

namespace {

// The line file: its general section, then, unless the reader stopped
// inside that section, its body. `celle` as the placement pass left them.
void recover_line(const compiled_route& r, const std::vector<cella>& celle, testo_linea& out,
                  int& posto_libero, notes& n) {
  geometry_recovery geometria = recover_curves(r.tracciato, n);
  board_recovery cartelli = recover_boards(celle, r.elementi, n);
  posto_libero = cartelli.posto_libero;
  interruzione ferma = geometria.interrotta;
  if (ferma == interruzione::nessuna && cartelli.ottantunesimo) ferma = interruzione::corpo;
  out.interrotta = ferma;
  recover_line_general(r, ferma, out, n);
  if (ferma == interruzione::generale) return;

  out.curve = std::move(geometria.curve);
  const fine_profilo fine =
      ferma == interruzione::nessuna ? fine_profilo::finito : fine_profilo::interrotto;
  out.pendenze = recover_profile(celle, &cella::pendenza, fine, pendenza_scritta);
  out.montagne = recover_spans(celle, n);
  out.indicatori = std::move(cartelli.indicatori);
  out.cartelli = std::move(cartelli.cartelli);
}

void recover_service(const compiled_route& r, const std::vector<cella>& celle, int posto_libero,
                     testo_servizio& out, notes& n) {
  recover_service_general(r, out);
  station_recovery stazioni = recover_stations(celle, r.elementi, posto_libero, n);
  signal_recovery segnali = recover_signals(celle, n);
  out.stazioni = std::move(stazioni.stazioni);
  out.segnali = std::move(segnali.segnali);
  bool finisce = true;  // the reader reaches its fills at the end
  if (stazioni.ultima) {
    out.ultimo = *stazioni.ultima;
    finisce = stazioni.finisce_il_file;
    if (segnali.ultimo) {
      // Only one record can stop the reader: the signal is left out, so
      // that the records after it are still read.
      n.add({place::cell, segnali.ultimo->posizione / metri_per_cella + 1},
            "a signal nearer than 350 m to the origin stops the reader, and so does a station");
    }
  } else if (segnali.ultimo) {
    out.ultimo = *segnali.ultimo;
    finisce = false;
  }
  const fine_profilo fine = finisce ? fine_profilo::finito : fine_profilo::interrotto;
  out.aderenze = recover_profile(celle, &cella::aderenza, fine, aderenza_scritta);
  out.velocita = recover_profile(celle, &cella::velocita, fine, velocita_scritta);
  out.rallentamenti = recover_slowdowns(celle, n);
  out.abbattimenti = recover_abbattimenti(celle, n);
}

// Cell codes no record writes, and the entry nothing fills.
void check_codes(const compiled_route& r, notes& n) {
  static constexpr std::uint8_t scritti[] = {
      tipo_cella::libera,
      tipo_cella::segnale,
      tipo_cella::fine_rallentamento,
      tipo_cella::inizio_rallentamento,
      tipo_cella::avviso_rallentamento,
      tipo_cella::approccio_rallentamento,
      tipo_cella::indicatore_v_max,
      tipo_cella::fine_stazione,
      tipo_cella::marcatore_montagna,
      tipo_cella::marcatore_valore,
      tipo_cella::abbattimento_senza_valore,
      tipo_cella::cartello_indicatore,
  };
  for (std::size_t c = 0; c < r.celle.size(); ++c) {
    const std::uint8_t t = r.celle[c].tipo;
    if (std::find(std::begin(scritti), std::end(scritti), t) == std::end(scritti)) {
      n.add({place::cell, static_cast<std::int64_t>(c)},
            "code " + std::to_string(t) + " is written by no record");
    }
  }
  n.add({place::entry, 0}, "entry 0 is never filled");
}

}  // namespace

decompiled_route decompile_route(const compiled_route& r, const std::string& nome_linea,
                                 const std::string& numero_treno) {
  decompiled_route d;
  notes n;
  check_header(r, nome_linea, numero_treno, n);
  check_codes(r, n);
  const std::vector<cella> celle = celle_prima_dei_timbri(r);
  int posto_libero = voce::ultimo_cartello;
  recover_line(r, celle, d.linea, posto_libero, n);
  recover_service(r, celle, posto_libero, d.servizio, n);

  d.line_text = testo_da_righe(righe_linea(d.linea));
  d.service_text = testo_da_righe(righe_servizio(d.servizio));
  const compiled_texts again = compile_texts(d.line_text, d.service_text, nome_linea, numero_treno);
  d.check = verify(r, again, n);
  return d;
}

}  // namespace scenario::decompile
