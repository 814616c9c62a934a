// TabStrip: reading and writing the property bag, in the orders the stored forms
// rely on. A value equal to its default is not written; reading the bag applies
// stored values directly (no switch, no colour set) and installs the hooks at
// run time.
#include <algorithm>
#include <string>

#include "common/control_error.h"
#include "tabctl/tab_children.h"
#include "tabctl/tab_strip.h"

namespace tarvex {
namespace {

constexpr int64_t kDefBtnFace = 0x8000000F;
constexpr int64_t kDefBtnText = 0x80000012;

std::string IndexedKey(const char* prefix, int32_t i) {
  return std::string(prefix) + std::to_string(i) + ")";
}

OleColor ReadColor(const PropertyBag& bag, const char* key, int64_t def) {
  return static_cast<OleColor>(bag.ReadInt(key, def));
}

int32_t ReadInt32(const PropertyBag& bag, const char* key, int64_t def) {
  return static_cast<int32_t>(bag.ReadInt(key, def));
}

FontDesc FontOrAmbient(const TabFont& font, const FontDesc& ambient) {
  return font ? *font : ambient;
}

}  // namespace

void TabStrip::ReadProperties(const PropertyBag& bag) {
  RaiseAs("TabStrip.UserControl_ReadProperties", [&] {
    const OleColor ambientBack = site_->AmbientBackColor();
    const FontDesc ambientFont = site_->AmbientFont();
    s_.ActiveTab = ReadInt32(bag, "ActiveTab", 0);
    s_.UseControlBox = bag.ReadBool("UseControlBox", false);
    s_.ShowFocusRect = bag.ReadBool("ShowFocusRect", true);
    s_.UseFocusedColor = bag.ReadBool("UseFocusedColor", true);
    s_.UseMaskColor = bag.ReadBool("UseMaskColor", true);
    s_.UseMouseWheelScroll = bag.ReadBool("UseMouseWheelScroll", true);
    s_.UseThemeDetection = bag.ReadBool("UseThemeDetection", false);
    s_.PictureAlign = ReadInt32(bag, "PictureAlign", 0);
    s_.PictureSize = ReadInt32(bag, "PictureSize", 0);
    s_.TabStyle = ReadInt32(bag, "TabStyle", 0);
    s_.TabTheme = ReadInt32(bag, "TabTheme", 0);
    s_.ActiveTabBackEndColor = ReadColor(bag, "ActiveTabBackEndColor", kDefBtnFace);
    s_.ActiveTabBackStartColor = ReadColor(bag, "ActiveTabBackStartColor", kDefBtnFace);
    s_.ActiveTabForeColor = ReadColor(bag, "ActiveTabForeColor", kDefBtnText);
    s_.ActiveTabHeight = ReadInt32(bag, "ActiveTabHeight", 20);
    s_.BottomRightInnerBorderColor = ReadColor(bag, "BottomRightInnerBorderColor", 0x80000010);
    s_.DisabledTabBackColor = ReadColor(bag, "DisabledTabBackColor", 0x80000010);
    s_.DisabledTabForeColor = ReadColor(bag, "DisabledTabForeColor", 0x80000014);
    s_.FocusedColor = ReadColor(bag, "FocusedColor", 0xEE8269);
    s_.HoverColor = ReadColor(bag, "HoverColor", 0x3BC7FF);
    s_.InActiveTabBackEndColor = ReadColor(bag, "InActiveTabBackEndColor", kDefBtnFace);
    s_.InActiveTabBackStartColor = ReadColor(bag, "InActiveTabBackStartColor", kDefBtnFace);
    s_.InActiveTabForeColor = ReadColor(bag, "InActiveTabForeColor", kDefBtnText);
    s_.InActiveTabHeight = ReadInt32(bag, "InActiveTabHeight", 22);
    s_.OuterBorderColor = ReadColor(bag, "OuterBorderColor", 0x80000015);
    const int64_t tabCount = bag.ReadInt("TabCount", 3);
    s_.TabStripBackColor = ReadColor(bag, "TabStripBackColor", ambientBack);
    s_.TopLeftInnerBorderColor = ReadColor(bag, "TopLeftInnerBorderColor", 0x80000014);
    s_.XRadius = ReadInt32(bag, "XRadius", 10);
    s_.YRadius = ReadInt32(bag, "YRadius", 10);
    s_.ActiveTabFont = std::make_shared<FontDesc>(bag.ReadFont("ActiveTabFont", ambientFont));
    s_.InActiveTabFont = std::make_shared<FontDesc>(bag.ReadFont("InActiveTabFont", ambientFont));
    s_.BackColor = ReadColor(bag, "BackColor", kDefBtnFace);
    s_.Enabled = bag.ReadBool("Enabled", true);
    site_->SetWindowEnabled(s_.Enabled);
    // Stored as a full colour: the hosting window's own colours do not fit 16 bits.
    s_.ForeColor = ReadColor(bag, "ForeColor", 0);
    s_.PictureMaskColor = ReadColor(bag, "PictureMaskColor", 0xC0C0C0);

    s_.HiddenOffset = HiddenOffsetFor(site_->WidthTwips());
    // A stored count below 1 cannot size the tab array.
    if (tabCount < 1 || tabCount > 0x7FFFFFFF) throw ControlError(kErrSubscript, "");
    std::vector<TabItem> tabs(static_cast<size_t>(tabCount));
    for (int32_t i = 0; i < static_cast<int32_t>(tabs.size()); ++i) {
      TabItem& tab = tabs[static_cast<size_t>(i)];
      tab.Caption = bag.ReadString(IndexedKey("TabCaption(", i), "Tab" + std::to_string(i));
      tab.Enabled = bag.ReadBool(IndexedKey("TabEnabled(", i), true);
      tab.AccessKey = static_cast<int32_t>(bag.ReadInt(IndexedKey("TabAccessKey(", i), 0));
      tab.Picture = bag.ReadPicture(IndexedKey("TabPicture(", i));
      (void)bag.ReadInt(IndexedKey("TabContCtrlCnt(", i), 0);
    }
    s_.AryTabs = std::move(tabs);
    // A stored active tab outside the tabs would leave painting and input
    // without a record to work on.
    s_.ActiveTab = std::clamp(s_.ActiveTab, 0, s_.TabCount() - 1);
    s_.HoverTab = s_.ActiveTab;
    RebuildAccessKeys();
    if (site_->UserMode()) InstallHooks();
  });
}

void TabStrip::WriteProperties(PropertyBag& bag) const {
  RaiseAs("TabStrip.UserControl_WriteProperties", [&] {
    const int64_t ambientBack = site_->AmbientBackColor();
    const FontDesc ambientFont = site_->AmbientFont();
    auto color = [&](const char* key, OleColor v, int64_t def) {
      bag.Write(key, int64_t{v}, def);
    };
    auto integer = [&](const char* key, int32_t v, int64_t def) {
      bag.Write(key, int64_t{v}, def);
    };
    auto boolean = [&](const char* key, bool v, bool def) { bag.Write(key, v, def); };

    integer("TabCount", s_.TabCount(), 3);
    for (int32_t i = 0; i < s_.TabCount(); ++i) {
      const TabItem& tab = s_.AryTabs[static_cast<size_t>(i)];
      bag.Write(IndexedKey("TabCaption(", i), tab.Caption, "Tab" + std::to_string(i));
      bag.Write(IndexedKey("TabEnabled(", i), tab.Enabled, true);
      bag.Write(IndexedKey("TabAccessKey(", i), int64_t{tab.AccessKey}, int64_t{0});
      bag.Write(IndexedKey("TabPicture(", i), tab.Picture, PicturePtr{});
    }
    integer("ActiveTab", s_.ActiveTab, 0);
    color("ActiveTabBackEndColor", s_.ActiveTabBackEndColor, kDefBtnFace);
    color("ActiveTabBackStartColor", s_.ActiveTabBackStartColor, kDefBtnFace);
    bag.Write("ActiveTabFont", FontOrAmbient(s_.ActiveTabFont, ambientFont), ambientFont);
    color("ActiveTabForeColor", s_.ActiveTabForeColor, kDefBtnText);
    integer("ActiveTabHeight", s_.ActiveTabHeight, 20);
    color("BackColor", s_.BackColor, kDefBtnFace);
    color("BottomRightInnerBorderColor", s_.BottomRightInnerBorderColor, 0x80000010);
    color("DisabledTabBackColor", s_.DisabledTabBackColor, 0x80000010);
    color("DisabledTabForeColor", s_.DisabledTabForeColor, 0x80000014);
    boolean("Enabled", s_.Enabled, true);
    color("FocusedColor", s_.FocusedColor, 0xEE8269);
    color("ForeColor", s_.ForeColor, 0);
    color("HoverColor", s_.HoverColor, 0x3BC7FF);
    color("InActiveTabBackEndColor", s_.InActiveTabBackEndColor, kDefBtnFace);
    color("InActiveTabBackStartColor", s_.InActiveTabBackStartColor, kDefBtnFace);
    bag.Write("InActiveTabFont", FontOrAmbient(s_.InActiveTabFont, ambientFont), ambientFont);
    color("InActiveTabForeColor", s_.InActiveTabForeColor, kDefBtnText);
    integer("InActiveTabHeight", s_.InActiveTabHeight, 22);
    color("OuterBorderColor", s_.OuterBorderColor, 0x80000015);
    integer("PictureAlign", s_.PictureAlign, 0);
    color("PictureMaskColor", s_.PictureMaskColor, 0xC0C0C0);
    integer("PictureSize", s_.PictureSize, 0);
    boolean("ShowFocusRect", s_.ShowFocusRect, true);
    color("TabStripBackColor", s_.TabStripBackColor, ambientBack);
    integer("TabStyle", s_.TabStyle, 0);
    integer("TabTheme", s_.TabTheme, 0);
    color("TopLeftInnerBorderColor", s_.TopLeftInnerBorderColor, 0x80000014);
    boolean("UseControlBox", s_.UseControlBox, false);
    boolean("UseFocusedColor", s_.UseFocusedColor, true);
    boolean("UseMaskColor", s_.UseMaskColor, true);
    boolean("UseMouseWheelScroll", s_.UseMouseWheelScroll, true);
    boolean("UseThemeDetection", s_.UseThemeDetection, false);
    integer("XRadius", s_.XRadius, 10);
    integer("YRadius", s_.YRadius, 10);
  });
}

}  // namespace tarvex
