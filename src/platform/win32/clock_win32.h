// The Clock of the user's locale: the time of day as GetTimeFormat writes it.
#pragma once

#include <string>

#include "platform/clock.h"

namespace tarvex {

class Win32Clock final : public Clock {
 public:
  std::string TimeOfDayText() override;
};

}  // namespace tarvex
