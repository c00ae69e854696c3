#include "tools/decompile/text_writer.h"

#include <string_view>

#include "compiler/format/formato.h"

namespace scenario::decompile {

namespace {

// A number out of every range the reader accepts: the record holding it
// stops the reader there, as a failure did when the files were compiled.
constexpr std::string_view fuori_limite = "99999999999";
// An hour whose seconds overflow a Long.
constexpr std::string_view ora_eccessiva = "99999999";
constexpr std::string_view nota_interruzione = "- the compile step stopped reading this file here";

std::string n(std::int64_t v) {
  return std::to_string(v);
}

// Right-aligned in `width` characters, as the service file's columns.
std::string col(std::int64_t v, std::size_t width) {
  std::string s = n(v);
  return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

std::string curva(const record_curva& c) {
  return std::string("curva") + (c.sinistra ? "s" : "d") + n(c.classe) + ",  " + n(c.inizio) +
         ",  " + n(c.lunghezza);
}

std::string indicatore(const record_indicatore& b) {
  const indicatore_v_max& v = b.valori;
  auto destra = [&](std::int32_t x) { return b.destra_vuota ? std::string() : n(x); };
  return "indicatori_vmax,  " + n(v.posizione) + ",  " + n(v.vas) + ",  " + n(v.vbs) + ",  " +
         n(v.vcs) + ",  " + n(v.strisces) + ",  " + destra(v.vad) + ",  " + destra(v.vbd) + ",  " +
         destra(v.vcd) + ",  " + n(v.strisced);
}

std::string stazione(const record_stazione& s) {
  using nome_campo = record_stazione::campo_guasto;
  // The fields in the order read, each with its column; at the one where
  // the reading failed, a number out of range, and nothing after it.
  struct campo {
    nome_campo nome;
    std::int64_t valore;
    std::size_t larghezza;
  };
  const campo campi[] = {
      {nome_campo::tipo, s.tipo, 3},         {nome_campo::lunghezza, s.lunghezza, 5},
      {nome_campo::dato_b1, s.dato_b1, 3},   {nome_campo::dato_b4, s.dato_b4, 2},
      {nome_campo::prolunga, s.prolunga, 2}, {nome_campo::dato_i1, s.dato_i1, 3},
      {nome_campo::dato_i2, s.dato_i2, 1},   {nome_campo::dato_b2, s.dato_b2, 1},
      {nome_campo::dato_i3, s.dato_i3, 3},   {nome_campo::dato_i4, s.dato_i4, 1},
      {nome_campo::dato_i5, s.dato_i5, 1},   {nome_campo::dato_b3, s.dato_b3, 5},
  };
  std::string riga = "stazione," + col(s.posizione, 8);
  for (const campo& c : campi) {
    if (c.nome == s.guasto) return riga + ", " + std::string(fuori_limite);
    riga += "," + col(c.valore, c.larghezza);
  }
  if (s.guasto == nome_campo::orario) {
    return riga + ", " + std::string(ora_eccessiva) + ",0,0, " + s.nome;
  }
  return riga + "," + col(s.ore, 4) + "," + col(s.minuti, 2) + "," + col(s.secondi, 2) + ", " +
         s.nome;
}

std::string segnale_riga(const segnale& s) {
  return "segnale," + col(s.posizione, 8) + "," + col(s.sx, 4) + "," + col(s.s1, 2) + "," +
         col(s.s2, 2) + "," + col(s.s3, 3) + "," + col(s.rapp, 2) + "," + col(s.dx, 5) + "," +
         col(s.d1, 3) + "," + n(s.d2) + "," + n(s.d3) + ", " + n(s.tempo);
}

std::string rallentamento_riga(const rallentamento& r) {
  return "rallentamento," + col(r.x, 8) + "," + col(r.v, 6) + "," + col(r.l, 5) + "," +
         col(r.f_tt, 2) + "," + col(r.f_ta, 3) + "," + col(r.d_v, 3);
}

// A zone record the reader refuses: off the 50 m grid, or with neither 4
// nor 9 in its keyword.
bool zona_rifiutata(const zona_codificata& z) {
  return z.numero_codici == 0 || z.inizio % metri_per_cella != 0 || z.fine % metri_per_cella != 0;
}

}  // namespace

std::vector<std::string> righe_linea(const testo_linea& t) {
  std::vector<std::string> r;
  r.push_back("[generale]");
  r.push_back("lunghezza percorso,    " + n(t.lunghezza));
  const char* nomi[] = {"uno", "due", "tre"};
  for (std::size_t i = 0; i < 3; ++i) {
    const serie_progressiva& s = t.progressive[i];
    r.push_back(std::string("progressiva chilometrica ") + nomi[i] + ",    " + n(s.inizio) +
                ",    " + n(s.origine) + ",    " + n(s.verso));
  }
  for (std::size_t i = 0; i < 3; ++i) {
    r.push_back(std::string("sfondo ") + nomi[i] + ",    " + n(t.sfondi[i]));
  }
  // Where the reader stopped inside the general section: at a record it
  // refuses, or else at a number out of range written for the purpose.
  const bool generale = t.interrotta == interruzione::generale;
  bool fermato = false;
  for (const zona_codificata& z : t.zone) {
    if (generale && zona_rifiutata(z)) {
      r.push_back(std::string(nota_interruzione));
      fermato = true;
    }
    const std::string cifra = z.numero_codici == 0 ? "" : n(z.numero_codici) + " ";
    r.push_back("ripetizione segnali " + cifra + "codici,    " + n(z.inizio) + ",    " + n(z.fine));
  }
  if (t.lunghezza_eccessiva) {
    r.push_back(std::string(nota_interruzione));
    r.push_back("lunghezza percorso,    " + n(*t.lunghezza_eccessiva));
    fermato = true;
  }
  if (generale && !fermato) {
    r.push_back(std::string(nota_interruzione));
    r.push_back("sfondo uno,    " + std::string(fuori_limite));
  }

  r.push_back("[curve]");
  for (const record_curva& c : t.curve) r.push_back(curva(c));
  r.push_back("[pendenze]");
  for (std::size_t i = 0; i < t.pendenze.size(); ++i) {
    // The first grade record has one blank more before each value.
    const record_profilo& p = t.pendenze[i];
    r.push_back(i == 0 ? "pendenza,   " + n(p.posizione) + ",    " + n(p.valore)
                       : "pendenza,  " + n(p.posizione) + ",   " + n(p.valore));
  }
  // Spans of more than 80 records stop the reader at the 81st: the boards
  // go before them, as they were read before the reader stopped.
  const bool montagne_fermano = t.montagne.size() > static_cast<std::size_t>(n_montagne_massimo);
  auto montagne = [&] {
    r.push_back("[montagne]");
    for (std::size_t i = 0; i < t.montagne.size(); ++i) {
      if (i == static_cast<std::size_t>(n_montagne_massimo)) {
        r.push_back(std::string(nota_interruzione));
      }
      const record_montagna& m = t.montagne[i];
      r.push_back("montagna,   " + n(m.inizio) + ",  " + n(m.fine) + ",  " + n(m.tipo));
    }
  };
  if (!montagne_fermano) montagne();
  r.push_back("[cartelli]");
  for (const record_indicatore& b : t.indicatori) r.push_back(indicatore(b));
  r.push_back("[indicazioni]");
  for (const record_cartello& c : t.cartelli) {
    r.push_back("cartello_indicatore,  " + n(c.posizione) + ",   " + c.scritta);
  }
  if (montagne_fermano) {
    montagne();
  } else if (t.interrotta == interruzione::corpo) {
    r.push_back(std::string(nota_interruzione));
    r.push_back(t.curva_finale ? curva(*t.curva_finale)
                               : "pendenza,  0,   " + std::string(fuori_limite));
  }
  r.push_back("[fine]");
  return r;
}

std::vector<std::string> righe_servizio(const testo_servizio& t) {
  std::vector<std::string> r;
  r.push_back("[generale]");
  r.push_back("numero vetture,    " + n(t.numero_vetture));
  r.push_back("percentuale massa frenata,    " + n(t.percentuale_massa_frenata));
  r.push_back("sabbia,    " + n(t.sabbia));
  r.push_back("orologio,    " + n(t.orologio[0]) + "              " + n(t.orologio[1]) +
              "            " + n(t.orologio[2]) + " ");
  r.push_back("[aderenze]");
  for (const record_profilo& a : t.aderenze) {
    r.push_back("aderenza,   " + n(a.posizione) + ",    " + n(a.valore));
  }
  r.push_back("[vel_limite]");
  for (const record_profilo& v : t.velocita) {
    r.push_back("velocita," + col(v.posizione, 8) + "," + col(v.valore, 6));
  }
  auto segnali = [&](const std::vector<segnale>& v) {
    r.push_back("[segnali]");
    for (const segnale& s : v) r.push_back(segnale_riga(s));
  };
  if (!t.segnali_prima.empty()) segnali(t.segnali_prima);
  r.push_back("[stazioni]");
  for (std::size_t k = 0; k < t.stazioni.size(); ++k) {
    for (const auto& [prima_di, s] : t.segnali_tra) {
      if (prima_di == k) r.push_back(segnale_riga(s));
    }
    r.push_back(stazione(t.stazioni[k]));
  }
  r.push_back("[rallentamenti]");
  r.push_back("");
  for (const rallentamento& x : t.rallentamenti) r.push_back(rallentamento_riga(x));
  segnali(t.segnali);
  if (!t.abbattimenti.empty()) {
    r.push_back("[abbattimenti]");
    for (const record_abbattimento& a : t.abbattimenti) {
      r.push_back("abbattimento," + col(a.posizione, 8) + "," + col(a.valore, 6));
    }
  }
  if (t.ultimo) {
    r.push_back(std::string(nota_interruzione));
    if (const auto* s = std::get_if<record_stazione>(&*t.ultimo)) r.push_back(stazione(*s));
    if (const auto* s = std::get_if<segnale>(&*t.ultimo)) r.push_back(segnale_riga(*s));
  }
  r.push_back("[codici]");
  r.push_back("[fine]");
  return r;
}

std::string testo_da_righe(const std::vector<std::string>& righe) {
  std::string out;
  for (const std::string& riga : righe) {
    out += riga;
    out += "\r\n";
  }
  return out;
}

}  // namespace scenario::decompile
