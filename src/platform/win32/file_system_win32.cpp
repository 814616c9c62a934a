// Files through kernel32.
#include "platform/win32/file_system_win32.h"

#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace tarvex {
namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

FileResult Failure(FileFailure kind) {
  const DWORD code = GetLastError();
  return {kind, SystemErrorText(code)};
}

FileResult WriteWhole(const std::string& path, std::string_view bytes, DWORD disposition) {
  UniqueHandle file = FileHandle(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD code = GetLastError();
    return {code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ? FileFailure::kExists : FileFailure::kCreate,
            SystemErrorText(code)};
  }
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      return Failure(FileFailure::kWrite);
    }
    done += written;
  }
  if (!FlushFileBuffers(file.Get())) return Failure(FileFailure::kWrite);
  // Closing can still fail (a network file): that is a failed write too.
  if (!CloseHandle(file.Release())) return Failure(FileFailure::kWrite);
  return {};
}

}  // namespace

std::string SystemErrorText(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = n && text ? std::wstring(text, n) : std::wstring();
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
    message.pop_back();
  }
  if (message.empty()) return "Error " + std::to_string(code);
  return WideToUtf8(message);
}

std::string Win32FileSystem::ExecutableDirectory() {
  std::wstring path = ModulePath();
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  // A drive root keeps its separator ("C:\"), any other folder loses it.
  path.resize(slash == 2 && path[1] == L':' ? slash + 1 : slash);
  return WideToUtf8(path);
}

std::string Win32FileSystem::ExecutableBaseName() {
  std::wstring path = ModulePath();
  const size_t slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos) name.resize(dot);
  return WideToUtf8(name);
}

FileResult Win32FileSystem::CreateNewFile(const std::string& path, std::string_view bytes) {
  return WriteWhole(path, bytes, CREATE_NEW);
}

FileResult Win32FileSystem::OverwriteFile(const std::string& path, std::string_view bytes) {
  return WriteWhole(path, bytes, CREATE_ALWAYS);
}

FileResult Win32FileSystem::RenameReplacing(const std::string& from, const std::string& to) {
  const std::wstring target = Utf8ToWide(to);
  // Windows refuses to replace a read-only file; Wine would not, so ask first.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return Failure(FileFailure::kRename);
  }
  if (!MoveFileExW(Utf8ToWide(from).c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return Failure(FileFailure::kRename);
  }
  return {};
}

void Win32FileSystem::RemoveFile(const std::string& path) { DeleteFileW(Utf8ToWide(path).c_str()); }

bool Win32FileSystem::DirectoryWritable(const std::string& directory) {
  // Attributes and ACLs do not tell (a root user under Wine, an immutable
  // folder, a read-only medium): trying does. The probe vanishes on close.
  std::wstring probe = Utf8ToWide(directory);
  if (!probe.empty() && probe.back() != L'\\') probe += L'\\';
  probe += L"~tarvex-probe-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  const UniqueHandle file = FileHandle(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                  FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN |
                                                      FILE_FLAG_DELETE_ON_CLOSE,
                                                  nullptr));
  return static_cast<bool>(file);
}

std::string Win32FileSystem::UserSettingsDirectory() {
  const DWORD n = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
  if (n == 0) return {};
  std::wstring appData(n, L'\0');
  const DWORD copied = GetEnvironmentVariableW(L"APPDATA", appData.data(), n);
  if (copied == 0 || copied >= n) return {};
  appData.resize(copied);
  while (!appData.empty() && (appData.back() == L'\\' || appData.back() == L'/')) appData.pop_back();
  if (appData.empty()) return {};
  return WideToUtf8(appData) + "\\Tarvex";
}

bool Win32FileSystem::CreateDirectories(const std::string& directory) {
  const std::wstring path = Utf8ToWide(directory);
  // Each prefix that ends before a separator, then the whole path.
  for (size_t at = path.find_first_of(L"\\/", 3); ; at = path.find_first_of(L"\\/", at + 1)) {
    const std::wstring prefix = path.substr(0, at);
    if (!CreateDirectoryW(prefix.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      if (at == std::wstring::npos) return false;
    }
    if (at == std::wstring::npos) break;
  }
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) {
  const UniqueHandle file = FileHandle(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (::ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr)) {
    if (got == 0) return bytes;
    bytes.append(chunk, got);
  }
  return std::nullopt;
}

}  // namespace tarvex
