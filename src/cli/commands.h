// The subcommands of welvaro-cli. Each takes the arguments after its name
// and returns the exit status; output goes to `out`, messages to `err`.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "state/datetime.h"

namespace welvaro::cli {

int runLink(const std::vector<std::string>& args, const Clock& clock, std::ostream& out, std::ostream& err);
int runPoint(const std::vector<std::string>& args, const Clock& clock, std::ostream& out, std::ostream& err);
int runTable(const std::vector<std::string>& args, const Clock& clock, std::ostream& out, std::ostream& err);

int runMap(const std::vector<std::string>& args, const Clock& clock, std::ostream& out, std::ostream& err);
int runChart(const std::vector<std::string>& args, const Clock& clock, std::ostream& out, std::ostream& err);
int runReport(const std::vector<std::string>& args, const Clock& clock, std::ostream& out, std::ostream& err);

// Dispatches argv[1] to its subcommand.
int runCli(const std::vector<std::string>& argv, const Clock& clock, std::ostream& out, std::ostream& err);

}  // namespace welvaro::cli
