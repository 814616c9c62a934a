// SendInput-based user input for Windows-side tests (see real_input.h).
#include "real_input.h"

#include <vector>

#include "e2e.h"

namespace tarvex::input {
namespace {

bool SendMouse(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  return SendInput(1, &in, sizeof in) == 1;
}

}  // namespace

bool MoveTo(HWND hwnd, int x, int y) {
  POINT p{x, y};
  if (!ClientToScreen(hwnd, &p)) return false;
  // Absolute coordinates run 0..65535 over the primary screen.
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(p.x, 65536, w) + 1;
  in.mi.dy = MulDiv(p.y, 65536, h) + 1;
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  auto there = [&] { POINT now{}; return GetCursorPos(&now) && now.x == p.x && now.y == p.y; };
  // Under Wine the process that owns the window moves the X pointer after it
  // takes the move, and the X server's echo of an earlier move can come after
  // a newer one and put the pointer back. The move holds once that process has
  // been through its queue twice with the pointer still there.
  const HWND owner = GetAncestor(hwnd, GA_ROOT);
  auto roundTrip = [owner] {
    return owner && SendMessageTimeoutW(owner, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr) != 0;
  };
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (SendInput(1, &in, sizeof in) != 1) return false;
    if (e2e::WaitUntil(there, std::chrono::seconds(2)) && roundTrip() && roundTrip() && there()) return true;
  }
  return false;
}

bool LeftDown() { return SendMouse(MOUSEEVENTF_LEFTDOWN); }
bool LeftUp() { return SendMouse(MOUSEEVENTF_LEFTUP); }
bool LeftClick() { return LeftDown() && LeftUp(); }

bool Keys(std::initializer_list<WORD> keys, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> inputs;
  auto key = [&inputs](WORD vk, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = flags;
    inputs.push_back(in);
  };
  for (WORD m : modifiers) key(m, 0);
  for (WORD k : keys) {
    key(k, 0);
    key(k, KEYEVENTF_KEYUP);
  }
  for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) key(*m, KEYEVENTF_KEYUP);
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
         inputs.size();
}

}  // namespace tarvex::input
