// ModuleConfig's choice of file and the private pair behind the seven
// readers and writers.
#include "app/module_config.h"

namespace tarvex {

std::string ModuleConfig::SettingsPath() const { return files_.ExecutableDirectory() + kSettingsFileName; }

std::string ModuleConfig::UserSettingsPath() const {
  const std::string directory = files_.UserSettingsDirectory();
  return directory.empty() ? std::string() : directory + kSettingsFileName;
}

std::string ModuleConfig::ReadPath() const {
  if (FolderWritable()) return SettingsPath();
  const std::string user = UserSettingsPath();
  return !user.empty() && files_.ReadFile(user) ? user : SettingsPath();
}

std::string ModuleConfig::WritePath() {
  if (FolderWritable()) return SettingsPath();
  const std::string user = UserSettingsPath();
  if (user.empty()) return {};
  if (files_.ReadFile(user)) return user;
  if (!files_.CreateDirectories(files_.UserSettingsDirectory())) return {};
  // Seeded with what the user had beside the executable, so the first change
  // does not lose the others.
  if (const std::optional<std::string> seed = files_.ReadFile(SettingsPath())) {
    const FileResult created = files_.CreateNewFile(user, *seed);
    if (!created.Ok() && created.failure != FileFailure::kExists) {
      files_.RemoveFile(user);
      return {};
    }
  }
  return user;
}

std::optional<std::string> ModuleConfig::ReadKey(std::string_view section, std::string_view key) const {
  std::optional<std::string> raw = profile_.ReadString(ReadPath(), section, key);
  if (!raw || raw->empty()) return std::nullopt;
  // What a 255-byte buffer holds, up to the first NUL, then the blanks trimmed.
  std::string text = CutAnsi(*raw, kProfileBufferBytes - 1, codePage_);
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(' ');
  return codePage_.AnsiToUtf8(std::string_view(text).substr(first, last - first + 1));
}

bool ModuleConfig::WriteKey(std::string_view section, std::string_view key, std::string_view value) {
  const std::string path = WritePath();
  if (path.empty()) return false;
  const std::string ansi = codePage_.Utf8ToAnsi(value);
  // Every start applies the stored settings, which writes them back; a write
  // rewrites the whole file (a millisecond or two under Wine), a read does not.
  if (!ansi.empty() && profile_.ReadString(path, section, key) == ansi) return true;
  return profile_.WriteString(path, section, key, ansi);
}

bool ModuleConfig::FolderWritable() const {
  if (batches_ > 0 && folderWritable_) return *folderWritable_;
  const bool writable = files_.DirectoryWritable(files_.ExecutableDirectory());
  if (batches_ > 0) folderWritable_ = writable;
  return writable;
}

}  // namespace tarvex
