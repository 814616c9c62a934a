// The user's number-format separators (the regional settings), which
// formatted numbers such as the monitor's byte counts follow.
#pragma once

#include <string>

namespace tarvex {

struct NumberSeparators {
  std::string thousands = ",";  // UTF-8; may be empty or several bytes
  std::string decimal = ".";
};

class NumberLocale {
 public:
  virtual ~NumberLocale() = default;
  virtual NumberSeparators Separators() const = 0;
};

// Comma and point: for tests and hosts without regional settings.
class InvariantNumberLocale final : public NumberLocale {
 public:
  NumberSeparators Separators() const override { return {}; }
};

}  // namespace tarvex
