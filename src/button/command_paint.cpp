// The button's drawing primitives, caption placement and the dispatch of a
// paint to the look of its type.
#include "button/command_paint.h"

#include <algorithm>
#include <string>

#include "button/command_painter.h"
#include "common/rounding.h"

namespace tarvex {
namespace {

constexpr uint32_t kOneLine = dt::kCenter | dt::kVCenter | dt::kSingleLine | dt::kExpandTabs;
constexpr uint32_t kWrapped = dt::kCenter | dt::kWordBreak;

}  // namespace

CommandPainter::CommandPainter(Surface& surface, const PaintInput& in, CaptionTops& tops)
    : W(in.inner.width), H(in.inner.height), s_(surface), in_(in), tops_(tops) {}

Rgb CommandPainter::Translate(OleColor color) const { return TranslateOleColor(color, in_.system); }

void CommandPainter::Fill(int32_t x, int32_t y, int32_t w, int32_t h, Rgb k) {
  s_.FillRect({x, y, x + w, y + h}, k);
}

void CommandPainter::Frame(int32_t x, int32_t y, int32_t w, int32_t h, Rgb k) {
  s_.FrameRect({x, y, x + w, y + h}, k);
}

void CommandPainter::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb k) {
  s_.SetPen(k);
  s_.MoveTo(x1, y1);
  s_.LineTo(x2, y2);
}

void CommandPainter::Pixel(int32_t x, int32_t y, Rgb k) { s_.SetPixel(x, y, k); }

Rgb CommandPainter::PixelAt(int32_t x, int32_t y) const { return s_.GetPixel(x, y); }

void CommandPainter::RoundedBorder(Rgb lines, Rgb corners) {
  Line(2, 0, W - 2, 0, lines);
  Line(2, H - 1, W - 2, H - 1, lines);
  Line(0, 2, 0, H - 2, lines);
  Line(W - 1, 2, W - 1, H - 2, lines);
  Pixel(1, 1, corners);
  Pixel(1, H - 2, corners);
  Pixel(W - 2, 1, corners);
  Pixel(W - 2, H - 2, corners);
}

void CommandPainter::WhiteFade(Rgb k0, int32_t y1, int32_t y2, int32_t step) {
  const int32_t divisor = H - 5;
  if (divisor == 0) return;
  const double incR = (255.0 - RedOf(k0)) / divisor;
  const double incG = (255.0 - GreenOf(k0)) / divisor;
  const double incB = (255.0 - BlueOf(k0)) / divisor;
  double r = RedOf(k0);
  double g = GreenOf(k0);
  double b = BlueOf(k0);
  // Below H = 5 the increments turn negative; keep the components in range.
  auto clamp = [](double v) { return std::clamp(v, 0.0, 255.0); };
  for (int32_t y = y1; step > 0 ? y <= y2 : y >= y2; y += step) {
    r = clamp(r + incR);
    g = clamp(g + incG);
    b = clamp(b + incB);
    Line(1, y, W - 1, y,
         MakeRgb(RoundHalfEven32(r), RoundHalfEven32(g), RoundHalfEven32(b)));
  }
}

void CommandPainter::SetTextColor(Rgb k) { s_.SetTextColor(k); }

void CommandPainter::FocusRect() {
  s_.SetTextColor(in_.scheme.text);
  s_.DrawFocusRect({2, 2, W - 2, H - 2});
}

void CommandPainter::Caption(bool pressed) {
  // A zero-width button has no room for a line and nothing to divide by.
  if (W <= 0) return;
  std::string text = in_.props.Caption;
  const Size extent = s_.MeasureText(text);
  const int32_t left = pressed ? 2 : 0;
  if (extent.width <= W) {
    Rect r{left, pressed ? tops_.pressedTop : tops_.top, W, H};
    s_.DrawText(text, r, kOneLine);
    return;
  }
  if (pressed) {
    tops_.pressedTop = tops_.top + 2;
  } else {
    const int32_t lines = extent.width / W + 1;
    tops_.top = (H - extent.height * lines) / 2;  // truncated toward zero
  }
  Rect r{left, pressed ? tops_.pressedTop : tops_.top, W, H};
  s_.DrawText(text, r, kWrapped);
}

void CommandPainter::CaptionOneLine() {
  std::string text = in_.props.Caption;
  Rect r{0, tops_.top, W, H};
  s_.DrawText(text, r, kOneLine);
}

void CommandPainter::HoverFrame(Rgb k) {
  Frame(2, 1, W - 4, H - 2, k);
  Line(1, 2, 1, H - 2, k);
  Line(3, 2, W - 3, 2, k);
  Line(W - 2, 2, W - 2, H - 2, k);
  Line(3, H - 3, W - 3, H - 3, k);
}

void CommandPainter::InnerFrame(Rgb frame, Rgb bottom, Rgb top1, Rgb top2, Rgb sides,
                                bool thirdFromEdge) {
  Frame(1, 2, W - 2, H - 4, frame);
  Line(2, H - 2, W - 2, H - 2, bottom);
  Line(2, 1, W - 2, 1, top1);
  if (thirdFromEdge) {
    Line(1, 2, W - 1, 2, top2);
  } else {
    Line(2, 2, W - 2, 2, top2);
  }
  Line(2, 3, 2, H - 3, sides);
  Line(W - 3, 3, W - 3, H - 3, sides);
}

void CommandPainter::BlueInnerFrame(bool thirdFromEdge) {
  InnerFrame(MakeRgb(140, 174, 231), MakeRgb(107, 130, 239), MakeRgb(206, 231, 255),
             MakeRgb(189, 215, 247), MakeRgb(181, 209, 240), thirdFromEdge);
}

void PaintCommandLook(Surface& surface, const PaintInput& in, int32_t state, CaptionTops& tops) {
  CommandPainter p(surface, in, tops);
  surface.Clear(in.scheme.face);
  p.Fill(0, 0, p.W, p.H, in.scheme.face);
  if (in.props.Enabled) {
    surface.SetTextColor(in.scheme.text);
    if (state != kStateNormal && state != kStatePressed) return;  // only the face
  }
  switch (in.props.ButtonType) {
    case 1: PaintXpLook(p, state); break;
    case 2: PaintBevelLook(p, state); break;
    case 3: PaintShadedLook(p, state); break;
    case 4: PaintBandedLook(p, state); break;
    case 5: PaintFlatLook(p, state); break;
    default: break;  // any other type: only the face
  }
}

}  // namespace tarvex
