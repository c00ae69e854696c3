// Test support: route_tool run in-process, its exit status and both streams.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "tools/route_tool/route_tool.h"

namespace scenario::testing {

struct run_result {
  int status;
  std::string out, err;
};

inline run_result run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = run_route_tool(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace scenario::testing
