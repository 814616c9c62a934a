// Files the program writes and where it lives: the executable's directory and
// base name, and the few file calls behind replacing a file's whole content
// safely (ReplaceFileContents below: a temporary file beside the target, then a
// rename over it). Paths are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

enum class FileFailure {
  kNone,
  kExists,  // CreateNewFile: the name is taken
  kCreate,  // the file could not be created or opened
  kWrite,   // opened, but writing, flushing or closing failed
  kRename,  // the rename over the target failed
};

struct FileResult {
  FileFailure failure = FileFailure::kNone;
  std::string errorText;  // the platform's description of the failure, UTF-8
  bool Ok() const { return failure == FileFailure::kNone; }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The directory of the running executable exactly as the platform reports
  // it: no trailing separator except at a drive root ("C:\").
  virtual std::string ExecutableDirectory() = 0;
  // The executable's file name without directory and extension ("tarvex").
  virtual std::string ExecutableBaseName() = 0;

  // Creates `path` only if it does not exist yet, writes `bytes`, flushes and
  // closes it. A file left behind by a failed write is the caller's to remove.
  virtual FileResult CreateNewFile(const std::string& path, std::string_view bytes) = 0;
  // Creates `path` or truncates it, then writes `bytes` and closes it.
  virtual FileResult OverwriteFile(const std::string& path, std::string_view bytes) = 0;
  // Renames `from` to `to`, replacing `to` if it exists (MoveFileEx with
  // MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
  virtual FileResult RenameReplacing(const std::string& from, const std::string& to) = 0;
  // Deletes `path`; failures are ignored.
  virtual void RemoveFile(const std::string& path) = 0;

  // Whether a new file can be created in `directory` now (a read-only folder,
  // a folder without create rights or a read-only medium cannot).
  virtual bool DirectoryWritable(const std::string& directory) = 0;
  // The folder for this user's settings (%APPDATA%\Tarvex); empty when the
  // platform names none. It may not exist yet.
  virtual std::string UserSettingsDirectory() = 0;
  // Creates `directory` and its missing parents; whether it exists afterwards.
  virtual bool CreateDirectories(const std::string& directory) = 0;
  // The whole content of the file at `path`; nullopt when there is none or it
  // cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
};

// Gives `path` exactly `bytes` as its content without ever leaving it
// truncated or half written: writes a new file beside it and renames that over
// it; on failure the temporary file is removed and `path` is untouched. Where
// no file can be created beside the target (a folder without create rights
// holding a writable file) it falls back to overwriting the file in place.
FileResult ReplaceFileContents(FileSystem& files, const std::string& path, std::string_view bytes);

}  // namespace tarvex
