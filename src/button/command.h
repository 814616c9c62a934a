// Command: the owner-drawn gradient push button. Five looks (ButtonType), three
// colour schemes, hover and pressed states, the usual button events. It reaches
// its container only through a ControlSite plus its own CommandHost services and
// paints on the site's persistent image; the Win32 host forwards window input to
// the Handle* members.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "button/command_colors.h"
#include "button/command_layout.h"
#include "button/command_paint.h"
#include "button/command_properties.h"
#include "button/command_site.h"
#include "common/property_bag.h"
#include "platform/control_site.h"

namespace tarvex {

class Command {
 public:
  static constexpr int kHoverTimerId = 1;  // Timer1
  static constexpr uint32_t kHoverIntervalMs = 10;

  // Creation: last mouse button left, t' = 2, the scheme step. Site and host
  // (usually one object) must outlive the button; `events` may be null.
  Command(ControlSite& site, CommandHost& host, CommandEvents* events = nullptr);
  // Stops the hover timer and deletes the window region.
  ~Command();
  Command(const Command&) = delete;
  Command& operator=(const Command&) = delete;

  void SetEvents(CommandEvents* events) { events_ = events; }

  // --- persistence (host's InitProperties / ReadProperties / WriteProperties) ---
  void InitProperties();
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;

  // --- properties ---
  OleColor BackColor() const { return props_.BackColor; }
  void SetBackColor(OleColor value);
  OleColor ForeColor() const { return props_.ForeColor; }
  void SetForeColor(OleColor value);
  bool Enabled() const { return props_.Enabled; }
  void SetEnabled(bool value);
  const FontDesc& Font() const { return props_.Font; }
  void SetFont(const FontDesc& value);
  // The control's window handle; setting raises 387 (design) or 382 (run time).
  int64_t hWnd() const;
  void SethWnd(int64_t value);
  int32_t ButtonType() const { return props_.ButtonType; }
  void SetButtonType(int32_t value);
  const std::string& Caption() const { return props_.Caption; }
  void SetCaption(std::string_view value);
  int32_t ColorScheme() const { return props_.ColorScheme; }
  void SetColorScheme(int32_t value);
  int32_t XpType() const { return props_.XpType; }
  void SetXpType(int32_t value);
  OleColor rectcolor() const { return props_.rectcolor; }
  void Setrectcolor(OleColor value);
  bool ShowFocusRect() const { return props_.ShowFocusRect; }
  void SetShowFocusRect(bool value);
  int16_t Percent() const { return props_.Percent; }
  // 0..100, else error 380 and the value stays.
  void SetPercent(int32_t value);

  OleColor MidColor() const { return props_.gradient.MidColor; }
  void SetMidColor(OleColor value);
  OleColor EndColor() const { return props_.gradient.EndColor; }
  void SetEndColor(OleColor value);
  OleColor MouseMoveMidColor() const { return props_.gradient.MouseMoveMidColor; }
  void SetMouseMoveMidColor(OleColor value);
  OleColor MouseMoveEndColor() const { return props_.gradient.MouseMoveEndColor; }
  void SetMouseMoveEndColor(OleColor value);
  OleColor MouseDownMidColor() const { return props_.gradient.MouseDownMidColor; }
  void SetMouseDownMidColor(OleColor value);
  OleColor MouseDownEndColor() const { return props_.gradient.MouseDownEndColor; }
  void SetMouseDownEndColor(OleColor value);
  OleColor OfficeXpFillColor() const { return props_.flat.OfficeXpFillColor; }
  void SetOfficeXpFillColor(OleColor value);
  OleColor OfficeXpFrameColor() const { return props_.flat.OfficeXpFrameColor; }
  void SetOfficeXpFrameColor(OleColor value);
  OleColor OfficeXpMousemoveFillColor() const { return props_.flat.OfficeXpMousemoveFillColor; }
  void SetOfficeXpMousemoveFillColor(OleColor value);
  OleColor OfficeXpMousemoveFrameColor() const { return props_.flat.OfficeXpMousemoveFrameColor; }
  void SetOfficeXpMousemoveFrameColor(OleColor value);

  // --- input from the host (pixels of the client area; button/shift masks) ---
  void HandleMouseDown(int16_t button, int16_t shift, float x, float y);
  void HandleMouseUp(int16_t button, int16_t shift, float x, float y);
  void HandleMouseMove(int16_t button, int16_t shift, float x, float y);
  void HandleClick();
  void HandleDoubleClick();
  void HandleKeyDown(int16_t keyCode, int16_t shift);
  void HandleKeyPress(int16_t keyAscii);
  void HandleKeyUp(int16_t keyCode, int16_t shift);
  void HandleAccessKey();
  void HandleGotFocus();
  void HandleLostFocus();
  void HandleTimer(int timerId);
  void HandlePaint();
  // The client area changed size (also run for Enabled and ButtonType).
  void HandleResize();

  // --- read-only state for the host and tests ---
  const CommandProperties& Properties() const { return props_; }
  const SchemeColors& Scheme() const { return scheme_; }
  std::optional<std::string> AccessKey() const { return accessKey_; }
  int32_t VisualState() const { return state_; }
  bool Hovering() const { return hovering_; }
  bool FocusFlag() const { return focusFlag_; }
  Size InnerSize() const { return inner_; }
  const CommandRects& Rects() const { return rects_; }
  CaptionTops Tops() const { return tops_; }
  int64_t PaintCount() const { return paintCount_; }

  // The single paint routine: skipped when not forced and neither the caption
  // nor the state changed, and when H is 0.
  void Paint(int32_t state, bool forced);

 private:
  void SchemeStep();
  void DeriveAccessKey();
  void Repaint() { Paint(state_, true); }
  void Changed(std::string_view name) { site_.PropertyChanged(name); }
  void SetGradient(OleColor GradientColors::*member, OleColor value, std::string_view name);
  void SetFlat(OleColor FlatColors::*member, OleColor value, std::string_view name);
  bool Inside(float x, float y) const;

  ControlSite& site_;
  CommandHost& host_;
  CommandEvents* events_;

  CommandProperties props_;
  SchemeColors scheme_;
  std::optional<std::string> accessKey_;

  // Run-time state.
  int32_t state_ = kStateNormal;
  bool hovering_ = false;
  bool focusFlag_ = false;
  int16_t lastButton_ = kMouseLeft;
  int16_t lastKeyCode_ = 0;
  std::optional<std::string> lastCaption_;  // nullopt until the first paint
  int32_t lastState_ = -1;
  Size inner_;  // W x H, pixels
  CommandRects rects_;
  CaptionTops tops_;
  bool shapeSet_ = false;
  bool timerOn_ = false;
  int64_t paintCount_ = 0;  // paints actually drawn (tests, diagnostics)
};

}  // namespace tarvex
