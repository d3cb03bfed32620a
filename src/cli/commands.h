// The subcommands of welvaro-cli. Each declares the options it takes and
// runs on what they settled; output goes to Kontext::out, messages to
// Kontext::err, and the result is the exit status.
#pragma once

#include <string>
#include <vector>

#include "cli/options.h"

namespace welvaro::cli {

Command linkCommand();
Command pointCommand();
Command tableCommand();
Command mapCommand();
Command chartCommand();
Command reportCommand();
Command bandsCommand();
Command heardCommand();
Command listenCommand();
Command ssnCommand();
Command sunCommand();

// A data file that comes with the program ("MapWelt.dat", "MapOrt.dat"):
// from --dir when it holds one, else from the program's data folders.
std::filesystem::path dataFileFor(const Invocation& a, const Context& k, std::string_view name);

// Dispatches argv[1] to its subcommand.
int runCli(const std::vector<std::string>& argv, const Context& k);
// The same with the data folders of this installation (beside the
// executable, then <prefix>/share/welvaro).
int runCli(const std::vector<std::string>& argv, const Clock& clock, std::ostream& out, std::ostream& err);

}  // namespace welvaro::cli
