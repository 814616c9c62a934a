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
  if (files_.DirectoryWritable(files_.ExecutableDirectory())) return SettingsPath();
  const std::string user = UserSettingsPath();
  return !user.empty() && files_.ReadFile(user) ? user : SettingsPath();
}

std::string ModuleConfig::WritePath() {
  if (files_.DirectoryWritable(files_.ExecutableDirectory())) return SettingsPath();
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
  return profile_.WriteString(path, section, key, codePage_.Utf8ToAnsi(value));
}

}  // namespace tarvex
