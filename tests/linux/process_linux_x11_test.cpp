// The window in front, its title and its process under a real X server. With
// a window manager that publishes the active window (CI runs icewm), test
// windows are activated and read back; without one (a bare X server) the
// foreground is reported as unknown. Skipped without a display.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "linux/x11_session.h"
#include "platform/linux/process_linux.h"

namespace tarvex {
namespace {

class X11Test : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x_.Connected()) {
      if (testing::X11Promised()) FAIL() << "the X display given in DISPLAY cannot be reached";
      GTEST_SKIP() << "no X display: run under scripts/with-x11.sh";
    }
  }
  // Asks for `w` to be activated until the platform sees it in front (bounded).
  bool Activate(xcb_window_t w, LinuxProcessPlatform& platform) {
    for (int i = 0; i < 200; ++i) {
      x_.RequestActive(w);
      if (platform.ForegroundWindow() == static_cast<WindowHandle>(w)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  testing::X11Session x_;
};

TEST_F(X11Test, ActiveWindowTitleAndProcessFromTheWindowManager) {
  if (!x_.WindowManagerRuns()) {
    if (testing::WindowManagerPromised()) FAIL() << "the window manager is not running";
    GTEST_SKIP() << "no window manager on this display (the unknown case is tested there)";
  }
  LinuxProcessPlatform platform;

  // A long Chinese title comes back whole as UTF-8; the process by _NET_WM_PID.
  std::string title;
  for (int i = 0; i < 100; ++i) title += "加速";
  const xcb_window_t named = x_.Window(true, title, "ignored");
  ASSERT_TRUE(Activate(named, platform));
  EXPECT_TRUE(platform.ForegroundKnown());
  EXPECT_EQ(platform.WindowTextAnsi(named), title);
  EXPECT_EQ(platform.WindowProcessId(named), static_cast<ProcessId>(getpid()));

  // No _NET_WM_PID and only WM_NAME in Latin-1: the X-Resource extension
  // names the process, the title is converted to UTF-8.
  const xcb_window_t bare = x_.Window(false, "", "caf\xE9");
  ASSERT_TRUE(Activate(bare, platform));
  EXPECT_EQ(platform.WindowTextAnsi(bare), "caf\xC3\xA9");
  EXPECT_EQ(platform.WindowProcessId(bare), static_cast<ProcessId>(getpid()));

  // A window without any title, and a window id that names nothing.
  const xcb_window_t untitled = x_.Window(true, "", "");
  EXPECT_EQ(platform.WindowTextAnsi(untitled), "");
  x_.Destroy(untitled);
  EXPECT_EQ(platform.WindowTextAnsi(untitled), "");
  EXPECT_EQ(platform.WindowProcessId(untitled), 0u);
}

TEST_F(X11Test, WithoutAWindowManagerTheForegroundIsUnknown) {
  if (x_.WindowManagerRuns()) GTEST_SKIP() << "a window manager runs on this display (the known case is tested there)";
  LinuxProcessPlatform platform;
  const xcb_window_t w = x_.Window(true, "x", "");
  EXPECT_EQ(platform.ForegroundWindow(), 0);
  EXPECT_FALSE(platform.ForegroundKnown());
  // The window's own facts are still there to read.
  EXPECT_EQ(platform.WindowTextAnsi(w), "x");
  EXPECT_EQ(platform.WindowProcessId(w), static_cast<ProcessId>(getpid()));
}

TEST(X11Unreachable, NoDisplayMeansNoForegroundAndSaysItIsUnknown) {
  // A display that does not exist stands for a session without X (Wayland
  // without its X server).
  LinuxProcessPlatform platform(":32767");
  EXPECT_EQ(platform.ForegroundWindow(), 0);
  EXPECT_FALSE(platform.ForegroundKnown());
  EXPECT_EQ(platform.WindowTextAnsi(42), "");
  EXPECT_EQ(platform.WindowProcessId(42), 0u);
  EXPECT_EQ(platform.CurrentProcessId(), static_cast<ProcessId>(getpid()));
}

}  // namespace
}  // namespace tarvex
