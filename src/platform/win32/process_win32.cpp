// Foreground window, titles and priority classes through the Windows calls.
#include "platform/win32/process_win32.h"

#include <windows.h>

#include <vector>

namespace tarvex {
namespace {

HWND AsHwnd(WindowHandle window) { return reinterpret_cast<HWND>(static_cast<intptr_t>(window)); }
HANDLE AsHandle(ProcessHandle process) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(process)); }

}  // namespace

WindowHandle Win32ProcessPlatform::ForegroundWindow() {
  return static_cast<WindowHandle>(reinterpret_cast<intptr_t>(::GetForegroundWindow()));
}

std::string Win32ProcessPlatform::WindowTextAnsi(WindowHandle window) {
  // The whole title: the caller cuts it as its own buffer would.
  const int length = ::GetWindowTextLengthA(AsHwnd(window));
  if (length <= 0) return {};
  std::vector<char> buffer(static_cast<size_t>(length) + 2);
  const int copied = ::GetWindowTextA(AsHwnd(window), buffer.data(), static_cast<int>(buffer.size()));
  return copied > 0 ? std::string(buffer.data(), static_cast<size_t>(copied)) : std::string();
}

ProcessId Win32ProcessPlatform::WindowProcessId(WindowHandle window) {
  DWORD id = 0;
  if (::GetWindowThreadProcessId(AsHwnd(window), &id) == 0) return 0;
  return id;
}

ProcessId Win32ProcessPlatform::CurrentProcessId() { return ::GetCurrentProcessId(); }

ProcessHandle Win32ProcessPlatform::OpenProcess(uint32_t access, ProcessId id) {
  return static_cast<ProcessHandle>(reinterpret_cast<intptr_t>(::OpenProcess(access, FALSE, id)));
}

bool Win32ProcessPlatform::SetPriorityClass(ProcessHandle process, uint32_t priorityClass) {
  return ::SetPriorityClass(AsHandle(process), priorityClass) != FALSE;
}

uint32_t Win32ProcessPlatform::GetPriorityClass(ProcessHandle process) {
  if (process == 0) return 0;
  return ::GetPriorityClass(AsHandle(process));
}

void Win32ProcessPlatform::CloseHandle(ProcessHandle process) {
  if (process != 0) ::CloseHandle(AsHandle(process));
}

}  // namespace tarvex
