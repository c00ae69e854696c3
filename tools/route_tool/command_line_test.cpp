#include "tools/route_tool/command_line.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

const std::vector<command_rule> rules = {
    {"x",
     "",
     {{"--out", "", "DIR", true}, {"--json", "", ""}, {"--output", "-o", "FILE"}},
     plain_arguments::one,
     "DIR",
     "a folder DIR",
     nullptr},
    {"y",
     "",
     {{"--line", "", "FILE", true}, {"--out", "", "DIR", true}},
     plain_arguments::none,
     "",
     "",
     nullptr},
    {"z",
     "",
     {{"--line", "", "FILE"}, {"--service", "", "FILE"}, {"--out", "", "DIR", true}},
     plain_arguments::folder_or_texts,
     "DIR",
     "a folder DIR, or --line and --service",
     nullptr},
};

parsed_command parse(const std::vector<std::string>& args, std::size_t rule = 0) {
  return parse_command(rules, rules[rule], args);
}

std::string fault(const std::vector<std::string>& args, std::size_t rule = 0) {
  try {
    check_arguments(rules[rule], parse(args, rule));
  } catch (const usage_error& e) {
    return e.what();
  }
  return "no fault";
}

TEST(CommandLine, ValuesFlagsAndArguments) {
  const auto p = parse({"DIR", "--out", "a b", "--json", "-o", "f.svg"});
  EXPECT_EQ(p.arguments, std::vector<std::string>{"DIR"});
  EXPECT_EQ(p.value("--out"), "a b");
  EXPECT_EQ(p.at("--out"), "a b");
  EXPECT_EQ(p.value("--output"), "f.svg");
  EXPECT_TRUE(p.has("--json"));
  EXPECT_FALSE(p.has("--bogus"));
  EXPECT_FALSE(p.help);
  EXPECT_EQ(parse({"-of.svg"}).value("--output"), "f.svg");
}

TEST(CommandLine, EqualsFormAndEmptyValue) {
  // "--out=" is the empty value: the next argument stays an argument.
  const auto p = parse({"--out=", "DIR", "--json"});
  EXPECT_EQ(p.value("--out"), "");
  EXPECT_EQ(p.arguments, std::vector<std::string>{"DIR"});
  EXPECT_EQ(parse({"--out", ""}).value("--out"), "");
  EXPECT_EQ(parse({"--out=a=b"}).value("--out"), "a=b");
}

TEST(CommandLine, AValueIsTheNextArgumentWhateverItLooksLike) {
  EXPECT_EQ(parse({"--out", "--json"}).value("--out"), "--json");
  EXPECT_FALSE(parse({"--out", "--json"}).has("--json"));
  EXPECT_EQ(parse({"--out", "--"}).value("--out"), "--");
  EXPECT_EQ(parse({"--out", "y", "d"}).value("--out"), "y");
  // A folder may bear a command's name.
  EXPECT_EQ(parse({"y", "--out", "x"}).arguments, std::vector<std::string>{"y"});
  EXPECT_EQ(parse({"-"}).arguments, std::vector<std::string>{"-"});
}

TEST(CommandLine, HelpAndDoubleDash) {
  EXPECT_TRUE(parse({"-h"}).help);
  EXPECT_TRUE(parse({"--help", "--help"}).help);
  const auto p = parse({"--", "--json", "-o"});
  EXPECT_EQ(p.arguments, (std::vector<std::string>{"--json", "-o"}));
  EXPECT_FALSE(p.has("--json"));
  EXPECT_EQ(parse({"--", "a"}, 1).arguments, std::vector<std::string>{"a"});
}

TEST(CommandLine, FaultsInTheToolsWords) {
  const std::string see_x = " (see 'route_tool x --help')";
  EXPECT_EQ(fault({"--frobnicate"}), "unknown option '--frobnicate' for 'x'" + see_x);
  EXPECT_EQ(fault({"d", "--frob=1"}), "unknown option '--frob' for 'x'" + see_x);
  EXPECT_EQ(fault({"-z", "d"}), "unknown option '-z' for 'x'" + see_x);
  EXPECT_EQ(fault({"d", "--out"}), "option '--out' needs a value" + see_x);
  EXPECT_EQ(fault({"d", "-o"}), "option '--output' needs a value" + see_x);
  EXPECT_EQ(fault({"--json", "--json"}), "option '--json' given twice" + see_x);
  EXPECT_EQ(fault({"-o", "a", "--output", "b"}), "option '--output' given twice" + see_x);
  EXPECT_EQ(fault({"--json=1"}), "option '--json' takes no value" + see_x);
  EXPECT_EQ(fault({"--json="}), "option '--json' takes no value" + see_x);
  EXPECT_EQ(fault({"--help=1"}), "option '--help' takes no value" + see_x);
}

TEST(CommandLine, ArgumentsThenRequiredOptionsInTheirOrder) {
  const std::string see_y = " (see 'route_tool y --help')";
  EXPECT_EQ(fault({}), "'x' needs a folder DIR (see 'route_tool x --help')");
  EXPECT_EQ(fault({"a", "b"}), "unexpected argument 'b' for 'x' (see 'route_tool x --help')");
  EXPECT_EQ(fault({"a"}), "'x' needs --out (see 'route_tool x --help')");
  EXPECT_EQ(fault({"a", "--out", ""}), "no fault");
  EXPECT_EQ(fault({"a"}, 1), "unexpected argument 'a' for 'y'" + see_y);
  EXPECT_EQ(fault({"--", "--line"}, 1), "unexpected argument '--line' for 'y'" + see_y);
  EXPECT_EQ(fault({"--out", "o"}, 1), "'y' needs --line" + see_y);
  EXPECT_EQ(fault({"--line", "l"}, 1), "'y' needs --out" + see_y);
  const std::string see_z = " (see 'route_tool z --help')";
  EXPECT_EQ(fault({}, 2), "'z' needs a folder DIR, or --line and --service" + see_z);
  EXPECT_EQ(fault({"--line", "l"}, 2), "'z' needs both --line and --service" + see_z);
  EXPECT_EQ(fault({"d", "--service", "s"}, 2), "'z' needs both --line and --service" + see_z);
  EXPECT_EQ(fault({"d", "--line", "l", "--service", "s"}, 2),
            "'z' takes --line and --service or a folder DIR, not both" + see_z);
  EXPECT_EQ(fault({"--line", "l", "--service", "s"}, 2), "'z' needs --out" + see_z);
  EXPECT_EQ(fault({"d", "e", "--out", "o"}, 2), "unexpected argument 'e' for 'z'" + see_z);
  EXPECT_EQ(fault({"d", "--out", "o"}, 2), "no fault");
  // Help is asked before any of these is checked.
  EXPECT_TRUE(parse({"--help"}, 1).help);
}

}  // namespace
}  // namespace scenario
