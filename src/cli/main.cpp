// welvaro-cli: the forecaster's core for scripting.
#include <iostream>

#include "cli/commands.h"
#include "files/termination.h"

int main(int argc, char** argv) {
  // Ctrl-C or a kill while a file is written: the writer removes its
  // temporary file, then the program ends by the signal.
  welvaro::installTerminationHandler();
  std::vector<std::string> args(argv, argv + argc);
  welvaro::SystemClock clock;
  const int rc = welvaro::cli::runCli(args, clock, std::cout, std::cerr);
  std::cout.flush();
  welvaro::endIfTerminated();
  return rc;
}
