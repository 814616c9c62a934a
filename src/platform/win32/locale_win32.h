// The user's number separators from the regional settings.
#pragma once

#include "platform/locale.h"

namespace tarvex {

class Win32NumberLocale final : public NumberLocale {
 public:
  // Read afresh on every call, so a change in the regional settings shows at once.
  NumberSeparators Separators() const override;
};

}  // namespace tarvex
