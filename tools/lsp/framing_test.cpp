#include "tools/lsp/framing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scenario::lsp {
namespace {

std::vector<frame> all_frames(frame_reader& r) {
  std::vector<frame> out;
  while (auto f = r.next()) out.push_back(std::move(*f));
  return out;
}

std::vector<frame> read_all(const std::string& input) {
  frame_reader r;
  r.feed(input);
  return all_frames(r);
}

TEST(Framing, MessagesCutAnywhereComeOutWhole) {
  const std::string input = frame_message(R"({"a":1})") +
                            "Content-Type: application/vscode-jsonrpc; charset=utf-8\r\n"
                            "content-length: 2\r\n\r\n{}" +
                            frame_message("[\"\xC3\xA8\"]");
  for (std::size_t chunk = 1; chunk <= input.size(); ++chunk) {
    frame_reader r;
    std::vector<frame> got;
    for (std::size_t i = 0; i < input.size(); i += chunk) {
      r.feed(input.substr(i, chunk));
      for (auto& f : all_frames(r)) got.push_back(std::move(f));
    }
    ASSERT_EQ(got.size(), 3u) << "chunk " << chunk;
    EXPECT_EQ(got[0].body, R"({"a":1})");
    EXPECT_EQ(got[1].body, "{}");
    EXPECT_EQ(got[2].body, "[\"\xC3\xA8\"]");
    EXPECT_FALSE(r.holds_partial());
  }
}

TEST(Framing, AHeaderWithoutAUsableLengthIsDroppedAndReadingGoesOn) {
  for (const std::string header :
       {"Content-Length: x\r\n\r\n", "Content-Length: -5\r\n\r\n", "Content-Type: a\r\n\r\n",
        "Content-Length: 3\r\nContent-Length: 4\r\n\r\n", "Content-Length:\r\n\r\n",
        "Content-Length: 99999999999999999999\r\n\r\n", "no colon here\r\n\r\n"}) {
    const auto frames = read_all(header + frame_message("{}"));
    ASSERT_EQ(frames.size(), 2u) << header;
    EXPECT_EQ(frames[0].fault, frame_fault::bad_header) << header;
    EXPECT_EQ(frames[1].fault, frame_fault::none);
    EXPECT_EQ(frames[1].body, "{}");
  }
  EXPECT_EQ(content_length("Content-Length:  12 \r"), 12u);
  EXPECT_EQ(content_length("X-Other: 1\r\nCONTENT-LENGTH: 7"), 7u);
}

TEST(Framing, BytesBeforeAHeaderAreDropped) {
  // Stray text, and the tail of a body whose length was given too short.
  const auto stray = read_all("hello\n" + frame_message("{}"));
  ASSERT_EQ(stray.size(), 2u);
  EXPECT_EQ(stray[0].fault, frame_fault::stray_bytes);
  EXPECT_EQ(stray[1].body, "{}");
  const auto short_length = read_all("Content-Length: 3\r\n\r\n{\"id\":1}" + frame_message("[]"));
  ASSERT_EQ(short_length.size(), 3u);
  EXPECT_EQ(short_length[0].body, "{\"i");
  EXPECT_EQ(short_length[1].fault, frame_fault::stray_bytes);
  EXPECT_EQ(short_length[2].body, "[]");
}

TEST(Framing, EndlessGarbageIsNotHeldInMemory) {
  frame_reader r;
  std::size_t faults = 0;
  for (int i = 0; i < 1000; ++i) {
    r.feed(std::string(1024, 'z'));
    for (const frame& f : all_frames(r)) faults += f.fault == frame_fault::stray_bytes ? 1 : 0;
  }
  EXPECT_GT(faults, 0u);
  r.feed(frame_message("{}"));
  const auto frames = all_frames(r);
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.back().body, "{}");
}

TEST(Framing, AHeaderBlockMayRunTo8KiB) {
  // 8192 bytes of header without its end yet: held for more.
  std::string header = "Content-Length: 2\r\nX-Pad: ";
  header += std::string(8192 - header.size(), 'a');
  frame_reader r;
  r.feed(header);
  EXPECT_TRUE(all_frames(r).empty());
  r.feed("\r\n\r\n{}");
  auto frames = all_frames(r);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].fault, frame_fault::none);
  EXPECT_EQ(frames[0].body, "{}");
  // One byte more is no header.
  frame_reader longer;
  longer.feed(header + "a");
  frames = all_frames(longer);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].fault, frame_fault::bad_header);
}

TEST(Framing, AnOversizedBodyIsSkippedUnstored) {
  frame_reader r;
  r.feed("Content-Length: " + std::to_string(largest_body + 1) + "\r\n\r\n");
  auto frames = all_frames(r);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].fault, frame_fault::body_too_large);
  const std::string mib(1u << 20, 'x');
  for (std::size_t fed = 0; fed < largest_body + 1; fed += mib.size()) {
    r.feed(std::string_view(mib).substr(0, std::min(mib.size(), largest_body + 1 - fed)));
    EXPECT_TRUE(all_frames(r).empty());
  }
  r.feed(frame_message("{}"));
  frames = all_frames(r);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].body, "{}");
}

TEST(Framing, AMessageIsItsLengthAndItsBody) {
  EXPECT_EQ(frame_message("{}"), "Content-Length: 2\r\n\r\n{}");
  EXPECT_EQ(frame_message("\"\xC3\xA8\""), "Content-Length: 4\r\n\r\n\"\xC3\xA8\"");
}

}  // namespace
}  // namespace scenario::lsp
