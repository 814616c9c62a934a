// idle_probe.exe PROGRAM [SECONDS] [over]: starts PROGRAM and prints the time
// until one of its top-level windows is visible; after a few seconds to settle
// it marks a window of SECONDS ("window_begin", "window_end") over which the
// caller reads the program's CPU, then prints the program's private bytes
// (PrivateUsage) and ends it. The pointer rests in the screen's corner, as
// when the user works in another program; with "over" it rests on the middle
// of the program's window instead (under Wine a window that asked for a
// mouse-leave notice is then polled every hover time).
// idle_probe.exe --hold: keeps the desktop in use until it is ended. Under
// Wine the desktop process closes a second after its last user ends and the
// next program starts it again (about 0.1 s, landing on whichever program
// comes first): held, every start is timed in a warm desktop.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>

#include "memory_probe_block.h"

namespace {

struct Search {
  DWORD pid;
  bool found;
  HWND window;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid && IsWindowVisible(window)) {
    search->found = true;
    search->window = window;
    return FALSE;
  }
  return TRUE;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Under Wine SetCursorPos only warps the X pointer with a pointer grab, which
// this program cannot take; an injected move reaches it through the window
// under the pointer. Retried, as the X server's echo of an older position can
// put the pointer back.
bool MovePointer(int x, int y) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(x, 65536, w) + 1;
  in.mi.dy = MulDiv(y, 65536, h) + 1;
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  auto there = [x, y] {
    POINT now{};
    return GetCursorPos(&now) && now.x == x && now.y == y;
  };
  // Polls `holds` every 10 ms for up to `ms`: the first answer `want` ends it.
  auto within = [](DWORD ms, bool want, auto holds) {
    for (const ULONGLONG end = GetTickCount64() + ms;;) {
      if (holds() == want) return true;
      if (GetTickCount64() >= end) return false;
      Sleep(10);
    }
  };
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (SendInput(1, &in, sizeof in) != 1) return false;
    if (!within(1000, true, there)) continue;
    // The move holds when no late echo takes the pointer away within 700 ms.
    if (!within(700, false, there)) return true;
  }
  return false;
}

// memory_probe.dll (beside this program) loaded into `process` on a thread of
// its own reads the process's counters from inside.
std::optional<MemoryProbeBlock> ReadMemory(HANDLE process, const wchar_t* self) {
  std::wstring dll = self;
  dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"memory_probe.dll";
  wchar_t full[MAX_PATH];
  if (!GetFullPathNameW(dll.c_str(), MAX_PATH, full, nullptr)) return std::nullopt;
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(MemoryProbeBlock), kMemoryProbeBlockName);
  if (mapping == nullptr) return std::nullopt;
  std::optional<MemoryProbeBlock> result;
  auto* block = static_cast<MemoryProbeBlock*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  const size_t bytes = (std::wcslen(full) + 1) * sizeof(wchar_t);
  void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
  if (block != nullptr && remote != nullptr && loadLibrary != nullptr &&
      WriteProcessMemory(process, remote, full, bytes, nullptr)) {
    block->filled = 0;
    if (HANDLE thread = CreateRemoteThread(process, nullptr, 0, loadLibrary, remote, 0, nullptr)) {
      WaitForSingleObject(thread, 10000);
      CloseHandle(thread);
      if (block->filled == 1) result = *block;
    }
  }
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  if (block != nullptr) UnmapViewOfFile(block);
  CloseHandle(mapping);
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fwprintf(stderr, L"usage: idle_probe PROGRAM [SECONDS] [over] | idle_probe --hold\n");
    return 2;
  }
  // This process's own connection to the desktop comes before the clock starts.
  Search none{0, false, nullptr};
  EnumWindows(FindShown, reinterpret_cast<LPARAM>(&none));
  if (std::wcscmp(argv[1], L"--hold") == 0) {
    Sleep(INFINITE);
    return 0;
  }
  const DWORD seconds = argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 60;
  const bool pointerOver = argc > 3 && std::wcscmp(argv[3], L"over") == 0;
  std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER start, now;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi)) {
    std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  Search search{pi.dwProcessId, false, nullptr};
  for (;;) {
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    if (search.found || Seconds(start, now) > 30) break;
    Sleep(2);
  }
  if (!search.found) {
    std::fwprintf(stderr, L"no window within 30 s\n");
    TerminateProcess(pi.hProcess, 1);
    return 1;
  }
  std::printf("startup_s %.3f\n", Seconds(start, now));
  std::fflush(stdout);
  RECT bounds{};
  const bool placed = pointerOver && GetWindowRect(search.window, &bounds)
                          ? MovePointer((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2)
                          : MovePointer(0, 0);
  std::printf("pointer_placed %d\n", placed ? 1 : 0);

  Sleep(5000);  // first paints and samples
  // The CPU share over the window is read by the caller (under Wine the
  // process times of another process are not reported).
  std::printf("window_begin\n");
  std::fflush(stdout);
  Sleep(seconds * 1000);
  std::printf("window_end\n");
  std::fflush(stdout);
  Sleep(1000);  // the caller reads the CPU now, while the program still runs
  if (auto mem = ReadMemory(pi.hProcess, argv[0])) {
    std::printf("private_kib %llu\n", static_cast<unsigned long long>(mem->privateBytes / 1024));
    std::printf("working_set_kib %llu\n", static_cast<unsigned long long>(mem->workingSetBytes / 1024));
  } else {
    std::printf("private_kib unknown\n");
  }
  std::fflush(stdout);
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return 0;
}
