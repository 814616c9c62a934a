// Per-window trampolines: each is a few bytes of machine code in its own
// executable page that puts its hook record in place of the window handle and
// jumps to one shared procedure, which hands the message to the hook's router.
#include "platform/win32/window_subclass_win32.h"

#include <cstring>
#include <string>

namespace tarvex {
namespace {

// One installed hook. The record outlives its removal while a message is
// still inside it (depth > 0), so the procedure can finish safely.
struct Hook {
  unsigned char* code = nullptr;  // the trampoline, executable
  HWND hwnd = nullptr;
  WNDPROC previous = nullptr;
  MessageRouter* router = nullptr;
  int depth = 0;
  bool removed = false;
};

void FreeHook(Hook* hook) {
  if (hook->code != nullptr) VirtualFree(hook->code, 0, MEM_RELEASE);
  delete hook;
}

LRESULT CALLBACK HookProc(HWND asHook, UINT msg, WPARAM wParam, LPARAM lParam) {
  Hook* hook = reinterpret_cast<Hook*>(asHook);
  ++hook->depth;
  LRESULT result = 0;
  try {
    result = static_cast<LRESULT>(hook->router->RouteMessage(
        reinterpret_cast<HookHandle>(hook), reinterpret_cast<intptr_t>(hook->hwnd), msg,
        static_cast<uint64_t>(wParam), static_cast<int64_t>(lParam)));
  } catch (...) {
    // Nothing may unwind through the system's frames; the message is dropped.
  }
  if (--hook->depth == 0 && hook->removed) FreeHook(hook);
  return result;
}

// Builds the trampoline: replace the first argument (the window handle) by
// the hook record and jump to HookProc.
unsigned char* MakeTrampoline(Hook* hook) {
  auto* code = static_cast<unsigned char*>(
      VirtualAlloc(nullptr, 64, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
  if (code == nullptr) return nullptr;
  size_t n = 0;
#if defined(_M_X64) || defined(__x86_64__)
  const uint64_t self = reinterpret_cast<uint64_t>(hook);
  const uint64_t target = reinterpret_cast<uint64_t>(&HookProc);
  code[n++] = 0x48; code[n++] = 0xB9;  // mov rcx, imm64
  std::memcpy(code + n, &self, 8); n += 8;
  code[n++] = 0x48; code[n++] = 0xB8;  // mov rax, imm64
  std::memcpy(code + n, &target, 8); n += 8;
  code[n++] = 0xFF; code[n++] = 0xE0;  // jmp rax
#elif defined(_M_IX86) || defined(__i386__)
  const uint32_t self = reinterpret_cast<uint32_t>(hook);
  code[n++] = 0xC7; code[n++] = 0x44; code[n++] = 0x24; code[n++] = 0x04;  // mov [esp+4], imm32
  std::memcpy(code + n, &self, 4); n += 4;
  code[n++] = 0xE9;  // jmp rel32
  const int32_t rel = static_cast<int32_t>(reinterpret_cast<intptr_t>(&HookProc) -
                                           reinterpret_cast<intptr_t>(code + n + 4));
  std::memcpy(code + n, &rel, 4); n += 4;
#else
#error "no trampoline for this processor"
#endif
  DWORD old = 0;
  VirtualProtect(code, 64, PAGE_EXECUTE_READ, &old);
  FlushInstructionCache(GetCurrentProcess(), code, n);
  return code;
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
  hook->code = MakeTrampoline(hook);
  if (hook->code == nullptr) {
    FreeHook(hook);
    return 0;
  }
  SetLastError(0);
  const LONG_PTR previous =
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook->code));
  if (previous == 0 && GetLastError() != 0) {
    FreeHook(hook);
    return 0;
  }
  hook->previous = reinterpret_cast<WNDPROC>(previous);
  const auto handle = reinterpret_cast<HookHandle>(hook);
  live_.insert(handle);
  return handle;
}

int64_t Win32WindowSubclasser::CallPrevious(HookHandle handle, int64_t hWnd, uint32_t uMsg,
                                            uint64_t wParam, int64_t lParam) {
  Hook* hook = reinterpret_cast<Hook*>(handle);
  if (hook == nullptr || hook->previous == nullptr) return 0;
  return static_cast<int64_t>(CallWindowProcW(hook->previous,
                                              reinterpret_cast<HWND>(static_cast<intptr_t>(hWnd)),
                                              uMsg, static_cast<WPARAM>(wParam),
                                              static_cast<LPARAM>(lParam)));
}

void Win32WindowSubclasser::Remove(HookHandle handle) {
  if (live_.erase(handle) == 0) return;
  Hook* hook = reinterpret_cast<Hook*>(handle);
  if (IsWindow(hook->hwnd)) {
    SetWindowLongPtrW(hook->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook->previous));
  }
  if (hook->depth > 0) {
    hook->removed = true;  // freed when the message inside it returns
  } else {
    FreeHook(hook);
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
