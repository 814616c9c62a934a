// What a control may ask of its container: ambient properties, "property
// changed", its persistent image, timers, focus and the keystroke service. The
// Win32 host gives each control a window-backed site; tests give it a fake one.
// Controls that need more (children, regions, hooks) extend this interface.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/color.h"
#include "common/font.h"
#include "common/geometry.h"
#include "platform/surface.h"
#include "platform/system_colors.h"

namespace tarvex {

class ControlSite {
 public:
  virtual ~ControlSite() = default;

  // Ambient user mode: false while the host is designing the form. Timers,
  // measurements and hooks run only in user mode.
  virtual bool UserMode() const = 0;
  virtual OleColor AmbientBackColor() const = 0;
  virtual FontDesc AmbientFont() const = 0;

  // The host stores the named property with the form.
  virtual void PropertyChanged(std::string_view name) = 0;

  // The control's persistent ("AutoRedraw") image, sized to its client area in
  // pixels; what is drawn here survives being covered.
  virtual Surface& PersistentImage() = 0;
  // Shows the persistent image on screen now (the control's Refresh).
  virtual void Refresh() = 0;
  // Whether some of the control can be on screen now. A control out of sight
  // may let its image lag until the host says it is about to paint.
  virtual bool InSight() const { return true; }
  // ScaleWidth x ScaleHeight in pixels.
  virtual Size ClientSize() const = 0;

  virtual const SystemColors& Colors() const = 0;

  // A control-owned timer; the host calls the control's timer handler with id.
  virtual void StartTimer(int id, uint32_t intervalMs) = 0;
  virtual void StopTimer(int id) = 0;

  virtual bool HasFocus() const = 0;
  // The control's window handle as an integer (0 when it has none).
  virtual int64_t WindowHandle() const = 0;
  // The mouse position in the control's client pixels (GetCursorPos +
  // ScreenToClient), nullopt when unavailable.
  virtual std::optional<Point> CursorPosition() const = 0;

  // The host's keystroke-sending service ("{Tab}", "+{Tab}").
  virtual void SendKeys(std::string_view keys) = 0;
  // The characters that, with Alt, activate the control.
  virtual void SetAccessKeys(std::string_view keys) = 0;
};

}  // namespace tarvex
