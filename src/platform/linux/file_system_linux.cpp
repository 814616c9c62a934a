// Files through open/write/fsync/rename.
#include "platform/linux/file_system_linux.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/linux/xdg_desktop.h"

namespace tarvex {
namespace {

FileResult Failure(FileFailure kind, int error) { return {kind, std::strerror(error)}; }

FileResult WriteWhole(const std::string& path, std::string_view bytes, int flags) {
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | flags, 0644);
  if (fd < 0) return Failure(errno == EEXIST ? FileFailure::kExists : FileFailure::kCreate, errno);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : EIO;
      close(fd);
      return Failure(FileFailure::kWrite, error);
    }
    done += static_cast<size_t>(n);
  }
  // Flushed before the rename that follows, so a crash leaves old or new.
  if (fsync(fd) != 0) {
    const int error = errno;
    close(fd);
    return Failure(FileFailure::kWrite, error);
  }
  if (close(fd) != 0) return Failure(FileFailure::kWrite, errno);
  return {};
}

}  // namespace

std::string ExecutablePath() {
  std::string path(4096, '\0');
  const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<size_t>(n) >= path.size()) return {};
  path.resize(static_cast<size_t>(n));
  return path;
}

std::string LinuxFileSystem::ExecutableDirectory() {
  const std::string path = ExecutablePath();
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string LinuxFileSystem::ExecutableBaseName() {
  const std::string path = ExecutablePath();
  std::string name = path.substr(path.rfind('/') + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

FileResult LinuxFileSystem::CreateNewFile(const std::string& path, std::string_view bytes) {
  return WriteWhole(path, bytes, O_CREAT | O_EXCL);
}

FileResult LinuxFileSystem::OverwriteFile(const std::string& path, std::string_view bytes) {
  return WriteWhole(path, bytes, O_CREAT | O_TRUNC);
}

FileResult LinuxFileSystem::RenameReplacing(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return Failure(FileFailure::kRename, errno);
  return {};
}

void LinuxFileSystem::RemoveFile(const std::string& path) { (void)unlink(path.c_str()); }

bool LinuxFileSystem::DirectoryWritable(const std::string& directory) {
  return access(directory.c_str(), W_OK | X_OK) == 0;
}

std::string LinuxFileSystem::UserSettingsDirectory() {
  return TarvexConfigDirectory();
}

bool LinuxFileSystem::CreateDirectories(const std::string& directory) { return MakeDirectories(directory); }

std::optional<std::string> LinuxFileSystem::ReadFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  for (;;) {
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(chunk, static_cast<size_t>(n));
  }
  close(fd);
  return bytes;
}

}  // namespace tarvex
