#include "solar/sunspot_choice.h"

#include <algorithm>

#include "lang/sprachtext.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

double heldToInput(double v) { return std::clamp(v, 0.0, kSsnInputMax); }

// Ssn and Ssna from a number text; returns whether Ssna changed.
bool setSsn(State& s, const std::string& text, double value) {
  const bool changed = s.Ssna != value;
  s.Ssn = text;
  s.Ssna = value;
  return changed;
}

// The typed number, taken up again when the table has no value.
bool useTyped(State& s) { return setSsn(s, s.SsnTyped, heldToInput(ReadNumber(s.SsnTyped))); }

std::string says(const State& s, int key, const std::string& insertion = {}) {
  return messageText(s.L, Message{key, insertion, {}});
}

}  // namespace

YearMonth forecastMonth(const State& s) {
  const int m = std::clamp(static_cast<int>(s.Monat), 1, 12);
  return {m < s.Jetzt.month ? s.Jetzt.year + 1 : s.Jetzt.year, m};
}

bool applySunspotTable(State& s, const LoadedSunspotTable& table, const YearMonth& month) {
  const bool haveTable = table.origin != SunspotOrigin::kNone;
  const auto found = haveTable ? findMonth(table.table, month) : std::nullopt;
  s.SsnMonth = yearMonthText(month);
  s.SsnTableValue = found ? found->ssn : -1;
  s.SsnTableKind = static_cast<int16>(!found ? 0 : found->kind == SunspotKind::kObserved ? 1 : 2);
  s.SsnTableDate = haveTable ? yearMonthText(table.table.date) : std::string();
  s.SsnTableUpdated = static_cast<int16>(table.origin == SunspotOrigin::kUpdated ? 1 : 0);

  if (s.SsnFromTable != 1) {
    s.SsnSource = kSsnTyped;
    return false;
  }
  if (!found) {
    s.SsnSource = haveTable ? kSsnNotInTable : kSsnNoTable;
    return useTyped(s);
  }
  s.SsnSource = found->kind == SunspotKind::kObserved ? kSsnObserved : kSsnPredicted;
  const double v = heldToInput(found->ssn);
  return setSsn(s, PlainText(v), v);
}

bool applySunspotTable(State& s, const ProgramDirs& dirs, std::vector<Message>* problems) {
  const LoadedSunspotTable table = loadSunspotTable(dirs);
  if (problems) problems->insert(problems->end(), table.problems.begin(), table.problems.end());
  return applySunspotTable(s, table, forecastMonth(s));
}

bool chooseTypedSsn(State& s, const std::string& text) {
  s.SsnFromTable = 0;
  s.SsnTyped = text;
  s.SsnSource = kSsnTyped;
  return setSsn(s, text, ReadNumber(text));
}

bool chooseTableSsn(State& s, const ProgramDirs& dirs) {
  s.SsnFromTable = 1;
  return applySunspotTable(s, dirs);
}

std::string ssnBoxText(const State& s) {
  return NumberText(s.SsnFromTable == 1 ? heldToInput(ReadNumber(s.SsnTyped)) : s.Ssna);
}

bool confirmSunspotChoice(State& s, const ProgramDirs& dirs, bool fromTable, const std::string& typed,
                          bool typedPassed, double ssnaAtOpening) {
  // The box opens with the number text (a blank before the digits): the
  // typed number is kept without blanks, as the preferences file takes it.
  const auto first = typed.find_first_not_of(' ');
  const std::string number =
      first == std::string::npos ? std::string() : typed.substr(first, typed.find_last_not_of(' ') + 1 - first);
  if (fromTable) {
    if (typedPassed) s.SsnTyped = number;
    chooseTableSsn(s, dirs);
  } else if (typedPassed) {
    // Back from the table: the box's number. Else the conditions' own check
    // has already taken a changed box into Ssn; the typed number follows.
    if (s.SsnFromTable == 1)
      chooseTypedSsn(s, number);
    else
      s.SsnTyped = number;
  }
  return s.Ssna != ssnaAtOpening;
}

std::string ssnSourceText(const State& s) {
  switch (s.SsnSource) {
    case kSsnObserved: return says(s, kTxSsnObserved, s.SsnTableDate);
    case kSsnPredicted: return says(s, kTxSsnPredicted, s.SsnTableDate);
    case kSsnNotInTable: return says(s, kTxSsnNotInTable, s.SsnMonth);
    case kSsnNoTable: return says(s, kTxSsnNoTable);
    default: return says(s, kTxSsnTyped);
  }
}

std::string ssnPanelText(const State& s) { return "SSN " + PlainText(s.Ssna) + " (" + ssnSourceText(s) + ")"; }

std::string ssnTableOfferText(const State& s) {
  const std::string choice = T(s, kTxSsnTableChoice);
  if (s.SsnTableValue < 0) return choice;
  const int key = s.SsnTableKind == 1 ? kTxSsnObserved : kTxSsnPredicted;
  return choice + ": " + PlainText(heldToInput(s.SsnTableValue)) + " (" + says(s, key, s.SsnTableDate) + ")";
}

void startSunspotChoice(State& s, const ProgramDirs& dirs, const WindowPrefs& prefs, bool settingsRead,
                        std::vector<Message>* problems) {
  if (!settingsRead) {
    // A new user: the table's value, the start value (in Ssn without a
    // settings file) as the typed number.
    s.SsnFromTable = 1;
    s.SsnTyped = s.Ssn;
  } else {
    // A user who typed a number keeps it until they choose the table: the
    // settings file's number is then the typed one.
    s.SsnFromTable = static_cast<int16>(prefs.ssnFromTable == 1 ? 1 : 0);
    if (s.SsnFromTable == 0)
      s.SsnTyped = s.Ssn;
    else if (!prefs.ssnTyped.empty())
      s.SsnTyped = prefs.ssnTyped;
  }
  s.SolarUrl = prefs.solarUrl;
  s.SolarCheckMonthly = static_cast<int16>(prefs.solarMonthly == 1 ? 1 : 0);
  s.SolarLastCheck = prefs.solarLastCheck;
  applySunspotTable(s, dirs, problems);
}

void storeSunspotChoice(const State& s, WindowPrefs& prefs) {
  prefs.ssnFromTable = s.SsnFromTable == 1 ? 1 : 0;
  prefs.ssnTyped = s.SsnTyped;
  prefs.solarUrl = s.SolarUrl;
  prefs.solarMonthly = s.SolarCheckMonthly == 1 ? 1 : 0;
  prefs.solarLastCheck = s.SolarLastCheck;
}

}  // namespace welvaro
