// Painting of the TabStrip: the full repaint (Cls, page, tabs, close boxes), the
// two layout passes that write TabRect/ControlBoxRect back into the records, the
// hover/focus overlay, the close box and the focus toggle. Functions over the
// state the TabStrip class owns; they never lay out input or raise events.
// Pixels of the control's surface throughout; no OS header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/color.h"
#include "common/geometry.h"
#include "platform/control_site.h"
#include "platform/surface.h"
#include "platform/system_colors.h"
#include "tabctl/tab_state.h"

namespace tarvex {

// What one paint needs besides the state. The references must outlive the call.
struct TabPaintEnv {
  Surface& surface;              // the control's persistent image (AutoRedraw on)
  const SystemColors& colors;    // for OLE colour translation
  bool userMode = true;          // the container's ambient UserMode
  int32_t smallIconPx = 16;      // SM_CXSMICON
  int32_t largeIconPx = 32;      // SM_CXICON
  int64_t hWnd = 0;              // cached for the host; 0 off Windows
  int64_t hDC = 0;
  // Optional: told when painting changes BackColor, and asked for the hover
  // timer. Null in plain raster scenes.
  ControlSite* site = nullptr;

  static TabPaintEnv FromSite(ControlSite& site) {
    TabPaintEnv env{site.PersistentImage(), site.Colors()};
    env.userMode = site.UserMode();
    env.hWnd = site.WindowHandle();
    env.site = &site;
    return env;
  }
};

// --- the full repaint (called by Refresh while RefreshBusy is set) ---
void PaintTabStrip(TabStripState& state, TabPaintEnv& env);  // pDrawMe
void DrawBackground(TabStripState& state, TabPaintEnv& env);
void DrawTabs(TabStripState& state, TabPaintEnv& env);
void DrawBackgroundPropertyPages(TabStripState& state, TabPaintEnv& env);
void DrawBackgroundTabbedDialog(TabStripState& state, TabPaintEnv& env);
void DrawTabsPropertyPages(TabStripState& state, TabPaintEnv& env);
void DrawTabsTabbedDialog(TabStripState& state, TabPaintEnv& env);
void pGetCachedProperties(TabStripState& state, const TabPaintEnv& env);

// --- overlays laid over a finished strip ---
// state 0 normal, 1 hover, 2 pressed; tabIndex -1 = every tab (normal colours).
void DrawControlBox(TabStripState& state, TabPaintEnv& env, int32_t boxState,
                    int32_t tabIndex);
// The XOR hover/focus overlay of the current style over OverlayRect; painting it
// again removes its lines and band.
void pDrawOverXOred(TabStripState& state, TabPaintEnv& env);
void pDrawOverXOredProperty(TabStripState& state, TabPaintEnv& env);
void pDrawOverXOredTabbed(TabStripState& state, TabPaintEnv& env);
// Shows the overlay over HoverTab: sets HoverDrawn, copies its TabRect into
// OverlayRect, paints, and starts the 10 ms hover timer through env.site.
void pDrawOnMouseOverProperty(TabStripState& state, TabPaintEnv& env);
void pDrawOnMouseOverTabbed(TabStripState& state, TabPaintEnv& env);
// The timer's removal step: stops the timer, clears HoverDrawn, paints the
// overlay once more. Does nothing when no overlay is shown.
void RemoveHoverOverlay(TabStripState& state, TabPaintEnv& env);
// Before a full repaint: the fresh strip has no hover overlay on it, so the
// timer must not XOR one away later. Stops the timer and clears HoverDrawn.
void ForgetHoverOverlay(TabStripState& state, TabPaintEnv& env);
// Inverts the focus rectangle of the active tab's caption (user mode and
// ShowFocusRect only); calling it twice restores the pixels.
void ShowHideFocus(TabStripState& state, TabPaintEnv& env);
void ShowHideFocusPropertyPages(TabStripState& state, TabPaintEnv& env);
void ShowHideFocusTabbedDialog(TabStripState& state, TabPaintEnv& env);

// Per-channel mix: w/255 of a plus (1 - w/255) of b, halves to even; only the
// low 8 bits of w count. Returns a on any failure.
Rgb pBlendColors(Rgb a, Rgb b, int32_t w);

// The text the layout measures for a caption: "&&" becomes "&", and if an "&"
// remains, the last character is dropped ("Save&&Exit" -> "Save&Exi").
std::string CaptionWidthText(std::string_view caption);

}  // namespace tarvex
