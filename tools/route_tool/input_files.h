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

// The train model file of a scenario: the one named, else the one beside
// the service file by the naming rule (NAME_NUMBER_treno.json), if any.
std::optional<std::filesystem::path> train_model_file_for(
    const std::optional<std::string>& named, const std::filesystem::path& service_file);

// Reads a train model file; a file refused is a usage error naming it and
// the field at fault.
modello_treno read_train_model(const std::filesystem::path& file);

// The train model of a scenario (that file's, else the built-in defaults).
modello_treno train_model_for(const std::optional<std::string>& named,
                              const std::filesystem::path& service_file);

// Creates the folder if missing; a file of that name is a usage error.
void prepare_out_dir(const std::filesystem::path& dir);

}  // namespace scenario
