// The hook trampolines on real windows: the routing phases around the window's
// own procedure, the handled flag, and removal that restores a chain of hooks.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/window_subclass_win32.h"
#include "tabctl/subclass_table.h"

namespace tarvex {
namespace {

std::vector<std::string>* g_log = nullptr;

LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg >= WM_USER && g_log != nullptr) {
    g_log->push_back("own " + std::to_string(msg - WM_USER));
    return 40 + static_cast<LRESULT>(msg - WM_USER);
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND MakeWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = OwnProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TarvexHookTest";
  RegisterClassW(&wc);
  return CreateWindowW(L"TarvexHookTest", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                       nullptr, wc.hInstance, nullptr);
}

class Client final : public SubclassClient {
 public:
  explicit Client(std::string name) : name_(std::move(name)) {}
  void SubclassProc(bool bBefore, bool& bHandled, int64_t& lReturn, int64_t&, uint32_t& uMsg,
                    uint64_t&, int64_t&) override {
    g_log->push_back(name_ + (bBefore ? " before " : " after ") + std::to_string(uMsg - WM_USER) +
                     " ret " + std::to_string(lReturn));
    if (bBefore && uMsg == WM_USER + 9) {
      bHandled = true;
      lReturn = 99;
    }
  }

 private:
  std::string name_;
};

TEST(Win32Hooks, PhasesAroundTheWindowsOwnProcedure) {
  std::vector<std::string> log;
  g_log = &log;
  HWND hwnd = MakeWindow();
  ASSERT_NE(hwnd, nullptr);
  const auto h = static_cast<int64_t>(reinterpret_cast<intptr_t>(hwnd));
  Win32WindowSubclasser subclasser;
  Client client("tab");
  {
    SubclassTable table(subclasser, client);
    ASSERT_EQ(table.Subclass(h), 0);
    table.AddMsg(h, WM_USER + 1, MsgWhen::Before);
    table.AddMsg(h, WM_USER + 2, MsgWhen::After);
    table.AddMsg(h, WM_USER + 9, MsgWhen::Before);
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 1, 0, 0), 41);
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 2, 0, 0), 42);
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 3, 0, 0), 43);
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 9, 0, 0), 99);
  }
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));
  EXPECT_EQ((std::vector<std::string>{"tab before 1 ret 0", "own 1", "own 2", "tab after 2 ret 42",
                                      "own 3", "tab before 9 ret 0"}),
            log);
  DestroyWindow(hwnd);
  g_log = nullptr;
}

TEST(Win32Hooks, TwoInstancesOnOneWindowChainAndUnhookInReverse) {
  std::vector<std::string> log;
  g_log = &log;
  HWND hwnd = MakeWindow();
  const auto h = static_cast<int64_t>(reinterpret_cast<intptr_t>(hwnd));
  Win32WindowSubclasser subclasser;
  Client first("first");
  Client second("second");
  auto a = std::make_unique<SubclassTable>(subclasser, first);
  auto b = std::make_unique<SubclassTable>(subclasser, second);
  a->Subclass(h);
  a->AddMsg(h, WM_USER + 5, MsgWhen::After);
  const LONG_PTR afterFirst = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
  b->Subclass(h);
  b->AddMsg(h, WM_USER + 5, MsgWhen::After);
  SendMessageW(hwnd, WM_USER + 5, 0, 0);
  EXPECT_EQ((std::vector<std::string>{"own 5", "first after 5 ret 45", "second after 5 ret 45"}),
            log);
  b.reset();  // installed last, removed first
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), afterFirst);
  a.reset();
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));
  DestroyWindow(hwnd);
  g_log = nullptr;
}

WNDPROC g_beforeForeign = nullptr;
LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER + 7 && g_log != nullptr) g_log->push_back("foreign");
  return CallWindowProcW(g_beforeForeign, hwnd, msg, wParam, lParam);
}

// Removes its own hook while inside one of its messages.
class LeavingRouter final : public MessageRouter {
 public:
  explicit LeavingRouter(Win32WindowSubclasser& subclasser) : subclasser_(subclasser) {}
  int64_t RouteMessage(HookHandle hook, int64_t hWnd, uint32_t uMsg, uint64_t wParam,
                       int64_t lParam) override {
    if (uMsg == WM_USER + 8) {
      subclasser_.Remove(hook);
      g_log->push_back("left");
    }
    return subclasser_.CallPrevious(hook, hWnd, uMsg, wParam, lParam);
  }

 private:
  Win32WindowSubclasser& subclasser_;
};

TEST(Win32Hooks, ForeignProceduresSelfRemovalAndDestroyedWindowsAreSafe) {
  std::vector<std::string> log;
  g_log = &log;
  Win32WindowSubclasser subclasser;

  // A procedure put in front of the hook later keeps its place when the hook goes.
  HWND hwnd = MakeWindow();
  auto h = static_cast<int64_t>(reinterpret_cast<intptr_t>(hwnd));
  {
    Client client("tab");
    SubclassTable table(subclasser, client);
    table.Subclass(h);
    g_beforeForeign = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
  }
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ForeignProc));
  EXPECT_EQ(SendMessageW(hwnd, WM_USER + 7, 0, 0), 47);  // through the empty chain to the own procedure
  EXPECT_EQ((std::vector<std::string>{"foreign", "own 7"}), log);
  DestroyWindow(hwnd);

  // A hook that removes itself inside a message finishes it; the next goes straight through.
  log.clear();
  hwnd = MakeWindow();
  h = static_cast<int64_t>(reinterpret_cast<intptr_t>(hwnd));
  LeavingRouter leaving(subclasser);
  ASSERT_NE(subclasser.Install(h, leaving), 0u);
  EXPECT_EQ(SendMessageW(hwnd, WM_USER + 8, 0, 0), 48);
  EXPECT_EQ(SendMessageW(hwnd, WM_USER + 8, 0, 0), 48);
  EXPECT_EQ((std::vector<std::string>{"left", "own 8", "own 8"}), log);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));
  DestroyWindow(hwnd);

  // A window destroyed with its hook still on: removing the hook later touches
  // no other window, and a new window is hooked afresh.
  log.clear();
  hwnd = MakeWindow();
  h = static_cast<int64_t>(reinterpret_cast<intptr_t>(hwnd));
  Client gone("gone");
  auto stale = std::make_unique<SubclassTable>(subclasser, gone);
  stale->Subclass(h);
  DestroyWindow(hwnd);
  HWND next = MakeWindow();
  const auto n = static_cast<int64_t>(reinterpret_cast<intptr_t>(next));
  Client fresh("fresh");
  SubclassTable table(subclasser, fresh);
  table.Subclass(n);
  table.AddMsg(n, WM_USER + 4, MsgWhen::After);
  stale.reset();
  EXPECT_EQ(SendMessageW(next, WM_USER + 4, 0, 0), 44);
  EXPECT_EQ((std::vector<std::string>{"own 4", "fresh after 4 ret 44"}), log);
  DestroyWindow(next);
  g_log = nullptr;
}

TEST(Win32Hooks, LeaveTrackingIsFound) {
  Win32MouseTracking tracking;
  EXPECT_TRUE(tracking.FunctionExists("TrackMouseEvent", "User32"));
  EXPECT_TRUE(tracking.FunctionExists("_TrackMouseEvent", "Comctl32"));
  EXPECT_FALSE(tracking.FunctionExists("NoSuchFunction", "User32"));
  EXPECT_FALSE(tracking.FunctionExists("TrackMouseEvent", "no_such_module"));
}

}  // namespace
}  // namespace tarvex
