// Painting of types 2 to 5 on the raster: the bevel, the shaded gradient with
// its sheen rows and read-back, the banded gradient, the flat style, and the
// divisor-zero bands that must be skipped.
#include <gtest/gtest.h>

#include "button/command.h"
#include "button/main_window_buttons.h"
#include "support/fake_command_site.h"

namespace tarvex {
namespace {

class Look : public ::testing::Test {
 protected:
  FakeCommandSite site{81, 25};
  Command button{site, site};
  void Make(int type, int width = 81, int height = 25) {
    site.Resize(width, height);
    button.InitProperties();
    button.SetCaption("");
    button.SetButtonType(type);
  }
};

TEST_F(Look, Type2BevelFromTheClassicSchemeColours) {
  Make(2);
  const Rgb dark = MakeRgb(64, 64, 64), high = MakeRgb(255, 255, 255);
  const Rgb shadow = MakeRgb(128, 128, 128), face = MakeRgb(212, 208, 200);
  EXPECT_PIXEL(site, 0, 10, dark);
  EXPECT_PIXEL(site, 1, 1, dark);
  EXPECT_PIXEL(site, 2, 10, high);
  EXPECT_PIXEL(site, 40, 2, high);
  EXPECT_PIXEL(site, 78, 10, face);  // (W - 3, 1)-(W - 3, H - 3)
  EXPECT_PIXEL(site, 79, 10, shadow);
  EXPECT_PIXEL(site, 40, 23, shadow);
  EXPECT_PIXEL(site, 77, 21, face);  // (W - 4, H - 4)
  EXPECT_PIXEL(site, 78, 22, shadow);
  EXPECT_PIXEL(site, 3, 3, high);
  // Hover: type 1's frame in rectcolor whatever XpType is.
  button.SetXpType(2);
  button.HandleMouseMove(0, 0, 5, 5);
  EXPECT_PIXEL(site, 1, 12, MakeRgb(0xFA, 0xC3, 0x58));
}

TEST_F(Look, Type2FocusFrameHasAFullWidthThirdLineAndNoDots) {
  Make(2);
  button.HandleGotFocus();
  EXPECT_PIXEL(site, 1, 2, MakeRgb(189, 215, 247));
  EXPECT_PIXEL(site, 79, 2, MakeRgb(189, 215, 247));
  for (int x = 2; x < 79; ++x) EXPECT_PIXEL(site, x, 2, MakeRgb(189, 215, 247));
}

TEST_F(Look, Type2PressedAndDisabled) {
  Make(2);
  button.HandleMouseDown(kMouseLeft, 0, 5, 5);
  EXPECT_PIXEL(site, 40, 12, MakeRgb(112, 112, 112));  // shadow - 16
  EXPECT_PIXEL(site, 1, 12, MakeRgb(64, 64, 64));      // shadow - 64 frame
  EXPECT_PIXEL(site, 2, 12, MakeRgb(96, 96, 96));      // shadow - 32 frame
  EXPECT_PIXEL(site, 78, 12, MakeRgb(128, 128, 128));
  button.HandleMouseUp(kMouseLeft, 0, 5, 5);
  button.SetEnabled(false);
  EXPECT_PIXEL(site, 40, 12, MakeRgb(212, 208, 200));  // the light colour
  EXPECT_PIXEL(site, 0, 12, MakeRgb(64, 64, 64));
}

TEST_F(Look, Type3ShadedGradientSheenAndReadBack) {
  Make(3);
  // s = 16% of 25 = 4: upper rows 4..1 from MidColor, sheen over rows 1 and 2.
  const Rgb mid = 0x73C874;  // RGB(116, 200, 115)
  EXPECT_PIXEL(site, 40, 4, mid);
  EXPECT_PIXEL(site, 40, 5, mid);  // the two rows of T under s
  EXPECT_PIXEL(site, 40, 6, mid);
  EXPECT_PIXEL(site, 2, 1, MakeRgb(255, 255, 255));
  EXPECT_PIXEL(site, 12, 1, MakeRgb(250, 254, 250));  // (255 - E) * 10 / (W - 10)
  EXPECT_PIXEL(site, 12, 2, MakeRgb(239, 252, 239));  // q = 25
  // Lower gradient from row 7 in steps of (E - T) / 17; row 15 is 8 steps down.
  const Rgb k = MakeRgb(163, 222, 162);
  EXPECT_PIXEL(site, 40, 15, k);
  EXPECT_PIXEL(site, 40, 16, k);  // rows H - 9 and H - 8 repeat (2, H - 10)
  EXPECT_PIXEL(site, 40, 17, k);
  EXPECT_PIXEL(site, 40, 22, k);
  EXPECT_PIXEL(site, 40, 23, k);
  EXPECT_PIXEL(site, 40, 9, mid);   // round(s + 5)
  EXPECT_PIXEL(site, 0, 12, MakeRgb(183, 183, 183));
  EXPECT_PIXEL(site, 1, 1, MakeRgb(183, 183, 183));
}

TEST_F(Look, Type3OtherSchemesFrameAndPressFlat) {
  Make(3);
  button.SetColorScheme(2);
  EXPECT_PIXEL(site, 0, 12, MakeRgb(1, 109, 1));
  button.HandleMouseDown(kMouseLeft, 0, 5, 5);
  EXPECT_PIXEL(site, 40, 12, 0x85D084u);  // MouseDownMidColor, flat
  EXPECT_PIXEL(site, 40, 20, 0x85D084u);
  EXPECT_PIXEL(site, 0, 12, MakeRgb(84, 157, 84));
  button.SetColorScheme(1);
  EXPECT_PIXEL(site, 0, 12, MakeRgb(203, 130, 62));
  EXPECT_NE(site.image.At(40, 20), 0x85D084u);  // a gradient again
}

TEST_F(Look, Type3HoverPaintsOverTheNormalLook) {
  Make(3);
  button.HandleMouseMove(0, 0, 5, 5);
  EXPECT_PIXEL(site, 40, 4, 0x33A335u);  // MouseMoveMidColor
  EXPECT_PIXEL(site, 0, 12, MakeRgb(82, 134, 182));
}

TEST_F(Look, Type3DisabledAndCornerCut) {
  Make(3);
  EXPECT_EQ(site.shape.cuts.size(), 8u);
  button.SetEnabled(false);
  EXPECT_PIXEL(site, 40, 12, MakeRgb(241, 242, 237));
  EXPECT_PIXEL(site, 0, 12, MakeRgb(204, 204, 202));
}

TEST_F(Look, Type3ZeroDivisorsSkipTheirBands) {
  // s = 4% of 25 = 1: the upper gradient is skipped, the lower one drawn.
  Make(3);
  button.SetPercent(4);
  EXPECT_PIXEL(site, 40, 2 + 2, 0x73C874u);
  EXPECT_PIXEL(site, 0, 12, MakeRgb(183, 183, 183));
  // H - s - 4 = 0 at 84%: the lower gradient is skipped.
  button.SetPercent(84);
  EXPECT_PIXEL(site, 40, 21, 0x73C874u);  // upper gradient starts at round(s) = 21
  // W = 10 (row-1 sheen) and W = 6 (q = 0): those sheens are skipped.
  Make(3, 10, 25);
  EXPECT_PIXEL(site, 0, 12, MakeRgb(183, 183, 183));
  Make(3, 6, 25);
  EXPECT_PIXEL(site, 0, 12, MakeRgb(183, 183, 183));
}

TEST_F(Look, Type4BandedBlueGradient) {
  Make(4);
  // s = 53% of 25 = 13.25: upper rows 13..3 from M + 10, solid M rows 14..20.
  EXPECT_PIXEL(site, 40, 13, MakeRgb(134, 181, 255));
  EXPECT_PIXEL(site, 40, 15, MakeRgb(124, 171, 255));
  EXPECT_PIXEL(site, 40, 19, MakeRgb(124, 171, 255));
  EXPECT_PIXEL(site, 40, 20, MakeRgb(129, 176, 255));  // lower band from M + 5
  EXPECT_PIXEL(site, 1, 10, MakeRgb(211, 229, 255));
  EXPECT_PIXEL(site, 2, 10, MakeRgb(201, 216, 255));
  EXPECT_PIXEL(site, 40, 22, MakeRgb(207, 234, 255));
  EXPECT_PIXEL(site, 0, 10, MakeRgb(81, 107, 148));
  EXPECT_EQ(site.shape.cuts.size(), 8u);
  button.SetEnabled(false);
  EXPECT_PIXEL(site, 40, 15, MakeRgb(198, 218, 255));
  EXPECT_PIXEL(site, 0, 10, MakeRgb(128, 140, 162));
  button.SetEnabled(true);
  button.HandleMouseDown(kMouseLeft, 0, 5, 5);
  EXPECT_PIXEL(site, 40, 15, MakeRgb(100, 153, 255));
}

TEST_F(Look, Type4ZeroDivisorSkipsTheLowerBand) {
  Make(4);
  button.SetPercent(84);  // H - s - 4 = 0
  EXPECT_PIXEL(site, 0, 10, MakeRgb(81, 107, 148));
  button.SetPercent(0);
  EXPECT_PIXEL(site, 0, 10, MakeRgb(81, 107, 148));
}

TEST_F(Look, Type5FlatStatesOfTheHistoryButtons) {
  site.Resize(81, 25);
  ConfigureMainWindowButton(button, MainWindowButton::CommandSaveRecords);
  button.HandleResize();
  EXPECT_TRUE(site.shape.cuts.empty());
  EXPECT_PIXEL(site, 0, 0, MakeRgb(192, 192, 192));
  EXPECT_PIXEL(site, 3, 3, MakeRgb(224, 224, 224));
  button.HandleMouseMove(0, 0, 5, 5);
  EXPECT_PIXEL(site, 0, 0, MakeRgb(127, 128, 1));
  EXPECT_PIXEL(site, 3, 3, MakeRgb(220, 220, 186));
  button.HandleMouseDown(kMouseLeft, 0, 5, 5);
  EXPECT_PIXEL(site, 3, 3, MakeRgb(190, 190, 126));
  button.SetColorScheme(3);  // scheme 3's own flat colours, its own darkening
  EXPECT_PIXEL(site, 3, 3, MakeRgb(153, 180, 223));
  button.HandleMouseUp(kMouseLeft, 0, 5, 5);
  button.SetEnabled(false);
  EXPECT_PIXEL(site, 0, 0, MakeRgb(172, 169, 154));
  button.SetColorScheme(1);
  EXPECT_PIXEL(site, 0, 0, MakeRgb(188, 188, 64));
  EXPECT_PIXEL(site, 3, 3, MakeRgb(238, 239, 208));
}

}  // namespace
}  // namespace tarvex
