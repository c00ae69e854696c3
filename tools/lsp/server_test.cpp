#include "tools/lsp/server.h"

#include <gtest/gtest.h>

#include "tools/lsp/lsp_session.h"
#include "tools/lsp/server_fixture.h"

namespace scenario::lsp {
namespace {

using namespace lsp_testing;

TEST(Server, RequestsBeforeInitializeAndAfterShutdownAreRefused) {
  fixture f;
  f.request(1, "textDocument/hover");
  ASSERT_NE(f.answer(1), nullptr);
  EXPECT_EQ((*f.answer(1))["error"]["code"], error_code::server_not_initialized);
  f.notify("textDocument/didOpen", {{"textDocument", {{"uri", line_uri}, {"text", ""}}}});
  EXPECT_TRUE(f.published(line_uri).empty());  // dropped before initialize
  f.request(2, "initialize", {{"capabilities", json::object()}});
  EXPECT_EQ((*f.answer(2))["result"]["capabilities"]["positionEncoding"], "utf-16");
  f.request(3, "initialize", {{"capabilities", json::object()}});
  EXPECT_EQ((*f.answer(3))["error"]["code"], error_code::invalid_request);
  f.request(4, "workspace/symbol", {{"query", ""}});
  EXPECT_EQ((*f.answer(4))["error"]["code"], error_code::method_not_found);
  f.request(5, "shutdown");
  EXPECT_TRUE((*f.answer(5))["result"].is_null());
  f.request(6, "textDocument/hover");
  EXPECT_EQ((*f.answer(6))["error"]["code"], error_code::invalid_request);
  EXPECT_FALSE(f.server.finished());
  f.notify("exit", nullptr);
  EXPECT_TRUE(f.server.finished());
  EXPECT_EQ(f.server.exit_status(), 0);
}

TEST(Server, BadMessagesGetTheirErrorsAndNothingElse) {
  fixture f;
  f.request(1, "initialize", {{"capabilities", json::object()}});
  f.open(line_uri, "/r/Viterbo_Attigliano_Orte_linea.txt");
  const std::size_t before = f.sent.size();
  f.server.handle("{not json");
  f.server.handle(R"({"jsonrpc":"2.0","id":7,"method":5})");
  f.server.handle(R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{}})");
  f.server.handle(R"({"jsonrpc":"2.0","method":"$/unknown","params":{}})");
  f.request(8, "textDocument/hover", {{"textDocument", {{"uri", 5}}}});
  f.request(
      9, "textDocument/hover",
      {{"textDocument", {{"uri", line_uri}}}, {"position", {{"line", -1}, {"character", 0}}}});
  ASSERT_EQ(f.sent.size(), before + 5);  // a log line for the bad change
  EXPECT_EQ(f.sent[before]["error"]["code"], error_code::parse_error);
  EXPECT_EQ(f.sent[before + 1]["error"]["code"], error_code::invalid_request);
  EXPECT_EQ(f.sent[before + 1]["id"], 7);
  EXPECT_EQ(f.sent[before + 2]["method"], "window/logMessage");
  EXPECT_EQ((*f.answer(8))["error"]["code"], error_code::invalid_params);
  EXPECT_EQ((*f.answer(9))["error"]["code"], error_code::invalid_params);
}

TEST(Server, BothFilesOfThePairArePublishedOnAChangeOfEither) {
  fixture f;
  f.request(1, "initialize", {{"capabilities", json::object()}});
  f.open(line_uri, "/r/Viterbo_Attigliano_Orte_linea.txt");
  ASSERT_EQ(f.published(line_uri).size(), 1u);
  ASSERT_EQ(f.published(service_uri).size(), 1u);  // read from the folder
  // The S. Nicola time, not after Grotte S. Stefano's.
  ASSERT_EQ(f.published(service_uri)[0].size(), 1u);
  EXPECT_EQ(f.published(service_uri)[0][0]["code"], "time-not-after-previous");
  // A cell taken twice: the line file's board meets the service's signal.
  json change = json::parse(R"({"textDocument": {"version": 2}, "contentChanges": [{
      "range": {"start": {"line": 155, "character": 0}, "end": {"line": 155, "character": 0}},
      "text": "cartello_indicatore,  10000,   (X)\r\n"}]})");
  change["textDocument"]["uri"] = line_uri;
  f.notify("textDocument/didChange", change);
  // The error alone: the timetable is judged only without one.
  const json service = f.published(service_uri).back();
  ASSERT_EQ(service.size(), 1u) << service.dump();
  EXPECT_EQ(service[0]["code"], "signal-cell-taken");
  EXPECT_EQ(service[0]["data"]["code"], 16);
  EXPECT_EQ(service[0]["relatedInformation"][0]["location"]["uri"], line_uri);
  // Each publication carries the version of the document the editor holds;
  // the service file, read from the folder, has none.
  std::vector<json> line_params, service_params;
  for (const json& m : f.sent) {
    if (m.value("method", "") != "textDocument/publishDiagnostics") continue;
    (m["params"]["uri"] == line_uri ? line_params : service_params).push_back(m["params"]);
  }
  ASSERT_EQ(line_params.size(), 2u);
  EXPECT_EQ(line_params[0]["version"], 1);
  EXPECT_EQ(line_params[1]["version"], 2);
  ASSERT_FALSE(service_params.empty());
  EXPECT_FALSE(service_params.back().contains("version"));
}

TEST(Server, ASessionOverBytesEndsWithTheProtocolsStatus) {
  memory_folders disk;
  const std::string input =
      frame_message(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})") +
      "Content-Length: nope\r\n\r\n" +
      frame_message(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})") +
      frame_message(R"({"jsonrpc":"2.0","method":"exit"})") + frame_message("{}");
  std::string output;
  // Three bytes at a time, as a slow pipe gives them.
  const session_io io = memory_io(input, 3, output);
  EXPECT_EQ(run_session(io, disk, defaults), 0);
  EXPECT_NE(output.find(R"("id":2,"jsonrpc":"2.0","result":null)"), std::string::npos) << output;
  EXPECT_NE(output.find("without a usable Content-Length"), std::string::npos);
  // The "{}" after "exit" is not read: it would be an invalid request.
  EXPECT_EQ(output.find("-32600"), std::string::npos);
  // Input that ends inside a message, without "exit".
  std::string ignored;
  const session_io closed = memory_io(std::string_view(input).substr(0, 40), 64, ignored);
  EXPECT_EQ(run_session(closed, disk, defaults), 1);
}

}  // namespace
}  // namespace scenario::lsp
