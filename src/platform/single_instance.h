// Whether another copy of the program is running. The host keeps the object for
// the program's life: its existence is what later copies detect.
#pragma once

namespace tarvex {

class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  // True when a copy started earlier still runs; asked once, before any window.
  virtual bool AnotherInstanceRunning() const = 0;
};

}  // namespace tarvex
