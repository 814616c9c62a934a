// The complete state of one TabStrip: the per-tab records, every stored property
// and every runtime field that painting, input and persistence read or write.
// Plain data shared by the TabStrip class (model, input, hooks) and the painting
// functions; no behaviour and no OS types here. Pixels are the control's client
// pixels; HiddenOffset is in the container's units (twips).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/color.h"
#include "common/font.h"
#include "common/geometry.h"
#include "common/picture.h"

namespace tarvex {

// A tab font is a shared object: setting ActiveTabFont/InActiveTabFont stores a
// reference, so a host that changes the object later changes the tab's look.
using TabFont = std::shared_ptr<FontDesc>;

// The colour sets are indexed by TabTheme; other values draw nothing.
inline constexpr int32_t kTabThemeCount = 5;
inline constexpr int32_t kTabStyleTabbedDialog = 0;
inline constexpr int32_t kTabStylePropertyPages = 1;

// The control's own hover timer (10 ms, on its own window).
inline constexpr int kHoverTimerId = 0;
inline constexpr uint32_t kHoverTimerIntervalMs = 10;

// One tab (an element of AryTabs). Copied in and out whole.
struct TabItem {
  Rect ControlBoxRect;     // close box, pixels; written by the layout pass
  std::string Caption;     // UTF-8; "&" marks the access key, "&&" a literal "&"
  Rect TabRect;            // clickable area, pixels; written by the layout pass, hit-tested inclusively
  bool Enabled = true;     // a disabled tab cannot be activated by mouse or keys
  int32_t AccessKey = 0;   // upper-cased access-key character code, 0 = none
  PicturePtr Picture;      // icon drawn on the tab; null = none
};

// Values taken once at the start of every background and tab paint
// (pGetCachedProperties), so one paint sees one consistent set.
struct TabPaintCache {
  int64_t hWnd = 0;                 // the control's window handle as an integer
  int64_t hDC = 0;                  // its device context as an integer (0 off Windows)
  int32_t ActiveTab = 0;
  int32_t ActiveTabHeight = 20;     // pixels
  int32_t InActiveTabHeight = 22;   // pixels
  int32_t ScaleWidth = 0;           // client width, pixels
  int32_t ScaleHeight = 0;          // client height, pixels
  int32_t TabCount = 0;
  bool IsFocused = false;
  Rgb OuterBorderColor = 0;         // these colours already translated to RGB
  Rgb ActiveTabForeColor = 0;
  Rgb ActiveTabBackStartColor = 0;
  Rgb ActiveTabBackEndColor = 0;
  Rgb InActiveTabForeColor = 0;
  Rgb InActiveTabBackStartColor = 0;
  Rgb InActiveTabBackEndColor = 0;
  Rgb HoverColor = 0;
  Rgb DisabledTabBackColor = 0;
  Rgb DisabledTabForeColor = 0;
  int32_t PictureSizePx = 16;       // SM_CXICON when PictureSize != 0, else SM_CXSMICON
};

struct TabStripState {
  // --- tabs ---
  std::vector<TabItem> AryTabs;     // indexed 0 .. TabCount-1; its size is TabCount

  // --- stored colour properties (OLE colours; translate before drawing) ---
  OleColor ActiveTabBackEndColor = 0x8000000F;
  OleColor ActiveTabBackStartColor = 0x8000000F;
  OleColor ActiveTabForeColor = 0x80000012;
  OleColor BottomRightInnerBorderColor = 0x80000010;
  OleColor DisabledTabBackColor = 0x8000000F;
  OleColor DisabledTabForeColor = 0x80000015;
  OleColor FocusedColor = 0xEE8269;
  OleColor HoverColor = 0x3BC7FF;
  OleColor InActiveTabBackEndColor = 0x8000000F;
  OleColor InActiveTabBackStartColor = 0x8000000F;
  OleColor InActiveTabForeColor = 0x80000012;
  OleColor OuterBorderColor = 0x80000015;
  OleColor TabStripBackColor = 0x8000000F;   // the container's ambient back colour at creation
  OleColor TopLeftInnerBorderColor = 0x80000014;

  // --- properties of the hosting window that the control exposes ---
  OleColor BackColor = 0x8000000F;           // page colour; painting sets it, see BackColor setter
  OleColor ForeColor = 0;                    // pen colour of the hosting window
  OleColor PictureMaskColor = 0xC0C0C0;      // mask colour of tab pictures
  bool Enabled = true;                       // the hosting window's enabled state
  FontDesc Font;                             // the hosting window's current font (write-only property)

  // --- fonts (shared objects) ---
  TabFont ActiveTabFont;                     // ambient font with Bold on, at creation
  TabFont InActiveTabFont;                   // ambient font, at creation

  // --- other stored properties ---
  int32_t ActiveTab = 0;
  int32_t ActiveTabHeight = 20;              // pixels
  int32_t InActiveTabHeight = 22;            // pixels
  int32_t PictureAlign = 0;                  // 0/2 left of the caption, 1/3 right
  int32_t PictureSize = 0;                   // 0 = small-icon size, else large-icon size
  int32_t TabStyle = kTabStyleTabbedDialog;  // 0 tabbed dialog, 1 property pages
  int32_t TabTheme = 0;                      // 0..4 have a colour set; others draw nothing
  int32_t XRadius = 10;                      // corner radii of rounded tabs (theme 3), pixels
  int32_t YRadius = 10;
  bool ShowFocusRect = true;
  bool UseControlBox = false;                // a close box on every tab
  bool UseFocusedColor = true;               // overlay of the active tab in FocusedColor
  bool UseMaskColor = true;                  // tab pictures drawn with PictureMaskColor left out
  bool UseMouseWheelScroll = true;
  bool UseThemeDetection = false;

  // --- runtime state ---
  int32_t LastActiveTab = 0;                 // active before the last completed switch
  int32_t HoverTab = 0;                      // tab under the mouse for overlay and close-box tracking
  int32_t HiddenOffset = 10000;              // twips between the children of neighbouring tabs
  bool IsFocused = false;                    // the control has the keyboard focus
  bool CancelSwitch = false;                 // by-reference cancel flag of BeforeTabSwitch
  bool InitDone = false;                     // the first Refresh has happened
  bool RefreshBusy = false;                  // a refresh or an input-driven switch is running
  bool AutoRedraw = false;                   // persistent drawing of the hosting window is on
  bool MouseInside = false;                  // drives MouseEnter / MouseLeave
  bool ControlBoxHot = false;                // the mouse is over a close box
  Point CursorPos;                           // last cursor position, client pixels
  bool ParentMoving = false;                 // last size-or-move step of the parent was a move
  bool TrackingSupported = false;            // mouse-leave tracking is available
  bool TrackInUser32 = false;                // ... from user32 (else comctl32)

  // --- overlay and painting state ---
  bool HoverDrawn = false;                   // a hover overlay is on the screen (timer running)
  Rect OverlayRect;                          // the TabRect the overlay covers, pixels
  bool BackgroundDeferred = false;           // theme 3: first background paint skipped
  TabPaintCache Cache;                       // values of the current paint

  int32_t TabCount() const { return static_cast<int32_t>(AryTabs.size()); }
  int32_t StripHeight() const {             // H: the larger of the two tab heights
    return ActiveTabHeight > InActiveTabHeight ? ActiveTabHeight : InActiveTabHeight;
  }
};

}  // namespace tarvex
