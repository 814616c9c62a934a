// Stand-in for the gradient buttons while their control window is not part of
// the build: ordinary push buttons with the same captions, ids and clicks.
#include "host_command_buttons.h"

namespace tarvex {

HWND CreateCommandButton(HINSTANCE instance, HWND parent, MainWindowButton, const wchar_t* caption, int id) {
  HWND button = CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 81, 25,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (button) SendMessageW(button, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
  return button;
}

}  // namespace tarvex
