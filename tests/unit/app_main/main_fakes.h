// Recording fakes of the window platform, the shell and the main window's view
// and core, sharing one event log so tests can check the order of effects.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/form_main_view.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/window.h"

namespace tarvex::testing {

using Log = std::vector<std::string>;

class FakeWindowPlatform final : public WindowPlatform {
 public:
  explicit FakeWindowPlatform(Log& log) : log_(log) {}

  bool visible = false;
  bool installSucceeds = true;
  WindowProcAddress currentProc = 0x1000;       // the window's own procedure
  static constexpr WindowProcAddress kProgramProc = 0x2000;
  uint32_t registeredMessage = 0xC123;
  int64_t icon = 0x77;
  int64_t previousResult = 42;                  // what the replaced procedure returns
  std::optional<int> menuChoice;
  std::vector<MenuEntry> lastMenu;
  // Where a sent message goes once the program's procedure is in front.
  std::function<int64_t(WindowHandle, uint32_t, uint64_t, int64_t)> programProc;

  bool IsVisible(WindowHandle) const override { return visible; }
  void Show(WindowHandle) override { visible = true; log_.push_back("Show"); }
  void Hide(WindowHandle) override { visible = false; log_.push_back("Hide"); }
  int64_t Send(WindowHandle w, uint32_t m, uint64_t wp, int64_t lp) override;
  bool SetForeground(WindowHandle) override { log_.push_back("SetForeground"); return true; }
  bool SetTopmost(WindowHandle, bool on) override {
    log_.push_back(on ? "SetTopmost(1)" : "SetTopmost(0)");
    return true;
  }
  void ReleaseMouseCapture() override { log_.push_back("ReleaseCapture"); }
  uint32_t RegisterMessage(std::string_view name) override {
    log_.push_back("Register(" + std::string(name) + ")");
    return registeredMessage;
  }
  int64_t WindowIcon(WindowHandle) const override { return icon; }
  WindowProcAddress InstallProgramWindowProc(WindowHandle) override {
    log_.push_back("InstallProc");
    if (!installSucceeds) return 0;
    const WindowProcAddress previous = currentProc;
    currentProc = kProgramProc;
    return previous;
  }
  void SetWindowProc(WindowHandle, WindowProcAddress p) override {
    log_.push_back("SetProc");
    currentProc = p;
  }
  int64_t CallProcedure(WindowProcAddress p, WindowHandle, uint32_t m, uint64_t wp,
                         int64_t lp) override;
  std::optional<int> TrackPopupMenu(WindowHandle, const std::vector<MenuEntry>& e) override {
    log_.push_back("Menu");
    lastMenu = e;
    return menuChoice;
  }

 private:
  Log& log_;
};

class FakeShell final : public Shell {
 public:
  explicit FakeShell(Log& log) : log_(log) {}
  bool accept = true;
  std::vector<NotifyIconRecord> records;
  bool NotifyIcon(NotifyIconAction a, const NotifyIconRecord& r) override {
    log_.push_back(a == NotifyIconAction::Add ? "IconAdd" : a == NotifyIconAction::Delete ? "IconDelete" : "IconModify");
    records.push_back(r);
    return accept;
  }
  bool OpenAddress(WindowHandle, std::string_view address) override {
    log_.push_back("Open(" + std::string(address) + ")");
    return false;  // failures are ignored by every caller
  }

 private:
  Log& log_;
};

class FakeInstance final : public SingleInstance {
 public:
  bool other = false;
  bool AnotherInstanceRunning() const override { return other; }
};

class FakeView final : public FormMainView {
 public:
  explicit FakeView(Log& log) : log_(log) {}
  PromptAnswer answer = PromptAnswer::Yes;
  std::vector<std::string> captions = std::vector<std::string>(4);
  std::vector<std::string> speed, clean;
  struct LinkLook { bool underline = false; OleColor color = 0; };
  LinkLook home, help;
  std::function<void()> onClose;  // the host's close request

  void CopyTabImagesFromImageList() override { log_.push_back("CopyTabImages"); }
  void SetTabCaption(int tab, std::string_view c) override {
    log_.push_back("TabCaption" + std::to_string(tab));
    captions.at(static_cast<size_t>(tab)) = std::string(c);
  }
  void SetActiveTab(int tab) override { log_.push_back("ActiveTab(" + std::to_string(tab) + ")"); }
  void SetActiveTabHeight(int px) override {
    log_.push_back("ActiveTabHeight(" + std::to_string(px) + ")");
  }
  void FillComboSpeed(const std::vector<std::string>& e) override { log_.push_back("FillSpeed"); speed = e; }
  void FillComboAutoCleanCount(const std::vector<std::string>& e) override {
    log_.push_back("FillClean");
    clean = e;
  }
  void SetLinkLook(LinkLabel link, bool underline, OleColor color) override {
    (link == LinkLabel::HomePage ? home : help) = {underline, color};
    log_.push_back(link == LinkLabel::HomePage ? "LinkHome" : "LinkHelp");
  }
  void CloseWindow() override {
    log_.push_back("Close");
    if (onClose) onClose();
  }
  void ShowWarning(std::string_view text, std::string_view title) override {
    log_.push_back("Warn(" + std::string(text) + "|" + std::string(title) + ")");
  }
  PromptAnswer AskYesNo(std::string_view text, std::string_view title) override {
    log_.push_back("Ask(" + std::string(text) + "|" + std::string(title) + ")");
    return answer;
  }

 private:
  Log& log_;
};

class FakeCore final : public FormMainCore {
 public:
  explicit FakeCore(Log& log) : log_(log) {}
  bool alwaysTop = false;
  bool autoMin = false;
  int ticks = 0;
  void ResetEngine() override { log_.push_back("ResetEngine"); }
  void ApplyStartupSettings() override { log_.push_back("ApplySettings"); }
  void HoldSettings() override { log_.push_back("HoldSettings"); }
  void ReleaseSettings() override { log_.push_back("ReleaseSettings"); }
  void TimerMainTick() override { ++ticks; log_.push_back("Tick"); }
  void GiveBackRaised() override { log_.push_back("GiveBack"); }
  bool AlwaysTopReadsOn() override { return alwaysTop; }
  bool AutoMinReadsOn() override { return autoMin; }
  void SaveRecords() override { log_.push_back("Save"); }
  void ClearRecords() override { log_.push_back("Clear"); }

 private:
  Log& log_;
};

}  // namespace tarvex::testing
