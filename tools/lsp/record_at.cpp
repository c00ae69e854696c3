#include "tools/lsp/record_at.h"

namespace scenario::lsp {

namespace {

bool holds(const campo_testo& c, std::size_t offset) {
  return c.riga > 0 && c.inizio <= offset && offset <= c.fine;
}

}  // namespace

std::optional<field_at> field_at_offset(const sorgenti_modello& s, file_sorgente f,
                                        std::size_t offset) {
  for (std::size_t i = 0; i < s.record.size(); ++i) {
    const record_letto& r = s.record[i];
    if (r.file != f) continue;
    const auto index = static_cast<std::int32_t>(i);
    if (holds(r.chiave, offset)) return field_at{index, -1};
    for (std::size_t v = 0; v < r.valori.size(); ++v) {
      if (holds(r.valori[v], offset)) return field_at{index, static_cast<int>(v)};
    }
  }
  return std::nullopt;
}

}  // namespace scenario::lsp
