// The TabStrip's Win32 window: a ControlWindow that owns one TabStrip, serves
// as its TabStripSite (contained child windows, the update lock, the form's
// window, icon metrics), forwards the window's input to it and passes its
// children's notifications (WM_COMMAND, WM_NOTIFY, colours) on to its parent.
// Child positions are kept in twips as the control sees them and turned into
// pixels only when a window is moved.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "common/property_bag.h"
#include "control_window.h"
#include "host_page_tabs.h"
#include "platform/win32/open_file_dialog_win32.h"
#include "platform/win32/theme_info_win32.h"
#include "platform/win32/window_subclass_win32.h"
#include "tabctl/tab_strip.h"

namespace tarvex {

// A child window of the tab control as a ContainedControl. Positions are
// relative to the tab window's client area; the window may be a child of the
// tab window or of its parent.
class HwndChild final : public ContainedControl {
 public:
  HwndChild(HWND child, HWND tab) : child_(child), tab_(tab) {}
  std::optional<int32_t> Left() const override;
  bool SetLeft(int32_t twips) override;
  bool SetTop(int32_t twips) override;
  bool SetWidth(int32_t twips) override;
  bool SetHeight(int32_t twips) override;
  bool SetVisible(bool visible) override;
  int64_t WindowHandle() const override { return reinterpret_cast<intptr_t>(child_); }
  HWND Handle() const { return child_; }
  // Places the window at `leftTwips` with r's top and size (pixels of the
  // tab's client area) and shows it, in one call.
  bool PlaceShown(const Rect& r, int32_t leftTwips);

 private:
  std::optional<RECT> RectInTab() const;  // pixels, tab client coordinates
  bool MoveTo(int x, int y, int width, int height, UINT extraFlags = 0);
  HWND child_;
  HWND tab_;
  std::optional<int32_t> leftTwips_;  // the last Left set, while the window stays there
};

class TabWindow final : public ControlWindow {
 public:
  // `events` receives the control's events; it must outlive the window.
  explicit TabWindow(TabStripEvents& events);
  ~TabWindow() override;  // the control's teardown runs while the window still exists

  // Creates the child window and loads the control from `bag` (a new control
  // with its creation defaults when bag is null); nullptr on failure.
  HWND CreateLoaded(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                    const PropertyBag* bag);

  TabStrip& Strip() { return *strip_; }
  const TabStrip& Strip() const { return *strip_; }
  // Makes `child` a contained control of tab `page`, at `rectOnPage` (pixels of
  // the tab window's client area, as if the page were in front). The window
  // keeps its parent: a sibling of the tab window stays one.
  void AddToPage(int page, HWND child, const Rect& rectOnPage);

 protected:
  void OnMouseDown(int button, int shift, int x, int y) override;
  void OnMouseMove(int button, int shift, int x, int y) override;
  void OnMouseUp(int button, int shift, int x, int y) override;
  void OnDblClick() override;
  void OnKeyDown(int keyCode, int shift) override;
  void OnKeyPress(int keyAscii) override;
  void OnBeforePaint() override;
  void OnKeyUp(int keyCode, int shift) override;
  void OnFocus(bool gained) override;
  void OnAccessKey(int key) override;
  void OnSize(int width, int height) override;
  bool OnRawMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  class Site;
  TabStripEvents& events_;
  Win32ThemeInfo theme_;
  Win32WindowSubclasser subclasser_;
  Win32MouseTracking tracking_;
  Win32OpenFileDialog fileDialog_;
  std::vector<std::unique_ptr<HwndChild>> children_;
  std::unique_ptr<Site> site_;
  std::unique_ptr<TabStrip> strip_;
  bool leftDown_ = false;  // a left press began over the control (for Click)
};

// SSTabMain on the real TabStrip, loaded with the main window's stored tab
// properties (tab_page_tabs.cpp); nullptr on failure.
std::unique_ptr<PageTabs> CreateTabStripPageTabs(HINSTANCE instance, HWND parent, int id, const Rect& rect,
                                                 PageTabsEvents events);

}  // namespace tarvex
