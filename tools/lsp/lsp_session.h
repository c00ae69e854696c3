// A whole session over a byte stream: input in chunks through the framing
// to the server, every answer framed and written out, until "exit" or the
// end of the input.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "tools/lsp/folder_access.h"
#include "tools/lsp/pairing.h"

namespace scenario::lsp {

struct session_io {
  // Fills the buffer; 0 at the end of the input.
  std::function<std::size_t(char*, std::size_t)> read;
  // False when the output is gone.
  std::function<bool(std::string_view)> write;
};

// Bytes in memory as a session's input, handed over `piece` bytes at a time
// as a pipe may (the bytes must outlive the session), and the output
// collected in `output`.
session_io memory_io(std::string_view input, std::size_t piece, std::string& output);

// Returns the process's exit status: 0 after "shutdown" and "exit", 1 when
// "exit" came without "shutdown" or the input ended first.
int run_session(const session_io& io, folder_access& disk, const pairing_defaults& defaults);

// The same over standard input and output and the disk.
int run_stdio_session(const pairing_defaults& defaults);

}  // namespace scenario::lsp
