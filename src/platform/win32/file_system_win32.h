// FileSystem over kernel32: the executable's location from GetModuleFileNameW,
// whole-file reads and writes with CreateFileW, renames with MoveFileExW, the
// per-user folder from %APPDATA%, and whether a folder can be written by
// creating a probe file that deletes itself on close.
// Failure texts are the system's own descriptions (FormatMessage).
#pragma once

#include "platform/file_system.h"

namespace tarvex {

class Win32FileSystem final : public FileSystem {
 public:
  std::string ExecutableDirectory() override;
  std::string ExecutableBaseName() override;
  FileResult CreateNewFile(const std::string& path, std::string_view bytes) override;
  FileResult OverwriteFile(const std::string& path, std::string_view bytes) override;
  FileResult RenameReplacing(const std::string& from, const std::string& to) override;
  void RemoveFile(const std::string& path) override;
  bool DirectoryWritable(const std::string& directory) override;
  std::string UserSettingsDirectory() override;
  bool CreateDirectories(const std::string& directory) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
};

// The system's description of an error code, UTF-8, without the trailing line
// break; "Error <n>" when the system has none.
std::string SystemErrorText(unsigned long code);

}  // namespace tarvex
