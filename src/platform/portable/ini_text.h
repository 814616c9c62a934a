// The text of an INI file with the private-profile rules of Windows, kept as
// the file's bytes: reading parses the lines, a write edits only the line (or
// inserts the one line, or appends the section) it concerns, so every other
// byte of the file stays as it was. Bytes are the ANSI code page; names match
// without regard to ASCII case. No I/O here (see ini_file.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

class IniText {
 public:
  IniText() = default;
  explicit IniText(std::string bytes);

  // The value of the first key `key` in the first section `section`: blanks
  // around it dropped, one pair of matching quotes around it dropped, cut at
  // the first NUL; nullopt when missing or when nothing is left.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;

  // Replaces the key's value in place, or inserts "key=value" after the last
  // line of the section, or appends the section with the key. False (nothing
  // changed) for names or values the format cannot hold: an empty name, a
  // line break anywhere, "]" in a section name, "=" in a key name.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  const std::string& Bytes() const { return bytes_; }

 private:
  struct Line {
    size_t begin = 0;       // offset of the line's first byte
    size_t end = 0;         // offset of its terminator (or of the end of text)
    size_t next = 0;        // offset of the following line
    bool isSection = false;
    std::string name;       // section name or key name (trimmed)
    bool hasValue = false;  // the line holds "="
    size_t valueBegin = 0;  // offset of the value's first byte (after blanks)
    size_t valueEnd = 0;    // offset after its last non-blank byte
  };

  void Parse();
  // Index of the first section line named `section`, or npos.
  size_t FindSection(std::string_view section) const;
  // Index of the first key line named `key` after section line `sectionLine`.
  size_t FindKey(size_t sectionLine, std::string_view key) const;
  // Index of the last non-blank line belonging to section line `sectionLine`.
  size_t LastLineOfSection(size_t sectionLine) const;

  std::string bytes_;
  std::vector<Line> lines_;  // non-blank lines only
};

// The reading rules applied to a raw value: what a read returns for a line
// "key=<raw>". Exposed for tests and the fuzzer.
std::optional<std::string> IniReadValue(std::string_view raw);

}  // namespace tarvex
