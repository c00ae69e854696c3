// The author's files as the commands take them: a text file read whole into
// memory, and an output folder made ready. Problems are usage errors, one
// line naming the file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "base/file_system.h"
#include "compiler/marcia/modello_treno.h"

namespace scenario {

// `what` names the file in messages ("line description file").
std::string read_input(disk_file_system& disk, const std::string& what, const std::string& name);

// Creates the folder if missing; a file of that name is a usage error.
void prepare_out_dir(const std::filesystem::path& dir);

// The train model of the running-time calculation: the file given with
// --train-model, else the one the naming rule finds beside the scenario
// (`beside`), else the built-in defaults (`file` empty). A file that cannot
// be read, or that the model refuses, is a usage error naming the file and
// the field.
struct chosen_train_model {
  modello_treno model;
  std::optional<std::filesystem::path> file;
};
chosen_train_model choose_train_model(const std::optional<std::string>& given,
                                      const std::optional<std::filesystem::path>& beside);

}  // namespace scenario
