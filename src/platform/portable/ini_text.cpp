// Parsing and editing of INI text with private-profile semantics.
#include "platform/portable/ini_text.h"

#include <limits>

namespace tarvex {
namespace {

constexpr size_t kNone = std::numeric_limits<size_t>::max();

// The blanks the profile reader trims: C white space and ^Z (a DOS end of file).
bool IsIniSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A';
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsIniSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsIniSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

std::optional<std::string> IniReadValue(std::string_view raw) {
  raw = Trim(raw);
  const size_t nul = raw.find('\0');
  if (nul != std::string_view::npos) raw = raw.substr(0, nul);
  if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front()) {
    raw = raw.substr(1, raw.size() - 2);
  }
  if (raw.empty()) return std::nullopt;
  return std::string(raw);
}

IniText::IniText(std::string bytes) : bytes_(std::move(bytes)) { Parse(); }

void IniText::Parse() {
  lines_.clear();
  size_t pos = 0;
  while (pos < bytes_.size()) {
    Line line;
    line.begin = pos;
    size_t end = bytes_.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = bytes_.size();
    line.end = end;
    line.next = end;
    if (line.next < bytes_.size()) {
      // CR LF, LF or a lone CR ends a line.
      line.next += (bytes_[end] == '\r' && end + 1 < bytes_.size() && bytes_[end + 1] == '\n') ? 2 : 1;
    }
    pos = line.next;

    size_t first = line.begin;
    size_t last = line.end;
    while (first < last && IsIniSpace(bytes_[first])) ++first;
    while (last > first && IsIniSpace(bytes_[last - 1])) --last;
    if (first == last) continue;  // blank line

    const std::string_view text(bytes_.data() + first, last - first);
    if (text.front() == '[') {
      const size_t close = text.rfind(']');
      if (close != std::string_view::npos && close > 0) {
        line.isSection = true;
        line.name.assign(Trim(text.substr(1, close - 1)));  // "[ a ]" names "a"
        lines_.push_back(std::move(line));
        continue;
      }
    }
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
      line.name.assign(text);
    } else {
      line.name.assign(Trim(text.substr(0, equals)));
      line.hasValue = true;
      line.valueBegin = first + equals + 1;
      line.valueEnd = last;
      while (line.valueBegin < line.valueEnd && IsIniSpace(bytes_[line.valueBegin])) ++line.valueBegin;
    }
    lines_.push_back(std::move(line));
  }
}

size_t IniText::FindSection(std::string_view section) const {
  section = Trim(section);
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].isSection && NamesEqual(lines_[i].name, section)) return i;
  }
  return kNone;
}

size_t IniText::FindKey(size_t sectionLine, std::string_view key) const {
  key = Trim(key);
  for (size_t i = sectionLine + 1; i < lines_.size() && !lines_[i].isSection; ++i) {
    if (NamesEqual(lines_[i].name, key)) return i;
  }
  return kNone;
}

size_t IniText::LastLineOfSection(size_t sectionLine) const {
  size_t last = sectionLine;
  while (last + 1 < lines_.size() && !lines_[last + 1].isSection) ++last;
  return last;
}

std::optional<std::string> IniText::Get(std::string_view section, std::string_view key) const {
  const size_t s = FindSection(section);
  if (s == kNone) return std::nullopt;
  const size_t k = FindKey(s, key);
  if (k == kNone || !lines_[k].hasValue) return std::nullopt;
  const Line& line = lines_[k];
  return IniReadValue(std::string_view(bytes_).substr(line.valueBegin, line.valueEnd - line.valueBegin));
}

bool IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
      section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
      key.front() == '[') {
    return false;
  }
  // Built by appending: GCC 12 warns falsely (-Wrestrict) on literal + string.
  std::string keyLine(key);
  keyLine.append("=").append(value);
  const std::string terminatedKeyLine = std::string(keyLine).append("\r\n");

  const size_t s = FindSection(section);
  if (s == kNone) {
    // Append the section; a last line without terminator gets one first.
    if (!bytes_.empty() && bytes_.back() != '\n' && bytes_.back() != '\r') bytes_ += "\r\n";
    bytes_.append("[").append(section).append("]\r\n").append(terminatedKeyLine);
  } else if (const size_t k = FindKey(s, key); k != kNone) {
    const Line& line = lines_[k];
    if (line.hasValue) {
      bytes_.replace(line.valueBegin, line.valueEnd - line.valueBegin, value);
    } else {
      // "key" without "=": the line becomes key=value, its indentation kept.
      size_t nameEnd = line.end;
      while (nameEnd > line.begin && IsIniSpace(bytes_[nameEnd - 1])) --nameEnd;
      bytes_.replace(nameEnd, line.end - nameEnd, std::string("=").append(value));
    }
  } else {
    // Insert after the section's last line (before any blank lines that
    // separate it from the next section).
    const Line& last = lines_[LastLineOfSection(s)];
    if (last.next == last.end) {
      bytes_.insert(last.end, std::string("\r\n").append(terminatedKeyLine));  // unterminated last line
    } else {
      bytes_.insert(last.next, terminatedKeyLine);
    }
  }
  Parse();
  return true;
}

}  // namespace tarvex
