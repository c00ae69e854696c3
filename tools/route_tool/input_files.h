// The author's files as the commands take them: a text file read whole into
// memory, and an output folder made ready. Problems are usage errors, one
// line naming the file.
#pragma once

#include <filesystem>
#include <string>

#include "base/file_system.h"

namespace scenario {

// `what` names the file in messages ("line description file").
std::string read_input(disk_file_system& disk, const std::string& what, const std::string& name);

// Creates the folder if missing; a file of that name is a usage error.
void prepare_out_dir(const std::filesystem::path& dir);

}  // namespace scenario
