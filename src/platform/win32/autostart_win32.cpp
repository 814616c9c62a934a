// The Run value through advapi32's ANSI calls (the data is ANSI text).
#include "platform/win32/autostart_win32.h"

#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace tarvex {
namespace {

// The Run key (created if missing); empty when it cannot be opened.
UniqueHkey RunKey() {
  UniqueHkey key;
  if (RegCreateKeyA(HKEY_LOCAL_MACHINE, kRunKeyPath, key.Put()) != ERROR_SUCCESS) key.Reset();
  return key;
}

}  // namespace

bool Win32AutoStartStore::SetRunValue(std::string_view name, std::string_view dataAnsi) {
  const UniqueHkey key = RunKey();
  if (!key) return false;
  const std::string valueName(name);
  const std::string data(dataAnsi);  // with its terminating NUL below
  return RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool Win32AutoStartStore::DeleteRunValue(std::string_view name) {
  const UniqueHkey key = RunKey();
  if (!key) return false;
  return RegDeleteValueA(key.Get(), std::string(name).c_str()) == ERROR_SUCCESS;
}

}  // namespace tarvex
