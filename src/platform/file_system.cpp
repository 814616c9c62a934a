// Replacing a file's content through a temporary file beside it, so that a
// failed save never leaves the user's old file truncated or half written.
#include "platform/file_system.h"

#include <string>

namespace tarvex {
namespace {

// Attempts at a free temporary name before giving up on the safe path.
constexpr int kTemporaryNameAttempts = 16;

std::string TemporaryName(const std::string& path, int attempt) {
  return path + ".~tvx" + std::to_string(attempt) + ".tmp";
}

}  // namespace

FileResult ReplaceFileContents(FileSystem& files, const std::string& path, std::string_view bytes) {
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    const std::string temporary = TemporaryName(path, attempt);
    FileResult written = files.CreateNewFile(temporary, bytes);
    if (written.failure == FileFailure::kExists) continue;
    if (written.failure == FileFailure::kCreate) break;  // nothing may be created here
    if (!written.Ok()) {
      files.RemoveFile(temporary);
      return written;
    }
    FileResult renamed = files.RenameReplacing(temporary, path);
    if (!renamed.Ok()) files.RemoveFile(temporary);
    return renamed;
  }
  // No file can be made beside the target: write the target itself.
  return files.OverwriteFile(path, bytes);
}

}  // namespace tarvex
