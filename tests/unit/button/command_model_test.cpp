// The button's properties: access keys, setters and their errors, the scheme
// step with its colour sets, and the colour arithmetic.
#include <gtest/gtest.h>

#include "button/command.h"
#include "common/control_error.h"
#include "support/fake_command_site.h"

namespace tarvex {
namespace {

TEST(CommandAccessKey, FirstSingleAmpersandMarksTheKey) {
  EXPECT_EQ(CommandAccessKey("Save && &Exit"), "e");
  EXPECT_EQ(CommandAccessKey("&Quit"), "q");
  EXPECT_EQ(CommandAccessKey("a&B"), "b");
  EXPECT_EQ(CommandAccessKey("退出(&X)"), "x");
  EXPECT_EQ(CommandAccessKey("&退出"), "退");  // a whole character, not one byte
}

TEST(CommandAccessKey, NoKeyForDoubledTrailingOrShortCaptions) {
  EXPECT_EQ(CommandAccessKey("&&"), std::nullopt);
  EXPECT_EQ(CommandAccessKey("A&&B"), std::nullopt);
  EXPECT_EQ(CommandAccessKey("&"), std::nullopt);
  EXPECT_EQ(CommandAccessKey("x"), std::nullopt);
  EXPECT_EQ(CommandAccessKey("退"), std::nullopt);  // one character of three bytes
  EXPECT_EQ(CommandAccessKey("Exit&"), std::nullopt);
  EXPECT_EQ(CommandAccessKey("No key"), std::nullopt);
  EXPECT_EQ(CommandAccessKey(""), std::nullopt);
}

TEST(CommandColors, ShiftsClampAndTruncateTowardZero) {
  EXPECT_EQ(ShiftColor(MakeRgb(10, 250, 128), 10), MakeRgb(20, 255, 138));
  EXPECT_EQ(ShiftColor(MakeRgb(10, 250, 128), -64), MakeRgb(0, 186, 64));
  // 97 * -48 / 192 = -24.25: truncated to -24, not floored to -25.
  EXPECT_EQ(ProportionalShift(MakeRgb(10, 20, 97), -48), MakeRgb(0, 0, 73));
  EXPECT_EQ(ProportionalShift(MakeRgb(200, 20, 200), 48), MakeRgb(248, 68, 250));
  EXPECT_EQ(ProportionalShift(MakeRgb(0, 0, 250), 48), MakeRgb(48, 48, 255));
  EXPECT_EQ(DarkenToLimit(MakeRgb(255, 10, 100), 0, -20, 0, MakeRgb(250, 250, 250)),
            MakeRgb(250, 0, 100));
}

TEST(CommandScheme, DerivedColoursPerScheme) {
  ClassicSystemColors system;
  const SchemeColors s1 = DeriveSchemeColors(1, 0, 0x00FF00, system);
  EXPECT_EQ(s1.face, MakeRgb(212, 208, 200));
  EXPECT_EQ(s1.shadow, MakeRgb(128, 128, 128));
  EXPECT_EQ(s1.highlight, MakeRgb(255, 255, 255));
  EXPECT_EQ(s1.darkShadow, MakeRgb(64, 64, 64));
  EXPECT_EQ(s1.text, 0x00FF00u);
  EXPECT_EQ(DeriveSchemeColors(7, 0, 0x00FF00, system), s1);  // unknown schemes act as 1

  const SchemeColors s2 = DeriveSchemeColors(2, MakeRgb(100, 150, 200), SystemColor(18), system);
  EXPECT_EQ(s2.face, MakeRgb(100, 150, 200));
  EXPECT_EQ(s2.shadow, MakeRgb(36, 86, 136));
  EXPECT_EQ(s2.light, MakeRgb(131, 181, 231));
  EXPECT_EQ(s2.highlight, MakeRgb(147, 197, 247));
  EXPECT_EQ(s2.darkShadow, MakeRgb(0, 0, 8));
  EXPECT_EQ(s2.text, 0u);  // COLOR_BTNTEXT of the classic scheme

  const SchemeColors s3 = DeriveSchemeColors(3, MakeRgb(1, 2, 3), 0xFFFFFF, system);
  EXPECT_EQ(s3, (SchemeColors{0xC0C0C0, 0xDFDFDF, 0xFFFFFF, 0x808080, 0, 0}));
}

class CommandModel : public ::testing::Test {
 protected:
  FakeCommandSite site{81, 25};
  Command button{site, site};
  void SetUp() override {
    button.InitProperties();
    button.HandleResize();
    site.ClearLog();
  }
};

TEST_F(CommandModel, NewButtonDefaults) {
  const CommandProperties& p = button.Properties();
  EXPECT_EQ(p.Caption, "Command1");
  EXPECT_EQ(p.BackColor, MakeRgb(212, 208, 200));
  EXPECT_EQ(p.ForeColor, 0u);
  EXPECT_EQ(p.ButtonType, 1);
  EXPECT_EQ(p.ColorScheme, 1);
  EXPECT_EQ(p.XpType, 1);
  EXPECT_EQ(p.Percent, 16);
  EXPECT_TRUE(p.ShowFocusRect);
  EXPECT_EQ(p.rectcolor, 0x58C3FAu);
  EXPECT_EQ(p.gradient, kDefaultGradient);
  EXPECT_EQ(p.flat, kDefaultFlat);
  EXPECT_EQ(button.VisualState(), kStateNormal);
}

TEST_F(CommandModel, PercentOutsideRangeRaises380AndKeepsValue) {
  button.SetPercent(0);
  button.SetPercent(100);
  EXPECT_EQ(button.Percent(), 100);
  const int64_t paints = button.PaintCount();
  site.ClearLog();
  for (int bad : {101, -1, 32767}) {
    try {
      button.SetPercent(bad);
      ADD_FAILURE() << "no error for " << bad;
    } catch (const ControlError& e) {
      EXPECT_EQ(e.Number(), 380);
      EXPECT_EQ(e.Source(), "Command.Percent");
    }
  }
  EXPECT_EQ(button.Percent(), 100);
  EXPECT_EQ(button.PaintCount(), paints);
  EXPECT_TRUE(site.changedProperties.empty());
}

TEST_F(CommandModel, SettinghWndRaises382AtRunTimeAnd387InDesign) {
  site.windowHandle = 0x1234;
  EXPECT_EQ(button.hWnd(), 0x1234);
  auto numberOf = [&] {
    try {
      button.SethWnd(5);
    } catch (const ControlError& e) {
      return e.Number();
    }
    return 0;
  };
  EXPECT_EQ(numberOf(), 382);
  site.userMode = false;
  EXPECT_EQ(numberOf(), 387);
  EXPECT_TRUE(site.changedProperties.empty());
}

TEST_F(CommandModel, ButtonType4LoadsTheBlueSetEveryTime) {
  button.SetButtonType(4);
  EXPECT_EQ(button.Properties().gradient, kBlueGradient);
  EXPECT_EQ(button.Percent(), 53);
  button.SetMidColor(0x123456);
  button.SetPercent(20);
  button.SetButtonType(4);
  EXPECT_EQ(button.Properties().gradient, kBlueGradient);
  EXPECT_EQ(button.Percent(), 53);
}

TEST_F(CommandModel, SchemeStepOnType4Scheme1LoadsTheGreySet) {
  button.SetButtonType(4);
  button.SetColorScheme(1);
  EXPECT_EQ(button.Properties().gradient, kGreyGradient);
  button.SetButtonType(4);
  button.SetBackColor(0x00FF00);
  EXPECT_EQ(button.Properties().gradient, kGreyGradient);
  button.SetButtonType(4);
  button.SetForeColor(0x00FF00);
  EXPECT_EQ(button.Properties().gradient, kGreyGradient);
  // Scheme 2 keeps whatever gradient colours there are.
  button.SetButtonType(4);
  button.SetColorScheme(2);
  EXPECT_EQ(button.Properties().gradient, kBlueGradient);
}

TEST_F(CommandModel, Scheme3OverwritesTheFlatColours) {
  button.SetOfficeXpFillColor(0x111111);
  button.SetColorScheme(3);
  EXPECT_EQ(button.Properties().flat, kScheme3Flat);
  EXPECT_EQ(button.Scheme().face, 0xC0C0C0u);
  button.SetOfficeXpFillColor(0x111111);  // a later setter still wins
  EXPECT_EQ(button.OfficeXpFillColor(), 0x111111u);
}

TEST_F(CommandModel, SettersMarkTheirPropertyAndRepaint) {
  const int64_t before = button.PaintCount();
  button.SetBackColor(1);
  button.SetForeColor(2);
  button.SetCaption("&Go");
  button.SetColorScheme(2);
  button.SetXpType(3);
  button.SetShowFocusRect(false);
  button.SetPercent(40);
  button.SetMidColor(3);
  button.SetEndColor(4);
  button.SetMouseMoveMidColor(5);
  button.SetMouseMoveEndColor(6);
  button.SetMouseDownMidColor(7);
  button.SetMouseDownEndColor(8);
  button.SetOfficeXpFillColor(9);
  button.SetOfficeXpFrameColor(10);
  button.SetOfficeXpMousemoveFillColor(11);
  button.SetOfficeXpMousemoveFrameColor(12);
  button.SetFont(FontDesc{"SimSun", 9, true});
  button.SetEnabled(false);
  button.SetButtonType(3);
  EXPECT_EQ(button.PaintCount() - before, 20);
  const std::vector<std::string> expected = {
      "BackColor", "ForeColor", "Caption", "ColorScheme", "XpType", "ShowFocusRect", "Percent",
      "MidColor", "EndColor", "MouseMoveMidColor", "MouseMoveEndColor", "MouseDownMidColor",
      "MouseDownEndColor", "OfficeXpFillColor", "OfficeXpFrameColor",
      "OfficeXpMousemoveFillColor", "OfficeXpMousemoveFrameColor", "Font", "Enabled",
      "ButtonType"};
  EXPECT_EQ(site.changedProperties, expected);
  EXPECT_EQ(site.accessKeys, "g");
  EXPECT_FALSE(site.controlEnabled);
  EXPECT_EQ(button.MouseDownEndColor(), 8u);
}

TEST_F(CommandModel, RectColorIsStoredWithoutRepaint) {
  const int64_t before = button.PaintCount();
  button.Setrectcolor(0x0000FF);
  EXPECT_EQ(button.rectcolor(), 0x0000FFu);
  EXPECT_EQ(button.PaintCount(), before);
  EXPECT_EQ(site.changedProperties, std::vector<std::string>{"rectcolor"});
}

TEST_F(CommandModel, EnabledAndButtonTypeRemakeTheRegion) {
  EXPECT_TRUE(site.shape.cuts.empty());
  const int before = site.shapeCount;
  button.SetButtonType(3);
  EXPECT_EQ(site.shape.cuts.size(), 8u);
  button.SetEnabled(false);
  EXPECT_EQ(site.shapeCount, before + 2);
}

TEST(CommandLifetime, EndingTheButtonDeletesItsRegionAndStopsTheTimer) {
  FakeCommandSite site(40, 20);
  {
    Command button(site, site);
    button.InitProperties();
    button.HandleResize();
    button.HandleMouseMove(0, 0, 5, 5);
    EXPECT_TRUE(site.TimerRunning(Command::kHoverTimerId));
    EXPECT_FALSE(site.shapeDeleted);
  }
  EXPECT_TRUE(site.shapeDeleted);
  EXPECT_FALSE(site.TimerRunning(Command::kHoverTimerId));
}

TEST(CommandShape, CornersCutForTypes3489Only) {
  for (int type : {1, 2, 5, 6, 0}) {
    EXPECT_TRUE(CommandWindowShape(type, 81, 25).cuts.empty()) << type;
  }
  for (int type : {3, 4, 8, 9}) {
    const WindowShape shape = CommandWindowShape(type, 81, 25);
    EXPECT_EQ(shape.size, (Size{81, 25}));
    const std::vector<Rect> expected = {{0, 0, 2, 1},   {0, 1, 1, 2},   {79, 0, 81, 1},
                                        {80, 1, 81, 2}, {0, 24, 2, 25}, {0, 23, 1, 24},
                                        {79, 24, 81, 25}, {80, 23, 81, 24}};
    EXPECT_EQ(shape.cuts, expected) << type;
  }
}

}  // namespace
}  // namespace tarvex
