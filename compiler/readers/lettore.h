// The reading of one description file, record by record: the keyword
// fields with the dash rule, each record's values with where they stand,
// and what a fault does next. The compile step stops where the format says
// it stops; the checker (recovery mode) notes the fault, undoes the record
// and reads on, so one run finds every fault.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "compiler/guasti.h"
#include "compiler/readers/lettore_campi.h"
#include "compiler/readers/tipi_record.h"
#include "compiler/recorders/scrittura.h"
#include "compiler/route_model/route_model.h"
#include "compiler/sorgenti.h"

namespace scenario {

enum class modo_lettura : std::uint8_t {
  esatto,   // the compile step: faults stop the reader as the format says
  recupero  // the checker: a faulty record is set aside and reading goes on
};

// What comes after a record.
enum class seguito : std::uint8_t {
  continua,  // read the next record
  esci,      // leave the loop; the end-of-file steps run (code 15)
  ferma,     // the reader stops at once
};

// The readers' working values that live across records, shared by the two
// readers where the format shares them.
struct stato_lettori {
  std::int32_t posto_cartello = 80;  // next indication board slot, downward
  // Line reader: the grade fill, and the plan geometry being laid.
  std::int64_t indice_pendenza = 0;  // first cell whose grade is not written yet
  std::int32_t pendenza_corrente = 0;
  std::int32_t record_pendenza = nessun_record;
  std::int64_t k = 2;         // next point of the plan geometry
  double x2 = 0.0, y2 = 0.0;  // point k - 2
  double x1 = 0.0, y1 = 1.0;  // point k - 1
  // Service reader: the speed and adhesion fills, the next station slot.
  std::int64_t indice_velocita = 0;
  std::int32_t velocita_corrente = 0;
  std::int32_t record_velocita = nessun_record;
  std::int64_t indice_aderenza = 0;
  std::int32_t aderenza_corrente = 0;
  std::int32_t record_aderenza = nessun_record;
  std::int32_t j = 1;
};

class lettore {
 public:
  lettore(std::string_view testo, file_sorgente file, scrittura& w, stato_lettori& stato,
          modo_lettura modo, traccia_lettura* traccia);

  lettore_campi& campi() { return r_; }
  scrittura& w() { return w_; }
  modello_percorso& m() { return w_.modello(); }
  stato_lettori& stato() { return stato_; }
  file_sorgente file() const { return file_; }
  bool recupero() const { return modo_ == modo_lettura::recupero; }

  // The next field where a keyword is expected, comment fields passed over
  // (at most two in a row). False at the end of the file.
  bool prossima_chiave(std::string_view& riga);
  // Notes a keyword field read by other means (the general section), and
  // which kinds it matched.
  void nota_chiave(std::string_view riga, bool commento, bool generale);
  void nota_tipi(std::uint32_t tipi);

  // Runs the record of kind t whose keyword was just read: `leggi` reads
  // its values and applies it, returning what comes next. In recovery mode
  // a run-time failure inside it is the record's fault, not the file's.
  template <class F>
  seguito esegui(tipo_record t, F&& leggi) {
    apri(t);
    if (!recupero()) return leggi();
    try {
      return leggi();
    } catch (const errore_esecuzione& f) {
      return guasto_lettura(f.motivo());
    }
  }

  // A record's values, noted with where they stand.
  std::int32_t long_32();
  std::int16_t integer_16();
  std::uint8_t byte_8();
  std::string_view testo();

  // The record is read and applied.
  seguito chiudi();
  // The room test failed for the record's position (value `campo`): code 15.
  seguito fuori(std::int32_t posizione, int campo);
  // The record breaks a rule: the reader records `c` (a recorder's refusal
  // among them) and stops; `cella` is the taken cell, if any.
  seguito rifiuta(codice c, int campo, std::optional<std::int32_t> posizione,
                  std::int64_t cella = -1);
  // The same, with the figures and the related record the message needs.
  seguito rifiuta(guasto g);
  guasto nuovo_guasto(codice c, int campo) const;

  // The whole file stops with `c`, outside any record (code 102): in both
  // modes there is nothing more to read.
  seguito ferma_file(codice c);

  // Recovery mode: a read outside any record ran past the end of the file.
  // Throws the failure, as the exact mode does at that read.
  void verifica_lettura();

  // Records a fault of the compile step outside any record (code 2 at the
  // end of the service file).
  void annota(guasto g);

  // Recovery mode: a value an earlier record set cannot be stored when it
  // comes to be written; the fault (code 25) is that record's.
  void annota_del_record(std::int32_t record, motivo_guasto motivo);

  // A run-time failure: in the exact mode the trap's fault (code 25) for
  // the record being read; noted, then the caller ends the reading.
  void annota_trappola(motivo_guasto motivo);

  std::int32_t record_corrente() const { return record_; }

 private:
  void apri(tipo_record t);
  seguito guasto_lettura(motivo_guasto motivo);
  void nota_valore();
  // The value index of the field a read failed at.
  int campo_fallito(const campo_testo& dove) const;
  // Recovery: undo the record and set it aside.
  seguito metti_da_parte();
  // Recovery: a read failure inside the record is its fault.
  bool lettura_fallita();

  struct istantanea {
    stato_lettori stato;
    std::int32_t codice_errore = 0;
    std::int32_t posizione_errore = 0;
    std::int32_t n_montagne = 0;
    std::int32_t n_stazioni = 0;
    std::array<std::int32_t, n_montagne_massimo + 1> montagne_inizio{};
    std::array<std::int32_t, n_montagne_massimo + 1> montagne_fine{};
  };

  lettore_campi r_;
  file_sorgente file_;
  scrittura& w_;
  stato_lettori& stato_;
  modo_lettura modo_;
  traccia_lettura* traccia_;
  giornale_modello* giornale_;
  campo_testo chiave_;               // the keyword field of the records being read
  std::vector<campo_testo> valori_;  // the current record's values
  tipo_record tipo_ = tipo_record::pendenza;
  bool in_record_ = false;
  std::int32_t record_ = nessun_record;
  istantanea prima_;
};

}  // namespace scenario
