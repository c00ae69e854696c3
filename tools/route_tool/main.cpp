// route_tool: compile, decode and draw scenario routes from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "tools/route_tool/route_tool.h"

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  const int status = scenario::run_route_tool(args, std::cout, std::cerr);
  std::cout.flush();
  return status;
}
