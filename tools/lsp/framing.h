// The base protocol's framing: each message is a header block of
// "Name: value" lines ended by an empty line, then exactly Content-Length
// bytes of JSON. The reader takes the input in chunks of any size and hands
// back whole message bodies; what cannot be a message is dropped and told.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scenario::lsp {

// Bodies above this are skipped unread, byte by byte, without storing them.
inline constexpr std::size_t largest_body = 64u << 20;  // bytes
// A header block longer than this is not a header.
inline constexpr std::size_t largest_header = 8u << 10;  // bytes

enum class frame_fault : std::uint8_t {
  none,
  bad_header,      // no usable Content-Length: the block is dropped
  stray_bytes,     // bytes before a header: dropped up to the next "Content-Length"
  body_too_large,  // Content-Length above largest_body: the body is skipped
};

struct frame {
  frame_fault fault = frame_fault::none;
  std::string body;  // the message's JSON text when fault is none
};

class frame_reader {
 public:
  // Appends input; the bytes may cut a header or a body anywhere.
  void feed(std::string_view bytes);
  // The next whole message or fault, if the input holds one yet.
  std::optional<frame> next();
  // True when input ended inside a message: the bytes held are incomplete.
  bool holds_partial() const { return !pending_.empty() || skipping_ > 0 || body_length_; }

 private:
  std::optional<frame> next_header();

  std::string pending_;  // bytes not yet taken
  std::size_t start_ = 0;
  std::optional<std::size_t> body_length_;  // inside a body of this length
  std::size_t skipping_ = 0;                // bytes of an oversized body still to drop
};

// Content-Length of a header block, or nothing when it has none usable
// (absent, twice with different values, not a decimal number, past
// largest_body counts as usable: the caller skips the body).
std::optional<std::uint64_t> content_length(std::string_view header_block);

// The frame of one message: "Content-Length: N\r\n\r\n" and the body.
std::string frame_message(std::string_view body);

}  // namespace scenario::lsp
