// Helpers for Windows-side tests that drive real programs: processes, windows,
// dialogs, waiting for conditions with a timeout (never fixed sleeps). Plain
// Win32; works unchanged on Windows and under Wine.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvex::e2e {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

// Polls `condition` every few milliseconds until it holds or `timeout` passes.
bool WaitUntil(const std::function<bool()>& condition, Millis timeout = 10s);

// The folder of the running test program (the build folder: tarvex.exe and
// e2e_window.exe lie beside it).
std::filesystem::path BuildDir();

// A fresh folder under %TEMP%, removed when the object dies.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A child process; terminated (and its handles closed) when the object dies
// unless it has already exited.
class Process {
 public:
  Process() = default;
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;

  static std::optional<Process> Start(const std::filesystem::path& exe,
                                      const std::wstring& arguments = L"",
                                      const std::filesystem::path& workingDir = {});
  DWORD Id() const { return pid_; }
  HANDLE Handle() const { return process_; }
  bool Running() const;
  // The exit code once the process has ended within `timeout`.
  std::optional<DWORD> WaitExit(Millis timeout = 10s) const;
  void Kill();

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// Visible or hidden top-level windows of a process.
std::vector<HWND> TopLevelWindows(DWORD pid, bool visibleOnly = false);
// The first top-level window of `pid` with the class name (if given) and the
// title (if given), waited for up to `timeout`.
HWND WaitForWindow(DWORD pid, const std::wstring& className, const std::wstring& title,
                   Millis timeout = 10s);
std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);
// The first descendant with the class (empty = any) and control id (-1 = any).
HWND FindDescendant(HWND parent, const std::wstring& className, int id = -1);
// The first descendant whose window text equals `text`.
HWND FindDescendantByText(HWND parent, const std::wstring& text);

// Message boxes and common dialogs (class #32770) of a process.
HWND WaitForDialog(DWORD pid, Millis timeout = 10s);
// The text of a message box (the Static with id 0xFFFF).
std::wstring MessageBoxText(HWND dialog);
// Clicks a dialog button by id (IDOK 1, IDYES 6, IDNO 7) without needing focus.
bool ClickDialogButton(HWND dialog, int id);

bool BringToForeground(HWND hwnd, Millis timeout = 5s);

// What the screen shows in `r`, row by row from the top, 0x00RRGGBB per pixel.
std::vector<uint32_t> ScreenPixels(const RECT& r);

// The process priority class of `pid` (0 when it cannot be read).
DWORD PriorityClassOf(DWORD pid);

// GDI objects, USER objects and kernel handles of a process.
struct ResourceCounts {
  DWORD gdi = 0;
  DWORD user = 0;
  DWORD handles = 0;
};
ResourceCounts ResourcesOf(HANDLE process);

// Registry and INI read-back (values as UTF-16).
std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& key,
                                               const std::wstring& value);
std::optional<std::wstring> ReadIni(const std::filesystem::path& file, const std::wstring& section,
                                    const std::wstring& key);
std::string ReadFileBytes(const std::filesystem::path& file);

}  // namespace tarvex::e2e
