#include "tools/lsp/lsp_session.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "tools/lsp/framing.h"
#include "tools/lsp/server.h"
#include "tools/lsp/stdio_channel.h"

namespace scenario::lsp {

session_io memory_io(std::string_view input, std::size_t piece, std::string& output) {
  auto at = std::make_shared<std::size_t>(0);
  return {[input, piece, at](char* buffer, std::size_t size) {
            const std::size_t n = std::min({size, piece, input.size() - *at});
            input.copy(buffer, n, *at);
            *at += n;
            return n;
          },
          [&output](std::string_view bytes) {
            output += bytes;
            return true;
          }};
}

int run_session(const session_io& io, folder_access& disk, const pairing_defaults& defaults) {
  bool output_gone = false;
  language_server server(disk, defaults, [&](const json& message) {
    if (output_gone) return;
    const std::string body = message.dump(-1, ' ', false, json::error_handler_t::replace);
    output_gone = !io.write(frame_message(body));
  });
  frame_reader reader;
  std::vector<char> buffer(64 * 1024);
  while (!server.finished() && !output_gone) {
    const std::size_t n = io.read(buffer.data(), buffer.size());
    if (n == 0) return 1;  // the input closed without "exit"
    reader.feed(std::string_view(buffer.data(), n));
    while (auto f = reader.next()) {
      if (f->fault == frame_fault::none) {
        server.handle(f->body);
      } else {
        server.dropped(f->fault);
      }
      if (server.finished()) break;
    }
  }
  return server.finished() ? server.exit_status() : 1;
}

int run_stdio_session(const pairing_defaults& defaults) {
  prepare_stdio();
  disk_folders disk;
  return run_session({read_stdin, write_stdout}, disk, defaults);
}

}  // namespace scenario::lsp
