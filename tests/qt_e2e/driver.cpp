// The Linux program's end-to-end driver (see driver.h).
#include "driver.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/main_window_layout.h"
#include "tarvex_version.h"

namespace tarvex::qte2e {

Shell Sh(const std::string& command) {
  Shell result;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
  result.ok = pclose(pipe) == 0;
  return result;
}

std::string Quote(const std::string& text) {
  std::string q = "'";
  for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

bool WaitFor(const std::function<bool()>& condition, Millis timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (true) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(50ms);
  }
}

namespace {
std::vector<unsigned long> Ids(const std::string& text) {
  std::vector<unsigned long> ids;
  std::istringstream in(text);
  unsigned long id;
  while (in >> id) ids.push_back(id);
  return ids;
}
}  // namespace

std::vector<unsigned long> FindWindows(const std::string& titleRegex, bool onlyVisible) {
  return Ids(Sh(std::string("xdotool search ") + (onlyVisible ? "--onlyvisible " : "") + "--name " +
                 Quote(titleRegex)).out);
}

std::vector<unsigned long> FindWindowsOfPid(pid_t pid) {
  return Ids(Sh("xdotool search --pid " + std::to_string(pid)).out);
}

QRect WindowRect(unsigned long window) {
  const std::string out = Sh("xdotool getwindowgeometry --shell " + std::to_string(window)).out;
  auto value = [&](const char* key) {
    std::smatch m;
    return std::regex_search(out, m, std::regex(std::string(key) + "=(-?[0-9]+)")) ? std::stoi(m[1]) : 0;
  };
  return QRect(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
}

std::string WindowProperty(unsigned long window, const std::string& property) {
  return Sh("xprop -id " + std::to_string(window) + " " + property).out;
}

QImage Screen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32) : QImage();
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// --- the helper window ---

HelperWindow::HelperWindow(const std::string& title) {
  pid_ = fork();
  if (pid_ == 0) {
    execl("/proc/self/exe", "tarvex_qt_e2e", "--window", title.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  WaitFor([&] {
    const auto ids = FindWindowsOfPid(pid_);
    for (unsigned long id : ids) {
      if (Sh("xwininfo -id " + std::to_string(id)).out.find("IsViewable") != std::string::npos) window_ = id;
    }
    return window_ != 0;
  });
}

HelperWindow::~HelperWindow() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

namespace {
// Field `index` (1-based, as proc(5) counts) of /proc/PID/stat.
long StatField(pid_t pid, int index) {
  const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
  const size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1000;
  std::istringstream in(stat.substr(close + 2));
  std::string field;
  for (int i = 3; i <= index && in >> field; ++i) {
  }
  return std::stol(field);
}
}  // namespace

int HelperWindow::Nice() const { return static_cast<int>(StatField(pid_, 19)); }
int HelperWindow::Policy() const { return static_cast<int>(StatField(pid_, 41)); }

Millis TarvexApp::CpuTime() const {
  static const long hz = sysconf(_SC_CLK_TCK);
  return Millis((StatField(pid_, 14) + StatField(pid_, 15)) * 1000 / hz);
}

// --- the program ---

TarvexApp::TarvexApp(const std::string& ini) {
  char name[] = "/tmp/tarvex-qt-e2e-XXXXXX";
  dir_ = mkdtemp(name);
  std::filesystem::create_directories(Ini().parent_path());
  std::filesystem::create_directories(dir_ / "runtime");
  chmod((dir_ / "runtime").c_str(), 0700);
  if (!ini.empty()) std::ofstream(Ini(), std::ios::binary) << ini;
}

TarvexApp::TarvexApp(const TarvexApp& first, int) : dir_(first.dir_), ownsDir_(false) {}

TarvexApp::~TarvexApp() {
  if (pid_ > 0 && !WaitExit(0ms)) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  // Dialogs a failed test left behind go with their program.
  std::error_code ignored;
  if (ownsDir_) std::filesystem::remove_all(dir_, ignored);
}

bool TarvexApp::Start(bool waitShown) {
  const std::string config = ConfigHome().string(), runtime = (dir_ / "runtime").string();
  const std::string log = (dir_ / (ownsDir_ ? "first.log" : "second.log")).string();
  pid_ = fork();
  if (pid_ == 0) {
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    freopen(log.c_str(), "w", stdout);
    freopen(log.c_str(), "a", stderr);
    execl(TARVEX_PROGRAM, TARVEX_PROGRAM, static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pid_ < 0) return false;
  if (!waitShown) return true;
  return WaitFor([&] { return FindMain() != 0 && MainVisible(); }, 30s);
}

unsigned long TarvexApp::FindMain() {
  const auto ids = Ids(Sh("xdotool search --pid " + std::to_string(pid_) + " --name " +
                           Quote("^Tarvex v" TARVEX_VERSION_STRING "$")).out);
  // The tray icon's small window carries the same title.
  main_ = 0;
  for (unsigned long id : ids) {
    if (WindowRect(id).width() > 100) main_ = id;
  }
  return main_;
}

bool TarvexApp::MainVisible() const {
  return main_ != 0 && Sh("xwininfo -id " + std::to_string(main_)).out.find("IsViewable") != std::string::npos;
}

std::optional<int> TarvexApp::WaitExit(Millis timeout) {
  if (pid_ <= 0) return std::nullopt;
  std::optional<int> status;
  WaitFor([&] {
    int s = 0;
    if (waitpid(pid_, &s, WNOHANG) != pid_) return false;
    status = WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
    return true;
  }, timeout);
  if (status) pid_ = -1;
  return status;
}

std::optional<std::string> TarvexApp::IniValue(const std::string& section, const std::string& key) const {
  std::istringstream in(ReadFile(Ini()));
  std::string line, current;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      current = line.substr(1, line.size() - 2);
    } else if (current == section && line.rfind(key + "=", 0) == 0) {
      return line.substr(key.size() + 1);
    }
  }
  return std::nullopt;
}

void TarvexApp::Click(Point at, int button) { ClickWindow(main_, at, button); }

unsigned long TarvexApp::TrayIcon() {
  for (unsigned long id : FindWindowsOfPid(pid_)) {
    const QRect r = WindowRect(id);
    if (id != main_ && r.width() > 0 && r.width() <= 48 && r.height() <= 48) return id;
  }
  return 0;
}

void ClickWindow(unsigned long window, Point at, int button, int count) {
  Sh("xdotool mousemove --window " + std::to_string(window) + " " + std::to_string(at.x) + " " +
     std::to_string(at.y) + " click --repeat " + std::to_string(count) + " --delay 60 " + std::to_string(button));
}

void TarvexApp::Wheel(Point at, bool down) { Click(at, down ? 5 : 4); }

void TarvexApp::Keys(const std::string& keys) { KeysTo(main_, keys); }

Point TarvexApp::OnTab(const Rect& r, int dx, int dy) {
  return {layout::kTab.left + r.left + dx, layout::kTab.top + r.top + dy};
}

QImage TarvexApp::Grab() {
  const QRect r = WindowRect(main_);
  return Screen().copy(r);
}

std::optional<int> TarvexApp::ActivePage() {
  using namespace layout;
  const QImage image = Grab();
  auto at = [&](Point p) { return image.valid(p.x, p.y) ? image.pixel(p.x, p.y) : qRgb(0, 0, 0); };
  // Each page by a pixel only it shows: the CPU legend square, the about
  // icon's blue, the history list's white interior, a check box's white box.
  const QRgb legend = at(OnTab(At(kLegendLeft[0], kLegendTop + 3, kLegendSquare, kLegendSquare), 5, 5));
  if (legend == qRgb(0, 255, 0)) return 0;
  const QRgb icon = at(OnTab(kAboutIcon, 8, 24));
  if (qBlue(icon) > qRed(icon) + 60) return 3;
  if (at(OnTab(kListViewHistory, kListViewHistory.Width() - 12, kListViewHistory.Height() - 12)) == qRgb(255, 255, 255)) {
    return 2;
  }
  if (at(OnTab(kCheckAutoRun, 8, 10)) == qRgb(255, 255, 255)) return 1;
  return std::nullopt;
}

unsigned long WaitDialog(const std::string& title, Millis timeout) {
  std::string pattern = "^";
  for (char c : title) pattern += std::string(std::strchr(".^$*+?()[]{}|\\", c) && c ? "\\" : "") + c;
  pattern += "$";
  unsigned long found = 0;
  WaitFor([&] {
    const auto ids = FindWindows(pattern);
    found = ids.empty() ? 0 : ids.back();
    return found != 0;
  }, timeout);
  return found;
}

void KeysTo(unsigned long window, const std::string& keys) {
  Sh("xdotool windowactivate --sync " + std::to_string(window) + " key --clearmodifiers " + keys);
}

void TypeTo(unsigned long window, const std::string& text) {
  Sh("xdotool windowactivate --sync " + std::to_string(window) + " type --delay 20 " + Quote(text));
}

}  // namespace tarvex::qte2e
