// Command: creation, the property setters, the scheme step, the window shape
// and the single paint routine. Input is in command_input.cpp, persistence in
// command_persist.cpp, the looks in command_paint*.cpp.
#include "button/command.h"

#include "common/control_error.h"
#include "common/rounding.h"
#include "platform/system_colors.h"

namespace tarvex {

Command::Command(ControlSite& site, CommandHost& host, CommandEvents* events)
    : site_(site), host_(host), events_(events) {
  const SystemColors& system = site_.Colors();
  props_.BackColor = system.SysColor(kColorBtnFace).value_or(0);
  props_.ForeColor = system.SysColor(kColorBtnText).value_or(0);
  props_.Font = site_.AmbientFont();
  lastButton_ = kMouseLeft;
  tops_.pressedTop = 2;
  SchemeStep();
}

Command::~Command() {
  if (timerOn_) site_.StopTimer(kHoverTimerId);
  if (shapeSet_) host_.DeleteWindowShape();
}

void Command::SchemeStep() {
  scheme_ = DeriveSchemeColors(props_.ColorScheme, props_.BackColor, props_.ForeColor,
                               site_.Colors());
  if (props_.ColorScheme == 3) {
    props_.flat = kScheme3Flat;
  } else if (props_.ColorScheme != 2 && props_.ButtonType == 4) {
    props_.gradient = kGreyGradient;
  }
}

void Command::DeriveAccessKey() {
  accessKey_ = CommandAccessKey(props_.Caption);
  site_.SetAccessKeys(accessKey_ ? *accessKey_ : std::string());
}

void Command::SetBackColor(OleColor value) {
  props_.BackColor = value;
  SchemeStep();
  Repaint();
  Changed("BackColor");
}

void Command::SetForeColor(OleColor value) {
  props_.ForeColor = value;
  SchemeStep();
  Repaint();
  Changed("ForeColor");
}

void Command::SetEnabled(bool value) {
  props_.Enabled = value;
  host_.SetControlEnabled(value);
  HandleResize();
  Changed("Enabled");
}

void Command::SetFont(const FontDesc& value) {
  props_.Font = value;
  site_.PersistentImage().SetFont(props_.Font);
  Repaint();
  Changed("Font");
}

int64_t Command::hWnd() const { return site_.WindowHandle(); }

void Command::SethWnd(int64_t) {
  throw ControlError(site_.UserMode() ? kErrSetNotAtRuntime : kErrSetNotInDesign, "Command.hWnd");
}

void Command::SetButtonType(int32_t value) {
  props_.ButtonType = value;
  SchemeStep();
  if (value == 4) {
    props_.Percent = kBluePercent;
    props_.gradient = kBlueGradient;
  }
  HandleResize();
  Changed("ButtonType");
}

void Command::SetCaption(std::string_view value) {
  props_.Caption = std::string(value);
  DeriveAccessKey();
  Repaint();
  Changed("Caption");
}

void Command::SetColorScheme(int32_t value) {
  props_.ColorScheme = value;
  SchemeStep();
  Repaint();
  Changed("ColorScheme");
}

void Command::SetXpType(int32_t value) {
  props_.XpType = value;
  Repaint();
  Changed("XpType");
}

void Command::Setrectcolor(OleColor value) {
  props_.rectcolor = value;  // only seen at the next hover, so no repaint
  Changed("rectcolor");
}

void Command::SetShowFocusRect(bool value) {
  props_.ShowFocusRect = value;
  Repaint();
  Changed("ShowFocusRect");
}

void Command::SetPercent(int32_t value) {
  if (value < 0 || value > 100) throw ControlError(kErrInvalidPropertyValue, "Command.Percent");
  props_.Percent = static_cast<int16_t>(value);
  Repaint();
  Changed("Percent");
}

void Command::SetGradient(OleColor GradientColors::*member, OleColor value,
                          std::string_view name) {
  props_.gradient.*member = value;
  Repaint();
  Changed(name);
}

void Command::SetFlat(OleColor FlatColors::*member, OleColor value, std::string_view name) {
  props_.flat.*member = value;
  Repaint();
  Changed(name);
}

void Command::SetMidColor(OleColor v) { SetGradient(&GradientColors::MidColor, v, "MidColor"); }
void Command::SetEndColor(OleColor v) { SetGradient(&GradientColors::EndColor, v, "EndColor"); }
void Command::SetMouseMoveMidColor(OleColor v) {
  SetGradient(&GradientColors::MouseMoveMidColor, v, "MouseMoveMidColor");
}
void Command::SetMouseMoveEndColor(OleColor v) {
  SetGradient(&GradientColors::MouseMoveEndColor, v, "MouseMoveEndColor");
}
void Command::SetMouseDownMidColor(OleColor v) {
  SetGradient(&GradientColors::MouseDownMidColor, v, "MouseDownMidColor");
}
void Command::SetMouseDownEndColor(OleColor v) {
  SetGradient(&GradientColors::MouseDownEndColor, v, "MouseDownEndColor");
}
void Command::SetOfficeXpFillColor(OleColor v) {
  SetFlat(&FlatColors::OfficeXpFillColor, v, "OfficeXpFillColor");
}
void Command::SetOfficeXpFrameColor(OleColor v) {
  SetFlat(&FlatColors::OfficeXpFrameColor, v, "OfficeXpFrameColor");
}
void Command::SetOfficeXpMousemoveFillColor(OleColor v) {
  SetFlat(&FlatColors::OfficeXpMousemoveFillColor, v, "OfficeXpMousemoveFillColor");
}
void Command::SetOfficeXpMousemoveFrameColor(OleColor v) {
  SetFlat(&FlatColors::OfficeXpMousemoveFrameColor, v, "OfficeXpMousemoveFrameColor");
}

void Command::HandleResize() {
  const Size client = site_.ClientSize();
  inner_ = {client.width, client.height};
  rects_ = CommandRectsFor(inner_.width, inner_.height);
  host_.SetWindowShape(CommandWindowShape(props_.ButtonType, inner_.width, inner_.height));
  shapeSet_ = true;
  Paint(state_, true);
}

void Command::Paint(int32_t state, bool forced) {
  if (!forced && lastCaption_ && *lastCaption_ == props_.Caption && state == lastState_) return;
  if (inner_.height <= 0) return;
  // Out of sight (not yet shown, its page not in front) the face would only be
  // drawn again: both hosts draw the current state when an exposed button paints.
  if (!site_.InSight()) return;
  lastState_ = state;
  lastCaption_ = props_.Caption;

  Surface& surface = site_.PersistentImage();
  surface.SetFont(props_.Font);
  PaintFlags flags;
  flags.hovering = hovering_;
  // Without ShowFocusRect a focused button shows no focus decoration.
  flags.focused = focusFlag_ && props_.ShowFocusRect;
  flags.defaultOrFocused =
      (props_.ShowFocusRect && host_.AmbientDisplayAsDefault()) || flags.focused;
  PaintCommandLook(surface, PaintInput{props_, scheme_, site_.Colors(), inner_, flags}, state,
                   tops_);
  ++paintCount_;
  host_.ImageChanged();
}

}  // namespace tarvex
