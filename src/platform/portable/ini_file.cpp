// The portable private-profile file.
#include "platform/portable/ini_file.h"

#include <fstream>

#include "platform/portable/ini_text.h"

namespace tarvex {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // read() turns a failing read (a folder in the file's place) into badbit;
  // an istreambuf_iterator would let the library's exception through.
  std::string bytes;
  char chunk[4096];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) bytes.append(chunk, static_cast<size_t>(in.gcount()));
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::optional<std::string> IniFileStore::ReadString(const std::string& path, std::string_view section,
                                                    std::string_view key) {
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return IniText(std::move(*bytes)).Get(section, key);
}

bool IniFileStore::WriteString(const std::string& path, std::string_view section, std::string_view key,
                               std::string_view value) {
  IniText text(ReadWholeFile(path).value_or(std::string()));
  if (!text.Set(section, key, value)) return false;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(text.Bytes().data(), static_cast<std::streamsize>(text.Bytes().size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace tarvex
