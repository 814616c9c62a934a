// TabStrip: the owner-drawn tab control. Owns its state, raises its events in
// their declared order and reaches its container only through TabStripSite and
// the injected platform services. Painting lives in tab_paint.h; this class
// decides when. Split over files by concern: tab_strip_model.cpp (tabs and
// switching), tab_strip_props.cpp, tab_strip_persist.cpp, tab_strip_input.cpp,
// tab_strip_hooks.cpp. Every public member re-raises failures as a ControlError
// with the source "TabStrip." + its name.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/color.h"
#include "common/font.h"
#include "common/picture.h"
#include "common/property_bag.h"
#include "platform/open_file_dialog.h"
#include "platform/theme_info.h"
#include "platform/window_subclass.h"
#include "tabctl/subclass_table.h"
#include "tabctl/tab_events.h"
#include "tabctl/tab_site.h"
#include "tabctl/tab_state.h"

namespace tarvex {

struct TabPaintEnv;

// Platform services the control may use; any of them may be absent (null).
struct TabStripServices {
  const ThemeInfoSource* theme = nullptr;   // none: IsWinXP is False
  WindowSubclasser* subclasser = nullptr;   // none: no hooks
  MouseTracking* tracking = nullptr;        // none: no leave tracking, so no hooks
  OpenFileDialog* fileDialog = nullptr;     // none: ShowFileOpenDialog returns ""
};

// Window messages the control intercepts.
namespace tabmsg {
inline constexpr uint32_t kActivate = 0x0006;
inline constexpr uint32_t kSysColorChange = 0x0015;
inline constexpr uint32_t kTimer = 0x0113;
inline constexpr uint32_t kMouseMove = 0x0200;
inline constexpr uint32_t kLButtonDown = 0x0201;
inline constexpr uint32_t kLButtonUp = 0x0202;
inline constexpr uint32_t kMouseWheel = 0x020A;
inline constexpr uint32_t kSizing = 0x0214;
inline constexpr uint32_t kMoving = 0x0216;
inline constexpr uint32_t kExitSizeMove = 0x0232;
inline constexpr uint32_t kMouseLeave = 0x02A3;
inline constexpr uint32_t kThemeChanged = 0x031A;
}  // namespace tabmsg

// Key codes, shift bits and the button of the input handlers.
namespace tabkey {
inline constexpr int16_t kPageUp = 33;
inline constexpr int16_t kPageDown = 34;
inline constexpr int16_t kLeft = 37;
inline constexpr int16_t kRight = 39;
inline constexpr int16_t kCtrlMask = 2;
inline constexpr int16_t kLeftButton = 1;
}  // namespace tabkey

class TabStrip final : private SubclassClient {
 public:
  // site and events must outlive the control; the services may be empty.
  TabStrip(TabStripSite& site, TabStripEvents& events, TabStripServices services = {});
  ~TabStrip() override;  // teardown: switch to tab 0, release pictures, remove hooks
  TabStrip(const TabStrip&) = delete;
  TabStrip& operator=(const TabStrip&) = delete;

  // --- creation and persistence ---
  void InitProperties();                          // a new instance placed on a form
  void ReadProperties(const PropertyBag& bag);    // UserControl_ReadProperties
  void WriteProperties(PropertyBag& bag) const;   // UserControl_WriteProperties

  // --- colour properties (OLE colours) ---
  OleColor ActiveTabBackEndColor() const { return s_.ActiveTabBackEndColor; }
  void SetActiveTabBackEndColor(OleColor v);
  OleColor ActiveTabBackStartColor() const { return s_.ActiveTabBackStartColor; }
  void SetActiveTabBackStartColor(OleColor v);
  OleColor ActiveTabForeColor() const { return s_.ActiveTabForeColor; }
  void SetActiveTabForeColor(OleColor v);
  OleColor BottomRightInnerBorderColor() const { return s_.BottomRightInnerBorderColor; }
  void SetBottomRightInnerBorderColor(OleColor v);
  OleColor DisabledTabBackColor() const { return s_.DisabledTabBackColor; }
  void SetDisabledTabBackColor(OleColor v);
  OleColor DisabledTabForeColor() const { return s_.DisabledTabForeColor; }
  void SetDisabledTabForeColor(OleColor v);
  OleColor FocusedColor() const { return s_.FocusedColor; }
  void SetFocusedColor(OleColor v);  // also redraws the focus marking
  OleColor ForeColor() const { return s_.ForeColor; }
  void SetForeColor(OleColor v);
  OleColor HoverColor() const { return s_.HoverColor; }
  void SetHoverColor(OleColor v);
  OleColor InActiveTabBackEndColor() const { return s_.InActiveTabBackEndColor; }
  void SetInActiveTabBackEndColor(OleColor v);
  OleColor InActiveTabBackStartColor() const { return s_.InActiveTabBackStartColor; }
  void SetInActiveTabBackStartColor(OleColor v);
  OleColor InActiveTabForeColor() const { return s_.InActiveTabForeColor; }
  void SetInActiveTabForeColor(OleColor v);
  OleColor OuterBorderColor() const { return s_.OuterBorderColor; }
  void SetOuterBorderColor(OleColor v);
  OleColor PictureMaskColor() const { return s_.PictureMaskColor; }
  void SetPictureMaskColor(OleColor v);
  OleColor TabStripBackColor() const { return s_.TabStripBackColor; }
  void SetTabStripBackColor(OleColor v);
  OleColor TopLeftInnerBorderColor() const { return s_.TopLeftInnerBorderColor; }
  void SetTopLeftInnerBorderColor(OleColor v);
  OleColor BackColor() const { return s_.BackColor; }  // private in the interface; persisted
  void SetBackColor(OleColor v);

  // --- fonts (shared objects: the control keeps the reference) ---
  TabFont ActiveTabFont() const { return s_.ActiveTabFont; }
  void SetActiveTabFont(TabFont font);
  TabFont InActiveTabFont() const { return s_.InActiveTabFont; }
  void SetInActiveTabFont(TabFont font);
  void SetFont(const FontDesc& font);  // write-only; the hosting window's font

  // --- other properties ---
  int32_t ActiveTab() const { return s_.ActiveTab; }
  void SetActiveTab(int32_t n);  // a full switch with BeforeTabSwitch / TabSwitch
  int32_t ActiveTabHeight() const { return s_.ActiveTabHeight; }
  void SetActiveTabHeight(int32_t px);
  int32_t InActiveTabHeight() const { return s_.InActiveTabHeight; }
  void SetInActiveTabHeight(int32_t px);
  bool Enabled() const { return s_.Enabled; }
  void SetEnabled(bool v);
  int32_t LastActiveTab() const { return s_.LastActiveTab; }
  int32_t PictureAlign() const { return s_.PictureAlign; }
  void SetPictureAlign(int32_t v);
  int32_t PictureSize() const { return s_.PictureSize; }
  void SetPictureSize(int32_t v);
  bool ShowFocusRect() const { return s_.ShowFocusRect; }
  void SetShowFocusRect(bool v);
  int32_t TabCount() const { return s_.TabCount(); }
  void SetTabCount(int32_t count);
  int32_t TabStyle() const { return s_.TabStyle; }
  void SetTabStyle(int32_t v);
  int32_t TabTheme() const { return s_.TabTheme; }
  void SetTabTheme(int32_t v);
  bool UseControlBox() const { return s_.UseControlBox; }
  void SetUseControlBox(bool v);
  bool UseFocusedColor() const { return s_.UseFocusedColor; }
  void SetUseFocusedColor(bool v);
  bool UseMaskColor() const { return s_.UseMaskColor; }
  void SetUseMaskColor(bool v);
  bool UseMouseWheelScroll() const { return s_.UseMouseWheelScroll; }
  void SetUseMouseWheelScroll(bool v);  // does not redraw
  bool UseThemeDetection() const { return s_.UseThemeDetection; }
  void SetUseThemeDetection(bool v);
  int32_t XRadius() const { return s_.XRadius; }
  void SetXRadius(int32_t v);
  int32_t YRadius() const { return s_.YRadius; }
  void SetYRadius(int32_t v);

  // --- read-only window facts ---
  int64_t hDC() const;
  int64_t hWnd() const;
  int32_t ScaleWidth() const;
  int32_t ScaleHeight() const;

  // --- indexed properties ---
  std::string TabCaption(int32_t iTabIndex) const;  // "" out of range
  void SetTabCaption(int32_t iTabIndex, std::string_view caption);
  bool TabEnabled(int32_t lTabIndex) const;         // false out of range
  void SetTabEnabled(int32_t lTabIndex, bool enabled);
  PicturePtr TabPicture(int32_t lTabIndex) const;   // error 9 out of range
  void SetTabPicture(int32_t lTabIndex, PicturePtr picture);

  // --- methods ---
  void InsertTab(int32_t lAfterIndex, std::string_view sCaption);
  void RemoveTab(int32_t Index);
  void Refresh();
  std::string Version(bool bDateTime) const;
  // Picture i + 1 of an image list; a list answers nullopt where it has none.
  template <class ImageList>
  void CopyTabImagesFromImageList(const ImageList& oIml);
  void RemoveTabImages(int32_t lIndex, bool bRemoveAll);
  std::string ShowFileOpenDialog(int64_t lhWndOwner, std::string_view sInitDir,
                                 std::string_view sFilter);
  // Places a control (or, with Ctrl null, a window) into the tab control on tab
  // lTabIndex (-1: the active tab). Never raises.
  void AddControl(ContainedControl* Ctrl, int64_t lhWnd, int32_t lLeft, int32_t lTop,
                  int32_t lWidth, int32_t lHeight, int32_t lTabIndex);
  void ResetColorsToDefault();
  void ResetAllColors();
  Rgb GetRGBFromOLE(OleColor lOleColor) const;
  bool IsWinXP() const;
  std::string GetThemeInfo() const;
  void Cls();
  void DrawBackgroundPropertyPages();
  void DrawBackgroundTabbedDialog();
  void DrawTabs();
  void DrawTabsPropertyPages();
  void DrawTabsTabbedDialog();
  void DrawImage(const Picture& bitmap, Rgb transColor, int16_t iLeft, int16_t iTop,
                 int16_t iWidth, int16_t iHeight);
  void ShowHideFocus();
  void TimerEvent();
  void ScrollTabs(int64_t wParam);

  // --- the hosting window's input events (the host calls these) ---
  void OnClick();
  void OnDblClick();
  void OnKeyDown(int16_t& KeyCode, int16_t& Shift);
  void OnKeyPress(int16_t& KeyAscii);
  void OnKeyUp(int16_t& KeyCode, int16_t& Shift);
  void OnMouseDown(int16_t Button, int16_t Shift, float x, float y);
  void OnMouseMove(int16_t Button, int16_t Shift, float x, float y);
  void OnMouseUp(int16_t Button, int16_t Shift, float x, float y);
  void OnAccessKeyPress(int16_t& KeyAscii);
  void OnGotFocus();
  void OnLostFocus();
  void OnPaint();
  void OnShow();
  // The host is about to show the image: a strip left unpainted while it was
  // out of sight is painted now (no Refresh: the host is painting).
  void BeforePaint();

  // The hook callback (the first entry of the control's interface).
  void SubclassProc(bool bBefore, bool& bHandled, int64_t& lReturn, int64_t& lng_hWnd,
                    uint32_t& uMsg, uint64_t& wParam, int64_t& lParam) override;

  // The hosting window's access-key characters (UTF-8), in tab order.
  const std::string& AccessKeys() const { return accessKeys_; }
  bool HooksInstalled() const { return hooks_ && hooks_->HookedCount() > 0; }
  // Read access for the host's painting and for tests.
  const TabStripState& State() const { return s_; }

 private:
  // model (tab_strip_model.cpp)
  void SwitchTo(int32_t n);
  void SetTabCountCore(int32_t count);
  void SetCaptionCore(int32_t i, std::string_view caption);
  void RebuildAccessKeys();
  void Teardown();
  // drawing glue
  TabPaintEnv MakeEnv() const;
  void RefreshCore();
  void Redraw(std::string_view property);      // Refresh, then notify the host
  void SetColorProperty(OleColor TabStripState::*field, OleColor v, const char* name);
  void SetIntProperty(int32_t TabStripState::*field, int32_t v, const char* name);
  void SetBoolProperty(bool TabStripState::*field, bool v, const char* name);
  void ApplyTheme(int32_t theme);
  // input (tab_strip_input.cpp)
  void pHandleMouseDown(float x, float y);
  void pHandleMouseMove(float x, float y);
  void ApplyKeyRules(int16_t keyCode, int16_t shift);
  bool ReadCursor();
  void pShowHideFocus();
  // hooks (tab_strip_hooks.cpp)
  void InstallHooks();
  void ArmLeaveTracking();
  void HandleControlMessage(uint32_t uMsg, uint64_t wParam);
  void HandleParentMessage(uint32_t uMsg);
  void ControlBoxMouseMessage(bool down);
  void TrackControlBox(int32_t t, Point p);

  TabStripSite* site_;
  TabStripEvents* events_;
  TabStripServices services_;
  TabStripState s_;
  std::string accessKeys_;
  std::unique_ptr<SubclassTable> hooks_;
  bool tornDown_ = false;
  bool paintPending_ = false;  // the image lags the state until BeforePaint
};

template <class ImageList>
void TabStrip::CopyTabImagesFromImageList(const ImageList& oIml) {
  try {
    for (int32_t i = 0; i < s_.TabCount(); ++i) {
      s_.AryTabs[static_cast<size_t>(i)].Picture.reset();
      std::optional<PicturePtr> picture = oIml.Picture(i + 1);
      if (!picture) break;
      s_.AryTabs[static_cast<size_t>(i)].Picture = std::move(*picture);
    }
    Refresh();
  } catch (...) {
    // Stops silently at the first failure.
  }
}

}  // namespace tarvex
