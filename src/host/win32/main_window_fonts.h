// The main window's fonts at 96 dpi, created once and deleted with the window:
// SimSun 9 pt (the window), Verdana 9 pt (labels, check boxes, lists; an
// underlined twin for hot links), Verdana bold 10.5 pt (headings) and SimSun
// bold 10.5 pt (the product name).
#pragma once

#include <windows.h>

namespace tarvex {

class MainWindowFonts {
 public:
  MainWindowFonts();
  ~MainWindowFonts();
  MainWindowFonts(const MainWindowFonts&) = delete;
  MainWindowFonts& operator=(const MainWindowFonts&) = delete;

  HFONT window = nullptr;
  HFONT label = nullptr;
  HFONT labelUnderline = nullptr;
  HFONT heading = nullptr;
  HFONT productName = nullptr;
};

}  // namespace tarvex
