#include "compiler/readers/lettore_servizio.h"

#include <string>

#include "base/cp1252.h"
#include "compiler/format/arrotondamento.h"
#include "compiler/format/codifica_celle.h"
#include "compiler/readers/errore_esecuzione.h"
#include "compiler/recorders/accesso_modello.h"
#include "compiler/recorders/memo_rallentamento.h"
#include "compiler/recorders/memo_segnale.h"
#include "compiler/route_model/voci.h"

namespace scenario {

namespace {

// The speed limit of a cell: km/h divided by 5, rounded; it must fit a Byte.
std::uint8_t velocita_cella(std::int32_t velocita) {
  const std::int64_t v = R(static_cast<double>(velocita) / passo_velocita);
  if (v < 0 || v > 255) {
    throw errore_esecuzione(motivo_guasto::velocita_fuori_byte, "speed does not fit a cell");
  }
  return static_cast<std::uint8_t>(v);
}

// The checker: a speed no cell can hold is the fault of the record that
// set it, found when it is about to be written; the fill goes on at 0 km/h
// so that the records after it are not blamed for it too. (The compile step
// stops there, code 25.)
void velocita_tenibile(lettore& l) {
  stato_lettori& st = l.stato();
  const std::int64_t v = R(st.velocita_corrente / 5.0);
  if (!l.recupero() || (v >= 0 && v <= 255)) return;
  l.annota_del_record(st.record_velocita, motivo_guasto::velocita_fuori_byte);
  st.velocita_corrente = 0;
}

// The speed limit in force written into the cells from the fill index on,
// up to `fino_a` (not included) but always at least one cell; a record's
// fill also stops at the last cell.
void riempi_velocita(lettore& l, std::int64_t fino_a, bool fino_all_ultima) {
  stato_lettori& st = l.stato();
  if (!fino_all_ultima || st.indice_velocita < l.m().n_celle) velocita_tenibile(l);
  do {
    if (fino_all_ultima && st.indice_velocita >= l.m().n_celle) break;
    l.w().velocita(st.indice_velocita, velocita_cella(st.velocita_corrente), st.record_velocita);
    ++st.indice_velocita;
  } while (st.indice_velocita < fino_a);
}

// The adhesion in force, the same way.
void riempi_aderenze(lettore& l, std::int64_t fino_a) {
  stato_lettori& st = l.stato();
  do {
    l.w().aderenza(st.indice_aderenza, bassi_8(st.aderenza_corrente), st.record_aderenza);
    ++st.indice_aderenza;
  } while (st.indice_aderenza < fino_a);
}

seguito leggi_massa(lettore& l) {
  l.w().voce(voce::treno_e_linea);
  percentuale_massa_frenata(l.m().elementi) = l.long_32();
  return l.chiudi();
}

seguito leggi_vetture(lettore& l) {
  l.w().voce(voce::treno_e_linea);
  numero_vetture(l.m().elementi) = l.long_32();
  return l.chiudi();
}

seguito leggi_velocita(lettore& l) {
  stato_lettori& st = l.stato();
  const std::int32_t p = l.long_32();
  const std::int32_t v = l.long_32();
  if (fuori_dai_celle(l.m(), p, margine_record)) return l.fuori(p, 0);
  // The limit before this record holds up to the cell R(p / 50).
  const std::int64_t fino_a = cella_profilo(p);
  if (fino_a > 0) riempi_velocita(l, fino_a, true);
  st.velocita_corrente = v;
  st.record_velocita = l.record_corrente();
  return l.chiudi();
}

seguito leggi_aderenza(lettore& l) {
  stato_lettori& st = l.stato();
  const std::int32_t p = l.long_32();
  const std::int32_t a = l.long_32();
  if (fuori_dai_celle(l.m(), p, margine_record)) return l.fuori(p, 0);
  const std::int64_t fino_a = cella_profilo(p);
  if (fino_a > 0) riempi_aderenze(l, fino_a);
  st.aderenza_corrente = a;
  st.record_aderenza = l.record_corrente();
  return l.chiudi();
}

seguito leggi_orologio(lettore& l) {
  l.w().voce(voce::testata_corsa);
  tabella_elementi& e = l.m().elementi;
  ore_orologio(e) = l.integer_16();
  minuti_orologio(e) = l.integer_16();
  secondi_orologio(e) = l.integer_16();
  return l.chiudi();
}

seguito leggi_sabbia(lettore& l) {
  l.w().voce(voce::testata_corsa);
  sabbia(l.m().elementi) = l.integer_16();
  return l.chiudi();
}

seguito leggi_segnale(lettore& l) {
  segnale sg;
  sg.posizione = l.long_32();
  sg.sx = l.long_32();
  sg.s1 = l.long_32();
  sg.s2 = l.long_32();
  sg.s3 = l.long_32();
  sg.rapp = l.long_32();
  sg.dx = l.long_32();
  sg.d1 = l.long_32();
  sg.d2 = l.long_32();
  sg.d3 = l.long_32();
  sg.tempo = l.long_32();
  if (fuori_dai_celle(l.m(), sg.posizione, margine_record)) return l.fuori(sg.posizione, 0);
  if (const auto r = memo_segnale(l.w(), sg)) {
    return l.rifiuta(r->codice_rifiuto, 0, sg.posizione, r->cella);
  }
  return l.chiudi();
}

seguito leggi_rallentamento(lettore& l) {
  rallentamento ra;
  ra.x = l.long_32();
  ra.v = l.long_32();
  ra.l = l.long_32();
  ra.f_tt = l.long_32();
  ra.f_ta = l.long_32();
  ra.d_v = l.long_32();
  if (fuori_dai_celle(l.m(), ra.x, margine_record)) return l.fuori(ra.x, 0);
  if (const auto r = memo_rallentamento(l.w(), ra)) {
    return l.rifiuta(r->codice_rifiuto, 0, ra.x, r->cella);
  }
  return l.chiudi();
}

seguito leggi_abbattimento(lettore& l) {
  const std::int32_t p = l.long_32();
  const std::int32_t valore = l.long_32();
  if (fuori_dai_celle(l.m(), p, margine_record)) return l.fuori(p, 0);
  const std::int64_t i = cella_profilo(p);
  if (!cella_libera(l.w().leggi(i))) {
    return l.rifiuta(codice::abbattimento_cella_occupata, 0, p, i);
  }
  cella& c = l.w().oggetto(i);
  if (valore < 1) {
    impacca_abbattimento_senza_valore(c);
  } else {
    impacca_marcatore(c, valore);
  }
  return l.chiudi();
}

// The station's area from its axis p and length ls, by type.
void area_stazione(elemento& st, std::int32_t p, std::int32_t ls) {
  if (st.tipo == 5 || st.tipo == 6) {
    st.inizio = long_di(std::int64_t{p} - ls);
    st.fine = long_di(std::int64_t{p} + coda_stazione_corta);
    st.prolunga = 0;
  } else if (st.tipo == 7 || st.tipo == 8) {
    st.inizio = long_di(std::int64_t{p} - ls);
    st.fine = long_di(std::int64_t{p} + ls);
    st.prolunga = 0;
  } else {
    st.inizio = long_arrotondato(p - ls / 2.0);
    st.fine = st.prolunga != 0 ? long_arrotondato(p + ls / 2.0 + prolunga_metri)
                               : long_arrotondato(p + ls / 2.0);
  }
}

seguito leggi_stazione(lettore& l) {
  stato_lettori& st_l = l.stato();
  modello_percorso& m = l.m();
  const std::int32_t j = st_l.j;
  elemento& st = l.w().voce(j);
  st.posizione = l.long_32();
  const std::int32_t p = st.posizione;
  if (fuori_dai_celle(m, p, margine_stazione)) return l.fuori(p, 0);
  if (p % metri_per_cella != 0) return l.rifiuta(codice::stazione_fuori_griglia, 0, p);
  st.tipo = l.byte_8();
  const std::int32_t ls = l.long_32();  // station length, metres
  if (ls % 100 != 0) return l.rifiuta(codice::lunghezza_stazione_errata, 2, p);
  st.dato_b1 = l.byte_8();
  st.dato_b4 = l.byte_8();
  st.prolunga = l.byte_8();
  st.dato_i1 = l.integer_16();
  st.dato_i2 = l.integer_16();
  st.dato_b2 = l.byte_8();
  st.dato_i3 = l.integer_16();
  st.dato_i4 = l.integer_16();
  st.dato_i5 = l.integer_16();
  st.dato_b3 = l.byte_8();
  const std::int32_t ore = l.long_32();
  const std::int32_t minuti = l.long_32();
  const std::int32_t secondi = l.long_32();
  st.nome = std::string(l.testo());
  // Seconds after midnight, each step a Long as the time is built up.
  const std::int32_t in_minuti = long_di(std::int64_t{long_di(std::int64_t{ore} * 60)} + minuti);
  st.orario = long_di(std::int64_t{long_di(std::int64_t{in_minuti} * 60)} + secondi);

  area_stazione(st, p, ls);
  if (ls < 600) st.dato_b4 = 0;
  if (j == voce::prima_stazione) {
    st.prolunga = 0;
    st.dato_b4 = 0;
  }

  // Approach markers 81 .. 84 in the four cells before the end cell.
  if (st.tipo < tipo_stazione_senza_celle && st.tipo != 5 && st.tipo != 6) {
    for (int n = 1; n <= n_segni_stazione; ++n) {
      const double q = in_celle(st.fine) - n - 1;
      if (q > 1) l.w().segno(R(q), segno_stazione_n(n));
    }
  }
  if (st.tipo < tipo_stazione_senza_celle) {
    const double q = in_celle(st.fine) - 1;
    if (!(q > 1)) {
      guasto g = l.nuovo_guasto(codice::fine_stazione_troppo_presto, 0);
      g.valore_a = st.fine;
      return l.rifiuta(std::move(g));
    }
    impacca_fine_stazione(l.w().oggetto(R(q)), j);
  }
  if (j > voce::prima_stazione && long_di(std::int64_t{st.inizio} - distanza_stazioni) <
                                      m.elementi[static_cast<std::size_t>(j - 1)].fine) {
    // The two areas and the previous station, for the message.
    guasto g = l.nuovo_guasto(codice::stazioni_troppo_vicine, 0);
    g.posizione_errore = p;
    g.valore_a = st.inizio;
    g.valore_b = m.elementi[static_cast<std::size_t>(j - 1)].fine;
    if (const sorgenti_modello* s = l.w().sorgenti()) {
      g.record_occupante = s->elementi[static_cast<std::size_t>(j - 1)];
    }
    return l.rifiuta(std::move(g));
  }
  st_l.j = j + 1;
  m.n_stazioni = j;
  if (st_l.j >= st_l.posto_cartello) {
    // The station's number and the boards that took the slots from the top.
    guasto g = l.nuovo_guasto(codice::posti_stazioni_esauriti, -1);
    g.valore_a = j;
    g.valore_b = voce::ultimo_cartello - st_l.posto_cartello;
    return l.rifiuta(std::move(g));
  }
  return l.chiudi();
}

seguito leggi_corpo(lettore& l, tipo_record t) {
  switch (t) {
    case tipo_record::massa_frenata:
      return leggi_massa(l);
    case tipo_record::numero_vetture:
      return leggi_vetture(l);
    case tipo_record::velocita:
      return leggi_velocita(l);
    case tipo_record::aderenza:
      return leggi_aderenza(l);
    case tipo_record::orologio:
      return leggi_orologio(l);
    case tipo_record::sabbia:
      return leggi_sabbia(l);
    case tipo_record::segnale:
      return leggi_segnale(l);
    case tipo_record::rallentamento:
      return leggi_rallentamento(l);
    case tipo_record::abbattimento:
      return leggi_abbattimento(l);
    default:
      return leggi_stazione(l);
  }
}

// Every kilometric series must start and end on a cell boundary (code 2),
// checked once the service file is read.
void controlla_progressive(lettore& l) {
  modello_percorso& m = l.m();
  for (int v = voce::progressiva_tre; v <= voce::progressiva_uno; ++v) {
    const bool inizio_storto = inizio_serie(m.elementi, v) % metri_per_cella != 0;
    const bool origine_storta = origine_serie(m.elementi, v) % metri_per_cella != 0;
    if (!inizio_storto && !origine_storta) continue;
    m.codice_errore = numero(codice::progressiva_fuori_griglia);
    guasto g;
    g.codice_guasto = codice::progressiva_fuori_griglia;
    g.file = file_sorgente::linea;
    g.campo = inizio_storto ? 0 : 1;
    if (const sorgenti_modello* s = l.w().sorgenti()) {
      g.record = s->elementi[static_cast<std::size_t>(v)];
      if (const record_letto* rec = s->trova(g.record)) {
        g.ha_record = true;
        g.tipo = rec->tipo;
        g.dove = static_cast<std::size_t>(g.campo) < rec->valori.size()
                     ? rec->valori[static_cast<std::size_t>(g.campo)]
                     : rec->chiave;
      }
    }
    l.annota(std::move(g));
  }
}

}  // namespace

void leggi_file_servizio(lettore& l) {
  modello_percorso& m = l.m();
  lettore_campi& r = l.campi();
  stato_lettori& st = l.stato();

  // Starting speed and adhesion before the first records: 0.
  st.indice_velocita = 0;
  st.velocita_corrente = 0;
  st.record_velocita = nessun_record;
  st.indice_aderenza = 0;
  st.aderenza_corrente = 0;
  st.record_aderenza = nessun_record;
  st.j = voce::prima_stazione;
  m.n_stazioni = 0;

  // Everything before the general section is skipped.
  std::string_view riga;
  do {
    riga = r.read_text();
    l.verifica_lettura();
  } while (!contains_any_case(riga, "[generale]") && !r.at_end());

  seguito s = seguito::continua;
  while (s == seguito::continua && l.prossima_chiave(riga)) {
    for (const tipo_record t : tipi_corpo(file_sorgente::servizio)) {
      if (!corrisponde(descrizione(t), riga)) continue;
      s = l.esegui(t, [&] { return leggi_corpo(l, t); });
      if (s != seguito::continua) break;
    }
  }
  if (s == seguito::ferma) return;

  // End of the file, or a record that did not fit. The last speed and
  // adhesion hold up to the third cell from the end.
  riempi_velocita(l, std::int64_t{m.n_celle} - 2, false);
  riempi_aderenze(l, std::int64_t{m.n_celle} - 2);

  controlla_progressive(l);
}

}  // namespace scenario
