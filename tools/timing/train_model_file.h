// The train model file of a scenario and its naming rule: the file
// NAME_NUMBER_treno.json stands beside the service file NAME_NUMBER-.txt
// (or beside the compiled files of route NAME and train NUMBER). route_tool,
// the checker's callers and the language server find it here.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "compiler/marcia/modello_treno.h"

namespace scenario {

// The train model's file name for a service file's name under the naming
// rule; empty when the name is not NAME_NUMBER-.txt.
std::optional<std::string> train_model_name_for(std::string_view service_file_name);

// The train model file beside a service file, when the rule names one and
// it exists.
std::optional<std::filesystem::path> find_train_model(const std::filesystem::path& service_file);

// The file `name` (UTF-8) in `dir`, when it is there: the documents of a
// scenario beside it are found the same way.
std::optional<std::filesystem::path> find_beside(const std::filesystem::path& dir,
                                                 const std::string& name);

// The same for compiled files of route and train in a folder.
std::optional<std::filesystem::path> find_train_model_in(const std::filesystem::path& dir,
                                                         std::string_view route,
                                                         std::string_view train);

// Reads a train model file. Throws train_model_error naming the file and,
// where one is at fault, the field.
class train_model_error : public std::runtime_error {
 public:
  train_model_error(const std::string& what, std::string field)
      : std::runtime_error(what), field_(std::move(field)) {}
  const std::string& field() const { return field_; }

 private:
  std::string field_;
};
modello_treno load_train_model(const std::filesystem::path& file);

}  // namespace scenario
