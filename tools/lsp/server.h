// The language server: the protocol's life cycle (initialize, shutdown,
// exit), the documents the editor opens and changes, and the requests of
// each feature. It takes one message body at a time and sends its answers
// and notifications through a callback, so that it runs the same over
// standard input and output, in tests and under the fuzzer.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "tools/lsp/documents.h"
#include "tools/lsp/folder_access.h"
#include "tools/lsp/framing.h"
#include "tools/lsp/json_rpc.h"
#include "tools/lsp/pair_check.h"

namespace scenario::lsp {

class language_server {
 public:
  using sender = std::function<void(const json&)>;

  language_server(folder_access& disk, pairing_defaults defaults, sender send);

  // One message body, as the framing handed it over.
  void handle(std::string_view body);
  // What the framing dropped: told to the editor's log.
  void dropped(frame_fault fault);

  // After "exit": the process ends with exit_status() (0 when "shutdown"
  // came first, 1 otherwise).
  bool finished() const { return state_ == state::exited; }
  int exit_status() const { return shutdown_received_ ? 0 : 1; }

 private:
  enum class state { waiting, running, shutting_down, exited };

  void handle_request(const incoming_message& m);
  void handle_notification(const incoming_message& m);
  // Nothing for a method the server does not know.
  std::optional<json> request_result(const std::string& method, const json& params);

  json initialize(const json& params);
  void did_open(const json& params);
  void did_change(const json& params);
  void did_close(const json& params);
  void refresh(const std::string& uri);
  void refresh_all();
  void publish(const pair_check& c, file_sorgente f);
  void publish_empty(const std::string& uri);
  void log(std::string text);

  // The check of an open document and which file of it the document is.
  std::pair<const pair_check*, file_sorgente> check_of(const json& params) const;

  folder_access& disk_;
  pairing_defaults defaults_;
  sender send_;
  state state_ = state::waiting;
  bool shutdown_received_ = false;
  position_encoding encoding_ = position_encoding::utf16;
  bool snippets_ = false;
  document_store documents_;
  std::map<std::string, std::shared_ptr<pair_check>, std::less<>> checks_;  // by URI
  std::set<std::string, std::less<>> told_alone_;
  std::set<std::string, std::less<>> told_too_large_;
  // The train model faults already logged: a file refused is said once, not
  // at every change of the texts it times.
  std::set<std::string, std::less<>> told_train_model_;
};

}  // namespace scenario::lsp
