// The gradient button drawn as the program draws it (raster into a DIB section,
// GDI text in the real fonts): the five types in five states and three colour
// schemes, composed into one sheet saved as a BMP. TARVEX_GALLERY_DIR chooses
// where it goes (default: the current directory).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/dib_canvas.h"
#include "platform/win32/system_colors_win32.h"
#include "button/command.h"
#include "win/support/gallery.h"

namespace tarvex {
namespace {

constexpr int kButtonWidth = 81;   // the main window's buttons at 96 dpi
constexpr int kButtonHeight = 25;

// A site over one DIB canvas: user mode, no timers, no window.
class GallerySite final : public ControlSite, public CommandHost {
 public:
  GallerySite() : canvas_(kButtonWidth, kButtonHeight) {}
  bool UserMode() const override { return true; }
  OleColor AmbientBackColor() const override { return 0x8000000Fu; }
  FontDesc AmbientFont() const override { return FontDesc{"SimSun", 9, false, false, false, false, kGb2312Charset}; }
  void PropertyChanged(std::string_view) override {}
  Surface& PersistentImage() override { return canvas_.Surface(); }
  void Refresh() override {}
  Size ClientSize() const override { return {canvas_.Width(), canvas_.Height()}; }
  const SystemColors& Colors() const override { return colors_; }
  void StartTimer(int, uint32_t) override {}
  void StopTimer(int) override {}
  bool HasFocus() const override { return focused; }
  int64_t WindowHandle() const override { return 0; }
  std::optional<Point> CursorPosition() const override { return Point{10, 10}; }
  void SendKeys(std::string_view) override {}
  void SetAccessKeys(std::string_view) override {}
  std::string AmbientDisplayName() const override { return "Command1"; }
  bool AmbientDisplayAsDefault() const override { return false; }
  void SetControlEnabled(bool) override {}
  void SetWindowShape(const WindowShape& s) override { shape = s; }
  void DeleteWindowShape() override {}
  void ImageChanged() override {}

  bool focused = false;
  WindowShape shape;
  RasterSurface& Image() { return canvas_.Surface(); }

 private:
  DibCanvas canvas_;
  Win32SystemColors colors_;
};

enum class Look { Normal, Hover, Pressed, Focused, Disabled };
constexpr Look kLooks[] = {Look::Normal, Look::Hover, Look::Pressed, Look::Focused, Look::Disabled};

// Draws one button and copies it to the sheet at (left, top); the window
// region's cut pixels are left showing the sheet's background.
void DrawCell(RasterSurface& sheet, int left, int top, int type, int scheme, Look look) {
  GallerySite site;
  Command button(site, site);
  button.InitProperties();
  button.SetCaption(type == 5 ? "保存记录" : "退出");
  if (scheme == 2) button.SetBackColor(MakeRgb(170, 200, 235));
  button.SetColorScheme(scheme);
  button.SetButtonType(type);
  switch (look) {
    case Look::Normal: break;
    case Look::Hover: button.HandleMouseMove(0, 0, 10, 10); break;
    case Look::Pressed: button.HandleMouseDown(kMouseLeft, 0, 10, 10); break;
    case Look::Focused:
      site.focused = true;
      button.HandleGotFocus();
      break;
    case Look::Disabled: button.SetEnabled(false); break;
  }
  for (int y = 0; y < kButtonHeight; ++y) {
    for (int x = 0; x < kButtonWidth; ++x) {
      bool cut = false;
      for (const Rect& r : site.shape.cuts) cut = cut || r.Contains({x, y});
      if (!cut) sheet.SetPixel(left + x, top + y, site.Image().At(x, y));
    }
  }
}

TEST(ButtonGallery, FiveTypesFiveStatesThreeSchemes) {
  constexpr int kLabelWidth = 150;
  constexpr int kHeader = 22;
  constexpr int kCellWidth = 96;
  constexpr int kCellHeight = 32;
  DibCanvas canvas(kLabelWidth + 5 * kCellWidth, kHeader + 15 * kCellHeight);
  RasterSurface& sheet = canvas.Surface();
  sheet.FillRect({0, 0, sheet.Width(), sheet.Height()}, MakeRgb(255, 255, 255));
  // Labels are drawn by GDI itself straight into the sheet's DIB.
  HDC dc = canvas.Dc();
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, 0);
  auto label = [&](const std::wstring& text, RECT r, UINT flags) {
    GdiFlush();
    DrawTextW(dc, text.c_str(), -1, &r, flags | DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();
  };
  const wchar_t* lookNames[] = {L"normal", L"hover", L"pressed", L"focused", L"disabled"};
  for (int i = 0; i < 5; ++i) {
    label(lookNames[i], RECT{kLabelWidth + i * kCellWidth, 4, kLabelWidth + (i + 1) * kCellWidth, kHeader},
          DT_CENTER);
  }
  int row = 0;
  for (int scheme = 1; scheme <= 3; ++scheme) {
    for (int type = 1; type <= 5; ++type, ++row) {
      const int top = kHeader + row * kCellHeight;
      if (type == 1 && scheme > 1) sheet.FillRect({0, top - 2, sheet.Width(), top - 1}, 0xC0C0C0);
      label(L"scheme " + std::to_wstring(scheme) + L", type " + std::to_wstring(type),
            RECT{6, top + 2, kLabelWidth, top + 2 + kButtonHeight}, DT_VCENTER);
      for (int i = 0; i < 5; ++i) {
        DrawCell(sheet, kLabelWidth + i * kCellWidth + (kCellWidth - kButtonWidth) / 2, top + 2, type,
                 scheme, kLooks[i]);
      }
    }
  }
  SelectObject(dc, oldFont);
  // The sheet carries each button as drawn: the first row's normal cell has
  // the exit button's face, and in every row the disabled look differs.
  const int firstTop = kHeader + 2;
  auto cellLeft = [&](int look) { return kLabelWidth + look * kCellWidth + (kCellWidth - kButtonWidth) / 2; };
  EXPECT_EQ(sheet.At(cellLeft(0) + 5, firstTop + 23), MakeRgb(201, 200, 217));
  for (int r = 0; r < row; ++r) {
    const int top = kHeader + r * kCellHeight + 2;
    bool differs = false;
    for (int y = 0; y < kButtonHeight && !differs; ++y) {
      for (int x = 0; x < kButtonWidth && !differs; ++x)
        differs = sheet.At(cellLeft(0) + x, top + y) != sheet.At(cellLeft(4) + x, top + y);
    }
    EXPECT_TRUE(differs) << "row " << r << ": disabled looks like normal";
  }
  EXPECT_TRUE(WriteBmp(sheet, GalleryDir() + "button-sheet.bmp"));
}

// The real font gives the same face rows as the test font: only the caption
// differs, so CommandExit's face probe holds under GDI text too.
TEST(ButtonGallery, ExitFaceRowsUnderRealText) {
  GallerySite site;
  Command button(site, site);
  button.InitProperties();
  button.SetCaption("退出");
  button.HandleResize();
  EXPECT_EQ(site.Image().At(5, 23), MakeRgb(201, 200, 217));
  EXPECT_EQ(site.Image().At(0, 12), MakeRgb(0, 60, 115));
  // The caption is drawn: some pixel in the middle band is dark.
  int dark = 0;
  for (int y = 6; y < 19; ++y) {
    for (int x = 25; x < 56; ++x) dark += RedOf(site.Image().At(x, y)) < 100;
  }
  EXPECT_GT(dark, 10);
}

}  // namespace
}  // namespace tarvex
