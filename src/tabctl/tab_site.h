// What the tab control needs of its container beyond every control's site: its
// contained controls, its width in the container's units, the window-update lock,
// the parent form's window, adopting foreign windows, and icon metrics.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/control_site.h"
#include "tabctl/contained_control.h"

namespace tarvex {

class TabStripSite : public ControlSite {
 public:
  // The host's collection of controls sited inside the tab control; the site
  // owns them. Only these follow tab switches.
  virtual std::vector<ContainedControl*> ContainedControls() = 0;
  // The control's width in the container's units (twips).
  virtual int32_t WidthTwips() const = 0;
  // LockWindowUpdate on the control's window (true) or release (false).
  virtual void LockWindowUpdate(bool lock) = 0;
  // The window of the form that holds the control, 0 when there is none.
  virtual int64_t ParentWindowHandle() const = 0;
  // The control's device context as an integer (0 when drawing off-screen only).
  virtual int64_t DeviceContext() const = 0;
  // SetParent(window, control's window); false on failure.
  virtual bool AdoptWindow(int64_t window) = 0;
  // SetWindowPos(window, HWND_TOP, x, y, width, height, SWP_SHOWWINDOW), pixels.
  virtual bool PlaceWindow(int64_t window, int32_t x, int32_t y, int32_t width,
                           int32_t height) = 0;
  // SM_CXICON (large) or SM_CXSMICON, pixels.
  virtual int32_t IconWidth(bool large) const = 0;
  // The hosting window's enabled state.
  virtual void SetWindowEnabled(bool enabled) = 0;
};

}  // namespace tarvex
