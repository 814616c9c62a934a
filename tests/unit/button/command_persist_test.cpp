// The button's property bag: write order and defaults, read order, stored
// colours winning over the scheme step, and the main window's four buttons.
#include <gtest/gtest.h>

#include "button/command.h"
#include "button/main_window_buttons.h"
#include "support/fake_command_site.h"

namespace tarvex {
namespace {

const std::vector<std::string> kWriteOrder = {
    "BackColor", "ForeColor", "Enabled", "Font", "hWnd", "ButtonType", "XpType", "Caption",
    "ColorScheme", "ShowFocusRect", "rectcolor", "Percent", "MidColor", "EndColor",
    "MouseMoveMidColor", "MouseMoveEndColor", "MouseDownMidColor", "MouseDownEndColor",
    "OfficeXpFillColor", "OfficeXpFrameColor", "OfficeXpMousemoveFillColor",
    "OfficeXpMousemoveFrameColor"};

const std::vector<std::string> kReadOrder = {
    "BackColor", "ForeColor", "Enabled", "Font", "hWnd", "ButtonType", "XpType", "Caption",
    "ColorScheme", "ShowFocusRect", "rectcolor", "Percent", "MidColor", "EndColor",
    "MouseMoveEndColor", "MouseMoveMidColor", "MouseDownEndColor", "MouseDownMidColor",
    "OfficeXpFillColor", "OfficeXpFrameColor", "OfficeXpMousemoveFillColor",
    "OfficeXpMousemoveFrameColor"};

TEST(CommandPersist, DefaultButtonStoresNothing) {
  FakeCommandSite site;
  site.displayName = "Command";
  Command button(site, site);
  button.InitProperties();
  PropertyBag bag;
  button.WriteProperties(bag);
  EXPECT_EQ(bag.Size(), 0u) << bag.ToText();
}

TEST(CommandPersist, EveryChangedPropertyIsWrittenInOrderAndReadBack) {
  FakeCommandSite site;
  Command button(site, site);
  PropertyBag bag;
  bag.Put("hWnd", int64_t{77});  // the stored handle only travels through
  button.ReadProperties(bag);
  button.SetBackColor(0x010203);
  button.SetForeColor(0x040506);
  button.SetEnabled(false);
  button.SetFont(FontDesc{"SimSun", 9, true});
  button.SetButtonType(3);
  button.SetXpType(2);
  button.SetCaption("保存&&退出");
  button.SetColorScheme(2);
  button.SetShowFocusRect(false);
  button.Setrectcolor(0x0A0B0C);
  button.SetPercent(71);
  button.SetMidColor(11);
  button.SetEndColor(12);
  button.SetMouseMoveMidColor(13);
  button.SetMouseMoveEndColor(14);
  button.SetMouseDownMidColor(15);
  button.SetMouseDownEndColor(16);
  button.SetOfficeXpFillColor(17);
  button.SetOfficeXpFrameColor(18);
  button.SetOfficeXpMousemoveFillColor(19);
  button.SetOfficeXpMousemoveFrameColor(SystemColor(15));

  PropertyBag written;
  button.WriteProperties(written);
  EXPECT_EQ(written.Keys(), kWriteOrder);

  FakeCommandSite site2;
  Command copy(site2, site2);
  copy.ReadProperties(written);
  EXPECT_EQ(written.ReadLog(), kReadOrder);
  const CommandProperties& a = button.Properties();
  const CommandProperties& b = copy.Properties();
  EXPECT_EQ(b.Caption, a.Caption);
  EXPECT_EQ(b.Font, a.Font);
  EXPECT_EQ(b.BackColor, a.BackColor);
  EXPECT_EQ(b.ForeColor, a.ForeColor);
  EXPECT_EQ(b.Enabled, false);
  EXPECT_EQ(b.storedHwnd, 77);
  EXPECT_EQ(b.ButtonType, 3);
  EXPECT_EQ(b.XpType, 2);
  EXPECT_EQ(b.ColorScheme, 2);
  EXPECT_FALSE(b.ShowFocusRect);
  EXPECT_EQ(b.rectcolor, 0x0A0B0Cu);
  EXPECT_EQ(b.Percent, 71);
  EXPECT_EQ(b.gradient, a.gradient);
  EXPECT_EQ(b.flat, a.flat);
  EXPECT_EQ(b.flat.OfficeXpMousemoveFrameColor, SystemColor(15));
  // Reading applies the enabled state and derives the access key.
  EXPECT_FALSE(site2.controlEnabled);
  EXPECT_EQ(site2.accessKeys, "");
  EXPECT_EQ(copy.Scheme().face, 0x010203u);
}

TEST(CommandPersist, StoredColoursWinOverTheSchemeStep) {
  PropertyBag bag;
  bag.Put("ButtonType", int64_t{4});
  bag.Put("MidColor", int64_t{0x123456});
  bag.Put("ColorScheme", int64_t{3});
  bag.Put("OfficeXpFillColor", int64_t{0x654321});
  FakeCommandSite site;
  Command button(site, site);
  button.ReadProperties(bag);
  EXPECT_EQ(button.MidColor(), 0x123456u);           // not the grey set's
  EXPECT_EQ(button.OfficeXpFillColor(), 0x654321u);  // not scheme 3's
  EXPECT_EQ(button.Scheme().face, 0xC0C0C0u);
}

TEST(CommandPersist, StoredPercentOutsideRangeFallsBackToDefault) {
  PropertyBag bag;
  bag.Put("Percent", int64_t{250});
  FakeCommandSite site;
  Command button(site, site);
  button.ReadProperties(bag);
  EXPECT_EQ(button.Percent(), 16);
}

TEST(CommandPersist, ReadingEndsWithANormalPaint) {
  FakeCommandSite site(81, 25);
  Command button(site, site);
  button.InitProperties();
  button.HandleResize();
  button.HandleMouseDown(kMouseLeft, 0, 3, 3);
  ASSERT_EQ(button.VisualState(), kStatePressed);
  const int64_t before = button.PaintCount();
  button.ReadProperties(PropertyBag{});
  EXPECT_EQ(button.VisualState(), kStateNormal);
  EXPECT_EQ(button.PaintCount(), before + 1);
}

TEST(MainWindowButtons, StoredValuesOfTheFourButtons) {
  FakeCommandSite site(81, 25);
  Command exitButton(site, site);
  ConfigureMainWindowButton(exitButton, MainWindowButton::CommandExit);
  EXPECT_EQ(exitButton.Caption(), "退出");
  EXPECT_EQ(exitButton.ButtonType(), 1);
  EXPECT_EQ(exitButton.Percent(), 16);
  EXPECT_EQ(exitButton.Properties().gradient, kDefaultGradient);

  Command mini(site, site);
  ConfigureMainWindowButton(mini, MainWindowButton::CommandMini);
  EXPECT_EQ(mini.Caption(), "隐藏");

  for (auto which : {MainWindowButton::CommandSaveRecords, MainWindowButton::CommandClearRecords}) {
    Command b(site, site);
    ConfigureMainWindowButton(b, which);
    EXPECT_EQ(b.ButtonType(), 5);
    EXPECT_EQ(b.Percent(), 53);
    EXPECT_EQ(b.Properties().gradient,
              (GradientColors{0xFFAB7C, 0xFFD3BF, 0xFFCB9D, 0xFFE7D1, 0xFF9964, 0xFFD3BF}));
    EXPECT_EQ(b.OfficeXpFillColor(), 0xE0E0E0u);
    EXPECT_EQ(b.OfficeXpFrameColor(), 0xC0C0C0u);
    EXPECT_EQ(b.OfficeXpMousemoveFillColor(), kDefaultFlat.OfficeXpMousemoveFillColor);
    // Written back, the form stores exactly what it was loaded from.
    PropertyBag written;
    b.WriteProperties(written);
    EXPECT_EQ(written, MainWindowButtonBag(which));
  }
  Command save(site, site);
  ConfigureMainWindowButton(save, MainWindowButton::CommandSaveRecords);
  EXPECT_EQ(save.Caption(), "保存记录");
  ConfigureMainWindowButton(save, MainWindowButton::CommandClearRecords);
  EXPECT_EQ(save.Caption(), "清除记录");
  EXPECT_EQ(MainWindowButtonName(MainWindowButton::CommandClearRecords), "CommandClearRecords");
}

}  // namespace
}  // namespace tarvex
