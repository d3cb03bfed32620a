#include "schedule/datafile_messages.h"

#include "lang/sprachtext.h"

namespace welvaro {

std::optional<Message> dataFileMessage(const DataFileStatus& st, int missingKey) {
  switch (st.state) {
    case DataFileState::kRead: break;
    case DataFileState::kMissing:
      if (missingKey >= 0) return Message{missingKey, st.file.string(), {}};
      break;
    case DataFileState::kDamaged: return Message{kTxFileDamaged, st.file.string(), st.reason};
    case DataFileState::kUnreadable: return Message{kTxDateiFehler, st.file.string(), st.reason};
  }
  return std::nullopt;
}

HelpText readHelp(const State& s, const ProgramDirs& dirs) {
  HelpText h;
  h.file = dataFile(dirs, kHelpFile);
  const DataFileStatus st = loadHelpFile(h.file, h.html);
  h.ok = st.read();
  if (const auto m = dataFileMessage(st, kTxHilfeFehlt)) h.message = messageText(s.L, *m);
  return h;
}

}  // namespace welvaro
