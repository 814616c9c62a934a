// The main window's fonts (see main_window_fonts.h).
#include "main_window_fonts.h"

#include "host_command_buttons.h"

namespace tarvex {

namespace {
// Height in pixels at 96 dpi for a size in tenths of a point, negative: the
// character height, as the form's font sizes mean it.
int HeightPx(int tenthsPt) { return -MulDiv(tenthsPt, 96, 720); }

UniqueFont Make(const wchar_t* face, int tenthsPt, bool bold, bool underline, BYTE charset) {
  return UniqueFont(CreateFontW(HeightPx(tenthsPt), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline, FALSE,
                     charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face));
}
}  // namespace

MainWindowFonts::MainWindowFonts()
    : window(Make(L"SimSun", 90, false, false, GB2312_CHARSET)),
      label(Make(L"Verdana", 90, false, false, DEFAULT_CHARSET)),
      labelUnderline(Make(L"Verdana", 90, false, true, DEFAULT_CHARSET)),
      heading(Make(L"Verdana", 105, true, false, DEFAULT_CHARSET)),
      productName(Make(L"SimSun", 105, true, false, GB2312_CHARSET)) {}

}  // namespace tarvex
