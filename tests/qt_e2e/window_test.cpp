// The main window as a user meets it: one copy only, the page in front at
// start and page switching, hiding to the tray and coming back, and the exit
// question answered both ways (from the button and from the tray menu).
#include <gtest/gtest.h>


#include "app/main_window_layout.h"
#include "driver.h"

namespace tarvex::qte2e {
namespace {

TEST(Window, SecondCopyIsRefusedWithAMessageAndEnds) {
  TarvexApp first;
  ASSERT_TRUE(first.Start());
  TarvexApp second(first, 0);
  ASSERT_TRUE(second.Start(false));
  const unsigned long box = WaitDialog("Tarvex");
  ASSERT_NE(box, 0u) << "no message from the second copy";
  EXPECT_NE(WindowProperty(box, "_NET_WM_PID").find(std::to_string(second.Pid())), std::string::npos);
  KeysTo(box, "Return");
  EXPECT_EQ(second.WaitExit(), 0);
  // The first copy is untouched and still the only main window.
  EXPECT_TRUE(first.MainVisible());
  EXPECT_EQ(FindWindows("^Tarvex v").size(), 1u);
}

TEST(Window, AboutPageInFrontAtStartAndPagesSwitchByClickKeysAndWheel) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  EXPECT_EQ(app.ActivePage(), 3);
  EXPECT_EQ(WindowRect(app.Main()).size(), QSize(layout::kClient.width, layout::kClient.height));
  // A click on the first tab brings the status page.
  app.Click({layout::kTab.left + 30, layout::kTab.top + 12});
  EXPECT_TRUE(WaitFor([&] { return app.ActivePage() == 0; }));
  // Arrow keys move through the pages while the tab control has the focus.
  app.Keys("Right");
  EXPECT_TRUE(WaitFor([&] { return app.ActivePage() == 1; }));
  app.Keys("Right");
  EXPECT_TRUE(WaitFor([&] { return app.ActivePage() == 2; }));
  app.Keys("Left");
  EXPECT_TRUE(WaitFor([&] { return app.ActivePage() == 1; }));
  // The wheel over the tabs switches too, one page a notch.
  const Point tabs{layout::kTab.left + 400, layout::kTab.top + 12};
  app.Wheel(tabs, true);
  EXPECT_TRUE(WaitFor([&] { return app.ActivePage() == 2; }));
  app.Wheel(tabs, false);
  EXPECT_TRUE(WaitFor([&] { return app.ActivePage() == 1; }));
}

TEST(Window, HideGoesToTheTrayAndADoubleClickBringsItBack) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  unsigned long icon = 0;
  ASSERT_TRUE(WaitFor([&] { return (icon = app.TrayIcon()) != 0; })) << "no tray icon";
  app.Click({layout::kCommandMini.left + 20, layout::kCommandMini.top + 12});
  ASSERT_TRUE(WaitFor([&] { return !app.MainVisible(); })) << "the window did not hide";
  ClickWindow(icon, {6, 6}, 1, 2);
  ASSERT_TRUE(WaitFor([&] { return app.MainVisible(); })) << "the double click did not restore it";
  // Shown again, it rests: each control draws once, none keeps asking for the
  // next paint (a button once did, at full speed, until the program ended).
  const Millis start = app.CpuTime();
  EXPECT_FALSE(WaitFor([&] { return app.CpuTime() - start >= 300ms; }, 1s)) << "busy while nothing happens";
}

TEST(Window, ExitQuestionAnsweredNoKeepsYesEnds) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  const Point exitButton{layout::kCommandExit.left + 20, layout::kCommandExit.top + 12};
  app.Click(exitButton);
  unsigned long box = WaitDialog("请确认?");
  ASSERT_NE(box, 0u);
  KeysTo(box, "alt+n");
  EXPECT_TRUE(WaitFor([&] { return FindWindows("^请确认\\?$").empty(); }));
  EXPECT_FALSE(app.WaitExit(1s).has_value());
  EXPECT_TRUE(app.MainVisible());

  // The tray menu's 退出 (the window hidden first) asks the same question.
  unsigned long icon = 0;
  ASSERT_TRUE(WaitFor([&] { return (icon = app.TrayIcon()) != 0; }));
  app.Click({layout::kCommandMini.left + 20, layout::kCommandMini.top + 12});
  ASSERT_TRUE(WaitFor([&] { return !app.MainVisible(); }));
  ClickWindow(icon, {6, 6}, 3);
  // The menu: a window of the program's, shown, neither the main window nor the icon.
  ASSERT_TRUE(WaitFor([&] {
    for (unsigned long id : FindWindowsOfPid(app.Pid())) {
      if (id != app.Main() && id != icon && WindowRect(id).width() > 48 &&
          Sh("xwininfo -id " + std::to_string(id)).out.find("IsViewable") != std::string::npos) {
        return true;
      }
    }
    return false;
  })) << "no tray menu";
  Sh("xdotool key Up Return");  // the menu's last entry, 退出
  box = WaitDialog("请确认?");
  ASSERT_NE(box, 0u) << "the tray menu's exit did not ask";
  KeysTo(box, "alt+y");
  EXPECT_EQ(app.WaitExit(), 0);
}

}  // namespace
}  // namespace tarvex::qte2e

namespace tarvex::qte2e {
namespace {

// Run on an X server without a window manager or tray (scripts/test.sh).
TEST(NoTray, HideLeavesTheWindowReachableWhereNoTrayCouldBringItBack) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  app.Click({layout::kCommandMini.left + 20, layout::kCommandMini.top + 12});
  EXPECT_FALSE(WaitFor([&] { return !app.MainVisible(); }, 1s)) << "hidden with no tray to bring it back";
  EXPECT_EQ(WindowProperty(app.Main(), "WM_STATE").find("Withdrawn"), std::string::npos);
}

}  // namespace
}  // namespace tarvex::qte2e
