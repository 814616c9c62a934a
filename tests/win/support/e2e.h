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

// Text between UTF-16 and a code page's bytes (CP_UTF8, CP_ACP, ...).
std::wstring Decode(const std::string& bytes, UINT codePage);
std::string Encode(const std::wstring& wide, UINT codePage);
inline std::wstring Widen(const std::string& utf8) { return Decode(utf8, CP_UTF8); }
inline std::string Narrow(const std::wstring& wide) { return Encode(wide, CP_UTF8); }
// The bytes a program writes in the system's ANSI code page.
inline std::string ToAnsi(const std::wstring& wide) { return Encode(wide, CP_ACP); }
// `text` as it comes back through the ANSI code page: what a program shows of
// a window title it reads with the A call ('?' under 1252 for Chinese).
inline std::wstring ThroughAnsi(const std::wstring& text) { return Decode(ToAnsi(text), CP_ACP); }

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
// What a request for real time gives a process of this user: real time with
// the right to raise priorities (and always under Wine), high without it.
// Found by asking for it on the test process itself, which then goes back.
DWORD RealTimeAsGranted();

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

// Keeps a string value of the registry as it was: whatever a test writes there
// is undone when the guard dies, even after a failed assertion (a value that
// was there before, such as a user's own, is put back).
class RegistryValueGuard {
 public:
  RegistryValueGuard(HKEY root, std::wstring key, std::wstring value);
  ~RegistryValueGuard();
  RegistryValueGuard(const RegistryValueGuard&) = delete;
  RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

 private:
  HKEY root_;
  std::wstring key_;
  std::wstring value_;
  std::optional<std::wstring> before_;
};

// Moves a file a test is about to create or remove out of the way and puts it
// back when the guard dies, so a user's file at that place survives the test.
class FileSetAside {
 public:
  explicit FileSetAside(std::filesystem::path file);
  ~FileSetAside();
  FileSetAside(const FileSetAside&) = delete;
  FileSetAside& operator=(const FileSetAside&) = delete;

 private:
  std::filesystem::path file_;
  std::filesystem::path aside_;  // where the earlier file waits; empty when none
  bool clear_ = false;           // the place is the test's: remove what it leaves
};

}  // namespace tarvex::e2e
