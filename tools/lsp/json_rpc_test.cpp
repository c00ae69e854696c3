#include "tools/lsp/json_rpc.h"

#include <gtest/gtest.h>

namespace scenario::lsp {
namespace {

incoming_message read(std::string_view body, bool expect_parsed = true) {
  bool parsed = false;
  incoming_message m = read_message(body, parsed);
  EXPECT_EQ(parsed, expect_parsed) << body;
  return m;
}

TEST(JsonRpc, MessagesAreToldApart) {
  auto m = read(R"({"jsonrpc":"2.0","id":3,"method":"shutdown"})");
  EXPECT_EQ(m.kind, message_kind::request);
  EXPECT_EQ(m.id, 3);
  EXPECT_EQ(m.method, "shutdown");
  m = read(R"({"jsonrpc":"2.0","id":"a","method":"x","params":{"k":1}})");
  EXPECT_EQ(m.kind, message_kind::request);
  EXPECT_EQ(m.id, "a");
  EXPECT_EQ(m.params["k"], 1);
  m = read(R"({"jsonrpc":"2.0","method":"exit","params":null})");
  EXPECT_EQ(m.kind, message_kind::notification);
  m = read(R"({"jsonrpc":"2.0","id":1,"result":null})");
  EXPECT_EQ(m.kind, message_kind::response);
}

TEST(JsonRpc, WhatIsNotAMessageIsInvalid) {
  EXPECT_EQ(read("{\"jsonrpc\":", false).kind, message_kind::invalid);
  EXPECT_EQ(read("\xFF\xFE", false).kind, message_kind::invalid);
  for (const char* body :
       {R"([1,2])", R"({"id":1,"method":"x"})", R"({"jsonrpc":"1.0","id":1,"method":"x"})",
        R"({"jsonrpc":"2.0","id":1,"method":7})",
        R"({"jsonrpc":"2.0","id":1,"method":"x","params":5})",
        R"({"jsonrpc":"2.0","id":{"a":1},"method":"x"})", R"({"jsonrpc":"2.0","id":2})"}) {
    const auto m = read(body);
    EXPECT_EQ(m.kind, message_kind::invalid) << body;
    EXPECT_FALSE(m.fault.empty()) << body;
  }
  // The id is kept for the error response when it is usable.
  EXPECT_EQ(read(R"({"jsonrpc":"2.0","id":9,"method":7})").id, 9);
}

TEST(JsonRpc, ResponsesAndErrors) {
  EXPECT_EQ(response(4, nullptr).dump(), R"({"id":4,"jsonrpc":"2.0","result":null})");
  EXPECT_EQ(error_response(nullptr, error_code::parse_error, "bad").dump(),
            R"({"error":{"code":-32700,"message":"bad"},"id":null,"jsonrpc":"2.0"})");
}

}  // namespace
}  // namespace scenario::lsp
