// The real engine on the Linux services, end to end under an X window manager:
// programs with windows are raised, and given back thread by thread, except
// where someone else changed a thread meanwhile (renice from outside).
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "app/speed_up_engine.h"
#include "app/speed_up_history.h"
#include "linux/x11_session.h"
#include "platform/linux/file_system_linux.h"
#include "platform/linux/process_linux.h"
#include "platform/linux/utf8_code_page.h"
#include "support/spine_fakes.h"

namespace tarvex {
namespace {

// `tarvex_boost_worker window TITLE`: a window and two threads, until killed.
// It asks for the front until it has it, then says "ready".
class WindowProgram {
 public:
  explicit WindowProgram(const std::string& title) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      execl(TARVEX_BOOST_WORKER, TARVEX_BOOST_WORKER, "window", title.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    out_ = out[0];
  }
  ~WindowProgram() {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    if (out_ >= 0) close(out_);
  }
  WindowProgram(const WindowProgram&) = delete;
  WindowProgram& operator=(const WindowProgram&) = delete;
  pid_t Pid() const { return pid_; }
  // Until it stops asking for the front itself (bounded).
  bool WaitReady() {
    pollfd fd{out_, POLLIN, 0};
    std::string text;
    while (text.find("ready") == std::string::npos) {
      if (poll(&fd, 1, 15000) <= 0) return false;
      char chunk[64];
      const ssize_t n = read(out_, chunk, sizeof chunk);
      if (n <= 0) return false;
      text.append(chunk, static_cast<size_t>(n));
    }
    return true;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
};

// The nice of each thread, main thread first.
std::vector<int> Nices(LinuxProcessPlatform& p, pid_t pid) {
  const ProcessHandle h = p.OpenProcess(kProcessQueryInformation, static_cast<ProcessId>(pid));
  std::vector<int> main, others;
  for (const ThreadSchedule& t : p.ReadSchedule(h).threads) (t.threadId == pid ? main : others).push_back(t.nice);
  p.CloseHandle(h);
  main.insert(main.end(), others.begin(), others.end());
  return main;
}

// Waits (bounded) until the window in front belongs to `pid`; asks for
// `activate` meanwhile, again and again (a program that just started may still
// be asking for the front itself).
WindowHandle WaitInFront(LinuxProcessPlatform& p, pid_t pid, testing::X11Session* x = nullptr,
                         WindowHandle activate = 0) {
  for (int i = 0; i < 300; ++i) {
    if (x != nullptr) x->RequestActive(static_cast<xcb_window_t>(activate));
    const WindowHandle w = p.ForegroundWindow();
    if (w != 0 && p.WindowProcessId(w) == static_cast<ProcessId>(pid)) return w;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return 0;
}

TEST(LinuxEngine, RaisesTheWindowInFrontAndLeavesAThreadSomeoneElseRenicedAlone) {
  testing::X11Session x;
  if (!x.Connected() || !x.WindowManagerRuns()) {
    if (testing::WindowManagerPromised()) FAIL() << "the promised X display or window manager is missing";
    GTEST_SKIP() << "needs an X display with a window manager (scripts/with-x11.sh)";
  }
  LinuxProcessPlatform probe;
  {
    const ProcessHandle self = probe.OpenProcess(kProcessQueryInformation, probe.CurrentProcessId());
    const bool mayRaise = probe.SetPriorityClass(self, kAboveNormalPriorityClass);
    (void)probe.SetPriorityClass(self, kNormalPriorityClass);
    probe.CloseHandle(self);
    if (!mayRaise) GTEST_SKIP() << "no CAP_SYS_NICE and no RLIMIT_NICE room: nothing can be raised here";
  }

  LinuxProcessPlatform platform;
  Utf8CodePage utf8;
  test::FakeSettingsControls controls;
  controls.checks[SettingCheck::kState] = CheckState::kChecked;
  controls.checks[SettingCheck::kEnableRecord] = CheckState::kChecked;
  controls.selected[SettingCombo::kSpeed] = kSpeedNormal;
  controls.selected[SettingCombo::kAutoCleanCount] = "50";
  test::FakeStatusView status;
  test::FakeHistoryView list;
  test::FakeClock clock;
  test::FakeDialogs dialogs;
  LinuxFileSystem files;
  SpeedUpHistory history(list, controls, HistoryPlatform{clock, dialogs, files, utf8});
  SpeedUpEngine engine(platform, utf8, controls, status, history);
  engine.Reset();

  // A title of 300 bytes (100 three-byte characters) is shown as the whole
  // characters that fit in 254 bytes.
  std::string longTitle;
  for (int i = 0; i < 100; ++i) longTitle += "加";
  WindowProgram a(longTitle);
  ASSERT_TRUE(a.WaitReady());
  const WindowHandle windowA = WaitInFront(platform, a.Pid());
  ASSERT_NE(windowA, 0);
  engine.TimerMain_Timer();
  EXPECT_EQ(status.info, longTitle.substr(0, 252));
  EXPECT_EQ(Nices(platform, a.Pid()), (std::vector<int>{-10, -10}));

  // Someone renices A from outside while Tarvex holds it: renice acts on the
  // one task the id names, the main thread.
  ASSERT_EQ(std::system(("renice -n 5 -p " + std::to_string(a.Pid()) + " >/dev/null").c_str()), 0);
  ASSERT_EQ(Nices(platform, a.Pid()), (std::vector<int>{5, -10}));

  WindowProgram b("工作程序 B");
  ASSERT_TRUE(b.WaitReady());
  ASSERT_NE(WaitInFront(platform, b.Pid()), 0);
  engine.TimerMain_Timer();
  // A's main thread stays where renice put it; its other thread gets its own back.
  EXPECT_EQ(Nices(platform, a.Pid()), (std::vector<int>{5, 0}));
  EXPECT_EQ(Nices(platform, b.Pid()), (std::vector<int>{-10, -10}));

  // A to the front again: B, untouched meanwhile, gets everything back, and A
  // (normal by its main thread) is raised once more.
  ASSERT_EQ(WaitInFront(platform, a.Pid(), &x, windowA), windowA);
  engine.TimerMain_Timer();
  EXPECT_EQ(Nices(platform, b.Pid()), (std::vector<int>{0, 0}));
  EXPECT_EQ(Nices(platform, a.Pid()), (std::vector<int>{-10, -10}));
  ASSERT_EQ(list.items.size(), 3u);
  EXPECT_EQ(list.items[2].texts[3], kSpeedNormal);

  // Leaving gives back what A had just before this raise.
  engine.GiveBack();
  EXPECT_EQ(Nices(platform, a.Pid()), (std::vector<int>{5, 0}));
}

}  // namespace
}  // namespace tarvex
