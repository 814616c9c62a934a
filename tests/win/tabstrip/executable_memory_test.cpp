// The hooks generate no code: with a tab control's hooks installed on its own
// window and its form, no page of the process is both writable and executable,
// and nothing outside the loaded modules is executable at all.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/window_subclass_win32.h"
#include "tabctl/subclass_table.h"

namespace tarvex {
namespace {

bool Suspect(const MEMORY_BASIC_INFORMATION& region) {
  const DWORD kind = region.Protect & 0xFFu;  // without PAGE_GUARD, PAGE_NOCACHE, ...
  const bool executable = kind == PAGE_EXECUTE || kind == PAGE_EXECUTE_READ || kind == PAGE_EXECUTE_READWRITE ||
                          kind == PAGE_EXECUTE_WRITECOPY;
  const bool writable = kind == PAGE_EXECUTE_READWRITE || kind == PAGE_EXECUTE_WRITECOPY;
  return executable && (writable || region.Type != MEM_IMAGE);
}

// "base +size protect type" of every committed region that is writable and
// executable, or executable outside a module image; empty when there is none.
std::string SuspectRegions() {
  std::string found;
  SYSTEM_INFO si{};
  GetSystemInfo(&si);
  auto* at = static_cast<const char*>(si.lpMinimumApplicationAddress);
  MEMORY_BASIC_INFORMATION mbi{};
  while (at < si.lpMaximumApplicationAddress && VirtualQuery(at, &mbi, sizeof mbi) == sizeof mbi) {
    if (mbi.State == MEM_COMMIT && Suspect(mbi)) {
      char line[96];
      std::snprintf(line, sizeof line, "%p +%zx protect %lx type %lx\n", mbi.BaseAddress, mbi.RegionSize,
                    mbi.Protect, mbi.Type);
      found += line;
    }
    at = static_cast<const char*>(mbi.BaseAddress) + mbi.RegionSize;
  }
  return found;
}

class NoteClient final : public SubclassClient {
 public:
  void SubclassProc(bool, bool&, int64_t&, int64_t&, uint32_t&, uint64_t&, int64_t&) override { ++calls; }
  int calls = 0;
};

TEST(ExecutableMemory, NoPageIsWritableAndExecutableNorCodeOutsideModulesWithHooksInstalled) {
  HWND form = CreateWindowW(L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  HWND control = CreateWindowW(L"STATIC", L"", WS_CHILD, 0, 0, 50, 50, form, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
  ASSERT_TRUE(form && control);
  Win32WindowSubclasser subclasser;
  NoteClient client;
  SubclassTable table(subclasser, client);
  for (HWND w : {control, form}) {
    const auto h = static_cast<int64_t>(reinterpret_cast<intptr_t>(w));
    ASSERT_GE(table.Subclass(h), 0);
    table.AddMsg(h, WM_USER, MsgWhen::After);
  }
  SendMessageW(control, WM_USER, 0, 0);
  SendMessageW(form, WM_USER, 0, 0);
  ASSERT_EQ(client.calls, 2);  // both hooks are live

  EXPECT_EQ(SuspectRegions(), "");
  DestroyWindow(form);
}

}  // namespace
}  // namespace tarvex
