// The error a control member raises: the host's run-time error number, its
// description, the source ("TabStrip.InsertTab") and help data. A public member
// re-raises what fails inside it with everything unchanged but the source.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace tarvex {

enum ErrorNumber : int32_t {
  kErrInvalidCall = 5,
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrSubscript = 9,
  kErrDivisionByZero = 11,
  kErrTypeMismatch = 13,
  kErrInvalidPropertyValue = 380,
  kErrSetNotAtRuntime = 382,
  kErrSetNotInDesign = 387,
};

// The host's standard description of a run-time error number ("" if unknown).
std::string_view StandardErrorDescription(int32_t number);

class ControlError : public std::exception {
 public:
  ControlError(int32_t number, std::string source, std::string description = {},
               std::string helpFile = {}, int32_t helpContext = 0);

  int32_t Number() const { return number_; }
  const std::string& Description() const { return description_; }
  const std::string& Source() const { return source_; }
  const std::string& HelpFile() const { return helpFile_; }
  int32_t HelpContext() const { return helpContext_; }
  const char* what() const noexcept override { return description_.c_str(); }

  // The same error as raised again by another member.
  ControlError WithSource(std::string source) const;

 private:
  int32_t number_;
  std::string description_;
  std::string source_;
  std::string helpFile_;
  int32_t helpContext_;
};

// Runs body and re-raises any failure as a ControlError from `source`: a
// ControlError keeps number, description and help data; an arithmetic overflow
// becomes error 6, exhaustion error 7, anything else error 5.
template <class Body>
decltype(auto) RaiseAs(std::string_view source, Body&& body);

[[noreturn]] void RethrowCurrentAs(std::string_view source);

template <class Body>
decltype(auto) RaiseAs(std::string_view source, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    RethrowCurrentAs(source);
  }
}

}  // namespace tarvex
