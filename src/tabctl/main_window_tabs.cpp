// SSTabMain's stored properties (see main_window_tabs.h).
#include "tabctl/main_window_tabs.h"

#include <string>

namespace tarvex {

PropertyBag MainWindowTabBag() {
  PropertyBag bag;
  bag.Put("TabCount", int64_t{4});
  for (int i = 0; i < 4; ++i) bag.Put("TabCaption(" + std::to_string(i) + ")", "Tab " + std::to_string(i));
  bag.Put("ActiveTab", int64_t{3});
  bag.Put("TabStyle", int64_t{1});
  bag.Put("TabTheme", int64_t{1});
  bag.Put("ShowFocusRect", false);
  bag.Put("BackColor", int64_t{0xFBFDFB});
  bag.Put("ActiveTabBackStartColor", int64_t{0xFBFDFB});
  bag.Put("ActiveTabBackEndColor", int64_t{0xFBFDFB});
  bag.Put("InActiveTabBackStartColor", int64_t{0xFFFFFF});
  bag.Put("InActiveTabBackEndColor", int64_t{0xEAF0F0});
  bag.Put("OuterBorderColor", int64_t{0x9B9C91});
  bag.Put("TopLeftInnerBorderColor", int64_t{0xFFFFFF});
  bag.Put("BottomRightInnerBorderColor", int64_t{0xAAA6A7});
  bag.Put("DisabledTabBackColor", int64_t{0x8000000F});
  bag.Put("DisabledTabForeColor", int64_t{0xA0A0A0});
  bag.Put("ForeColor", int64_t{0x80000012});
  bag.Put("PictureMaskColor", int64_t{0xFF00FF});
  FontDesc active;
  active.name = "Verdana";
  active.sizePt = 9;
  active.bold = true;
  bag.Put("ActiveTabFont", active);
  FontDesc inactive;
  inactive.name = "SimSun";
  inactive.sizePt = 9;
  inactive.charset = kGb2312Charset;
  bag.Put("InActiveTabFont", inactive);
  return bag;
}

FontDesc MainWindowFormFont() {
  FontDesc font;
  font.name = "SimSun";
  font.sizePt = 9;
  font.charset = kGb2312Charset;
  return font;
}

}  // namespace tarvex
