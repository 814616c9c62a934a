// Fakes for the tab control's unit tests: a TabStripSite over FakeControlSite,
// children that record their positions, a window-procedure chain of fake windows
// with a subclasser, mouse tracking, theme answers, a file dialog, and an event
// sink that logs every event in order. Nothing here touches an OS.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/open_file_dialog.h"
#include "platform/theme_info.h"
#include "platform/window_subclass.h"
#include "support/fake_site.h"
#include "tabctl/tab_events.h"
#include "tabctl/tab_site.h"

namespace tarvex {

class FakeChild final : public ContainedControl {
 public:
  explicit FakeChild(std::optional<int32_t> left = 0, int64_t window = 0)
      : left(left), window(window) {}
  std::optional<int32_t> Left() const override { return left; }
  bool SetLeft(int32_t twips) override;
  bool SetTop(int32_t twips) override { return Set(top, twips); }
  bool SetWidth(int32_t twips) override { return Set(width, twips); }
  bool SetHeight(int32_t twips) override { return Set(height, twips); }
  bool SetVisible(bool v) override {
    visible = v;
    return true;
  }
  int64_t WindowHandle() const override { return window; }

  std::optional<int32_t> left;
  int32_t top = 0, width = 0, height = 0;
  bool visible = false;
  bool refuse = false;  // every setter fails
  int64_t window;

 private:
  bool Set(int32_t& field, int32_t v) {
    if (refuse) return false;
    field = v;
    return true;
  }
};

class FakeTabSite final : public TabStripSite {
 public:
  explicit FakeTabSite(int32_t width = 300, int32_t height = 120) : control(width, height) {
    control.windowHandle = 0x100;
  }

  // --- ControlSite, forwarded to the recording fake ---
  bool UserMode() const override { return control.UserMode(); }
  OleColor AmbientBackColor() const override { return control.AmbientBackColor(); }
  FontDesc AmbientFont() const override { return control.AmbientFont(); }
  void PropertyChanged(std::string_view name) override { control.PropertyChanged(name); }
  Surface& PersistentImage() override { return control.PersistentImage(); }
  void Refresh() override { control.Refresh(); }
  bool InSight() const override { return control.InSight(); }
  Size ClientSize() const override { return control.ClientSize(); }
  const SystemColors& Colors() const override { return control.Colors(); }
  void StartTimer(int id, uint32_t intervalMs) override { control.StartTimer(id, intervalMs); }
  void StopTimer(int id) override { control.StopTimer(id); }
  bool HasFocus() const override { return control.HasFocus(); }
  int64_t WindowHandle() const override { return control.WindowHandle(); }
  std::optional<Point> CursorPosition() const override { return control.CursorPosition(); }
  void SendKeys(std::string_view keys) override { control.SendKeys(keys); }
  void SetAccessKeys(std::string_view keys) override { control.SetAccessKeys(keys); }

  // --- TabStripSite ---
  std::vector<ContainedControl*> ContainedControls() override;
  int32_t WidthTwips() const override { return widthTwips; }
  void LockWindowUpdate(bool lock) override { lockLog.push_back(lock); }
  int64_t ParentWindowHandle() const override { return parentHandle; }
  int64_t DeviceContext() const override { return 0; }
  bool AdoptWindow(int64_t window) override {
    adopted.push_back(window);
    return true;
  }
  bool PlaceWindow(int64_t window, int32_t x, int32_t y, int32_t w, int32_t h) override {
    placed.push_back({window, x, y, w, h});
    return true;
  }
  int32_t IconWidth(bool large) const override { return large ? 32 : 16; }
  void SetWindowEnabled(bool enabled) override { windowEnabled = enabled; }

  // Adds a child owned by the site.
  FakeChild& AddChild(std::optional<int32_t> left);

  FakeControlSite control;
  int32_t widthTwips = 4500;
  int64_t parentHandle = 0x200;
  bool windowEnabled = true;
  std::vector<bool> lockLog;  // LockWindowUpdate calls, in order
  std::vector<int64_t> adopted;
  struct Placement {
    int64_t window;
    int32_t x, y, w, h;
  };
  std::vector<Placement> placed;
  std::vector<std::unique_ptr<FakeChild>> children;
};

// Fake windows whose procedures form a chain. Each window starts with a base
// procedure that logs "<hwnd>:<msg>" into `log`; hooks are put in front.
class FakeWindows final : public WindowSubclasser {
 public:
  HookHandle Install(int64_t hWnd, MessageRouter& router) override;
  int64_t CallPrevious(HookHandle hook, int64_t hWnd, uint32_t uMsg, uint64_t wParam,
                       int64_t lParam) override;
  void Remove(HookHandle hook) override;

  // Delivers a message to the window's current procedure.
  int64_t Send(int64_t hWnd, uint32_t uMsg, uint64_t wParam = 0, int64_t lParam = 0);
  // The window's current procedure: 0 = its own base procedure, else a hook.
  HookHandle CurrentProc(int64_t hWnd) const;
  int LiveHooks() const { return static_cast<int>(hooks_.size()); }
  // Puts a foreign procedure (say the main window's own hook) in front.
  HookHandle InstallForeign(int64_t hWnd, std::function<int64_t(uint32_t)> before);

  bool refuse = false;                 // Install fails
  std::vector<std::string> log;        // base procedure calls
  std::function<void(int64_t, uint32_t)> onBase;  // runs inside the base procedure
  std::map<int64_t, int64_t> results;  // base procedure result per window

 private:
  struct Hook {
    int64_t hWnd;
    HookHandle previous;
    MessageRouter* router;
    std::function<int64_t(uint32_t)> foreign;
  };
  int64_t Call(HookHandle proc, int64_t hWnd, uint32_t uMsg, uint64_t wParam, int64_t lParam);
  std::map<int64_t, HookHandle> current_;
  std::map<HookHandle, Hook> hooks_;
  HookHandle next_ = 1;
};

class FakeTracking final : public MouseTracking {
 public:
  bool FunctionExists(std::string_view function, std::string_view module) override;
  void TrackLeave(int64_t hWnd, bool inUser32) override;
  bool user32 = true;
  bool comctl32 = true;
  std::vector<std::string> calls;  // "exists TrackMouseEvent User32", "track 256 user32"
};

class FakeThemeInfo final : public ThemeInfoSource {
 public:
  std::optional<OsVersion> Version() const override { return version; }
  ThemeNameResult CurrentThemeName() const override { return theme; }
  std::optional<OsVersion> version = OsVersion{2, 5, 1, 2600};
  ThemeNameResult theme{0, std::string("NormalColor\0\0", 13)};
};

class FakeFileDialog final : public OpenFileDialog {
 public:
  std::optional<std::string> Show(const OpenFileRequest& request) override {
    requests.push_back(request);
    return answer;
  }
  std::optional<std::string> answer;
  std::vector<OpenFileRequest> requests;
};

// Logs every event as "Name(args)" in order; handlers can be set per test.
class RecordingTabEvents final : public TabStripEvents {
 public:
  void BeforeTabSwitch(int16_t n, bool& cancel) override;
  void TabSwitch(int16_t last) override;
  void Click() override { log.push_back("Click"); }
  void ControlBoxEnter() override { log.push_back("ControlBoxEnter"); }
  void ControlBoxExit() override { log.push_back("ControlBoxExit"); }
  void ControlBoxHover(float& x, float& y) override { LogXY("ControlBoxHover", x, y); }
  void ControlBoxMouseDown(float& x, float& y) override { LogXY("ControlBoxMouseDown", x, y); }
  void ControlBoxMouseUp(float& x, float& y) override { LogXY("ControlBoxMouseUp", x, y); }
  void DblClick() override { log.push_back("DblClick"); }
  void KeyDown(int16_t& code, int16_t& shift) override;
  void KeyUp(int16_t& code, int16_t& shift) override;
  void KeyPress(int16_t& ascii) override;
  void MouseDown(int16_t b, int16_t s, float x, float y) override { LogMouse("MouseDown", b, s, x, y); }
  void MouseMove(int16_t b, int16_t s, float x, float y) override { LogMouse("MouseMove", b, s, x, y); }
  void MouseUp(int16_t b, int16_t s, float x, float y) override { LogMouse("MouseUp", b, s, x, y); }
  void MouseHover(int32_t& tab, float& x, float& y) override;
  void MouseScrollUp() override { log.push_back("MouseScrollUp"); }
  void MouseScrollDown() override { log.push_back("MouseScrollDown"); }
  void TabInsert(int32_t& after) override { log.push_back("TabInsert(" + std::to_string(after) + ")"); }
  void TabRemove(int32_t& index) override { log.push_back("TabRemove(" + std::to_string(index) + ")"); }
  void AfterCompleteInit() override { log.push_back("AfterCompleteInit"); }
  void MouseEnter() override { log.push_back("MouseEnter"); }
  void MouseLeave() override { log.push_back("MouseLeave"); }
  void Status(const std::string& s) override { log.push_back("Status(" + s + ")"); }

  std::vector<std::string> log;
  std::function<void(int16_t, bool&)> onBefore;  // e.g. cancel

 private:
  void LogXY(const char* name, float x, float y);
  void LogMouse(const char* name, int16_t b, int16_t s, float x, float y);
};

}  // namespace tarvex
