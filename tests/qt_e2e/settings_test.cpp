// The settings page against the files: first-start values, each control
// writing its key at once, the autostart entry, the stay-on-top state and
// auto-minimise at start.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/main_window_layout.h"
#include "driver.h"

namespace tarvex::qte2e {
namespace {

// The drop-down of a list is a top-level window of its own while it shows.
size_t VisibleWindowsOf(pid_t pid) {
  const std::string ids = Sh("xdotool search --onlyvisible --pid " + std::to_string(pid)).out;
  return static_cast<size_t>(std::count(ids.begin(), ids.end(), '\n'));
}

void ShowSettingsPage(TarvexApp& app) {
  app.Click({layout::kTab.left + 110, layout::kTab.top + 12});
  ASSERT_TRUE(WaitFor([&] { return app.ActivePage() == 1; }));
}

TEST(Settings, FirstStartWithoutAFileWritesTheDefaults) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return app.IniValue("Speed", "SpeedLevel").has_value(); }));
  EXPECT_EQ(app.IniValue("Record", "EnableRecord"), "0");
  EXPECT_EQ(app.IniValue("Normal", "EnableSpeed"), "0");
  EXPECT_EQ(app.IniValue("Normal", "AlwaysTop"), "0");
  EXPECT_EQ(app.IniValue("Speed", "SpeedLevel"), "2");
  EXPECT_EQ(app.IniValue("Normal", "AutoRun"), std::nullopt);
  EXPECT_EQ(app.IniValue("Normal", "AutoMin"), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(app.Autostart()));
}

TEST(Settings, EachControlWritesItsKeyAtOnceAndAutoRunItsDesktopEntry) {
  TarvexApp app;
  ASSERT_TRUE(app.Start());
  ShowSettingsPage(app);
  struct Case {
    Rect rect;
    const char* section;
    const char* key;
  };
  const Case cases[] = {{layout::kCheckAutoRun, "Normal", "AutoRun"},
                        {layout::kCheckAutoMin, "Normal", "AutoMin"},
                        {layout::kCheckMostTop, "Normal", "AlwaysTop"},
                        {layout::kCheckState, "Normal", "EnableSpeed"},
                        {layout::kCheckEnableRecord, "Record", "EnableRecord"}};
  for (const Case& c : cases) {
    app.Click(TarvexApp::OnTab(c.rect, 8, 10));
    EXPECT_TRUE(WaitFor([&] { return app.IniValue(c.section, c.key) == "1"; })) << c.key;
    // The key is written first, the entry right after it.
    if (std::string(c.key) == "AutoRun") {
      EXPECT_TRUE(WaitFor([&] { return ReadFile(app.Autostart()).find("Exec=") != std::string::npos; }))
          << ReadFile(app.Autostart());
    }
    if (std::string(c.key) == "AlwaysTop") {
      EXPECT_TRUE(WaitFor([&] {
        return WindowProperty(app.Main(), "_NET_WM_STATE").find("_NET_WM_STATE_ABOVE") != std::string::npos;
      }));
    }
    app.Click(TarvexApp::OnTab(c.rect, 8, 10));
    EXPECT_TRUE(WaitFor([&] { return app.IniValue(c.section, c.key) == "0"; })) << c.key;
    if (std::string(c.key) == "AutoRun") {
      EXPECT_TRUE(WaitFor([&] { return !std::filesystem::exists(app.Autostart()); }));
    }
    if (std::string(c.key) == "AlwaysTop") {
      EXPECT_TRUE(WaitFor([&] {
        return WindowProperty(app.Main(), "_NET_WM_STATE").find("_NET_WM_STATE_ABOVE") == std::string::npos;
      }));
    }
  }
  // The lists by keyboard: open and close one to give it the focus, then step.
  auto focusList = [&](const Rect& list) {
    const size_t shown = VisibleWindowsOf(app.Pid());
    app.Click(TarvexApp::OnTab(list, 40, 10));
    EXPECT_TRUE(WaitFor([&] { return VisibleWindowsOf(app.Pid()) > shown; })) << "the drop-down did not show";
    app.Keys("Escape");
    EXPECT_TRUE(WaitFor([&] { return VisibleWindowsOf(app.Pid()) == shown; })) << "the drop-down stayed";
  };
  focusList(layout::kComboSpeed);
  app.Keys("Up");
  EXPECT_TRUE(WaitFor([&] { return app.IniValue("Speed", "SpeedLevel") == "1"; }));
  app.Keys("Down");
  EXPECT_TRUE(WaitFor([&] { return app.IniValue("Speed", "SpeedLevel") == "2"; }));
  focusList(layout::kComboAutoCleanCount);
  for (const char* count : {"50", "100", "200", "300"}) {
    app.Keys("Down");
    EXPECT_TRUE(WaitFor([&] { return app.IniValue("Record", "RecordCount") == count; })) << count;
  }
}

TEST(Settings, StoredAlwaysTopShowsTheWindowAboveTheOthersFromTheStart) {
  TarvexApp app("[Normal]\nAlwaysTop=1\n");
  ASSERT_TRUE(app.Start());
  EXPECT_TRUE(WaitFor([&] {
    return WindowProperty(app.Main(), "_NET_WM_STATE").find("_NET_WM_STATE_ABOVE") != std::string::npos;
  })) << WindowProperty(app.Main(), "_NET_WM_STATE");
  EXPECT_EQ(app.IniValue("Normal", "AlwaysTop"), "1");
}

TEST(Settings, StoredAutoMinStartsInTheTrayWithoutTheWindow) {
  TarvexApp app("[Normal]\nAutoMin=1\n");
  ASSERT_TRUE(app.Start(false));
  ASSERT_TRUE(WaitFor([&] { return app.FindMain() != 0; }, 30s));
  EXPECT_TRUE(WaitFor([&] { return app.TrayIcon() != 0; })) << "no tray icon";
  // It must not come up later either: a second of watching for it.
  EXPECT_FALSE(WaitFor([&] { return app.MainVisible(); }, 1s));
}

}  // namespace
}  // namespace tarvex::qte2e
