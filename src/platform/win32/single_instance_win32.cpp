// SingleInstance over a named mutex (see single_instance_win32.h).
#include "platform/win32/single_instance_win32.h"

namespace tarvex {

namespace {
// Per session ("Local\"): another user's copy on the same machine is not ours.
constexpr wchar_t kMutexName[] = L"Local\\Tarvex.SingleInstance.{6E0B7C2A-3F1D-4A55-9C8E-2B7D41F0A913}";
}  // namespace

Win32SingleInstance::Win32SingleInstance() {
  mutex_.Reset(CreateMutexW(nullptr, FALSE, kMutexName));
  // A mutex we could not even open (access denied) also means another copy.
  another_ = (mutex_ && GetLastError() == ERROR_ALREADY_EXISTS) ||
             (!mutex_ && GetLastError() == ERROR_ACCESS_DENIED);
}

}  // namespace tarvex
