// Hooks on comctl32's window subclassing: one subclass per hook, identified
// and carried by its own record, so no code is generated and several hooks on
// one window chain in installation order (DefSubclassProc reaches the next).
#include "platform/win32/window_subclass_win32.h"

#include <commctrl.h>

#include <string>

namespace tarvex {
namespace {

// One installed hook. The record outlives its removal while a message is
// still inside it (depth > 0), so the procedure can finish safely.
struct Hook {
  HWND hwnd = nullptr;
  MessageRouter* router = nullptr;
  int depth = 0;
  bool removed = false;
};

LRESULT CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR refData) {
  Hook* hook = reinterpret_cast<Hook*>(refData);
  if (hook->removed) return DefSubclassProc(hwnd, msg, wParam, lParam);
  ++hook->depth;
  LRESULT result = 0;
  try {
    result = static_cast<LRESULT>(hook->router->RouteMessage(
        reinterpret_cast<HookHandle>(hook), reinterpret_cast<intptr_t>(hwnd), msg,
        static_cast<uint64_t>(wParam), static_cast<int64_t>(lParam)));
  } catch (...) {
    // Nothing may unwind through the system's frames; the message is dropped.
  }
  if (--hook->depth == 0 && hook->removed) delete hook;
  return result;
}

}  // namespace

Win32WindowSubclasser::~Win32WindowSubclasser() {
  while (!live_.empty()) Remove(*live_.rbegin());
}

HookHandle Win32WindowSubclasser::Install(int64_t hWnd, MessageRouter& router) {
  HWND hwnd = reinterpret_cast<HWND>(static_cast<intptr_t>(hWnd));
  if (!IsWindow(hwnd)) return 0;
  auto* hook = new Hook;
  hook->hwnd = hwnd;
  hook->router = &router;
  const auto id = reinterpret_cast<UINT_PTR>(hook);  // unique while the record lives
  if (!SetWindowSubclass(hwnd, HookProc, id, reinterpret_cast<DWORD_PTR>(hook))) {
    delete hook;
    return 0;
  }
  const auto handle = reinterpret_cast<HookHandle>(hook);
  live_.insert(handle);
  return handle;
}

int64_t Win32WindowSubclasser::CallPrevious(HookHandle handle, int64_t hWnd, uint32_t uMsg,
                                            uint64_t wParam, int64_t lParam) {
  if (handle == 0) return 0;
  // Only meaningful inside the hook's own message, as the previous procedure is.
  return static_cast<int64_t>(DefSubclassProc(reinterpret_cast<HWND>(static_cast<intptr_t>(hWnd)), uMsg,
                                              static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)));
}

void Win32WindowSubclasser::Remove(HookHandle handle) {
  if (live_.erase(handle) == 0) return;
  Hook* hook = reinterpret_cast<Hook*>(handle);
  // Fails quietly when the window is gone: its subclasses went with it.
  RemoveWindowSubclass(hook->hwnd, HookProc, reinterpret_cast<UINT_PTR>(hook));
  if (hook->depth > 0) {
    hook->removed = true;  // deleted when the message inside it returns
  } else {
    delete hook;
  }
}

bool Win32MouseTracking::FunctionExists(std::string_view function, std::string_view module) {
  const std::string moduleName(module);
  const std::string functionName(function);
  HMODULE handle = GetModuleHandleA(moduleName.c_str());
  bool loadedHere = false;
  if (handle == nullptr) {
    handle = LoadLibraryA(moduleName.c_str());
    loadedHere = handle != nullptr;
  }
  if (handle == nullptr) return false;
  const bool exists = GetProcAddress(handle, functionName.c_str()) != nullptr;
  if (loadedHere) FreeLibrary(handle);
  return exists;
}

void Win32MouseTracking::TrackLeave(int64_t hWnd, bool inUser32) {
  TRACKMOUSEEVENT tme{};
  tme.cbSize = sizeof tme;
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = reinterpret_cast<HWND>(static_cast<intptr_t>(hWnd));
  tme.dwHoverTime = 0;
  if (inUser32) {
    TrackMouseEvent(&tme);
    return;
  }
  using TrackFn = BOOL(WINAPI*)(TRACKMOUSEEVENT*);
  if (HMODULE comctl = GetModuleHandleA("comctl32")) {
    if (auto fn = reinterpret_cast<TrackFn>(
            reinterpret_cast<void*>(GetProcAddress(comctl, "_TrackMouseEvent")))) {
      fn(&tme);
    }
  }
}

}  // namespace tarvex
