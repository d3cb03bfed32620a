// welvaro-cli's argument parser from arbitrary argument vectors. Only the
// subcommands that print are run ("link" and "point"; "table", "map" and
// "chart" write files), and "--help".
//
// Input: the first byte chooses the subcommand; the rest is split at NUL
// and line feed bytes into the arguments after it.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/options.h"
#include "fuzz_check.h"
#include "state/numtext.h"

using namespace welvaro;
using namespace welvaro::cli;

namespace {

// The grammar strictNumber accepts: blanks, sign, digits and at most one
// point (at least one digit), blanks.
bool strictForm(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  bool digits = false, point = false;
  for (; i < t.size() && t[i] != ' '; ++i) {
    if (t[i] >= '0' && t[i] <= '9')
      digits = true;
    else if (t[i] == '.' && !point)
      point = true;
    else
      return false;
  }
  return digits && t.find_first_not_of(' ', i) == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  static const char* const kCommand[] = {"link", "point", "--help"};
  const char* command = kCommand[data[0] % 3];

  std::vector<std::string> argv = {"welvaro-cli", command};
  std::string arg;
  for (std::size_t i = 1; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\0' || c == '\n') {
      argv.push_back(arg);
      arg.clear();
    } else {
      arg += c;
    }
  }
  if (size > 1) argv.push_back(arg);

  for (std::size_t i = 2; i < argv.size(); ++i) {
    const auto v = strictNumber(argv[i]);
    FUZZ_CHECK(v.has_value() == strictForm(argv[i]));
    if (v) FUZZ_CHECK(*v == ReadNumber(argv[i]));
  }

  const FixedClock clock(DateTime{2024, 6, 15, 12, 0, 0});
  std::ostringstream out, err;
  const int rc = runCli(argv, clock, out, err);
  FUZZ_CHECK(rc == kExitOk || rc == kExitBadArguments || rc == kExitModelFault);
  if (rc == kExitOk) FUZZ_CHECK(!out.str().empty());
  if (rc == kExitBadArguments) FUZZ_CHECK(!err.str().empty());
  return 0;
}
