// A real child window for a portable control: registers one window class,
// serves as the control's ControlSite (persistent image = a DIB canvas the
// size of the client area, shown on WM_PAINT so it survives being covered;
// timers; focus; cursor; SendKeys; access keys) and unpacks input messages
// into typed virtual calls. Controls' Win32 wrappers derive from it.
#pragma once

#include <windows.h>
// <windows.h> maps DrawText to DrawTextW; the surface's member of that name
// must keep it, or callers here and in the portable code disagree.
#undef DrawText

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/control_site.h"
#include "platform/win32/dib_canvas.h"
#include "platform/win32/system_colors_win32.h"

namespace tarvex {

// Mouse buttons and shift state as the controls' input handlers take them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

class ControlWindow : public ControlSite {
 public:
  static constexpr OleColor kAmbientBackColor = 0x8000000Fu;  // system colour: button face

  ControlWindow();
  ~ControlWindow() override;  // destroys the window if it still exists
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  // Creates the child window at `bounds` (parent client pixels). WS_CHILD is
  // always added; WS_TABSTOP makes a click take the focus. nullptr on failure.
  HWND Create(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP, const wchar_t* text = L"");
  HWND Handle() const { return hwnd_; }

  // The ambient font the host hands the control.
  void SetAmbientFont(const FontDesc& font) { ambientFont_ = font; }
  // Called for each PropertyChanged (the host stores the property).
  void SetPropertyChangedHandler(std::function<void(std::string_view)> handler) {
    onPropertyChanged_ = std::move(handler);
  }
  // The characters that, with Alt, activate the control (for the parent).
  const std::string& AccessKeys() const { return accessKeys_; }
  // The parent saw one of AccessKeys() (see RouteAccessKey).
  void AccessKeyPressed(int key) { OnAccessKey(key); }
  // The control behind `hwnd`; nullptr for any other window.
  static ControlWindow* FromHandle(HWND hwnd);

  // --- ControlSite ---
  // A real window always runs; its host's back colour is the button face.
  bool UserMode() const override { return true; }
  OleColor AmbientBackColor() const override { return kAmbientBackColor; }
  FontDesc AmbientFont() const override { return ambientFont_; }
  void PropertyChanged(std::string_view name) override;
  Surface& PersistentImage() override { return canvas_.Surface(); }
  void Refresh() override;
  bool InSight() const override;
  Size ClientSize() const override;
  const SystemColors& Colors() const override { return colors_; }
  void StartTimer(int id, uint32_t intervalMs) override;
  void StopTimer(int id) override;
  bool HasFocus() const override;
  int64_t WindowHandle() const override;
  std::optional<Point> CursorPosition() const override;
  void SendKeys(std::string_view keys) override;
  void SetAccessKeys(std::string_view keys) override { accessKeys_ = std::string(keys); }

 protected:
  // Input, in client pixels; `button` and `shift` use the masks above (for a
  // move, `button` is the set of buttons held down).
  virtual void OnMouseDown(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
  virtual void OnMouseMove(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
  virtual void OnMouseUp(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
  virtual void OnDblClick() {}
  virtual void OnKeyDown(int /*keyCode*/, int /*shift*/) {}
  virtual void OnKeyPress(int /*keyAscii*/) {}
  virtual void OnKeyUp(int /*keyCode*/, int /*shift*/) {}
  virtual void OnFocus(bool /*gained*/) {}
  virtual void OnAccessKey(int /*key*/) {}
  // After the persistent image took the new client size (pixels).
  virtual void OnSize(int /*width*/, int /*height*/) {}
  virtual void OnTimer(int /*id*/) {}
  // The canvas is about to be shown: a control may bring it up to date.
  virtual void OnBeforePaint() {}
  // Sees every message first; return true with *result set to swallow it.
  virtual bool OnRawMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                            LRESULT* /*result*/) {
    return false;
  }

  DibCanvas& Canvas() { return canvas_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  bool HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  DibCanvas canvas_;
  Win32SystemColors colors_;
  FontDesc ambientFont_;
  std::string accessKeys_;
  std::function<void(std::string_view)> onPropertyChanged_;
  int buttonsDown_ = 0;  // mouse buttons pressed over the control (capture held)
};

// Hands an access key to the first control under `root` whose AccessKeys()
// hold it (letters in either case): Alt + the key (WM_SYSCHAR), or the key alone
// (WM_CHAR) while the focus is on a window that takes no characters, as the
// dialog manager does for mnemonics, which it never gives to custom windows.
// The control must be enabled, visible and inside `root`'s client area (the tab
// control parks other pages' controls outside it). True when one took the key.
bool RouteAccessKey(HWND root, const MSG& msg);

// The shift mask (kShiftMask | kCtrlMask | kAltMask) of the keyboard now.
int CurrentShiftState();

// Sends a SendKeys string ("{Tab}", "+{Tab}", "^a", "x") with SendInput.
// False when the string cannot be parsed (nothing is sent then).
bool SendKeyString(std::string_view keys);

}  // namespace tarvex
