// SSTabMain in the Qt program: a ControlWidget that owns one TabStrip, serves
// as its TabStripSite (the page widgets as contained controls, the update
// lock, the form's window, icon metrics) and forwards its input. The page
// widgets are siblings of the strip on the main window; their positions are
// kept in twips as the control sees them and become pixels only when a widget
// moves.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "common/property_bag.h"
#include "control_widget.h"
#include "platform/theme_info.h"
#include "tabctl/tab_strip.h"

namespace tarvex {

// A page widget as a ContainedControl; positions relative to the strip.
class WidgetChild final : public ContainedControl {
 public:
  WidgetChild(QWidget* child, QWidget* tab) : child_(child), tab_(tab) {}
  std::optional<int32_t> Left() const override;
  bool SetLeft(int32_t twips) override;
  bool SetTop(int32_t twips) override;
  bool SetWidth(int32_t twips) override;
  bool SetHeight(int32_t twips) override;
  bool SetVisible(bool visible) override;
  int64_t WindowHandle() const override { return HandleOf(child_.data()); }
  QWidget* Widget() const { return child_.data(); }
  // Moves and sizes the widget to `r` (pixels relative to the strip).
  bool Place(const Rect& r);

 private:
  std::optional<QRect> RectInTab() const;
  QPointer<QWidget> child_;
  QWidget* tab_;
  std::optional<int32_t> leftTwips_;  // the last Left set, while the widget stays there
};

// What the main window hears of the strip.
struct TabWidgetEvents {
  std::function<void()> mouseDown;  // any button
  std::function<void()> mouseMove;
};

// Windows version and visual style as the strip asks: an NT 6.1 desktop with
// no visual style, the classic look it has under Wine.
class ClassicThemeInfo final : public ThemeInfoSource {
 public:
  std::optional<OsVersion> Version() const override { return OsVersion{2, 6, 1, 7601}; }
  ThemeNameResult CurrentThemeName() const override { return {static_cast<int32_t>(0x80004005), {}}; }
};

class TabWidget final : public ControlWidget, private TabStripEvents {
 public:
  TabWidget(QWidget* parent, MessageHooks& hooks, TabWidgetEvents events);
  ~TabWidget() override;  // the control's teardown runs while the widget still exists

  // Loads the control from `bag` (creation defaults when null); false on failure.
  bool Load(const PropertyBag* bag);
  TabStrip& Strip() { return *strip_; }
  // Puts `child` on `page` at `rectOnPage` (pixels relative to the strip, as if
  // the page were in front); it follows page switches from then on.
  void AddToPage(int page, QWidget* child, const Rect& rectOnPage);
  // The parent saw Alt + one of AccessKeys().
  void AccessKeyPressed(int key);

 protected:
  void OnMouseDown(int button, int shift, int x, int y) override;
  void OnMouseMove(int button, int shift, int x, int y) override;
  void OnMouseUp(int button, int shift, int x, int y) override;
  void OnDblClick() override;
  void OnKeyDown(int keyCode, int shift) override;
  void OnKeyPress(int keyAscii) override;
  void OnKeyUp(int keyCode, int shift) override;
  void OnFocus(bool gained) override;
  void OnSize(int width, int height) override;
  void OnPaint() override;

 private:
  class Site;
  // --- TabStripEvents ---
  void MouseDown(int16_t, int16_t, float, float) override;
  void MouseMove(int16_t, int16_t, float, float) override;

  TabWidgetEvents events_;
  ClassicThemeInfo theme_;
  std::vector<std::unique_ptr<WidgetChild>> children_;
  std::unique_ptr<Site> site_;
  std::unique_ptr<TabStrip> strip_;
  bool leftDown_ = false;  // a left press began over the control (for Click)
};

}  // namespace tarvex
