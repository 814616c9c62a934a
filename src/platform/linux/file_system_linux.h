// FileSystem over POSIX calls: where the executable lies (/proc/self/exe),
// the whole-file reads and writes behind the settings and the history's safe
// save, and the per-user folder ($XDG_CONFIG_HOME/tarvex).
#pragma once

#include "platform/file_system.h"

namespace tarvex {

class LinuxFileSystem final : public FileSystem {
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

// The running program's full path ("" when /proc cannot tell).
std::string ExecutablePath();

}  // namespace tarvex
