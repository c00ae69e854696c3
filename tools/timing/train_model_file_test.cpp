// The train model file's naming rule and its reading from disk.
#include "tools/timing/train_model_file.h"

#include <gtest/gtest.h>

#include "tools/testing/temp_folder.h"

namespace scenario {
namespace {

using testing::temp_folder;
using testing::write_text;

TEST(TrainModelFile, NamedAfterTheServiceFile) {
  EXPECT_EQ(train_model_name_for("Viterbo_Attigliano_Orte_7547-.txt"),
            "Viterbo_Attigliano_Orte_7547_treno.json");
  EXPECT_EQ(train_model_name_for("A_1-.txt"), "A_1_treno.json");
  // Not a service file's name under the rule.
  EXPECT_EQ(train_model_name_for("Viterbo_linea.txt"), std::nullopt);
  EXPECT_EQ(train_model_name_for("7547-.txt"), std::nullopt);
  EXPECT_EQ(train_model_name_for("_7547-.txt"), std::nullopt);
  EXPECT_EQ(train_model_name_for("Viterbo_-.txt"), std::nullopt);
  EXPECT_EQ(train_model_name_for("-.txt"), std::nullopt);
}

TEST(TrainModelFile, FoundBesideTheServiceFileWhenItExists) {
  temp_folder tmp;
  const auto service = tmp.path() / "Linea_12-.txt";
  write_text(service, "[generale]\r\n");
  EXPECT_EQ(find_train_model(service), std::nullopt);
  write_text(tmp.path() / "Linea_12_treno.json", "{}");
  EXPECT_EQ(find_train_model(service), tmp.path() / "Linea_12_treno.json");
  EXPECT_EQ(find_train_model_in(tmp.path(), "Linea", "12"), tmp.path() / "Linea_12_treno.json");
  EXPECT_EQ(find_train_model_in(tmp.path(), "Linea", "13"), std::nullopt);
  // A folder of that name is no train model.
  std::filesystem::create_directory(tmp.path() / "Linea_13_treno.json");
  EXPECT_EQ(find_train_model_in(tmp.path(), "Linea", "13"), std::nullopt);
}

TEST(TrainModelFile, LoadsOrNamesTheFileAndField) {
  temp_folder tmp;
  const auto file = tmp.path() / "t.json";
  write_text(file, R"({"potenza_kw": 1500})");
  EXPECT_EQ(load_train_model(file).potenza_kw, 1500.0);
  write_text(file, R"({"potenza_kw": 0})");
  try {
    load_train_model(file);
    FAIL();
  } catch (const train_model_error& e) {
    EXPECT_EQ(e.field(), "potenza_kw");
    EXPECT_EQ(std::string(e.what()),
              file.string() + ": field \"potenza_kw\": must be above 0 kW, not 0");
  }
  try {
    load_train_model(tmp.path() / "missing.json");
    FAIL();
  } catch (const train_model_error& e) {
    EXPECT_EQ(e.field(), "");
    EXPECT_NE(std::string(e.what()).find("missing.json"), std::string::npos);
  }
}

}  // namespace
}  // namespace scenario
