// welvaro-cli: the forecaster's core for scripting.
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  welvaro::SystemClock clock;
  return welvaro::cli::runCli(args, clock, std::cout, std::cerr);
}
