// The program's painting path: raster pixels in a DIB section with GDI text on
// the same pixels, in the program's fonts (SimSun / Verdana, GB2312).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/win32/dib_canvas.h"
#include "win/support/pixels.h"
#include "win/support/surface_pair.h"

namespace tarvex {
namespace {

FontDesc SimSun9() {
  FontDesc f;
  f.name = "SimSun";
  f.sizePt = 9;
  f.charset = kGb2312Charset;
  return f;
}

int CountColor(RasterSurface& s, const Rect& r, Rgb c) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += s.At(x, y) == c;
  return n;
}

TEST(DibCanvas, GdiTextLandsOnTheRasterPixelsInsideItsBox) {
  DibCanvas canvas(200, 60);
  RasterSurface& s = canvas.Surface();
  s.Clear(MakeRgb(236, 233, 216));
  s.FillRect({0, 0, 10, 60}, MakeRgb(0, 0, 255));  // raster first ...
  s.SetFont(SimSun9());
  s.SetTextColor(MakeRgb(0, 0, 0));
  std::string text = "普通加速 Tab";
  Rect box{20, 10, 180, 40};
  const int32_t h = s.DrawText(text, box, dt::kSingleLine | dt::kCenter | dt::kVCenter);
  EXPECT_GT(h, 0);
  // ... then GDI's text on the same pixels, transparent, only inside the box
  EXPECT_GT(CountColor(s, box, MakeRgb(0, 0, 0)), 20);
  EXPECT_EQ(CountColor(s, {0, 0, 200, 10}, MakeRgb(0, 0, 0)), 0);
  EXPECT_EQ(CountColor(s, {0, 40, 200, 60}, MakeRgb(0, 0, 0)), 0);
  EXPECT_EQ(s.At(5, 30), MakeRgb(0, 0, 255));
  EXPECT_EQ(s.At(25, 12), MakeRgb(236, 233, 216));  // background kept (transparent)
  // the raster still draws after the text (GdiFlush between the two)
  s.SetPen(MakeRgb(255, 0, 0));
  s.MoveTo(0, 59);
  s.LineTo(200, 59);
  EXPECT_EQ(s.At(199, 59), MakeRgb(255, 0, 0));
}

TEST(DibCanvas, MeasuringCallFitsAndShortensTheCaption) {
  DibCanvas canvas(300, 40);
  RasterSurface& s = canvas.Surface();
  s.SetFont(SimSun9());
  const Size full = s.MeasureText(" 软件设置 ");
  EXPECT_GT(full.width, 40);
  EXPECT_GT(full.height, 8);
  std::string caption = " 软件设置 ";
  Rect wide{0, 0, 300, 40};
  s.DrawText(caption, wide, 0xFFFF8420u);
  EXPECT_EQ(caption, " 软件设置 ");
  EXPECT_EQ(wide.Width(), full.width);
  // too narrow: the caption comes back shortened with an ellipsis
  std::string longCaption = "A rather long caption for a tab";
  Rect narrow{0, 0, 60, 40};
  s.DrawText(longCaption, narrow, 0xFFFF8420u);
  EXPECT_NE(longCaption.find("..."), std::string::npos) << longCaption;
  EXPECT_LE(narrow.Width(), 60);
}

TEST(DibCanvas, ResizeKeepsTheOverlapAndFillsTheRest) {
  DibCanvas canvas(10, 10);
  canvas.Surface().FillRect({0, 0, 10, 10}, MakeRgb(1, 2, 3));
  canvas.Resize(20, 5, MakeRgb(9, 9, 9));
  EXPECT_EQ(canvas.Surface().Width(), 20);
  EXPECT_EQ(canvas.Surface().At(9, 4), MakeRgb(1, 2, 3));
  EXPECT_EQ(canvas.Surface().At(10, 0), MakeRgb(9, 9, 9));
  canvas.Resize(0, 0);
  EXPECT_EQ(canvas.Surface().Width(), 0);
  EXPECT_EQ(canvas.Surface().GetPixel(0, 0), kInvalidColor);
}

// Not a check: the painting path's look, saved for the docs when asked.
TEST(DibCanvas, SampleImage) {
  DibCanvas canvas(240, 64);
  RasterSurface& s = canvas.Surface();
  s.Clear(MakeRgb(236, 233, 216));
  s.SetPen(MakeRgb(0, 60, 115));
  s.SetBrush(MakeRgb(255, 255, 255));
  s.RoundRect(4, 4, 112, 40, 10, 10);
  s.SetBrush(MakeRgb(221, 231, 242));
  s.RoundRect(116, 8, 236, 40, 10, 10);
  s.FillRect({4, 36, 236, 60}, MakeRgb(255, 255, 255));
  s.FrameRect({4, 36, 236, 60}, MakeRgb(0, 60, 115));
  s.SetFont(SimSun9());
  s.SetTextColor(MakeRgb(0, 0, 0));
  std::string a = " 系统状态 ", b = " 软件设置 ";
  Rect ra{4, 4, 112, 36}, rb{116, 8, 236, 36};
  s.DrawText(a, ra, dt::kSingleLine | dt::kCenter | dt::kVCenter);
  s.DrawText(b, rb, dt::kSingleLine | dt::kCenter | dt::kVCenter);
  s.DrawFocusRect({20, 12, 96, 30});
  s.SetPen(MakeRgb(0, 160, 0));
  s.MoveTo(8, 56);
  for (int x = 12; x < 232; x += 4) s.LineToInclusive(x, 42 + (x * 7) % 15);
  if (const char* out = std::getenv("TARVEX_SAMPLE_BMP")) {
    EXPECT_TRUE(SaveBmp(out, s.Data(), s.Width(), s.Height()));
  }
}

}  // namespace
}  // namespace tarvex
