// SSTabMain as the main window's host sees it: the tab strip window, the pages'
// child windows (siblings of the strip on the main window, placed in pixels
// relative to the strip's top left corner), captions, the page in front, and
// the mouse events the main window handles (drag, link reset).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

#include "common/geometry.h"

namespace tarvex {

struct PageTabsEvents {
  std::function<void()> mouseDown;  // any button
  std::function<void()> mouseMove;
};

class PageTabs {
 public:
  virtual ~PageTabs() = default;
  virtual HWND Handle() const = 0;
  // Puts `child` on `page`; it follows page switches from then on.
  virtual void AddToPage(int page, HWND child, const Rect& rectOnPage) = 0;
  virtual void CopyTabImagesFromImageList() = 0;
  virtual void SetTabCaption(int tab, std::string_view caption) = 0;  // UTF-8
  virtual void SetActiveTab(int tab) = 0;
  virtual void SetActiveTabHeight(int pixels) = 0;
  virtual int ActiveTab() const = 0;
};


}  // namespace tarvex
