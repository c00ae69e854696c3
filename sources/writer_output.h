// Runs one writer into a folder in memory and hands back its lines, for the
// tests of each file's content.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/program_folder.h"

namespace scenario {

struct writer_output {
  std::string bytes;
  std::vector<std::string> lines;  // without CR LF; empty if the ends are wrong
};

// `write` is called with a memory folder and the folder "/programma";
// `file_name` is the name it must have written.
writer_output run_writer(const std::function<void(file_system&, const program_folder&)>& write,
                         const std::string& file_name);

}  // namespace scenario
