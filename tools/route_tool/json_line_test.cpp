#include "tools/route_tool/json_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

namespace scenario {
namespace {

TEST(JsonLine, KeepsTheKeysOrderAndReplacesBytesThatAreNotUtf8) {
  // A file name given in another encoding must not stop the output.
  const nlohmann::ordered_json j = {{"name", "Bet\xe0.txt"},
                                    {"a", "x\ny\x01\"\\"},
                                    {"end", {1.5, std::nan("")}},
                                    {"none", nullptr}};
  EXPECT_EQ(json_line(j),
            "{\"name\":\"Bet\xef\xbf\xbd.txt\",\"a\":\"x\\ny\\u0001\\\"\\\\\",\"end\":[1.5,null],"
            "\"none\":null}");
  EXPECT_EQ(json_line(nlohmann::json{{"b", 1}, {"a", "\xff"}}), "{\"a\":\"\xef\xbf\xbd\",\"b\":1}");
}

}  // namespace
}  // namespace scenario
