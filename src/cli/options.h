// Command-line options of welvaro-cli, parsed into a program state.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/state.h"

namespace welvaro::cli {

enum ExitCode : int {
  kExitOk = 0,
  kExitBadArguments = 2,
  kExitModelFault = 3,
  kExitFileError = 4,
};

// Thrown for a bad argument; the message names the option.
struct BadArgument {
  std::string message;
};

// A whole-token decimal number ("48.1", "-3.7", ".5"); nothing else allowed.
std::optional<double> strictNumber(std::string_view text);

// Arguments after the subcommand: the common options are applied to the
// state as they are read; every other option is handed to `extra`, which
// returns how many following arguments it consumed, or -1 when it does not
// know the option.
class Arguments {
 public:
  explicit Arguments(std::vector<std::string> args) : args_(std::move(args)) {}
  bool done() const { return pos_ >= args_.size(); }
  const std::string& peek() const { return args_[pos_]; }
  std::string next(std::string_view option);  // value of `option`, or BadArgument
  void skip() { ++pos_; }

 private:
  std::vector<std::string> args_;
  std::size_t pos_ = 0;
};

// What the common options settled besides the state fields.
struct Common {
  bool monthGiven = false;
};

// Applies a common option at the current position (the option word is
// `opt`, its value follows). Returns false when `opt` is not a common option.
bool applyCommon(State& s, Common& c, const std::string& opt, Arguments& args);

// Fills the calendar fields after all options were read: Jetzt from --date
// (or the clock), Monat from --month or the date.
void finishCommon(State& s, const Common& c);

// Parses "F1,F2,...": exactly `count` numbers within [lo, hi].
std::vector<double> numberList(const std::string& option, const std::string& text, std::size_t count, double lo,
                               double hi);

// --memories F1,...,F6: the six frequency memories [MHz].
void setzeSpeicher(State& s, const std::string& option, const std::string& text);

// --dir: the folder must be given and exist.
void pruefeOrdner(const std::string& dir);

}  // namespace welvaro::cli
