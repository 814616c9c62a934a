// The gradient button's Win32 window: a ControlWindow that owns one Command,
// forwards the window's input to it, gives it its region (SetWindowRgn) and
// reports its Click to the parent as WM_COMMAND(id, BN_CLICKED), as a push
// button would. The window text follows the caption (screen readers, drivers).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "button/command.h"
#include "common/property_bag.h"
#include "control_window.h"

namespace tarvex {

class CommandWindow final : public ControlWindow, public CommandHost, private CommandEvents {
 public:
  // `name` is the host's name for the control (a new button's caption).
  explicit CommandWindow(std::string name);
  ~CommandWindow() override;

  // Creates the child window at `bounds` (parent client pixels) and loads the
  // button from `bag`; nullptr on failure.
  HWND CreateLoaded(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                    const PropertyBag& bag);

  Command& Button() { return button_; }
  // Further events (besides Click's WM_COMMAND) for a host that wants them.
  void SetExtraEvents(CommandEvents* events) { extra_ = events; }
  void SetDisplayAsDefault(bool isDefault);

  // --- CommandHost ---
  std::string AmbientDisplayName() const override { return name_; }
  bool AmbientDisplayAsDefault() const override { return displayAsDefault_; }
  void SetControlEnabled(bool enabled) override;
  void SetWindowShape(const WindowShape& shape) override;
  void DeleteWindowShape() override;
  void ImageChanged() override;

 protected:
  void OnMouseDown(int button, int shift, int x, int y) override;
  void OnMouseMove(int button, int shift, int x, int y) override;
  void OnMouseUp(int button, int shift, int x, int y) override;
  void OnDblClick() override;
  void OnKeyDown(int keyCode, int shift) override;
  void OnKeyPress(int keyAscii) override;
  void OnKeyUp(int keyCode, int shift) override;
  void OnFocus(bool gained) override;
  void OnAccessKey(int /*key*/) override { button_.HandleAccessKey(); }
  void OnSize(int width, int height) override;
  void OnTimer(int id) override;
  bool OnRawMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  // --- CommandEvents (raised by the button) ---
  void Click() override;
  void KeyDown(int16_t keyCode, int16_t shift) override;
  void KeyPress(int16_t keyAscii) override;
  void KeyUp(int16_t keyCode, int16_t shift) override;
  void MouseDown(int16_t button, int16_t shift, float x, float y) override;
  void MouseMove(int16_t button, int16_t shift, float x, float y) override;
  void MouseUp(int16_t button, int16_t shift, float x, float y) override;
  void MouseOut() override;

  void SyncWindowText();

  std::string name_;
  bool displayAsDefault_ = false;
  CommandEvents* extra_ = nullptr;
  std::string shownCaption_;  // the caption last given to the window text
  bool imageCurrent_ = false;  // the pending WM_PAINT only shows what was drawn
  enum class LeftPress { kNone, kSingle, kDouble };
  LeftPress leftPress_ = LeftPress::kNone;  // how the left button went down on the button
  Command button_;            // constructed after the site it uses
};

}  // namespace tarvex
