// The system's ANSI code page at the edges where text leaves the program (INI
// file, history file, Run value, window titles read with the A calls). Inside,
// text is UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

class CodePage {
 public:
  virtual ~CodePage() = default;
  // Characters the code page cannot hold come out as the platform converts
  // them (usually '?').
  virtual std::string Utf8ToAnsi(std::string_view utf8) const = 0;
  virtual std::string AnsiToUtf8(std::string_view ansi) const = 0;
  // True for the first byte of a double-byte character (IsDBCSLeadByte).
  virtual bool IsLeadByte(uint8_t byte) const = 0;
  // Bytes of the character that starts with `first`: 2 for a lead byte here;
  // a code page with longer characters (UTF-8) says so itself.
  virtual size_t CharacterBytes(uint8_t first) const { return IsLeadByte(first) ? 2 : 1; }
};

// `ansi` up to its first NUL, then cut to at most maxBytes without splitting a
// character of several bytes: what a Windows A call with a buffer of
// maxBytes + 1 bytes returns.
std::string CutAnsi(std::string_view ansi, size_t maxBytes, const CodePage& codePage);

}  // namespace tarvex
