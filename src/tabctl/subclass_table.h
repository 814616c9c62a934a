// The per-instance routing of hooked window messages: one entry per hooked window
// with a before list and an after list (every message, or chosen ones). Each
// message of a hooked window goes to the client's SubclassProc before and/or after
// the window's previous procedure, which is skipped when the before phase marks the
// message handled. Installation itself is the platform's (WindowSubclasser).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/window_subclass.h"

namespace tarvex {

// The control's callback; every argument but bBefore may be changed.
class SubclassClient {
 public:
  virtual ~SubclassClient() = default;
  virtual void SubclassProc(bool bBefore, bool& bHandled, int64_t& lReturn, int64_t& lng_hWnd,
                            uint32_t& uMsg, uint64_t& wParam, int64_t& lParam) = 0;
};

// Phase bits of AddMsg / DelMsg.
enum class MsgWhen : int { After = 1, Before = 2, Both = 3 };
// As a message number: every message.
inline constexpr uint32_t kAllMessages = 0xFFFFFFFFu;

class SubclassTable final : public MessageRouter {
 public:
  SubclassTable(WindowSubclasser& platform, SubclassClient& client)
      : platform_(&platform), client_(&client) {}
  ~SubclassTable() override { UnsubclassAll(); }
  SubclassTable(const SubclassTable&) = delete;
  SubclassTable& operator=(const SubclassTable&) = delete;

  // Hooks hWnd with both lists empty; returns the entry index, -1 when the
  // platform refused. A free entry is reused, searching from the highest index.
  int Subclass(int64_t hWnd);
  // Message kAllMessages makes the list every-message; an every-message list
  // stays so. A message already present is not added twice. False when hWnd is
  // not hooked.
  bool AddMsg(int64_t hWnd, uint32_t uMsg, MsgWhen when);
  // kAllMessages empties the list; otherwise the message's place is freed.
  bool DelMsg(int64_t hWnd, uint32_t uMsg, MsgWhen when);
  // Puts hWnd's previous procedure back and frees its entry.
  void Unsubclass(int64_t hWnd);
  // Every hooked window, from the highest entry down (reverse installation).
  void UnsubclassAll();

  int HookedCount() const;

  int64_t RouteMessage(HookHandle hook, int64_t hWnd, uint32_t uMsg, uint64_t wParam,
                       int64_t lParam) override;

 private:
  struct Entry {
    int64_t hWnd = 0;              // 0 = free entry
    HookHandle hook = 0;
    int32_t beforeCount = 0;       // -1 = every message
    int32_t afterCount = 0;
    std::vector<uint32_t> before;  // 0 = free place
    std::vector<uint32_t> after;
  };
  static bool Listed(int32_t count, const std::vector<uint32_t>& list, uint32_t uMsg);
  static void Add(int32_t& count, std::vector<uint32_t>& list, uint32_t uMsg);
  static void Del(int32_t& count, std::vector<uint32_t>& list, uint32_t uMsg);
  int Find(int64_t hWnd) const;
  int FindHook(HookHandle hook) const;

  WindowSubclasser* platform_;
  SubclassClient* client_;
  std::vector<Entry> entries_;
};

}  // namespace tarvex
