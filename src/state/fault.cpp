#include "state/fault.h"

namespace welvaro {

const char* faultName(int code) {
  switch (code) {
    case kFaultNone: return "no fault";
    case kFaultInvalidCall: return "invalid procedure call (logarithm or root of a negative number)";
    case kFaultOverflow: return "overflow";
    case kFaultSubscript: return "subscript out of range";
    case kFaultDivisionByZero: return "division by zero";
    default: return "run-time error";
  }
}

}  // namespace welvaro
