#include "tools/lsp/pairing.h"

#include <gtest/gtest.h>

namespace scenario::lsp {
namespace {

const pairing_defaults defaults{"Viterbo_Attigliano_Orte", "7547"};
const std::string line_text = "[generale]\r\nlunghezza percorso, 60000\r\n[fine]\r\n";
const std::string service_text = "[generale]\r\nnumero vetture, 4\r\n[fine]\r\n";

TEST(Pairing, NamesByTheCompilersRule) {
  const name_parts line = parts_of_name("Roma_Nord_linea.txt");
  EXPECT_EQ(line.kind, file_kind::line);
  EXPECT_EQ(line.route, "Roma_Nord");
  const name_parts service = parts_of_name("Roma_Nord_2101-.txt");
  EXPECT_EQ(service.kind, file_kind::service);
  EXPECT_EQ(service.route, "Roma_Nord");
  EXPECT_EQ(service.train, "2101");
  for (const char* other : {"_linea.txt", "Roma-.txt", "_7-.txt", "Roma_-.txt", "Roma_7_note.txt",
                            "Roma_linea.TXT", "notes.txt"}) {
    EXPECT_EQ(parts_of_name(other).kind, file_kind::unknown) << other;
  }
}

TEST(Pairing, KindsByContent) {
  EXPECT_EQ(kind_by_content(line_text), file_kind::line);
  EXPECT_EQ(kind_by_content("[GENERALE]\nLUNGHEZZA PERCORSO, 5\n"), file_kind::line);
  EXPECT_EQ(kind_by_content(service_text), file_kind::service);
  // "lunghezza percorso" outside the general section does not count.
  EXPECT_EQ(kind_by_content("[generale]\r\n[curve]\r\nlunghezza percorso, 5\r\n"),
            file_kind::service);
  EXPECT_EQ(kind_by_content("Orario del treno 7547\r\n"), file_kind::unknown);
  // A note that names "[generale]" is prose, not a service file; a service
  // file that lost its "[generale]" is still one.
  EXPECT_EQ(kind_by_content("Il file comincia con [generale], poi le stazioni.\r\n"
                            "La velocita massima, 90 km/h, vale fino a Orte.\r\n"
                            "Buon viaggio.\r\n"),
            file_kind::unknown);
  EXPECT_EQ(kind_by_content("numero vetture, 3\r\nvelocita, 0, 60\r\n- nota\r\n"),
            file_kind::service);
  EXPECT_EQ(kind_by_content("La velocita massima, 90 km/h\r\nvale fino a Orte.\r\nFine.\r\n"),
            file_kind::unknown);
  // Half of the lines records is enough; one prose line more is not.
  EXPECT_EQ(kind_by_content("[generale]\r\nsabbia, 0\r\nuna nota\r\n"), file_kind::service);
  EXPECT_EQ(kind_by_content("[generale]\r\nsabbia, 0\r\nuna nota\r\ne una\r\n"),
            file_kind::unknown);
  EXPECT_EQ(kind_by_content("numero vetture, 3\r\nvelocita, 0, 60\r\nuna nota\r\ne una\r\n"),
            file_kind::service);
  EXPECT_EQ(
      kind_by_content("numero vetture, 3\r\nvelocita, 0, 60\r\nuna nota\r\ne una\r\ne tre\r\n"),
      file_kind::unknown);
}

TEST(Pairing, ByNameTheOpenPartnerWithItsUnsavedText) {
  memory_folders disk;
  disk.files["/r/A_linea.txt"] = line_text;
  disk.files["/r/A_1-.txt"] = service_text;
  disk.files["/r/A_2-.txt"] = service_text;
  disk.files["/r/B_3-.txt"] = service_text;
  document_store open;
  const document& line = open.open("file:///r/A_linea.txt", line_text, 1);
  // No service file open: the first of its route by name, from the disk.
  file_pair p = find_pair(line, open, disk, defaults);
  ASSERT_TRUE(p.paired());
  EXPECT_EQ(p.service.uri, "file:///r/A_1-.txt");
  EXPECT_FALSE(p.service.from_editor);
  EXPECT_EQ(p.route, "A");
  EXPECT_EQ(p.train, "1");
  // The one the editor has open, with what it holds.
  open.open("file:///r/A_2-.txt", "[generale]\r\nsabbia, 0\r\n", 1);
  p = find_pair(*open.find("file:///r/A_linea.txt"), open, disk, defaults);
  EXPECT_EQ(p.service.uri, "file:///r/A_2-.txt");
  EXPECT_TRUE(p.service.from_editor);
  EXPECT_EQ(p.service.bytes, "[generale]\r\nsabbia, 0\r\n");
  EXPECT_EQ(p.train, "2");
  // And from the service file's side, its line.
  p = find_pair(*open.find("file:///r/A_2-.txt"), open, disk, defaults);
  EXPECT_EQ(p.line.uri, "file:///r/A_linea.txt");
  EXPECT_TRUE(p.line.from_editor);
}

TEST(Pairing, ByContentTheOneFileOfTheOtherKind) {
  memory_folders disk;
  disk.files["/r/tratta.txt"] = line_text;
  disk.files["/r/treno.txt"] = "[generale]\r\norologio, 13, 48, 40\r\n";
  disk.files["/r/note.txt"] = "Note per il macchinista\r\n";
  // A sheet that names the general section is no service file.
  disk.files["/r/scheda.txt"] = "Scheda treno: vedi [generale], orologio\r\nOrte 14:38\r\n";
  document_store open;
  file_pair p = find_pair(open.open("file:///r/treno.txt", disk.files["/r/treno.txt"], 1), open,
                          disk, defaults);
  ASSERT_TRUE(p.paired());
  EXPECT_EQ(p.line.uri, "file:///r/tratta.txt");
  EXPECT_EQ(p.service.uri, "file:///r/treno.txt");
  EXPECT_EQ(p.route, defaults.route);
  EXPECT_EQ(p.line.utf8, line_text);
  // From the line file's side: the service file, not the sheet.
  p = find_pair(open.open("file:///r/tratta.txt", line_text, 1), open, disk, defaults);
  ASSERT_TRUE(p.paired());
  EXPECT_EQ(p.service.uri, "file:///r/treno.txt");
  open.close("file:///r/tratta.txt");
  // Two line files: no pair.
  disk.files["/r/tratta2.txt"] = line_text;
  p = find_pair(*open.find("file:///r/treno.txt"), open, disk, defaults);
  EXPECT_FALSE(p.paired());
  EXPECT_TRUE(p.service.present());
}

TEST(Pairing, AloneWithoutAPartnerOrAFolder) {
  memory_folders disk;
  document_store open;
  file_pair p = find_pair(open.open("file:///r/A_linea.txt", line_text, 1), open, disk, defaults);
  EXPECT_TRUE(p.line.present());
  EXPECT_FALSE(p.service.present());
  p = find_pair(open.open("untitled:1", service_text, 1), open, disk, defaults);
  EXPECT_TRUE(p.service.present());
  EXPECT_FALSE(p.line.present());
}

TEST(Pairing, TheDocumentsAndTheTrainModelBesideTheServiceFile) {
  memory_folders disk;
  disk.files["/r/A_linea.txt"] = line_text;
  disk.files["/r/A_1-.txt"] = service_text;
  disk.files["/r/A_1_scheda_treno.txt"] = "sheet";
  disk.files["/r/A_1_rallentamenti.txt"] = "form";
  disk.files["/r/A_1_treno.json"] = "{}";
  disk.files["/r/A_2_scheda_treno.txt"] = "another train's sheet";
  document_store open;
  file_pair p = find_pair(open.open("file:///r/A_1-.txt", service_text, 1), open, disk, defaults);
  ASSERT_TRUE(p.paired());
  EXPECT_EQ(p.sheet.uri, "file:///r/A_1_scheda_treno.txt");
  EXPECT_EQ(p.sheet.bytes, "sheet");
  EXPECT_EQ(p.form.uri, "file:///r/A_1_rallentamenti.txt");
  EXPECT_EQ(p.train_model, "{}");
}

}  // namespace
}  // namespace scenario::lsp
