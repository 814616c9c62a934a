// The window in front, its title and its process under a real X server. With
// a window manager that publishes the active window (CI runs icewm), test
// windows are activated and read back; without one (a bare X server) the
// foreground is reported as unknown. Skipped without a display.
#include <gtest/gtest.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/linux/process_linux.h"

namespace tarvex {
namespace {

class X11Test : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no DISPLAY: run under Xvfb";
    c_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c_) != 0) GTEST_SKIP() << "cannot reach the X display";
    screen_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
  }
  void TearDown() override {
    if (c_ != nullptr) xcb_disconnect(c_);
  }

  xcb_atom_t Atom(const char* name) {
    auto* r = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r->atom;
    std::free(r);
    return a;
  }
  bool WindowManagerRuns() {
    auto* r = xcb_get_property_reply(
        c_, xcb_get_property(c_, 0, screen_->root, Atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1), nullptr);
    const bool wm = r != nullptr && xcb_get_property_value_length(r) >= 4;
    std::free(r);
    return wm;
  }
  // A mapped window; `pid` and the title properties only where asked.
  xcb_window_t Window(bool withPid, const std::string& utf8Title, const std::string& latin1Name) {
    const xcb_window_t w = xcb_generate_id(c_);
    xcb_create_window(c_, XCB_COPY_FROM_PARENT, w, screen_->root, 0, 0, 120, 80, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen_->root_visual, 0, nullptr);
    if (withPid) {
      const uint32_t pid = static_cast<uint32_t>(getpid());
      xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, Atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
    }
    if (!utf8Title.empty()) {
      xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"), 8,
                          static_cast<uint32_t>(utf8Title.size()), utf8Title.data());
    }
    if (!latin1Name.empty()) {
      xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                          static_cast<uint32_t>(latin1Name.size()), latin1Name.data());
    }
    xcb_map_window(c_, w);
    xcb_flush(c_);
    return w;
  }
  // Asks the window manager to activate `w` and waits (bounded) until the
  // platform sees it in front.
  bool Activate(xcb_window_t w, LinuxProcessPlatform& platform) {
    for (int i = 0; i < 200; ++i) {
      xcb_client_message_event_t ev{};
      ev.response_type = XCB_CLIENT_MESSAGE;
      ev.format = 32;
      ev.window = w;
      ev.type = Atom("_NET_ACTIVE_WINDOW");
      ev.data.data32[0] = 2;  // as a pager asks: honoured without focus-stealing rules
      xcb_send_event(c_, 0, screen_->root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                     reinterpret_cast<const char*>(&ev));
      xcb_flush(c_);
      if (platform.ForegroundWindow() == static_cast<WindowHandle>(w)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  xcb_connection_t* c_ = nullptr;
  xcb_screen_t* screen_ = nullptr;
};

TEST_F(X11Test, ActiveWindowTitleAndProcessFromTheWindowManager) {
  if (!WindowManagerRuns()) GTEST_SKIP() << "no window manager on this display (the unknown case is tested there)";
  LinuxProcessPlatform platform;

  // A long Chinese title comes back whole as UTF-8; the process by _NET_WM_PID.
  std::string title;
  for (int i = 0; i < 100; ++i) title += "加速";
  const xcb_window_t named = Window(true, title, "ignored");
  ASSERT_TRUE(Activate(named, platform));
  EXPECT_TRUE(platform.ForegroundKnown());
  EXPECT_EQ(platform.WindowTextAnsi(named), title);
  EXPECT_EQ(platform.WindowProcessId(named), static_cast<ProcessId>(getpid()));

  // No _NET_WM_PID and only WM_NAME in Latin-1: the X-Resource extension
  // names the process, the title is converted to UTF-8.
  const xcb_window_t bare = Window(false, "", "caf\xE9");
  ASSERT_TRUE(Activate(bare, platform));
  EXPECT_EQ(platform.WindowTextAnsi(bare), "caf\xC3\xA9");
  EXPECT_EQ(platform.WindowProcessId(bare), static_cast<ProcessId>(getpid()));

  // A window without any title, and a window id that names nothing.
  const xcb_window_t untitled = Window(true, "", "");
  EXPECT_EQ(platform.WindowTextAnsi(untitled), "");
  xcb_destroy_window(c_, untitled);
  std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));  // the server has done it
  EXPECT_EQ(platform.WindowTextAnsi(untitled), "");
  EXPECT_EQ(platform.WindowProcessId(untitled), 0u);
}

TEST_F(X11Test, WithoutAWindowManagerTheForegroundIsUnknown) {
  if (WindowManagerRuns()) GTEST_SKIP() << "a window manager runs on this display (the known case is tested there)";
  LinuxProcessPlatform platform;
  const xcb_window_t w = Window(true, "x", "");
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
