// SendInput-based user input for Windows-side tests (see real_input.h).
#include "real_input.h"

#include <vector>

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
  return SendInput(1, &in, sizeof in) == 1;
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
