// Completion of keywords: which records a line offers, as the readers take
// the sections, and the snippets' placeholders.
#include "tools/lsp/completion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scenario::lsp {
namespace {

std::vector<std::string> labels(const std::string& text, std::int64_t line) {
  completion_request r;
  r.file = file_sorgente::linea;
  r.utf8 = text;
  r.position = {line, 0};
  const json list = complete(r);
  std::vector<std::string> out;
  for (const json& item : list["items"]) out.push_back(item["label"]);
  return out;
}

TEST(Completion, AnyHeaderEndsTheGeneralSectionEvenAnEmptyOne) {
  // The line reader leaves the general section at the first field with '['
  // and ']' in it: after "[]" the body's records are offered.
  const std::vector<std::string> generale = {"lunghezza percorso",
                                             "progressiva chilometrica tre",
                                             "progressiva chilometrica due",
                                             "progressiva chilometrica uno",
                                             "sfondo uno",
                                             "sfondo due",
                                             "sfondo tre",
                                             "ripetizione segnali 4 codici"};
  const std::vector<std::string> corpo = {"pendenza", "curva", "montagna", "indicatori_vmax",
                                          "cartello_indicatore"};
  EXPECT_EQ(labels("[generale]\r\n\r\n", 1), generale);
  EXPECT_EQ(labels("[generale]\r\nlunghezza percorso, 5000\r\n[]\r\n\r\n", 3), corpo);
  EXPECT_EQ(labels("[generale]\r\nlunghezza percorso, 5000\r\n[x]\r\n\r\n", 3), corpo);
}

TEST(Completion, SnippetsNumberTheFieldsAfterTheKeywordsOwnChoices) {
  const auto begins = [](tipo_record t, const std::string& head) {
    const std::string s = record_snippet(descrizione(t));
    return s.substr(0, head.size()) == head ? ::testing::AssertionSuccess()
                                            : ::testing::AssertionFailure() << s;
  };
  EXPECT_TRUE(begins(tipo_record::pendenza, "pendenza, ${1:"));
  EXPECT_TRUE(
      begins(tipo_record::ripetizione_segnali, "ripetizione segnali ${1|4,9|} codici, ${2:"));
  EXPECT_TRUE(begins(tipo_record::curva, "curva${1|d,s|}${2|1,2,3,4,5,6|}, ${3:"));
}

}  // namespace
}  // namespace scenario::lsp
