// How the readers and recorders write the route model: every cell they
// reach is checked against the model's bounds, every write can be noted in
// the sources (which record put it there) and in a journal that undoes a
// record (the checker sets a faulty record aside and reads on).
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "compiler/route_model/route_model.h"
#include "compiler/sorgenti.h"

namespace scenario {

// One of the three profile values of a cell, which the fills write cell by
// cell: the journal keeps only that byte and its source for them.
enum class campo_profilo : std::uint8_t { pendenza, velocita, aderenza };

// The writes of one record, to be undone.
class giornale_modello {
 public:
  void cella(std::int64_t i, const cella& c, const origine_cella* o);
  void profilo(std::int64_t i, campo_profilo f, const scenario::cella& c, const origine_cella* o);
  void voce(int j, const elemento& e, std::int32_t origine);
  // Puts back every noted cell and entry, newest first, and forgets them.
  void annulla(modello_percorso& m, sorgenti_modello* s);
  void dimentica();

 private:
  struct cella_salvata {
    std::int64_t indice;
    scenario::cella valore;
    origine_cella origine;
  };
  // 12 bytes instead of a whole cell's 56: a fill over a long line notes
  // tens of thousands.
  struct profilo_salvato {
    std::int32_t indice;
    campo_profilo campo;
    std::uint8_t valore;
    std::int32_t origine;
  };
  struct voce_salvata {
    int indice;
    elemento valore;
    std::int32_t origine;
  };
  std::vector<cella_salvata> celle_;
  std::vector<profilo_salvato> profili_;
  std::vector<voce_salvata> voci_;
};

class scrittura {
 public:
  explicit scrittura(modello_percorso& m, sorgenti_modello* s = nullptr,
                     giornale_modello* g = nullptr)
      : m_(m), s_(s), g_(g) {}

  modello_percorso& modello() { return m_; }
  sorgenti_modello* sorgenti() { return s_; }
  giornale_modello* giornale() { return g_; }
  // The record the next writes come from.
  void per_record(std::int32_t record) { record_ = record; }
  std::int32_t record() const { return record_; }

  // Cell i for reading; throws errore_esecuzione outside 0 .. n_celle.
  const cella& leggi(std::int64_t i) const { return m_.celle[indice(i)]; }
  // Cell i for a new object (`tipo`, `dato1` .. `dato5`).
  scenario::cella& oggetto(std::int64_t i) {
    const std::size_t k = annota(i);
    if (s_ != nullptr) {
      s_->celle[k].oggetto = record_;
      s_->celle[k].regola = regola_posa::nessuna;
    }
    return m_.celle[k];
  }
  void segno(std::int64_t i, std::uint8_t v) {
    const std::size_t k = annota(i);
    m_.celle[k].segno = v;
    if (s_ != nullptr) s_->celle[k].segno = record_;
  }
  void montagna(std::int64_t i, std::uint8_t v) {
    const std::size_t k = annota(i);
    m_.celle[k].montagna = v;
    if (s_ != nullptr) s_->celle[k].montagna = record_;
  }
  // Profile values carry the record whose value they are, which is not
  // the record being read: the fill of a stretch runs when the next one
  // begins.
  void pendenza(std::int64_t i, std::uint8_t v, std::int32_t origine) {
    const std::size_t k = annota(i, campo_profilo::pendenza);
    m_.celle[k].pendenza = v;
    if (s_ != nullptr) s_->celle[k].pendenza = origine;
  }
  void velocita(std::int64_t i, std::uint8_t v, std::int32_t origine) {
    const std::size_t k = annota(i, campo_profilo::velocita);
    m_.celle[k].velocita = v;
    if (s_ != nullptr) s_->celle[k].velocita = origine;
  }
  void aderenza(std::int64_t i, std::uint8_t v, std::int32_t origine) {
    const std::size_t k = annota(i, campo_profilo::aderenza);
    m_.celle[k].aderenza = v;
    if (s_ != nullptr) s_->celle[k].aderenza = origine;
  }

  // Entry j of the item table, to be filled by the current record.
  elemento& voce(int j);

  // The cells were created anew: their sources too.
  void celle_create();

 private:
  std::size_t indice(std::int64_t i) const;
  std::size_t annota(std::int64_t i) {
    const std::size_t k = indice(i);
    if (g_ != nullptr) g_->cella(i, m_.celle[k], s_ != nullptr ? &s_->celle[k] : nullptr);
    return k;
  }
  std::size_t annota(std::int64_t i, campo_profilo f) {
    const std::size_t k = indice(i);
    if (g_ != nullptr) g_->profilo(i, f, m_.celle[k], s_ != nullptr ? &s_->celle[k] : nullptr);
    return k;
  }

  modello_percorso& m_;
  sorgenti_modello* s_;
  giornale_modello* g_;
  std::int32_t record_ = nessun_record;
};

}  // namespace scenario
