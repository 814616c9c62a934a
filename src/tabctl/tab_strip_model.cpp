// TabStrip: creation, teardown, the tab records, tab count, switching, captions
// and access keys, inserting and removing tabs, Refresh.
#include <algorithm>
#include <string>

#include "common/control_error.h"
#include "tabctl/tab_access_keys.h"
#include "tabctl/tab_children.h"
#include "tabctl/tab_colors.h"
#include "tabctl/tab_paint.h"
#include "tabctl/tab_strip.h"

namespace tarvex {
namespace {

// Sets a Boolean for the length of a scope and clears it on every exit path, so
// a failure inside cannot leave the control refusing every later refresh.
class BusyScope {
 public:
  explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyScope() { flag_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& flag_;
};

// Holds the window-update lock and releases it on every exit path.
class UpdateLock {
 public:
  explicit UpdateLock(TabStripSite& site) : site_(site) { site_.LockWindowUpdate(true); }
  ~UpdateLock() { site_.LockWindowUpdate(false); }
  UpdateLock(const UpdateLock&) = delete;
  UpdateLock& operator=(const UpdateLock&) = delete;

 private:
  TabStripSite& site_;
};

[[noreturn]] void RaiseSubscript() { throw ControlError(kErrSubscript, ""); }

std::string CreationCaption(int32_t i) { return "Tab " + std::to_string(i); }

}  // namespace

TabStrip::TabStrip(TabStripSite& site, TabStripEvents& events, TabStripServices services)
    : site_(&site), events_(&events), services_(services) {}

TabStrip::~TabStrip() {
  try {
    Teardown();
  } catch (...) {
    // A destructor must not throw; the hooks are removed below regardless.
  }
  hooks_.reset();
}

void TabStrip::InitProperties() {
  RaiseAs("TabStrip.UserControl_InitProperties", [&] {
    s_ = TabStripState{};
    s_.UseControlBox = false;
    s_.UseThemeDetection = false;
    s_.TabTheme = 0;
    s_.LastActiveTab = 0;
    s_.TabStripBackColor = site_->AmbientBackColor();
    s_.ActiveTabFont = std::make_shared<FontDesc>(site_->AmbientFont());
    s_.ActiveTabFont->bold = true;
    s_.InActiveTabFont = std::make_shared<FontDesc>(site_->AmbientFont());
    s_.Font = site_->AmbientFont();
    s_.ForeColor = 0x80000012;  // the hosting window's own default
    s_.DisabledTabBackColor = 0x80000010;  // the colour set below gives &H8000000F
    s_.DisabledTabForeColor = 0x80000014;  // ... and &H80000015
    s_.PictureMaskColor = 0xC0C0C0;
    s_.HiddenOffset = HiddenOffsetFor(site_->WidthTwips());
    s_.AryTabs.assign(3, TabItem{});
    for (int32_t i = 0; i < 3; ++i) s_.AryTabs[static_cast<size_t>(i)].Caption = CreationCaption(i);
    ApplyColorSet(s_, site_->Colors());
    RebuildAccessKeys();
  });
}

void TabStrip::Teardown() {
  if (tornDown_) return;
  tornDown_ = true;
  RaiseAs("TabStrip.UserControl_Terminate", [&] {
    if (s_.TabCount() > 0 && s_.ActiveTab != 0) SetActiveTab(0);
    for (TabItem& tab : s_.AryTabs) tab.Picture.reset();
    if (s_.HoverDrawn) site_->StopTimer(kHoverTimerId);
    if (hooks_) hooks_->UnsubclassAll();
  });
}

// --- tab count ---

void TabStrip::SetTabCount(int32_t count) {
  RaiseAs("TabStrip.TabCount", [&] {
    if (count <= 0) throw ControlError(kErrInvalidPropertyValue, "");
    SetTabCountCore(count);
    Redraw("TabCount");
  });
}

void TabStrip::SetTabCountCore(int32_t count) {
  const int32_t old = s_.TabCount();
  s_.AryTabs.resize(static_cast<size_t>(count));
  if (count > old) {
    for (int32_t i = old; i < count; ++i) {
      TabItem& tab = s_.AryTabs[static_cast<size_t>(i)];
      tab = TabItem{};
      tab.Caption = CreationCaption(i);
    }
  } else if (s_.ActiveTab >= count || count == 1) {
    // Stored directly, without events; the children follow so that the new
    // active tab's children are the visible ones.
    const int32_t target = count - 1;
    ShiftChildren(site_->ContainedControls(),
                  (int64_t{target} - s_.ActiveTab) * s_.HiddenOffset);
    s_.ActiveTab = target;
  }
  if (s_.HoverTab >= count) s_.HoverTab = s_.ActiveTab;
  RebuildAccessKeys();
}

// --- switching ---

void TabStrip::SetActiveTab(int32_t n) {
  RaiseAs("TabStrip.ActiveTab", [&] { SwitchTo(n); });
}

void TabStrip::SwitchTo(int32_t n) {
  if (n < 0 || n >= s_.TabCount()) n = 0;
  if (n == s_.ActiveTab) return;
  s_.CancelSwitch = false;
  events_->BeforeTabSwitch(static_cast<int16_t>(n), s_.CancelSwitch);
  if (s_.CancelSwitch) return;
  ShiftChildren(site_->ContainedControls(), (int64_t{n} - s_.ActiveTab) * s_.HiddenOffset);
  s_.LastActiveTab = s_.ActiveTab;
  s_.ActiveTab = n;
  s_.HoverTab = n;
  {
    TabPaintEnv env = MakeEnv();
    ForgetHoverOverlay(s_, env);
    if (site_->InSight()) {
      tarvex::DrawBackground(s_, env);
      tarvex::DrawTabs(s_, env);
    }
  }
  site_->PropertyChanged("ActiveTab");
  RefreshCore();
  site_->Refresh();
  events_->TabSwitch(static_cast<int16_t>(s_.LastActiveTab));
}

// --- captions, enabled flags, pictures ---

std::string TabStrip::TabCaption(int32_t i) const {
  return RaiseAs("TabStrip.TabCaption", [&] {
    if (i < 0 || i >= s_.TabCount()) return std::string();
    return s_.AryTabs[static_cast<size_t>(i)].Caption;
  });
}

void TabStrip::SetTabCaption(int32_t i, std::string_view caption) {
  RaiseAs("TabStrip.TabCaption", [&] {
    SetCaptionCore(i, caption);
    site_->PropertyChanged("TabCaption");
    RefreshCore();
  });
}

void TabStrip::SetCaptionCore(int32_t i, std::string_view caption) {
  if (i < 0 || i >= s_.TabCount()) RaiseSubscript();
  // Worked out before anything changes: a caption ending in a single "&" fails
  // and leaves the tab as it was.
  const int32_t key = AccessKeyOfCaption(caption);
  TabItem& tab = s_.AryTabs[static_cast<size_t>(i)];
  tab.Caption = std::string(caption);
  tab.AccessKey = key;
  RebuildAccessKeys();
}

void TabStrip::RebuildAccessKeys() {
  accessKeys_ = AccessKeyString(s_.AryTabs);
  site_->SetAccessKeys(accessKeys_);
}

bool TabStrip::TabEnabled(int32_t i) const {
  return RaiseAs("TabStrip.TabEnabled", [&] {
    return i >= 0 && i < s_.TabCount() && s_.AryTabs[static_cast<size_t>(i)].Enabled;
  });
}

void TabStrip::SetTabEnabled(int32_t i, bool enabled) {
  RaiseAs("TabStrip.TabEnabled", [&] {
    if (i < 0 || i >= s_.TabCount()) RaiseSubscript();
    s_.AryTabs[static_cast<size_t>(i)].Enabled = enabled;
    site_->PropertyChanged("TabEnabled");
    RefreshCore();
  });
}

PicturePtr TabStrip::TabPicture(int32_t i) const {
  return RaiseAs("TabStrip.TabPicture", [&] {
    if (i < 0 || i >= s_.TabCount()) RaiseSubscript();
    return s_.AryTabs[static_cast<size_t>(i)].Picture;
  });
}

void TabStrip::SetTabPicture(int32_t i, PicturePtr picture) {
  RaiseAs("TabStrip.TabPicture", [&] {
    if (i < 0 || i >= s_.TabCount()) RaiseSubscript();
    s_.AryTabs[static_cast<size_t>(i)].Picture = std::move(picture);
    site_->PropertyChanged("TabPicture");
    RefreshCore();
  });
}

void TabStrip::RemoveTabImages(int32_t lIndex, bool bRemoveAll) {
  RaiseAs("TabStrip.RemoveTabImages", [&] {
    if (lIndex == -1 && bRemoveAll) {
      for (TabItem& tab : s_.AryTabs) tab.Picture.reset();
    } else {
      if (lIndex < 0 || lIndex >= s_.TabCount()) RaiseSubscript();
      s_.AryTabs[static_cast<size_t>(lIndex)].Picture.reset();
    }
    RefreshCore();
  });
}

// --- inserting and removing tabs ---

void TabStrip::InsertTab(int32_t lAfterIndex, std::string_view sCaption) {
  RaiseAs("TabStrip.InsertTab", [&] {
    if (lAfterIndex < -1 || lAfterIndex > s_.TabCount() - 1) RaiseSubscript();
    (void)AccessKeyOfCaption(sCaption);  // refuse a bad caption before anything moves
    {
      UpdateLock lock(*site_);
      const int32_t a = s_.ActiveTab;
      SetActiveTab(0);
      ShiftForInsert(site_->ContainedControls(), lAfterIndex, s_.HiddenOffset, s_.ActiveTab);
      SetTabCount(s_.TabCount() + 1);
      // Through the setter, so access keys and notifications follow the captions.
      for (int32_t i = s_.TabCount() - 1; i >= lAfterIndex + 2; --i) {
        SetTabCaption(i, std::string(s_.AryTabs[static_cast<size_t>(i - 1)].Caption));
      }
      SetTabCaption(lAfterIndex + 1, sCaption);
      SetActiveTab(a >= lAfterIndex + 1 ? a + 1 : a);
    }
    int32_t after = lAfterIndex;
    events_->TabInsert(after);
  });
}

void TabStrip::RemoveTab(int32_t Index) {
  RaiseAs("TabStrip.RemoveTab", [&] {
    if (s_.TabCount() == 1) return;
    if (Index < 0 || Index >= s_.TabCount()) RaiseSubscript();
    {
      UpdateLock lock(*site_);
      const int32_t a = s_.ActiveTab;
      const int32_t count = s_.TabCount();
      SetActiveTab(0);
      ShiftForRemove(site_->ContainedControls(), Index, count, s_.HiddenOffset, s_.ActiveTab);
      for (int32_t i = Index + 1; i < count; ++i) {
        SetTabCaption(i - 1, std::string(s_.AryTabs[static_cast<size_t>(i)].Caption));
      }
      SetTabCount(count - 1);
      // The same tab stays active where it still exists; when it was the one
      // removed, the tab that took its place, or the last one.
      const int32_t target = Index < a ? a - 1 : std::min(a, count - 2);
      SetActiveTab(target);
    }
    int32_t index = Index;
    events_->TabRemove(index);
  });
}

// --- Refresh ---

void TabStrip::Refresh() {
  RaiseAs("TabStrip.Refresh", [&] { RefreshCore(); });
}

void TabStrip::RefreshCore() {
  if (s_.RefreshBusy) return;
  BusyScope busy(s_.RefreshBusy);
  s_.AutoRedraw = true;
  if (!s_.InitDone) {
    s_.InitDone = true;
    if (site_->UserMode()) events_->AfterCompleteInit();
  }
  if (s_.UseThemeDetection) s_.TabTheme = GetThemeInfo() != kThemeNone ? 1 : 0;
  if (site_->InSight()) {
    paintPending_ = false;
    TabPaintEnv env = MakeEnv();
    PaintTabStrip(s_, env);
    site_->Refresh();
  } else {
    // Before the window first shows, its captions, images and page are set
    // one by one: one paint, when it shows, does for them all.
    paintPending_ = true;
  }
  if (!site_->UserMode()) s_.AutoRedraw = false;
}

void TabStrip::BeforePaint() {
  if (!paintPending_ || s_.RefreshBusy) return;
  BusyScope busy(s_.RefreshBusy);
  paintPending_ = false;
  s_.AutoRedraw = true;
  TabPaintEnv env = MakeEnv();
  PaintTabStrip(s_, env);
  if (!site_->UserMode()) s_.AutoRedraw = false;
}

void TabStrip::Redraw(std::string_view property) {
  RefreshCore();
  site_->PropertyChanged(property);
}

TabPaintEnv TabStrip::MakeEnv() const {
  TabPaintEnv env = TabPaintEnv::FromSite(*site_);
  env.smallIconPx = site_->IconWidth(false);
  env.largeIconPx = site_->IconWidth(true);
  env.hDC = site_->DeviceContext();
  return env;
}

}  // namespace tarvex
