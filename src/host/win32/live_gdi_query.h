// A test hook: the main window answers this registered message (no
// parameters) with the number of live GDI objects held by the program's owning
// handles. End-to-end tests ask it from outside to see leaks where
// GetGuiResources answers 0 (Wine). Read-only; nothing else is reachable by it.
#pragma once

#include <windows.h>

namespace tarvex {

inline constexpr wchar_t kLiveGdiQueryMessage[] = L"Tarvex.LiveGdiObjects";

}  // namespace tarvex
