#include "tools/lsp/framing.h"

#include <algorithm>
#include <cctype>

namespace scenario::lsp {

namespace {

constexpr std::string_view length_name = "content-length";

char lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool same_ignoring_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return lower(x) == lower(y); });
}

// The last place where "Content-Length" begins, in any letter case.
std::size_t last_length_name(std::string_view s) {
  for (std::size_t i = s.size(); i >= length_name.size(); --i) {
    const std::size_t at = i - length_name.size();
    if (same_ignoring_case(s.substr(at, length_name.size()), length_name)) return at;
  }
  return std::string_view::npos;
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// The characters of a header's name.
bool token_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

// The end of the header block and the length of the empty line after it.
std::optional<std::pair<std::size_t, std::size_t>> block_end(std::string_view s) {
  const std::size_t crlf = s.find("\r\n\r\n");
  const std::size_t lf = s.find("\n\n");
  if (crlf == std::string_view::npos && lf == std::string_view::npos) return std::nullopt;
  if (lf != std::string_view::npos && (crlf == std::string_view::npos || lf < crlf)) {
    return std::pair{lf, std::size_t{2}};
  }
  return std::pair{crlf, std::size_t{4}};
}

}  // namespace

namespace {

// Calls f(name, value) for each "Name: value" line of a header block; false
// when a line is not one.
template <class F>
bool for_each_header(std::string_view block, F&& f) {
  while (!block.empty()) {
    const std::size_t eol = block.find('\n');
    const std::string_view line = block.substr(0, eol);
    block = eol == std::string_view::npos ? std::string_view{} : block.substr(eol + 1);
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos) return false;
    const std::string_view name = line.substr(0, colon);
    if (!std::all_of(name.begin(), name.end(), token_char)) return false;
    f(name, trimmed(line.substr(colon + 1)));
  }
  return true;
}

bool header_lines(std::string_view block) {
  return for_each_header(block, [](std::string_view, std::string_view) {});
}

}  // namespace

std::optional<std::uint64_t> content_length(std::string_view block) {
  std::optional<std::uint64_t> length;
  bool usable = true;
  const bool headers = for_each_header(block, [&](std::string_view name, std::string_view value) {
    if (!same_ignoring_case(name, length_name)) return;
    std::uint64_t n = 0;
    usable = usable && !value.empty() && value.size() <= 18;
    for (const char c : value) {
      usable = usable && c >= '0' && c <= '9';
      n = n * 10 + static_cast<std::uint64_t>(c - '0');
    }
    usable = usable && (!length || *length == n);
    length = n;
  });
  if (!headers || !usable) return std::nullopt;
  return length;
}

std::string frame_message(std::string_view body) {
  std::string out = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  out += body;
  return out;
}

void frame_reader::feed(std::string_view bytes) {
  if (start_ > 0 && start_ * 2 >= pending_.size()) {
    pending_.erase(0, start_);
    start_ = 0;
  }
  if (skipping_ > 0 && start_ == pending_.size()) {
    const std::size_t dropped = std::min(skipping_, bytes.size());
    skipping_ -= dropped;
    bytes.remove_prefix(dropped);
  }
  pending_ += bytes;
}

std::optional<frame> frame_reader::next() {
  for (;;) {
    const std::string_view view = std::string_view(pending_).substr(start_);
    if (skipping_ > 0) {
      const std::size_t dropped = std::min(skipping_, view.size());
      skipping_ -= dropped;
      start_ += dropped;
      if (skipping_ > 0) return std::nullopt;
      continue;
    }
    if (body_length_) {
      if (view.size() < *body_length_) return std::nullopt;
      frame f;
      f.body = std::string(view.substr(0, *body_length_));
      start_ += *body_length_;
      body_length_.reset();
      return f;
    }
    if (view.empty()) {
      pending_.clear();
      start_ = 0;
      return std::nullopt;
    }
    if (auto f = next_header()) return f;
    if (!body_length_ && skipping_ == 0) return std::nullopt;
  }
}

// Takes a header block off the input: sets the body to come and returns
// nothing, or returns the fault of what it dropped. Nothing either when the
// block is not complete yet.
std::optional<frame> frame_reader::next_header() {
  const std::string_view view = std::string_view(pending_).substr(start_);
  const auto end = block_end(view);
  if (!end) {
    if (view.size() <= largest_header) return std::nullopt;
    // Too long for a header: keep only what may begin the next one.
    const std::size_t at = last_length_name(view);
    if (at == 0) {
      start_ += view.size();
      return frame{frame_fault::bad_header, {}};
    }
    start_ += at != std::string_view::npos ? at : view.size() - (length_name.size() - 1);
    return frame{frame_fault::stray_bytes, {}};
  }
  const std::string_view block = view.substr(0, end->first);
  if (const auto length = content_length(block)) {
    start_ += end->first + end->second;
    if (*length > largest_body) {
      skipping_ = static_cast<std::size_t>(*length);
      return frame{frame_fault::body_too_large, {}};
    }
    body_length_ = static_cast<std::size_t>(*length);
    return std::nullopt;
  }
  // Bytes left over before a header, e.g. the tail of a body whose length
  // was given too short, run into the next header's first line.
  const std::size_t at = last_length_name(block);
  if (at != std::string_view::npos && at > 0 && (block[at - 1] != '\n' || !header_lines(block))) {
    start_ += at;
    return frame{frame_fault::stray_bytes, {}};
  }
  start_ += end->first + end->second;
  return frame{frame_fault::bad_header, {}};
}

}  // namespace scenario::lsp
