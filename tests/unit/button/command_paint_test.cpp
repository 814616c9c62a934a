// Painting of types 1 and 2 on the raster: CommandExit's XP face and border,
// hover, focus and default frames, pressed and disabled looks, the skip rule,
// caption placement and a collapsed button.
#include <gtest/gtest.h>

#include <vector>

#include "button/command.h"
#include "button/main_window_buttons.h"
#include "support/fake_command_site.h"

namespace tarvex {
namespace {

constexpr Rgb kFace = MakeRgb(212, 208, 200);  // classic button face
constexpr Rgb kXpBorder = MakeRgb(0, 60, 115);
constexpr Rgb kXpCorner = MakeRgb(16, 77, 123);

class ExitButton : public ::testing::Test {
 protected:
  FakeCommandSite site{81, 25};
  Command button{site, site};
  void SetUp() override {
    ConfigureMainWindowButton(button, MainWindowButton::CommandExit);
    button.HandleResize();
  }
};

TEST_F(ExitButton, FaceBrightensUpwardFromRow23AndClampsAtWhite) {
  // Column 5 is clear of the centred caption (24 x 12 pixels at x 28..51).
  EXPECT_PIXEL(site, 5, 23, MakeRgb(201, 200, 217));
  EXPECT_PIXEL(site, 5, 22, MakeRgb(204, 203, 219));
  EXPECT_PIXEL(site, 5, 21, MakeRgb(207, 206, 221));
  EXPECT_PIXEL(site, 5, 13, MakeRgb(229, 229, 237));
  EXPECT_PIXEL(site, 5, 5, MakeRgb(252, 252, 253));
  EXPECT_PIXEL(site, 5, 3, MakeRgb(255, 255, 255));
  EXPECT_PIXEL(site, 5, 1, MakeRgb(255, 255, 255));
  // Each row is one line from x 1 to W - 2.
  EXPECT_PIXEL(site, 1, 13, MakeRgb(229, 229, 237));
  EXPECT_PIXEL(site, 79, 13, MakeRgb(229, 229, 237));
}

TEST_F(ExitButton, FacesOfSchemesTwoAndThreeAndOfXpTypesTwoAndThree) {
  // Column 6 is clear of the caption; rows 1, 12 and 23 of the 25-row face.
  struct Case {
    int32_t scheme, xpType;
    Rgb row1, row12, row23;
  };
  const Case cases[] = {
      // Schemes 2 and 3: the face lifted by 48 (blue in proportion), then
      // darkened by one per row (blue by 1.25 per row of 240, 250).
      {2, 1, MakeRgb(254, 254, 249), MakeRgb(243, 243, 235), MakeRgb(232, 232, 221)},
      {3, 1, MakeRgb(239, 239, 239), MakeRgb(228, 228, 225), MakeRgb(217, 217, 212)},
      // XpType 2: RGB(242, 237, 218) plus one per row upward from row 23.
      {1, 2, MakeRgb(255, 255, 241), MakeRgb(254, 249, 230), MakeRgb(243, 238, 219)},
      // XpType 3: the white fade from RGB(236, 235, 230) over H - 5 rows.
      {1, 3, MakeRgb(255, 255, 255), MakeRgb(247, 247, 245), MakeRgb(237, 236, 231)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "scheme " << c.scheme << ", XpType " << c.xpType);
    button.SetColorScheme(c.scheme);
    button.SetXpType(c.xpType);
    EXPECT_PIXEL(site, 6, 1, c.row1);
    EXPECT_PIXEL(site, 6, 12, c.row12);
    EXPECT_PIXEL(site, 6, 23, c.row23);
  }
}

TEST_F(ExitButton, RoundedDarkBlueBorder) {
  EXPECT_PIXEL(site, 0, 0, kFace);
  EXPECT_PIXEL(site, 1, 0, kFace);
  EXPECT_PIXEL(site, 0, 1, kFace);
  EXPECT_PIXEL(site, 2, 0, kXpBorder);
  EXPECT_PIXEL(site, 78, 0, kXpBorder);
  EXPECT_PIXEL(site, 79, 0, kFace);  // the line leaves its end point out
  EXPECT_PIXEL(site, 0, 2, kXpBorder);
  EXPECT_PIXEL(site, 0, 22, kXpBorder);
  EXPECT_PIXEL(site, 0, 23, kFace);
  EXPECT_PIXEL(site, 80, 12, kXpBorder);
  EXPECT_PIXEL(site, 40, 24, kXpBorder);
  EXPECT_PIXEL(site, 1, 1, kXpCorner);
  EXPECT_PIXEL(site, 79, 1, kXpCorner);
  EXPECT_PIXEL(site, 1, 23, kXpCorner);
  EXPECT_PIXEL(site, 79, 23, kXpCorner);
}

TEST_F(ExitButton, CaptionCentredOnOneLine) {
  // Two wide glyphs of the test font: cells x 28..39 and 40..51, line top 6.
  EXPECT_PIXEL(site, 29, 8, 0u);
  EXPECT_PIXEL(site, 50, 15, 0u);
  EXPECT_NE(site.image.At(27, 10), 0u);
  EXPECT_NE(site.image.At(29, 7), 0u);
  EXPECT_NE(site.image.At(29, 16), 0u);
}

TEST_F(ExitButton, HoverFrameInRectColor) {
  const Rgb hover = MakeRgb(0xFA, 0xC3, 0x58);  // rectcolor 0x58C3FA
  button.HandleMouseMove(0, 0, 10, 10);
  ASSERT_TRUE(button.Hovering());
  EXPECT_PIXEL(site, 2, 1, hover);   // frame rect (2, 1, W - 2, H - 1)
  EXPECT_PIXEL(site, 78, 23, hover);
  EXPECT_PIXEL(site, 1, 2, hover);   // line (1, 2)-(1, H - 2)
  EXPECT_PIXEL(site, 1, 22, hover);
  EXPECT_PIXEL(site, 10, 2, hover);  // line (3, 2)-(W - 3, 2)
  EXPECT_PIXEL(site, 79, 12, hover);
  EXPECT_PIXEL(site, 10, 22, hover);
  EXPECT_PIXEL(site, 1, 1, kXpCorner);
  button.Setrectcolor(0x0000FF);
  button.HandlePaint();
  EXPECT_PIXEL(site, 1, 12, MakeRgb(255, 0, 0));
  // XpType 2 has its own orange hover frame.
  button.SetXpType(2);
  EXPECT_PIXEL(site, 1, 12, MakeRgb(228, 144, 80));
}

TEST_F(ExitButton, FocusShowsTheBlueInnerFrameOnlyWithShowFocusRect) {
  const Rgb before = site.image.At(1, 12);
  site.hasFocus = true;
  button.HandleGotFocus();
  EXPECT_PIXEL(site, 1, 12, MakeRgb(140, 174, 231));
  EXPECT_PIXEL(site, 40, 23, MakeRgb(107, 130, 239));
  EXPECT_PIXEL(site, 40, 1, MakeRgb(206, 231, 255));
  // The dotted focus rectangle inverts some of row 2's pixels.
  int inverted = 0;
  for (int x = 2; x < 79; ++x) inverted += site.image.At(x, 2) != MakeRgb(189, 215, 247);
  EXPECT_GT(inverted, 20);

  button.SetShowFocusRect(false);
  EXPECT_TRUE(button.FocusFlag());
  EXPECT_PIXEL(site, 1, 12, before);
  for (int x = 1; x < 80; ++x) EXPECT_PIXEL(site, x, 2, MakeRgb(255, 255, 255));
  EXPECT_PIXEL(site, 5, 21, MakeRgb(207, 206, 221));

  // Shown as the host's default button, the frame appears without focus.
  button.SetShowFocusRect(true);
  button.HandleLostFocus();
  EXPECT_PIXEL(site, 1, 12, before);
  site.displayAsDefault = true;
  button.HandlePaint();
  EXPECT_PIXEL(site, 1, 12, MakeRgb(140, 174, 231));
}

TEST_F(ExitButton, PressedFadesDownwardAndUnpressedRestores) {
  const Rgb normal = site.image.At(5, 12);
  button.HandleMouseDown(kMouseLeft, 0, 5, 5);
  EXPECT_PIXEL(site, 5, 1, MakeRgb(175, 174, 191));
  EXPECT_PIXEL(site, 5, 2, MakeRgb(179, 178, 195));
  EXPECT_PIXEL(site, 0, 12, kXpBorder);
  button.HandleMouseUp(kMouseLeft, 0, 5, 5);
  EXPECT_PIXEL(site, 5, 12, normal);
}

TEST_F(ExitButton, DisabledLook) {
  button.SetEnabled(false);
  EXPECT_PIXEL(site, 5, 12, MakeRgb(244, 244, 234));
  EXPECT_PIXEL(site, 0, 12, MakeRgb(201, 199, 186));
  EXPECT_PIXEL(site, 1, 1, MakeRgb(201, 199, 186));
  EXPECT_PIXEL(site, 29, 8, MakeRgb(161, 162, 146));
}

TEST_F(ExitButton, SkipRuleRepaintsOnlyOnChange) {
  const int64_t start = button.PaintCount();
  button.Paint(kStateNormal, false);
  EXPECT_EQ(button.PaintCount(), start);
  button.Paint(kStateNormal, true);
  EXPECT_EQ(button.PaintCount(), start + 1);
  button.Paint(kStatePressed, false);
  EXPECT_EQ(button.PaintCount(), start + 2);
  button.SetCaption("退出");  // forced by the setter
  EXPECT_EQ(button.PaintCount(), start + 3);
}

TEST_F(ExitButton, OutOfSightNothingIsDrawnUntilTheHostPaintsIt) {
  auto pixels = [](FakeCommandSite& s) {
    return std::vector<uint32_t>(s.image.Data(), s.image.Data() + 81 * 25);
  };
  FakeCommandSite shownSite{81, 25};
  Command shown{shownSite, shownSite};
  ConfigureMainWindowButton(shown, MainWindowButton::CommandExit);
  shown.SetCaption("隐藏");
  shown.HandleResize();

  site.inSight = false;
  site.Resize(81, 25);  // cleared to white
  const std::vector<uint32_t> blank = pixels(site);
  const int64_t paints = button.PaintCount();
  const int changes = site.imageChanges, shapes = site.shapeCount;
  button.HandleResize();
  button.SetCaption("隐藏");
  EXPECT_EQ(pixels(site), blank);
  EXPECT_EQ(button.PaintCount(), paints);
  EXPECT_EQ(site.imageChanges, changes);
  EXPECT_EQ(site.shapeCount, shapes + 1) << "the shape is the window's, set at once";

  // The host's paint when it shows draws the current face.
  site.inSight = true;
  button.HandlePaint();
  EXPECT_EQ(pixels(site), pixels(shownSite));
  EXPECT_EQ(site.imageChanges, changes + 1);
}

TEST_F(ExitButton, StateOneAndUnknownTypesPaintOnlyTheFace) {
  button.Paint(1, true);
  EXPECT_PIXEL(site, 0, 12, kFace);
  EXPECT_PIXEL(site, 40, 12, kFace);
  button.SetButtonType(7);
  EXPECT_PIXEL(site, 0, 12, kFace);
  EXPECT_PIXEL(site, 29, 8, kFace);
}

TEST(CommandPaint, CollapsedButtonPaintsNothing) {
  FakeCommandSite site(81, 0);
  Command button(site, site);
  button.InitProperties();
  button.HandleResize();
  button.HandleMouseDown(kMouseLeft, 0, 1, 1);
  EXPECT_EQ(button.PaintCount(), 0);
}

TEST(CommandPaint, TinyButtonsOfEveryTypeAndStateDoNotFault) {
  for (int w : {0, 1, 3, 6, 10}) {
    for (int h : {1, 2, 4, 5, 9, 10}) {
      for (int type = 1; type <= 5; ++type) {
        FakeCommandSite site(w, h);
        Command button(site, site);
        button.InitProperties();
        button.SetCaption("A rather long caption");
        button.SetButtonType(type);
        button.HandleMouseMove(0, 0, 0, 0);
        button.HandleMouseDown(kMouseLeft, 0, 0, 0);
        button.SetEnabled(false);
        EXPECT_EQ(button.PaintCount() > 0, h > 0);
      }
    }
  }
}

TEST(CommandPaint, WrappedCaptionSetsTheTopsThatLaterCaptionsKeep) {
  FakeCommandSite site(40, 40);
  site.displayName = "OK";
  Command button(site, site);
  button.InitProperties();
  button.SetButtonType(5);
  button.HandleResize();
  EXPECT_EQ(button.Tops().top, 0);
  // 10 narrow glyphs = 60 pixels in 40: two lines of 12, t = (40 - 24) / 2.
  button.SetCaption("ABCDE FGHI");
  EXPECT_EQ(button.Tops().top, 8);
  EXPECT_EQ(button.Tops().pressedTop, 2);
  button.HandleMouseDown(kMouseLeft, 0, 1, 1);
  EXPECT_EQ(button.Tops().pressedTop, 10);
  button.HandleMouseUp(kMouseLeft, 0, 1, 1);

  // A short caption is centred in (0, 8, 40, 40): its line starts at 8 + 10.
  button.SetCaption("AB");
  const Rgb fill = site.image.At(3, 3);
  int firstInk = -1;
  for (int y = 1; y < 40 && firstInk < 0; ++y) {
    if (site.image.At(15, y) != fill) firstInk = y;
  }
  EXPECT_EQ(firstInk, 18 + 2);
  EXPECT_EQ(button.Tops().top, 8);
}

}  // namespace
}  // namespace tarvex
