#include "fuzz/lsp_check.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "compiler/route_model/nomi_file.h"
#include "sources/testi_fissi.h"
#include "tools/lsp/framing.h"
#include "tools/lsp/lsp_session.h"

namespace scenario {

namespace {

// The folder "/r" with the fixed scenario's two description files.
lsp::memory_folders fixed_folder() {
  const fixed_scenario_texts t = fixed_texts();
  lsp::memory_folders disk;
  disk.files["/r/" + nome_file_linea_txt("Viterbo_Attigliano_Orte")] = t.line;
  disk.files["/r/" + nome_file_servizio_txt("Viterbo_Attigliano_Orte", "7547")] = t.service;
  return disk;
}

}  // namespace

lsp_check_result check_lsp_input(std::string_view input) {
  lsp_check_result r;
  const std::size_t piece = input.empty() ? 1 : static_cast<unsigned char>(input[0]) + 1u;
  if (!input.empty()) input.remove_prefix(1);
  static const lsp::memory_folders folder = fixed_folder();
  lsp::memory_folders disk = folder;

  std::string output;
  const lsp::session_io io = lsp::memory_io(input, piece, output);
  r.exit_status = lsp::run_session(io, disk, {"Viterbo_Attigliano_Orte", "7547"});
  if (r.exit_status != 0 && r.exit_status != 1) {
    r.problem = "exit status " + std::to_string(r.exit_status);
    return r;
  }
  lsp::frame_reader back;
  back.feed(output);
  while (auto f = back.next()) {
    ++r.messages;
    if (f->fault != lsp::frame_fault::none) {
      r.problem = "the server wrote a broken frame";
      return r;
    }
    const auto j = nlohmann::json::parse(f->body, nullptr, false);
    if (j.is_discarded() || !j.is_object() || j.value("jsonrpc", "") != "2.0") {
      r.problem = "the server wrote a message that is not JSON-RPC: " + f->body.substr(0, 200);
      return r;
    }
    if (j.contains("id") == j.contains("method") && !j.contains("method")) {
      r.problem = "a message that is neither an answer nor a notification";
      return r;
    }
  }
  if (back.holds_partial()) r.problem = "the server's output ends inside a message";
  return r;
}

}  // namespace scenario
