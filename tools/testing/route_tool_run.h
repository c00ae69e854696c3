// Test support: route_tool run in-process, its exit status and both streams.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tools/route_tool/route_tool.h"

namespace scenario::testing {

// The fixed scenario's route and train, as its files are named.
inline const std::string route = "Viterbo_Attigliano_Orte";
inline const std::string train = "7547";

struct run_result {
  int status;
  std::string out, err;
};

inline run_result run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = run_route_tool(args, out, err);
  return {status, out.str(), err.str()};
}

// A usage error: status 2 and one line "route_tool: error: ..." holding `part`.
inline void expect_usage_error(const run_result& r, const std::string& part) {
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_EQ(r.err.rfind("route_tool: error: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
}

}  // namespace scenario::testing
