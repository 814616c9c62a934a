// The locale's clock (see linux_platform.h).
#include "linux_platform.h"

#include <ctime>

namespace tarvex {

std::string LocaleClock::TimeOfDayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return {};
  char text[64];
  const size_t n = std::strftime(text, sizeof text, "%X", &local);
  return std::string(text, n);
}

}  // namespace tarvex
