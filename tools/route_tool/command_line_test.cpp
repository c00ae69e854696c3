#include "tools/route_tool/command_line.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

const std::vector<option_rule> rules = {
    {"--out", "", true}, {"--json", "", false}, {"--output", "-o", true}};

TEST(CommandLine, ValuesFlagsAndArguments) {
  const auto p = parse_command("x", {"DIR", "--out", "a b", "--json", "-o", "f.svg"}, rules);
  EXPECT_EQ(p.arguments, std::vector<std::string>{"DIR"});
  EXPECT_EQ(p.value("--out"), "a b");
  EXPECT_EQ(p.value("--output"), "f.svg");
  EXPECT_TRUE(p.has("--json"));
  EXPECT_FALSE(p.help);
}

TEST(CommandLine, EqualsFormAndEmptyValue) {
  const auto p = parse_command("x", {"--out=", "--json"}, rules);
  EXPECT_EQ(p.value("--out"), "");
  const auto q = parse_command("x", {"--out", ""}, rules);
  EXPECT_EQ(q.value("--out"), "");
}

TEST(CommandLine, HelpAndDoubleDash) {
  EXPECT_TRUE(parse_command("x", {"-h"}, rules).help);
  const auto p = parse_command("x", {"--", "--json"}, rules);
  EXPECT_EQ(p.arguments, std::vector<std::string>{"--json"});
}

TEST(CommandLine, Faults) {
  EXPECT_THROW(parse_command("x", {"--bogus"}, rules), usage_error);
  EXPECT_THROW(parse_command("x", {"--out"}, rules), usage_error);
  EXPECT_THROW(parse_command("x", {"--json", "--json"}, rules), usage_error);
  EXPECT_THROW(parse_command("x", {"--json=1"}, rules), usage_error);
  try {
    parse_command("compile", {"--frobnicate"}, rules);
  } catch (const usage_error& e) {
    EXPECT_STREQ(e.what(),
                 "unknown option '--frobnicate' for 'compile' (see 'route_tool compile --help')");
  }
}

}  // namespace
}  // namespace scenario
