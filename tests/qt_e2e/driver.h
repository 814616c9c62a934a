// Drives the running Linux program from outside, as a user would: xdotool for
// the mouse, keys and window lookups (by their titles), xprop for window
// properties, the screen's pixels for what the window shows, and the files
// the program writes (settings, autostart entry, saved history). Each
// TarvexApp has private XDG folders, so tests never share settings.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

#include "common/geometry.h"

namespace tarvex::qte2e {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

// Output of a shell command (stdout), and whether it exited 0.
struct Shell {
  std::string out;
  bool ok = false;
};
Shell Sh(const std::string& command);
std::string Quote(const std::string& text);

// Polls `condition` every 50 ms until it holds or `timeout` passes.
bool WaitFor(const std::function<bool()>& condition, Millis timeout = 10s);

// Visible top-level windows whose title matches the regular expression.
std::vector<unsigned long> FindWindows(const std::string& titleRegex, bool onlyVisible = true);
std::vector<unsigned long> FindWindowsOfPid(pid_t pid);
QRect WindowRect(unsigned long window);  // root coordinates
std::string WindowProperty(unsigned long window, const std::string& property);
// The screen as it is now.
QImage Screen();

std::string ReadFile(const std::filesystem::path& path);

// A helper program with one plain window titled `title`, ended with the object.
class HelperWindow {
 public:
  explicit HelperWindow(const std::string& title);
  ~HelperWindow();
  pid_t Pid() const { return pid_; }
  unsigned long Window() const { return window_; }
  // nice and scheduling policy of its main thread, from /proc.
  int Nice() const;
  int Policy() const;

 private:
  pid_t pid_ = -1;
  unsigned long window_ = 0;
};

class TarvexApp {
 public:
  // Fresh XDG folders; `ini` (UTF-8) is written as the settings file unless empty.
  explicit TarvexApp(const std::string& ini = {});
  // Another copy with the same folders (the single-instance lock is shared).
  explicit TarvexApp(const TarvexApp& first, int);
  ~TarvexApp();
  TarvexApp(const TarvexApp&) = delete;
  TarvexApp& operator=(const TarvexApp&) = delete;

  // Starts the program; with `waitShown` waits for its main window to show.
  bool Start(bool waitShown = true);
  pid_t Pid() const { return pid_; }
  // The processor time the program has used so far (user and system).
  Millis CpuTime() const;
  unsigned long Main() const { return main_; }
  // Finds the main window whether shown or hidden; 0 when there is none.
  unsigned long FindMain();
  bool MainVisible() const;
  // Waits for the process to end; its exit status, nullopt on timeout.
  std::optional<int> WaitExit(Millis timeout = 10s);

  std::filesystem::path ConfigHome() const { return dir_ / "config"; }
  std::filesystem::path Ini() const { return ConfigHome() / "tarvex" / "tarvex.ini"; }
  std::filesystem::path Autostart() const { return ConfigHome() / "autostart" / "tarvex.desktop"; }
  std::filesystem::path Folder() const { return dir_; }
  std::optional<std::string> IniValue(const std::string& section, const std::string& key) const;

  // The program's icon in the tray (its small embedded window); 0 when none.
  unsigned long TrayIcon();

  // Input at a point of the window's client area (pixels).
  void Click(Point at, int button = 1);
  void Wheel(Point at, bool down);
  // Keys to the focused window (xdotool names, e.g. "Tab", "alt+n").
  void Keys(const std::string& keys);
  // A point of the tab control's pages (relative to the tab control).
  static Point OnTab(const Rect& rectOnPage, int dx = 0, int dy = 0);

  // The page in front, read from the screen (nullopt when none is recognised).
  std::optional<int> ActivePage();
  QImage Grab();  // the window's client area as it shows now

 private:
  std::filesystem::path dir_;
  bool ownsDir_ = true;
  pid_t pid_ = -1;
  unsigned long main_ = 0;
};

// The program's dialog titled `title` (exact), waited for; 0 when none came.
unsigned long WaitDialog(const std::string& title, Millis timeout = 10s);
// Clicks (`count` times) at a point of any window.
void ClickWindow(unsigned long window, Point at, int button = 1, int count = 1);
// Keys to a given window after activating it.
void KeysTo(unsigned long window, const std::string& keys);
void TypeTo(unsigned long window, const std::string& text);

}  // namespace tarvex::qte2e
