// The platform's open-file dialog. The caller prepares the filter and title;
// this shows the dialog modally and reports the path the user chose. No OS header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvex {

struct OpenFileRequest {
  int64_t owner = 0;          // owner window handle as an integer
  std::string initialDir;     // UTF-8
  std::string filter;         // pairs separated by NUL characters, ending in NUL
  std::string title;          // UTF-8
  uint32_t capacity = 255;    // characters of the file and file-title buffers
  uint32_t flags = 0;         // OPENFILENAME flags
};

class OpenFileDialog {
 public:
  virtual ~OpenFileDialog() = default;
  // The chosen path (UTF-8), or nullopt when cancelled or when the dialog fails.
  virtual std::optional<std::string> Show(const OpenFileRequest& request) = 0;
};

}  // namespace tarvex
