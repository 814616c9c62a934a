// The Run value through advapi32's ANSI calls (the data is ANSI text).
#include "platform/win32/autostart_win32.h"

#include <windows.h>

#include <string>

#include "platform/win32/file_system_win32.h"
#include "platform/win32/unique_handle.h"

namespace tarvex {
namespace {

// The Run key of one list (created if missing); empty when it cannot be
// opened, with the system's code in `status`.
UniqueHkey RunKey(RunScope scope, LONG& status) {
  UniqueHkey key;
  status = RegCreateKeyA(scope == RunScope::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, kRunKeyPath, key.Put());
  if (status != ERROR_SUCCESS) key.Reset();
  return key;
}

}  // namespace

RunValueResult Win32AutoStartStore::SetRunValue(RunScope scope, std::string_view name, std::string_view dataAnsi) {
  LONG status = ERROR_SUCCESS;
  const UniqueHkey key = RunKey(scope, status);
  if (!key) return {false, SystemErrorText(static_cast<unsigned long>(status))};
  const std::string valueName(name);
  const std::string data(dataAnsi);  // with its terminating NUL below
  status = RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1));
  if (status != ERROR_SUCCESS) return {false, SystemErrorText(static_cast<unsigned long>(status))};
  return {true, ""};
}

bool Win32AutoStartStore::DeleteRunValue(RunScope scope, std::string_view name) {
  LONG status = ERROR_SUCCESS;
  const UniqueHkey key = RunKey(scope, status);
  if (!key) return false;
  return RegDeleteValueA(key.Get(), std::string(name).c_str()) == ERROR_SUCCESS;
}

}  // namespace tarvex
