// Input the way a user gives it: SendInput keystrokes and mouse actions at
// screen points, for Windows-side tests that must go through the system's own
// routing (focus, capture, double-click timing, dialog keys). Plain Win32.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace tarvex::input {

// Moves the pointer to (x, y) of `hwnd`'s client area and waits until the
// move holds; buttons stay as they are.
bool MoveTo(HWND hwnd, int x, int y);
// Left button down, up, or both at the pointer's place.
bool LeftDown();
bool LeftUp();
bool LeftClick();
// Presses and releases each key in turn; keys in `modifiers` are held around
// all of them (VK_MENU for Alt+key).
bool Keys(std::initializer_list<WORD> keys, std::initializer_list<WORD> modifiers = {});

}  // namespace tarvex::input
