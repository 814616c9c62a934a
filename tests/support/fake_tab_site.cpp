// Fakes of the tab control's unit tests (see fake_tab_site.h).
#include "support/fake_tab_site.h"

namespace tarvex {

bool FakeChild::SetLeft(int32_t twips) {
  if (refuse || !left) return false;
  left = twips;
  return true;
}

std::vector<ContainedControl*> FakeTabSite::ContainedControls() {
  std::vector<ContainedControl*> out;
  for (auto& c : children) out.push_back(c.get());
  return out;
}

FakeChild& FakeTabSite::AddChild(std::optional<int32_t> left) {
  children.push_back(std::make_unique<FakeChild>(left));
  return *children.back();
}

HookHandle FakeWindows::Install(int64_t hWnd, MessageRouter& router) {
  if (refuse) return 0;
  const HookHandle h = next_++;
  hooks_[h] = Hook{hWnd, CurrentProc(hWnd), &router, {}};
  current_[hWnd] = h;
  return h;
}

HookHandle FakeWindows::InstallForeign(int64_t hWnd, std::function<int64_t(uint32_t)> before) {
  const HookHandle h = next_++;
  hooks_[h] = Hook{hWnd, CurrentProc(hWnd), nullptr, std::move(before)};
  current_[hWnd] = h;
  return h;
}

int64_t FakeWindows::CallPrevious(HookHandle hook, int64_t hWnd, uint32_t uMsg, uint64_t wParam,
                                  int64_t lParam) {
  auto it = hooks_.find(hook);
  if (it == hooks_.end()) return 0;
  return Call(it->second.previous, hWnd, uMsg, wParam, lParam);
}

void FakeWindows::Remove(HookHandle hook) {
  auto it = hooks_.find(hook);
  if (it == hooks_.end()) return;
  // Like SetWindowLongPtr: whatever is current is replaced by the saved one.
  current_[it->second.hWnd] = it->second.previous;
  hooks_.erase(it);
}

HookHandle FakeWindows::CurrentProc(int64_t hWnd) const {
  auto it = current_.find(hWnd);
  return it == current_.end() ? 0 : it->second;
}

int64_t FakeWindows::Send(int64_t hWnd, uint32_t uMsg, uint64_t wParam, int64_t lParam) {
  return Call(CurrentProc(hWnd), hWnd, uMsg, wParam, lParam);
}

int64_t FakeWindows::Call(HookHandle proc, int64_t hWnd, uint32_t uMsg, uint64_t wParam,
                          int64_t lParam) {
  if (proc == 0) {
    log.push_back(std::to_string(hWnd) + ":" + std::to_string(uMsg));
    if (onBase) onBase(hWnd, uMsg);
    auto r = results.find(hWnd);
    return r == results.end() ? 0 : r->second;
  }
  auto it = hooks_.find(proc);
  if (it == hooks_.end()) {
    log.push_back("dangling " + std::to_string(proc));
    return -1;
  }
  Hook hook = it->second;
  if (hook.router != nullptr) return hook.router->RouteMessage(proc, hWnd, uMsg, wParam, lParam);
  hook.foreign(uMsg);
  return Call(hook.previous, hWnd, uMsg, wParam, lParam);
}

bool FakeTracking::FunctionExists(std::string_view function, std::string_view module) {
  calls.push_back("exists " + std::string(function) + " " + std::string(module));
  return module == "User32" ? user32 : comctl32;
}

void FakeTracking::TrackLeave(int64_t hWnd, bool inUser32) {
  calls.push_back("track " + std::to_string(hWnd) + (inUser32 ? " user32" : " comctl32"));
}

void RecordingTabEvents::BeforeTabSwitch(int16_t n, bool& cancel) {
  log.push_back("BeforeTabSwitch(" + std::to_string(n) + ")");
  if (onBefore) onBefore(n, cancel);
}

void RecordingTabEvents::TabSwitch(int16_t last) {
  log.push_back("TabSwitch(" + std::to_string(last) + ")");
}

void RecordingTabEvents::KeyDown(int16_t& code, int16_t& shift) {
  log.push_back("KeyDown(" + std::to_string(code) + "," + std::to_string(shift) + ")");
}

void RecordingTabEvents::KeyUp(int16_t& code, int16_t& shift) {
  log.push_back("KeyUp(" + std::to_string(code) + "," + std::to_string(shift) + ")");
}

void RecordingTabEvents::KeyPress(int16_t& ascii) {
  log.push_back("KeyPress(" + std::to_string(ascii) + ")");
}

void RecordingTabEvents::MouseHover(int32_t& tab, float& x, float& y) {
  log.push_back("MouseHover(" + std::to_string(tab) + "," + std::to_string(static_cast<int>(x)) +
                "," + std::to_string(static_cast<int>(y)) + ")");
}

void RecordingTabEvents::LogXY(const char* name, float x, float y) {
  log.push_back(std::string(name) + "(" + std::to_string(static_cast<int>(x)) + "," +
                std::to_string(static_cast<int>(y)) + ")");
}

void RecordingTabEvents::LogMouse(const char* name, int16_t b, int16_t s, float x, float y) {
  log.push_back(std::string(name) + "(" + std::to_string(b) + "," + std::to_string(s) + "," +
                std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)) +
                ")");
}

}  // namespace tarvex
