// A message for the user about the program's files: a text of the language
// table with up to two insertions (%1 the file, %2 what went wrong), put
// into words in the program's language when it is shown, so a message met
// at start-up follows the language the settings then choose.
#pragma once

#include <string>

namespace welvaro {

struct Message {
  int text = 0;          ///< language key of the sentence
  std::string isOne;      ///< %1, usually the file
  std::string two;      ///< %2, the reason as the system gives it
  int language = -1;      ///< the language slot to say it in; -1: the program's language
};

}  // namespace welvaro
