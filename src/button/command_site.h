// What the gradient button asks of its container beyond the common ControlSite:
// its name and default-button ambient, enabling its window, and its window
// region (the seam behind which the Win32 host calls SetWindowRgn). Plus the
// button's events towards its host, in the order of its event list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/geometry.h"

namespace tarvex {

// The window's outline in client pixels: the rectangle (0, 0, size) less the
// `cuts` rectangles (empty for a rectangular window).
struct WindowShape {
  Size size;
  std::vector<Rect> cuts;
  friend bool operator==(const WindowShape&, const WindowShape&) = default;
};

class CommandHost {
 public:
  virtual ~CommandHost() = default;
  // The name the host gave the control (the caption of a new button).
  virtual std::string AmbientDisplayName() const = 0;
  // True while the host shows this button as its default button.
  virtual bool AmbientDisplayAsDefault() const = 0;
  // Enables or disables the control's window (its input).
  virtual void SetControlEnabled(bool enabled) = 0;
  // Replaces the window's region (the old one is deleted) and redraws.
  virtual void SetWindowShape(const WindowShape& shape) = 0;
  // Deletes the window's region at the button's end.
  virtual void DeleteWindowShape() = 0;
  // The persistent image was repainted; the host shows it (asynchronously, so
  // this is safe while the host is itself handling a paint request).
  virtual void ImageChanged() = 0;
};

// Mouse buttons and shift states as the host passes them (bit masks).
inline constexpr int16_t kMouseLeft = 1;
inline constexpr int16_t kMouseRight = 2;
inline constexpr int16_t kMouseMiddle = 4;
inline constexpr int16_t kShiftDown = 1;

// Raised synchronously to the host; the defaults ignore the event.
class CommandEvents {
 public:
  virtual ~CommandEvents() = default;
  virtual void Click() {}
  virtual void KeyDown(int16_t /*keyCode*/, int16_t /*shift*/) {}
  virtual void KeyPress(int16_t /*keyAscii*/) {}
  virtual void KeyUp(int16_t /*keyCode*/, int16_t /*shift*/) {}
  virtual void MouseDown(int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void MouseMove(int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void MouseUp(int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void MouseOut() {}
};

}  // namespace tarvex
