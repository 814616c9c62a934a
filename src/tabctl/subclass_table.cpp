// Routing of hooked window messages to the control's SubclassProc.
#include "tabctl/subclass_table.h"

#include <algorithm>

namespace tarvex {

int SubclassTable::Subclass(int64_t hWnd) {
  if (hWnd == 0) return -1;
  if (int existing = Find(hWnd); existing >= 0) return existing;
  int index = -1;
  for (int i = static_cast<int>(entries_.size()) - 1; i >= 0; --i) {
    if (entries_[static_cast<size_t>(i)].hWnd == 0) {
      index = i;
      break;
    }
  }
  HookHandle hook = platform_->Install(hWnd, *this);
  if (hook == 0) return -1;
  if (index < 0) {
    entries_.emplace_back();
    index = static_cast<int>(entries_.size()) - 1;
  }
  Entry& e = entries_[static_cast<size_t>(index)];
  e = Entry{};
  e.hWnd = hWnd;
  e.hook = hook;
  return index;
}

bool SubclassTable::Listed(int32_t count, const std::vector<uint32_t>& list, uint32_t uMsg) {
  if (count < 0) return true;
  return uMsg != 0 && std::find(list.begin(), list.end(), uMsg) != list.end();
}

void SubclassTable::Add(int32_t& count, std::vector<uint32_t>& list, uint32_t uMsg) {
  if (uMsg == kAllMessages) {
    count = -1;
    list.clear();
    return;
  }
  if (count < 0 || uMsg == 0) return;
  if (std::find(list.begin(), list.end(), uMsg) != list.end()) return;
  auto freePlace = std::find(list.begin(), list.end(), 0u);
  if (freePlace != list.end()) {
    *freePlace = uMsg;
  } else {
    list.push_back(uMsg);
  }
  count = static_cast<int32_t>(list.size());
}

void SubclassTable::Del(int32_t& count, std::vector<uint32_t>& list, uint32_t uMsg) {
  if (uMsg == kAllMessages) {
    count = 0;
    list.clear();
    return;
  }
  std::replace(list.begin(), list.end(), uMsg, 0u);
}

bool SubclassTable::AddMsg(int64_t hWnd, uint32_t uMsg, MsgWhen when) {
  const int i = Find(hWnd);
  if (i < 0) return false;
  Entry& e = entries_[static_cast<size_t>(i)];
  const int bits = static_cast<int>(when);
  if (bits & 2) Add(e.beforeCount, e.before, uMsg);
  if (bits & 1) Add(e.afterCount, e.after, uMsg);
  return true;
}

bool SubclassTable::DelMsg(int64_t hWnd, uint32_t uMsg, MsgWhen when) {
  const int i = Find(hWnd);
  if (i < 0) return false;
  Entry& e = entries_[static_cast<size_t>(i)];
  const int bits = static_cast<int>(when);
  if (bits & 2) Del(e.beforeCount, e.before, uMsg);
  if (bits & 1) Del(e.afterCount, e.after, uMsg);
  return true;
}

void SubclassTable::Unsubclass(int64_t hWnd) {
  const int i = Find(hWnd);
  if (i < 0) return;
  Entry& e = entries_[static_cast<size_t>(i)];
  const HookHandle hook = e.hook;
  e = Entry{};  // counts 0 first, so a message still in flight routes nowhere
  platform_->Remove(hook);
}

void SubclassTable::UnsubclassAll() {
  for (int i = static_cast<int>(entries_.size()) - 1; i >= 0; --i) {
    const int64_t hWnd = entries_[static_cast<size_t>(i)].hWnd;
    if (hWnd != 0) Unsubclass(hWnd);
  }
}

int SubclassTable::HookedCount() const {
  return static_cast<int>(
      std::count_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.hWnd != 0; }));
}

int SubclassTable::Find(int64_t hWnd) const {
  if (hWnd == 0) return -1;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].hWnd == hWnd) return static_cast<int>(i);
  }
  return -1;
}

int SubclassTable::FindHook(HookHandle hook) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].hook == hook && entries_[i].hWnd != 0) return static_cast<int>(i);
  }
  return -1;
}

int64_t SubclassTable::RouteMessage(HookHandle hook, int64_t hWnd, uint32_t uMsg, uint64_t wParam,
                                    int64_t lParam) {
  int64_t lReturn = 0;
  bool bHandled = false;
  int i = FindHook(hook);
  if (i >= 0 && Listed(entries_[static_cast<size_t>(i)].beforeCount,
                       entries_[static_cast<size_t>(i)].before, uMsg)) {
    client_->SubclassProc(true, bHandled, lReturn, hWnd, uMsg, wParam, lParam);
  }
  if (bHandled) return lReturn;
  lReturn = platform_->CallPrevious(hook, hWnd, uMsg, wParam, lParam);
  // The entry may have gone (or moved) while the window processed the message.
  i = FindHook(hook);
  if (i >= 0 && Listed(entries_[static_cast<size_t>(i)].afterCount,
                       entries_[static_cast<size_t>(i)].after, uMsg)) {
    client_->SubclassProc(false, bHandled, lReturn, hWnd, uMsg, wParam, lParam);
  }
  return lReturn;
}

}  // namespace tarvex
