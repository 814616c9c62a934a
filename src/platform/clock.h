// The time of day as the user's locale writes it (GetTimeFormat with the
// user's default format: hours, minutes and seconds, e.g. "14:03:22").
#pragma once

#include <string>

namespace tarvex {

class Clock {
 public:
  virtual ~Clock() = default;
  // The current local time of day, UTF-8.
  virtual std::string TimeOfDayText() = 0;
};

}  // namespace tarvex
