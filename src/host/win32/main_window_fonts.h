// The main window's fonts at 96 dpi, created once and deleted with the window:
// SimSun 9 pt (the window), Verdana 9 pt (labels, check boxes, lists; an
// underlined twin for hot links), Verdana bold 10.5 pt (headings) and SimSun
// bold 10.5 pt (the product name).
#pragma once

#include "platform/win32/unique_handle.h"

namespace tarvex {

class MainWindowFonts {
 public:
  MainWindowFonts();

  UniqueFont window;
  UniqueFont label;
  UniqueFont labelUnderline;
  UniqueFont heading;
  UniqueFont productName;
};

}  // namespace tarvex
