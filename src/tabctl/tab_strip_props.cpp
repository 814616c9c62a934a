// TabStrip: property setters, colour schemes and theme detection, the drawing
// members of the public interface, and the small utilities (Version, the file
// dialog, AddControl).
#include <string>

#include "common/control_error.h"
#include "tabctl/tab_children.h"
#include "tabctl/tab_colors.h"
#include "tabctl/tab_paint.h"
#include "tabctl/tab_primitives.h"
#include "tabctl/tab_strip.h"

namespace tarvex {
namespace {

std::string SourceOf(const char* name) { return std::string("TabStrip.") + name; }

}  // namespace

// --- generic setters: store, redraw, notify ---

void TabStrip::SetColorProperty(OleColor TabStripState::*field, OleColor v, const char* name) {
  RaiseAs(SourceOf(name), [&] {
    s_.*field = v;
    Redraw(name);
  });
}

void TabStrip::SetIntProperty(int32_t TabStripState::*field, int32_t v, const char* name) {
  RaiseAs(SourceOf(name), [&] {
    s_.*field = v;
    Redraw(name);
  });
}

void TabStrip::SetBoolProperty(bool TabStripState::*field, bool v, const char* name) {
  RaiseAs(SourceOf(name), [&] {
    s_.*field = v;
    Redraw(name);
  });
}

#define TARVEX_COLOR_SETTER(Name) \
  void TabStrip::Set##Name(OleColor v) { SetColorProperty(&TabStripState::Name, v, #Name); }
TARVEX_COLOR_SETTER(ActiveTabBackEndColor)
TARVEX_COLOR_SETTER(ActiveTabBackStartColor)
TARVEX_COLOR_SETTER(ActiveTabForeColor)
TARVEX_COLOR_SETTER(BottomRightInnerBorderColor)
TARVEX_COLOR_SETTER(DisabledTabBackColor)
TARVEX_COLOR_SETTER(DisabledTabForeColor)
TARVEX_COLOR_SETTER(ForeColor)
TARVEX_COLOR_SETTER(HoverColor)
TARVEX_COLOR_SETTER(InActiveTabBackEndColor)
TARVEX_COLOR_SETTER(InActiveTabBackStartColor)
TARVEX_COLOR_SETTER(InActiveTabForeColor)
TARVEX_COLOR_SETTER(OuterBorderColor)
TARVEX_COLOR_SETTER(PictureMaskColor)
TARVEX_COLOR_SETTER(TabStripBackColor)
TARVEX_COLOR_SETTER(TopLeftInnerBorderColor)
TARVEX_COLOR_SETTER(BackColor)
#undef TARVEX_COLOR_SETTER

// The focus marking is the active tab's overlay, which every full repaint
// paints afresh in the current colour.
void TabStrip::SetFocusedColor(OleColor v) {
  SetColorProperty(&TabStripState::FocusedColor, v, "FocusedColor");
}

#define TARVEX_INT_SETTER(Name) \
  void TabStrip::Set##Name(int32_t v) { SetIntProperty(&TabStripState::Name, v, #Name); }
TARVEX_INT_SETTER(ActiveTabHeight)
TARVEX_INT_SETTER(InActiveTabHeight)
TARVEX_INT_SETTER(PictureAlign)
TARVEX_INT_SETTER(PictureSize)
TARVEX_INT_SETTER(TabStyle)
TARVEX_INT_SETTER(XRadius)
TARVEX_INT_SETTER(YRadius)
#undef TARVEX_INT_SETTER

#define TARVEX_BOOL_SETTER(Name) \
  void TabStrip::Set##Name(bool v) { SetBoolProperty(&TabStripState::Name, v, #Name); }
TARVEX_BOOL_SETTER(ShowFocusRect)
TARVEX_BOOL_SETTER(UseControlBox)
TARVEX_BOOL_SETTER(UseFocusedColor)
TARVEX_BOOL_SETTER(UseMaskColor)
#undef TARVEX_BOOL_SETTER

void TabStrip::SetEnabled(bool v) {
  RaiseAs("TabStrip.Enabled", [&] {
    s_.Enabled = v;
    site_->SetWindowEnabled(v);
    Redraw("Enabled");
  });
}

void TabStrip::SetUseMouseWheelScroll(bool v) {
  RaiseAs("TabStrip.UseMouseWheelScroll", [&] {
    s_.UseMouseWheelScroll = v;
    site_->PropertyChanged("UseMouseWheelScroll");
  });
}

void TabStrip::SetActiveTabFont(TabFont font) {
  RaiseAs("TabStrip.ActiveTabFont", [&] {
    s_.ActiveTabFont = std::move(font);
    Redraw("ActiveTabFont");
  });
}

void TabStrip::SetInActiveTabFont(TabFont font) {
  RaiseAs("TabStrip.InActiveTabFont", [&] {
    s_.InActiveTabFont = std::move(font);
    Redraw("InActiveTabFont");
  });
}

void TabStrip::SetFont(const FontDesc& font) {
  RaiseAs("TabStrip.Font", [&] {
    s_.Font = font;
    RefreshCore();
  });
}

// --- window facts ---

int64_t TabStrip::hDC() const {
  return RaiseAs("TabStrip.hDC", [&] { return site_->DeviceContext(); });
}
int64_t TabStrip::hWnd() const {
  return RaiseAs("TabStrip.hwnd", [&] { return site_->WindowHandle(); });
}
int32_t TabStrip::ScaleWidth() const {
  return RaiseAs("TabStrip.ScaleWidth", [&] { return site_->ClientSize().width; });
}
int32_t TabStrip::ScaleHeight() const {
  return RaiseAs("TabStrip.ScaleHeight", [&] { return site_->ClientSize().height; });
}

// --- colour schemes and theme detection ---

void TabStrip::ApplyTheme(int32_t theme) {
  s_.TabTheme = theme;
  s_.AutoRedraw = false;
  ApplyColorSet(s_, site_->Colors());
  Redraw("TabTheme");
}

void TabStrip::SetTabTheme(int32_t v) {
  RaiseAs("TabStrip.TabTheme", [&] { ApplyTheme(v); });
}

void TabStrip::SetUseThemeDetection(bool v) {
  RaiseAs("TabStrip.UseThemeDetection", [&] {
    s_.UseThemeDetection = v;
    if (v) SetTabTheme(IsWinXP() ? 1 : 0);
    Redraw("UseThemeDetection");
  });
}

void TabStrip::ResetColorsToDefault() {
  RaiseAs("TabStrip.ResetColorsToDefault", [&] {
    s_.AutoRedraw = false;
    ApplyColorSet(s_, site_->Colors());
  });
}

void TabStrip::ResetAllColors() {
  RaiseAs("TabStrip.ResetAllColors", [&] {
    {
      const bool wasBusy = s_.RefreshBusy;
      s_.RefreshBusy = true;
      try {
        ResetColorsToDefault();
      } catch (...) {
        s_.RefreshBusy = wasBusy;
        throw;
      }
      s_.RefreshBusy = false;
    }
    RefreshCore();
  });
}

Rgb TabStrip::GetRGBFromOLE(OleColor lOleColor) const {
  return RaiseAs("TabStrip.GetRGBFromOLE",
                 [&] { return TranslateOleColor(lOleColor, site_->Colors()); });
}

bool TabStrip::IsWinXP() const {
  return RaiseAs("TabStrip.IsWinXP", [&] {
    return services_.theme != nullptr && IsWinXPVersion(services_.theme->Version());
  });
}

std::string TabStrip::GetThemeInfo() const {
  return RaiseAs("TabStrip.GetThemeInfo", [&] { return ThemeInfoText(services_.theme); });
}

// --- drawing members ---

void TabStrip::Cls() {
  RaiseAs("TabStrip.Cls", [&] {
    TabPrimitives prim(site_->PersistentImage(), site_->Colors());
    prim.Cls(s_.BackColor);
  });
}

#define TARVEX_PAINT_MEMBER(Name)                 \
  void TabStrip::Name() {                         \
    RaiseAs("TabStrip." #Name, [&] {              \
      TabPaintEnv env = MakeEnv();                \
      pGetCachedProperties(s_, env);              \
      tarvex::Name(s_, env);                      \
    });                                           \
  }
TARVEX_PAINT_MEMBER(DrawBackgroundPropertyPages)
TARVEX_PAINT_MEMBER(DrawBackgroundTabbedDialog)
TARVEX_PAINT_MEMBER(DrawTabs)
TARVEX_PAINT_MEMBER(DrawTabsPropertyPages)
TARVEX_PAINT_MEMBER(DrawTabsTabbedDialog)
TARVEX_PAINT_MEMBER(ShowHideFocus)
#undef TARVEX_PAINT_MEMBER

void TabStrip::DrawImage(const Picture& bitmap, Rgb transColor, int16_t iLeft, int16_t iTop,
                         int16_t iWidth, int16_t iHeight) {
  RaiseAs("TabStrip.DrawImage", [&] {
    TabPrimitives::DrawImage(site_->PersistentImage(), bitmap, transColor, iLeft, iTop, iWidth,
                             iHeight);
  });
}

// --- utilities ---

std::string TabStrip::Version(bool bDateTime) const {
  return RaiseAs("TabStrip.Version", [&] {
    std::string text = std::to_string(1) + "." + std::to_string(0) + "." + std::to_string(85);
    if (bDateTime) text += std::string(" (") + "11/13/2006 8:07:02 AM " + ")";
    return text;
  });
}

std::string TabStrip::ShowFileOpenDialog(int64_t lhWndOwner, std::string_view sInitDir,
                                         std::string_view sFilter) {
  try {
    if (services_.fileDialog == nullptr) return {};
    OpenFileRequest request;
    request.owner = lhWndOwner;
    request.initialDir = std::string(sInitDir);
    if (sFilter.empty()) {
      request.filter = std::string("All Files (*.*)") + '\0' + "*.*";
    } else {
      request.filter = std::string(sFilter);
      for (char& c : request.filter) {
        if (c == '|') c = '\0';
      }
    }
    request.title = "Open File";
    request.capacity = 255;
    request.flags = 0;
    std::optional<std::string> chosen = services_.fileDialog->Show(request);
    if (!chosen) return {};
    std::string path = chosen->substr(0, chosen->find('\0'));
    const size_t first = path.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return path.substr(first, path.find_last_not_of(' ') - first + 1);
  } catch (...) {
    return {};
  }
}

void TabStrip::AddControl(ContainedControl* Ctrl, int64_t lhWnd, int32_t lLeft, int32_t lTop,
                          int32_t lWidth, int32_t lHeight, int32_t lTabIndex) {
  // Every step ignores failures, the switch included: the child is still placed.
  try {
    if (lTabIndex != -1 && lTabIndex != s_.ActiveTab) SwitchTo(lTabIndex);
  } catch (...) {
  }
  try {
    if (Ctrl != nullptr) {
      if (Ctrl->WindowHandle() != 0) site_->AdoptWindow(Ctrl->WindowHandle());
      if (lLeft != -1) Ctrl->SetLeft(lLeft);
      if (lTop != -1) Ctrl->SetTop(lTop);
      if (lWidth != -1) Ctrl->SetWidth(lWidth);
      if (lHeight != -1) Ctrl->SetHeight(lHeight);
      Ctrl->SetVisible(true);
    } else if (lhWnd != -1) {
      site_->AdoptWindow(lhWnd);
      site_->PlaceWindow(lhWnd, lLeft, lTop, lWidth, lHeight);
    }
  } catch (...) {
    // AddControl never raises.
  }
}

}  // namespace tarvex
