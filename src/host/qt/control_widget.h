// A widget for a portable control: serves as its ControlSite (persistent image
// = the raster drawing into a pixel buffer that a QImage shows without a copy;
// timers; focus; cursor; access keys) and turns Qt's input events into the
// controls' typed input, each passed through the window's message hooks as the
// Windows message it stands for. Controls' Qt wrappers derive from it.
#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "message_hooks.h"
#include "platform/control_site.h"
#include "platform/raster/raster_surface.h"
#include "qt_system_colors.h"
#include "qt_text_engine.h"

namespace tarvex {

// Mouse buttons and shift state as the controls' input handlers take them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// The Windows virtual-key code of a Qt key; 0 when it has none.
int VirtualKeyOf(int qtKey);
// The shift mask of Qt modifiers.
int ShiftMaskOf(Qt::KeyboardModifiers modifiers);

class ControlWidget : public QWidget, public ControlSite {
 public:
  // `hooks` must outlive the widget.
  ControlWidget(QWidget* parent, MessageHooks& hooks);
  ~ControlWidget() override;

  void SetUserMode(bool userMode) { userMode_ = userMode; }
  void SetAmbientBackColor(OleColor color) { ambientBackColor_ = color; }
  void SetAmbientFont(const FontDesc& font) { ambientFont_ = font; }
  void SetPropertyChangedHandler(std::function<void(std::string_view)> handler) {
    onPropertyChanged_ = std::move(handler);
  }
  const std::string& AccessKeys() const { return accessKeys_; }
  // The image as it is now, for tests and screenshots.
  const RasterSurface& Image() const { return raster_; }

  // --- ControlSite ---
  bool UserMode() const override { return userMode_; }
  OleColor AmbientBackColor() const override { return ambientBackColor_; }
  FontDesc AmbientFont() const override { return ambientFont_; }
  void PropertyChanged(std::string_view name) override;
  Surface& PersistentImage() override { return raster_; }
  void Refresh() override;
  bool InSight() const override { return isVisible() && !visibleRegion().isEmpty(); }
  Size ClientSize() const override { return {imageWidth_, imageHeight_}; }
  const SystemColors& Colors() const override { return colors_; }
  void StartTimer(int id, uint32_t intervalMs) override;
  void StopTimer(int id) override;
  bool HasFocus() const override { return hasFocus(); }
  int64_t WindowHandle() const override { return HandleOf(this); }
  std::optional<Point> CursorPosition() const override;
  void SendKeys(std::string_view keys) override;
  void SetAccessKeys(std::string_view keys) override { accessKeys_ = std::string(keys); }

 protected:
  // Input in client pixels; `button` and `shift` use the masks above.
  virtual void OnMouseDown(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
  virtual void OnMouseMove(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
  virtual void OnMouseUp(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
  virtual void OnDblClick() {}
  virtual void OnKeyDown(int /*keyCode*/, int /*shift*/) {}
  virtual void OnKeyPress(int /*keyAscii*/) {}
  virtual void OnKeyUp(int /*keyCode*/, int /*shift*/) {}
  virtual void OnFocus(bool /*gained*/) {}
  virtual void OnSize(int /*width*/, int /*height*/) {}
  virtual void OnTimer(int /*id*/) {}
  // Called before the image is shown (a control that paints lazily updates it).
  virtual void OnPaint() {}
  // The image's place inside the widget (a frame may surround it).
  void SetImageMargin(int pixels);
  MessageHooks& Hooks() { return hooks_; }

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  void ResizeImage(int width, int height);
  int64_t Deliver(uint32_t msg, uint64_t wParam, int64_t lParam, const std::function<void()>& own);

  MessageHooks& hooks_;
  QtTextEngine text_;
  std::vector<uint32_t> pixels_;  // 0x00RRGGBB, top-down; the raster draws here
  int imageWidth_ = 0;
  int imageHeight_ = 0;
  int margin_ = 0;
  RasterSurface raster_;
  QtSystemColors colors_;
  bool userMode_ = true;
  OleColor ambientBackColor_ = 0x8000000Fu;
  FontDesc ambientFont_;
  std::string accessKeys_;
  std::function<void(std::string_view)> onPropertyChanged_;
  std::map<int, int> timers_;  // Qt timer id -> the control's id
  int buttonsDown_ = 0;
};

}  // namespace tarvex
