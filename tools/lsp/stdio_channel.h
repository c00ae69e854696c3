// Standard input and output as raw bytes: no newline translation, no
// buffering that would hold a message back.
#pragma once

#include <cstddef>
#include <string_view>

namespace scenario::lsp {

// Switches both streams to binary mode where the platform has a text mode.
void prepare_stdio();
// Reads what is available, up to `size` bytes, waiting for at least one;
// 0 when the input has closed (or failed).
std::size_t read_stdin(char* buffer, std::size_t size);
// Writes all bytes; false when the output is gone.
bool write_stdout(std::string_view bytes);

}  // namespace scenario::lsp
