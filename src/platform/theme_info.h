// The platform's version and visual-style queries behind the tab control's theme
// detection (GetVersionExA, uxtheme GetCurrentThemeName). The control decides
// what the answers mean; this only fetches them. No OS header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvex {

// What GetVersionExA reports (OSVERSIONINFOA, size field 148).
struct OsVersion {
  uint32_t platformId = 0;  // 2 = the NT family
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t build = 0;
};

// GetCurrentThemeName's result code and its colour-name buffer, as returned.
struct ThemeNameResult {
  int32_t hresult = 0;        // 0 = S_OK
  std::string colorName;      // UTF-8; may hold embedded NULs and blanks
};

class ThemeInfoSource {
 public:
  virtual ~ThemeInfoSource() = default;
  // nullopt when the version query fails (does not return exactly 1).
  virtual std::optional<OsVersion> Version() const = 0;
  // Style file and colour name of the visual style in use (255-character buffers).
  virtual ThemeNameResult CurrentThemeName() const = 0;
};

}  // namespace tarvex
