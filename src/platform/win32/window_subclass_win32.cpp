// Hooks in front of a window's procedure: one shared procedure per hooked
// window, with the window's hooks kept in the process (newest first) in front
// of the procedure it replaced. No code is generated, and each message finds
// its hooks without a window property (under Wine every property read is a
// call to the server, three per message with comctl32's subclassing).
#include "platform/win32/window_subclass_win32.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarvex {
namespace {

struct Chain;

// One installed hook. The record outlives its removal while a message is
// still inside it (depth > 0), so the procedure can finish safely.
struct Hook {
  Chain* chain = nullptr;  // none once its window is gone
  MessageRouter* router = nullptr;
  int depth = 0;
  bool removed = false;
};

// The hooks of one window and the procedure they stand in front of. Kept
// while a message is inside it, even once the window is gone.
struct Chain {
  HWND hwnd = nullptr;
  WNDPROC replaced = nullptr;
  std::vector<Hook*> hooks;  // newest first; removed ones wait for their depth to reach 0
  int depth = 0;
  bool dead = false;  // the window is destroyed or the procedure put back
};

// Used on the windows' own thread only, like the windows.
std::unordered_map<HWND, std::unique_ptr<Chain>>& Chains() {
  static std::unordered_map<HWND, std::unique_ptr<Chain>> chains;
  return chains;
}

Chain* FindChain(HWND hwnd) {
  auto& chains = Chains();
  const auto it = chains.find(hwnd);
  return it == chains.end() || it->second->dead ? nullptr : it->second.get();
}

void ForgetChainIfDone(Chain* chain) {
  if (!chain->dead || chain->depth > 0) return;
  for (Hook* hook : chain->hooks) {
    if (hook->removed) {
      delete hook;
    } else {
      hook->chain = nullptr;  // still the subclasser's, to be removed
    }
  }
  auto& chains = Chains();
  const auto it = chains.find(chain->hwnd);
  if (it != chains.end() && it->second.get() == chain) {
    chains.erase(it);
  } else {
    delete chain;  // let go of when a new window took the handle
  }
}

void DropHook(Chain* chain, Hook* hook) {
  if (chain != nullptr) {
    chain->hooks.erase(std::remove(chain->hooks.begin(), chain->hooks.end(), hook), chain->hooks.end());
  }
  delete hook;
}

LRESULT CALLBACK ChainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Hands the message to the first live hook after `after` (from the newest
// when null), or to the replaced procedure when none is left.
LRESULT PassOn(HWND hwnd, Chain& chain, const Hook* after, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = chain.hooks.begin();
  if (after != nullptr) {
    it = std::find(chain.hooks.begin(), chain.hooks.end(), after);
    if (it != chain.hooks.end()) ++it;
  }
  while (it != chain.hooks.end() && (*it)->removed) ++it;
  if (it == chain.hooks.end()) return CallWindowProcW(chain.replaced, hwnd, msg, wParam, lParam);
  Hook* hook = *it;
  ++hook->depth;
  LRESULT result = 0;
  try {
    result = static_cast<LRESULT>(hook->router->RouteMessage(
        reinterpret_cast<HookHandle>(hook), reinterpret_cast<intptr_t>(hwnd), msg,
        static_cast<uint64_t>(wParam), static_cast<int64_t>(lParam)));
  } catch (...) {
    // Nothing may unwind through the system's frames; the message is dropped.
  }
  if (--hook->depth == 0 && hook->removed) DropHook(&chain, hook);
  return result;
}

LRESULT CALLBACK ChainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto& chains = Chains();
  const auto it = chains.find(hwnd);
  if (it == chains.end()) return DefWindowProcW(hwnd, msg, wParam, lParam);
  Chain* chain = it->second.get();
  ++chain->depth;
  const LRESULT result = PassOn(hwnd, *chain, nullptr, msg, wParam, lParam);
  --chain->depth;
  if (msg == WM_NCDESTROY) chain->dead = true;  // the handle may be given to a new window
  ForgetChainIfDone(chain);
  return result;
}

}  // namespace

Win32WindowSubclasser::~Win32WindowSubclasser() {
  while (!live_.empty()) Remove(*live_.rbegin());
}

HookHandle Win32WindowSubclasser::Install(int64_t hWnd, MessageRouter& router) {
  HWND hwnd = reinterpret_cast<HWND>(static_cast<intptr_t>(hWnd));
  DWORD owner = 0;
  // Another process's window procedure cannot be replaced from here.
  if (!IsWindow(hwnd) || GetWindowThreadProcessId(hwnd, &owner) == 0 || owner != GetCurrentProcessId()) {
    return 0;
  }
  Chain* chain = FindChain(hwnd);
  if (chain == nullptr) {
    auto made = std::make_unique<Chain>();
    made->hwnd = hwnd;
    made->replaced = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainProc)));
    if (made->replaced == nullptr) return 0;
    chain = made.get();
    auto& slot = Chains()[hwnd];
    // A dead chain still in use under this handle is let go of by its last message.
    if (slot) static_cast<void>(slot.release());
    slot = std::move(made);
  }
  auto* hook = new Hook;
  hook->chain = chain;
  hook->router = &router;
  chain->hooks.insert(chain->hooks.begin(), hook);
  const auto handle = reinterpret_cast<HookHandle>(hook);
  live_.insert(handle);
  return handle;
}

int64_t Win32WindowSubclasser::CallPrevious(HookHandle handle, int64_t hWnd, uint32_t uMsg,
                                            uint64_t wParam, int64_t lParam) {
  if (handle == 0) return 0;
  HWND hwnd = reinterpret_cast<HWND>(static_cast<intptr_t>(hWnd));
  // Only meaningful inside the hook's own message, as the previous procedure
  // is; its chain lives at least as long as that message.
  Chain* chain = reinterpret_cast<Hook*>(handle)->chain;
  if (chain == nullptr) {
    return static_cast<int64_t>(
        DefWindowProcW(hwnd, uMsg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)));
  }
  ++chain->depth;
  const LRESULT result = PassOn(hwnd, *chain, reinterpret_cast<const Hook*>(handle), uMsg,
                                static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
  --chain->depth;
  ForgetChainIfDone(chain);
  return static_cast<int64_t>(result);
}

void Win32WindowSubclasser::Remove(HookHandle handle) {
  if (live_.erase(handle) == 0) return;
  Hook* hook = reinterpret_cast<Hook*>(handle);
  Chain* chain = hook->chain;
  if (chain == nullptr) {
    // The window is gone, and its chain with it.
    if (hook->depth > 0) {
      hook->removed = true;
    } else {
      delete hook;
    }
    return;
  }
  if (hook->depth > 0) {
    hook->removed = true;  // dropped when the message inside it returns
  } else {
    DropHook(chain, hook);
  }
  const bool anyLive =
      std::any_of(chain->hooks.begin(), chain->hooks.end(), [](const Hook* h) { return !h->removed; });
  // The procedure goes back only while ours is in front: one put in front of
  // ours later would lose its own. Otherwise the empty chain just passes on.
  if (anyLive || chain->dead ||
      GetWindowLongPtrW(chain->hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&ChainProc)) {
    return;
  }
  SetWindowLongPtrW(chain->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->replaced));
  chain->dead = true;
  ForgetChainIfDone(chain);
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
