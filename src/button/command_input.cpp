// Command: mouse, keyboard, focus, timer and paint requests turned into visual
// states and events. Mouse, key and click handlers do nothing while disabled;
// focus, paint requests and the hover timer always work.
#include "button/command.h"

namespace tarvex {
namespace {

constexpr int16_t kKeySpace = 32;
constexpr int16_t kKeyLeft = 37;
constexpr int16_t kKeyUp = 38;
constexpr int16_t kKeyRight = 39;
constexpr int16_t kKeyDown = 40;

}  // namespace

bool Command::Inside(float x, float y) const {
  // The host's scale: left/top 0, width/height in client pixels; the far edges
  // count as inside.
  const Size client = site_.ClientSize();
  return x >= 0 && y >= 0 && x <= static_cast<float>(client.width) &&
         y <= static_cast<float>(client.height);
}

void Command::HandleMouseDown(int16_t button, int16_t shift, float x, float y) {
  if (!props_.Enabled) return;
  lastButton_ = button;
  if (button != kMouseRight) state_ = kStatePressed;
  Paint(state_, true);
  if (events_) events_->MouseDown(button, shift, x, y);
}

void Command::HandleMouseUp(int16_t button, int16_t shift, float x, float y) {
  if (!props_.Enabled) return;
  if (button != kMouseRight) state_ = kStateNormal;
  Paint(state_, true);
  if (events_) events_->MouseUp(button, shift, x, y);
}

void Command::HandleClick() {
  if (!props_.Enabled) return;
  if (lastButton_ == kMouseLeft) {
    state_ = kStateNormal;
    Paint(state_, true);
    site_.Refresh();
  }
  if (events_) events_->Click();
}

void Command::HandleDoubleClick() {
  if (!props_.Enabled) return;
  if (lastButton_ == kMouseLeft) HandleMouseDown(kMouseLeft, kShiftDown, 1, 1);
}

void Command::HandleMouseMove(int16_t button, int16_t shift, float x, float y) {
  if (!props_.Enabled) return;
  if (button != 0 && button != kMouseLeft) return;
  if (!timerOn_ && site_.UserMode()) {
    site_.StartTimer(kHoverTimerId, kHoverIntervalMs);
    timerOn_ = true;
  }
  if (!Inside(x, y)) return;
  if (events_) events_->MouseMove(button, shift, x, y);
  // Only the face follows the pointer; the stored state stays for the release.
  if (button == kMouseLeft) {
    Paint(kStatePressed, false);  // a drag repaints only when the face changes
  } else if (!hovering_) {
    hovering_ = true;
    Paint(kStateNormal, true);
  }
}

void Command::HandleTimer(int timerId) {
  if (timerId != kHoverTimerId || !timerOn_) return;
  const std::optional<Point> cursor = site_.CursorPosition();
  if (!cursor) return;
  const Size client = site_.ClientSize();
  const bool outside = cursor->x < 0 || cursor->y < 0 || cursor->x > client.width ||
                       cursor->y > client.height;
  if (!outside) return;
  site_.StopTimer(kHoverTimerId);
  timerOn_ = false;
  if (events_) events_->MouseOut();
  hovering_ = false;
  state_ = kStateNormal;
  Paint(state_, true);
}

void Command::HandleKeyDown(int16_t keyCode, int16_t shift) {
  if (!props_.Enabled) return;
  if (events_) events_->KeyDown(keyCode, shift);
  lastKeyCode_ = keyCode;
  switch (keyCode) {
    case kKeySpace:
      HandleMouseDown(kMouseLeft, kShiftDown, 1, 1);
      break;
    case kKeyRight:
    case kKeyDown:
      site_.SendKeys("{Tab}");
      break;
    case kKeyLeft:
    case kKeyUp:
      site_.SendKeys("+{Tab}");
      break;
    default:
      break;
  }
}

void Command::HandleKeyPress(int16_t keyAscii) {
  if (!props_.Enabled) return;
  if (events_) events_->KeyPress(keyAscii);
}

void Command::HandleKeyUp(int16_t keyCode, int16_t shift) {
  if (!props_.Enabled) return;
  if (events_) events_->KeyUp(keyCode, shift);
  if (lastKeyCode_ == kKeySpace && keyCode == kKeySpace) {
    HandleMouseUp(kMouseLeft, kShiftDown, 1, 1);
    lastButton_ = kMouseLeft;
    HandleClick();
  }
}

void Command::HandleAccessKey() { HandleClick(); }

void Command::HandleGotFocus() {
  focusFlag_ = true;
  Paint(state_, true);
}

void Command::HandleLostFocus() {
  focusFlag_ = false;
  Paint(state_, true);
}

void Command::HandlePaint() { Paint(state_, true); }

}  // namespace tarvex
