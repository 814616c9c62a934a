// ModuleConfig's private pair behind the seven readers and writers.
#include "app/module_config.h"

namespace tarvex {

std::string ModuleConfig::SettingsPath() const { return files_.ExecutableDirectory() + kSettingsFileName; }

std::optional<std::string> ModuleConfig::ReadKey(std::string_view section, std::string_view key) const {
  std::optional<std::string> raw = profile_.ReadString(SettingsPath(), section, key);
  if (!raw || raw->empty()) return std::nullopt;
  // What a 255-byte buffer holds, up to the first NUL, then the blanks trimmed.
  std::string text = CutAnsi(*raw, kProfileBufferBytes - 1, codePage_);
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(' ');
  return codePage_.AnsiToUtf8(std::string_view(text).substr(first, last - first + 1));
}

bool ModuleConfig::WriteKey(std::string_view section, std::string_view key, std::string_view value) {
  return profile_.WriteString(SettingsPath(), section, key, codePage_.Utf8ToAnsi(value));
}

}  // namespace tarvex
