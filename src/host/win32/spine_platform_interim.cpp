// Interim Win32 services for SpinePlatform until the settings/engine layer's
// own implementations are part of the build: each method is one or two calls.
#include "spine_platform.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "platform/win32/wide_text.h"

namespace tarvex {
namespace {

HWND Hwnd(WindowHandle w) { return reinterpret_cast<HWND>(static_cast<intptr_t>(w)); }

class Process final : public ProcessPlatform {
 public:
  WindowHandle ForegroundWindow() override { return reinterpret_cast<intptr_t>(GetForegroundWindow()); }
  std::string WindowTextAnsi(WindowHandle w) override {
    char buffer[1024] = {};
    const int n = GetWindowTextA(Hwnd(w), buffer, sizeof buffer);
    return std::string(buffer, static_cast<size_t>(n > 0 ? n : 0));
  }
  ProcessId WindowProcessId(WindowHandle w) override {
    DWORD pid = 0;
    GetWindowThreadProcessId(Hwnd(w), &pid);
    return pid;
  }
  ProcessId CurrentProcessId() override { return GetCurrentProcessId(); }
  ProcessHandle OpenProcess(uint32_t access, ProcessId id) override {
    return reinterpret_cast<intptr_t>(::OpenProcess(access, FALSE, id));
  }
  bool SetPriorityClass(ProcessHandle p, uint32_t c) override {
    return ::SetPriorityClass(reinterpret_cast<HANDLE>(p), c) != FALSE;
  }
  uint32_t GetPriorityClass(ProcessHandle p) override {
    return p ? ::GetPriorityClass(reinterpret_cast<HANDLE>(p)) : 0;
  }
  void CloseHandle(ProcessHandle p) override {
    if (p) ::CloseHandle(reinterpret_cast<HANDLE>(p));
  }
};

class Profile final : public ProfileStore {
 public:
  std::optional<std::string> ReadString(const std::string& path, std::string_view section,
                                        std::string_view key) override {
    std::vector<char> buffer(4096);
    const DWORD n = GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), "\x01",
                                             buffer.data(), static_cast<DWORD>(buffer.size()),
                                             Utf8ToAnsi(path).c_str());
    std::string value(buffer.data(), n);
    if (value == "\x01") return std::nullopt;
    return value;
  }
  bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value) override {
    return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                      std::string(value).c_str(), Utf8ToAnsi(path).c_str()) != FALSE;
  }
};

class AutoStart final : public AutoStartStore {
 public:
  bool SetRunValue(std::string_view name, std::string_view data) override {
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, kRunKeyPath, &key) != ERROR_SUCCESS) return false;
    const std::string value(data);
    const bool ok = RegSetValueExA(key, std::string(name).c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
  }
  bool DeleteRunValue(std::string_view name) override {
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, kRunKeyPath, &key) != ERROR_SUCCESS) return false;
    const bool ok = RegDeleteValueA(key, std::string(name).c_str()) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
  }
};

class Ansi final : public CodePage {
 public:
  std::string Utf8ToAnsi(std::string_view utf8) const override { return tarvex::Utf8ToAnsi(utf8); }
  std::string AnsiToUtf8(std::string_view ansi) const override {
    if (ansi.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return WideToUtf8(wide);
  }
  bool IsLeadByte(uint8_t byte) const override { return IsDBCSLeadByte(byte) != FALSE; }
};

class TimeOfDay final : public Clock {
 public:
  std::string TimeOfDayText() override {
    wchar_t buffer[64] = {};
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, 64);
    return WideToUtf8(buffer);
  }
};

class Boxes final : public Dialogs {
 public:
  HWND owner = nullptr;
  MessageBoxResult ShowMessageBox(std::string_view text, std::string_view title, MessageBoxIcon icon,
                                  MessageBoxButtons buttons) override {
    UINT type = buttons == MessageBoxButtons::kYesNo ? MB_YESNO : MB_OK;
    if (icon == MessageBoxIcon::kExclamation) type |= MB_ICONEXCLAMATION;
    if (icon == MessageBoxIcon::kQuestion) type |= MB_ICONQUESTION;
    return static_cast<MessageBoxResult>(
        MessageBoxW(owner, Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(), type));
  }
  std::string ChooseOpenFile(const OpenFileOptions& options) override {
    std::wstring filter;
    for (const auto& f : options.filters) filter += Utf8ToWide(f.description) + L'\0' + Utf8ToWide(f.pattern) + L'\0';
    filter += L'\0';
    std::vector<wchar_t> name(MAX_PATH * 4, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&ofn)) return {};
    return WideToUtf8(name.data());
  }
};

class Files final : public FileSystem {
 public:
  std::string ExecutableDirectory() override {
    std::wstring path = ModulePath();
    const size_t slash = path.find_last_of(L'\\');
    std::wstring dir = path.substr(0, slash);
    if (dir.size() == 2 && dir[1] == L':') dir += L'\\';
    return WideToUtf8(dir);
  }
  std::string ExecutableBaseName() override {
    std::wstring path = ModulePath();
    std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    return WideToUtf8(name.substr(0, name.find_last_of(L'.')));
  }
  FileResult CreateNewFile(const std::string& path, std::string_view bytes) override {
    return Write(path, bytes, CREATE_NEW);
  }
  FileResult OverwriteFile(const std::string& path, std::string_view bytes) override {
    return Write(path, bytes, CREATE_ALWAYS);
  }
  FileResult RenameReplacing(const std::string& from, const std::string& to) override {
    if (MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
    return {FileFailure::kRename, ErrorText()};
  }
  void RemoveFile(const std::string& path) override { DeleteFileW(Utf8ToWide(path).c_str()); }

 private:
  static std::wstring ModulePath() {
    std::vector<wchar_t> buffer(32768);
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), n);
  }
  static std::string ErrorText() {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, GetLastError(), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string result = text ? WideToUtf8(text) : "";
    if (text) LocalFree(text);
    return result;
  }
  static FileResult Write(const std::string& path, std::string_view bytes, DWORD disposition) {
    HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const bool exists = GetLastError() == ERROR_FILE_EXISTS;
      return {exists ? FileFailure::kExists : FileFailure::kCreate, ErrorText()};
    }
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && FlushFileBuffers(file);
    const std::string error = ok ? "" : ErrorText();
    CloseHandle(file);
    if (!ok) return {FileFailure::kWrite, error};
    return {};
  }
};

}  // namespace

struct SpinePlatform::Impl {
  Process process;
  Profile profile;
  AutoStart autoStart;
  Ansi codePage;
  TimeOfDay clock;
  Boxes dialogs;
  Files files;
};

SpinePlatform::SpinePlatform()
    : impl_(std::make_unique<Impl>()),
      process(impl_->process),
      profile(impl_->profile),
      autoStart(impl_->autoStart),
      codePage(impl_->codePage),
      clock(impl_->clock),
      dialogs(impl_->dialogs),
      files(impl_->files) {}

SpinePlatform::~SpinePlatform() = default;

void SpinePlatform::SetOwner(HWND owner) { impl_->dialogs.owner = owner; }

}  // namespace tarvex
