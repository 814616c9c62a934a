// Process, window and dialog helpers for the Windows-side tests.
#include "win/support/e2e.h"

#include <thread>
#include <utility>

#include "win/support/pixels.h"

namespace tarvex::e2e {

std::wstring Decode(const std::string& bytes, UINT codePage) {
  if (bytes.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return out;
}

std::string Encode(const std::wstring& wide, UINT codePage) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

bool WaitUntil(const std::function<bool()>& condition, Millis timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(5ms);
  }
}

std::filesystem::path BuildDir() {
  wchar_t buf[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
  return std::filesystem::path(std::wstring(buf, n)).parent_path();
}

TempDir::TempDir() {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  static unsigned counter = 0;
  for (;;) {
    path_ = std::filesystem::path(tmp) /
            (L"tarvex-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    std::error_code ec;
    if (std::filesystem::create_directory(path_, ec)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

Process::~Process() { Kill(); }

Process::Process(Process&& other) noexcept : process_(other.process_), pid_(other.pid_) {
  other.process_ = nullptr;
  other.pid_ = 0;
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    process_ = other.process_;
    pid_ = other.pid_;
    other.process_ = nullptr;
    other.pid_ = 0;
  }
  return *this;
}

std::optional<Process> Process::Start(const std::filesystem::path& exe, const std::wstring& arguments,
                                      const std::filesystem::path& workingDir) {
  std::wstring command = L"\"" + exe.wstring() + L"\"";
  if (!arguments.empty()) command += L" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const std::wstring dir = workingDir.empty() ? exe.parent_path().wstring() : workingDir.wstring();
  if (!CreateProcessW(exe.wstring().c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      dir.c_str(), &si, &pi))
    return std::nullopt;
  CloseHandle(pi.hThread);
  Process p;
  p.process_ = pi.hProcess;
  p.pid_ = pi.dwProcessId;
  return p;
}

bool Process::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitExit(Millis timeout) const {
  if (!process_) return std::nullopt;
  if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

void Process::Kill() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 255);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
  process_ = nullptr;
}

namespace {

struct EnumState {
  DWORD pid;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lParam) {
  auto* state = reinterpret_cast<EnumState*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == state->pid && (!state->visibleOnly || IsWindowVisible(hwnd))) state->found.push_back(hwnd);
  return TRUE;
}

struct FindState {
  std::wstring className;
  std::wstring text;
  int id;
  bool byText;
  HWND found = nullptr;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM lParam) {
  auto* state = reinterpret_cast<FindState*>(lParam);
  if (state->byText) {
    if (WindowText(hwnd) == state->text) {
      state->found = hwnd;
      return FALSE;
    }
    return TRUE;
  }
  if ((state->className.empty() || _wcsicmp(ClassName(hwnd).c_str(), state->className.c_str()) == 0) &&
      (state->id == -1 || GetDlgCtrlID(hwnd) == state->id)) {
    state->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD pid, bool visibleOnly) {
  EnumState state{pid, visibleOnly, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

std::wstring WindowText(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

std::wstring ClassName(HWND hwnd) {
  wchar_t buf[256];
  int n = GetClassNameW(hwnd, buf, 256);
  return std::wstring(buf, static_cast<size_t>(n > 0 ? n : 0));
}

HWND WaitForWindow(DWORD pid, const std::wstring& className, const std::wstring& title, Millis timeout) {
  HWND result = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : TopLevelWindows(pid)) {
          if (!className.empty() && ClassName(w) != className) continue;
          if (!title.empty() && WindowText(w) != title) continue;
          result = w;
          return true;
        }
        return false;
      },
      timeout);
  return result;
}

HWND FindDescendant(HWND parent, const std::wstring& className, int id) {
  FindState state{className, L"", id, false};
  EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

HWND FindDescendantByText(HWND parent, const std::wstring& text) {
  FindState state{L"", text, -1, true};
  EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

HWND WaitForDialog(DWORD pid, Millis timeout) {
  return WaitForWindow(pid, L"#32770", L"", timeout);
}

std::wstring MessageBoxText(HWND dialog) {
  HWND text = GetDlgItem(dialog, 0xFFFF);
  return text ? WindowText(text) : std::wstring();
}

bool ClickDialogButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button) return false;
  PostMessageW(button, BM_CLICK, 0, 0);
  return true;
}

bool BringToForeground(HWND hwnd, Millis timeout) {
  SetForegroundWindow(hwnd);
  return WaitUntil([&] { return GetForegroundWindow() == hwnd; }, timeout);
}

DWORD RealTimeAsGranted() {
  HANDLE self = GetCurrentProcess();
  const DWORD before = GetPriorityClass(self);
  SetPriorityClass(self, REALTIME_PRIORITY_CLASS);
  const DWORD granted = GetPriorityClass(self);
  SetPriorityClass(self, before);
  return granted;
}

DWORD PriorityClassOf(DWORD pid) {
  HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
  if (!h) h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!h) return 0;
  DWORD cls = GetPriorityClass(h);
  CloseHandle(h);
  return cls;
}

ResourceCounts ResourcesOf(HANDLE process) {
  ResourceCounts counts;
  counts.gdi = GetGuiResources(process, GR_GDIOBJECTS);
  counts.user = GetGuiResources(process, GR_USEROBJECTS);
  GetProcessHandleCount(process, &counts.handles);
  return counts;
}

std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& key, const std::wstring& value) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  std::optional<std::wstring> result;
  if (RegQueryValueExW(h, value.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_SZ) {
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(h, value.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) ==
        ERROR_SUCCESS) {
      data.resize(wcsnlen(data.c_str(), data.size()));
      result = data;
    }
  }
  RegCloseKey(h);
  return result;
}

RegistryValueGuard::RegistryValueGuard(HKEY root, std::wstring key, std::wstring value)
    : root_(root), key_(std::move(key)), value_(std::move(value)), before_(ReadRegistryString(root_, key_, value_)) {}

RegistryValueGuard::~RegistryValueGuard() {
  if (ReadRegistryString(root_, key_, value_) == before_) return;
  HKEY h = nullptr;
  if (RegOpenKeyExW(root_, key_.c_str(), 0, KEY_SET_VALUE, &h) != ERROR_SUCCESS) return;
  if (before_) {
    RegSetValueExW(h, value_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(before_->c_str()),
                   static_cast<DWORD>((before_->size() + 1) * sizeof(wchar_t)));
  } else {
    RegDeleteValueW(h, value_.c_str());
  }
  RegCloseKey(h);
}

FileSetAside::FileSetAside(std::filesystem::path file) : file_(std::move(file)) {
  std::error_code ec;
  if (!std::filesystem::exists(file_, ec)) {
    clear_ = true;
    return;
  }
  std::filesystem::path aside = file_;
  aside += L".aside-" + std::to_wstring(GetCurrentProcessId());
  std::filesystem::rename(file_, aside, ec);
  if (!ec) {
    aside_ = aside;
    clear_ = true;
  }
}

FileSetAside::~FileSetAside() {
  std::error_code ec;
  if (clear_) std::filesystem::remove(file_, ec);
  if (!aside_.empty()) std::filesystem::rename(aside_, file_, ec);
}

std::optional<std::wstring> ReadIni(const std::filesystem::path& file, const std::wstring& section,
                                    const std::wstring& key) {
  wchar_t buf[1024];
  const wchar_t* kMissing = L"\x1\x2missing";
  GetPrivateProfileStringW(section.c_str(), key.c_str(), kMissing, buf, 1024, file.wstring().c_str());
  if (std::wstring(buf) == kMissing) return std::nullopt;
  return std::wstring(buf);
}

std::string ReadFileBytes(const std::filesystem::path& file) {
  HANDLE h = CreateFileW(file.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string data;
  char buf[4096];
  DWORD read = 0;
  while (ReadFile(h, buf, sizeof buf, &read, nullptr) && read > 0) data.append(buf, read);
  CloseHandle(h);
  return data;
}

std::vector<uint32_t> ScreenPixels(const RECT& r) { return CaptureScreen(r).pixels; }

}  // namespace tarvex::e2e
