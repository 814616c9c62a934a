// Control errors and their re-raising with a member's own source.
#include "common/control_error.h"

#include <new>
#include <stdexcept>

namespace tarvex {

std::string_view StandardErrorDescription(int32_t number) {
  switch (number) {
    case kErrInvalidCall: return "Invalid procedure call or argument";
    case kErrOverflow: return "Overflow";
    case kErrOutOfMemory: return "Out of memory";
    case kErrSubscript: return "Subscript out of range";
    case kErrDivisionByZero: return "Division by zero";
    case kErrTypeMismatch: return "Type mismatch";
    case kErrInvalidPropertyValue: return "Invalid property value";
    case kErrSetNotAtRuntime: return "Property cannot be set at run time";
    case kErrSetNotInDesign: return "Property cannot be set in design mode";
    default: return "";
  }
}

ControlError::ControlError(int32_t number, std::string source, std::string description,
                           std::string helpFile, int32_t helpContext)
    : number_(number),
      description_(description.empty() ? std::string(StandardErrorDescription(number))
                                       : std::move(description)),
      source_(std::move(source)),
      helpFile_(std::move(helpFile)),
      helpContext_(helpContext) {}

ControlError ControlError::WithSource(std::string source) const {
  ControlError copy = *this;
  copy.source_ = std::move(source);
  return copy;
}

void RethrowCurrentAs(std::string_view source) {
  try {
    throw;
  } catch (const ControlError& e) {
    throw e.WithSource(std::string(source));
  } catch (const std::overflow_error&) {
    throw ControlError(kErrOverflow, std::string(source));
  } catch (const std::bad_alloc&) {
    throw ControlError(kErrOutOfMemory, std::string(source));
  } catch (const std::out_of_range&) {
    throw ControlError(kErrSubscript, std::string(source));
  } catch (...) {
    throw ControlError(kErrInvalidCall, std::string(source));
  }
}

}  // namespace tarvex
