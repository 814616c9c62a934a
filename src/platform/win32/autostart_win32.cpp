// The Run value through advapi32's ANSI calls (the data is ANSI text).
#include "platform/win32/autostart_win32.h"

#include <windows.h>

#include <string>

namespace tarvex {
namespace {

// The Run key, closed when this goes out of scope.
class RunKey {
 public:
  RunKey() {
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, kRunKeyPath, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~RunKey() {
    if (key_) RegCloseKey(key_);
  }
  RunKey(const RunKey&) = delete;
  RunKey& operator=(const RunKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

bool Win32AutoStartStore::SetRunValue(std::string_view name, std::string_view dataAnsi) {
  RunKey key;
  if (!key.get()) return false;
  const std::string valueName(name);
  const std::string data(dataAnsi);  // with its terminating NUL below
  return RegSetValueExA(key.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool Win32AutoStartStore::DeleteRunValue(std::string_view name) {
  RunKey key;
  if (!key.get()) return false;
  return RegDeleteValueA(key.get(), std::string(name).c_str()) == ERROR_SUCCESS;
}

}  // namespace tarvex
