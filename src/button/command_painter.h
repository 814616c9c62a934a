// Internal to the button's paint files: the drawing primitives of the looks
// over one Surface, bound to the inner size W x H of one paint.
#pragma once

#include <cstdint>

#include "button/command_paint.h"

namespace tarvex {

class CommandPainter {
 public:
  CommandPainter(Surface& surface, const PaintInput& in, CaptionTops& tops);

  const CommandProperties& Props() const { return in_.props; }
  const SchemeColors& Scheme() const { return in_.scheme; }
  const PaintFlags& Flags() const { return in_.flags; }
  Surface& Target() { return s_; }
  Rgb Translate(OleColor color) const;

  // fill rect / frame rect of (x, y, x + w, y + h).
  void Fill(int32_t x, int32_t y, int32_t w, int32_t h, Rgb k);
  void Frame(int32_t x, int32_t y, int32_t w, int32_t h, Rgb k);
  // A line that leaves its end point unpainted.
  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rgb k);
  void Pixel(int32_t x, int32_t y, Rgb k);
  Rgb PixelAt(int32_t x, int32_t y) const;
  void RoundedBorder(Rgb lines, Rgb corners);
  // Rows y1 .. y2 (by step) brightening from k0 towards white; skipped when
  // H - 5 is 0.
  void WhiteFade(Rgb k0, int32_t y1, int32_t y2, int32_t step);
  void FocusRect();
  void SetTextColor(Rgb k);
  // Caption placement of the normal and disabled looks, or of the pressed looks.
  void Caption(bool pressed);
  // One centred line in (0, t, W, H) whatever its width.
  void CaptionOneLine();

  // Type 1's hover frame and its blue inner frame (`thirdFromEdge`: type 2's
  // third line spans (1, 2)-(W - 1, 2)).
  void HoverFrame(Rgb k);
  void InnerFrame(Rgb frame, Rgb bottom, Rgb top1, Rgb top2, Rgb sides, bool thirdFromEdge);
  void BlueInnerFrame(bool thirdFromEdge);

  const int32_t W;
  const int32_t H;

 private:
  Surface& s_;
  const PaintInput& in_;
  CaptionTops& tops_;
};

void PaintXpLook(CommandPainter& p, int32_t state);       // type 1
void PaintBevelLook(CommandPainter& p, int32_t state);    // type 2
void PaintShadedLook(CommandPainter& p, int32_t state);   // type 3
void PaintBandedLook(CommandPainter& p, int32_t state);   // type 4
void PaintFlatLook(CommandPainter& p, int32_t state);     // type 5

// The two gradient routines, exposed for their divisor edge cases.
void ShadedGradient(CommandPainter& p, Rgb top, Rgb frame, Rgb end, int32_t percent, bool flat);
void BandedGradient(CommandPainter& p, Rgb mid, Rgb border, Rgb end, int32_t percent);

}  // namespace tarvex
