// SSTabMain on the real TabStrip: the main window's PageTabs over a TabWindow
// loaded with the main window's stored tab properties, the page pictures from
// the program's bitmap resources, and the two mouse events the window handles.
#include <memory>
#include <utility>

#include "common/control_error.h"
#include "common/dib_file.h"
#include "host_page_tabs.h"
#include "res/resource.h"
#include "tabctl/main_window_tabs.h"
#include "tab_window.h"

namespace tarvex {
namespace {

// A bitmap resource as a Picture (RGB, top row first); null when missing.
// Decoded from the resource's own bytes: no bitmap object, no device context,
// nothing asked of the display before the window shows.
PicturePtr LoadBitmapPicture(HINSTANCE instance, int id) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_BITMAP);
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const auto* bytes = loaded != nullptr ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
  if (bytes == nullptr) return nullptr;
  const std::optional<DecodedImage> image = DecodePackedDib({bytes, SizeofResource(instance, found)});
  if (!image) return nullptr;
  auto picture = std::make_shared<Picture>();
  picture->type = PictureType::Bitmap;
  picture->width = image->width;
  picture->height = image->height;
  picture->pixels.reserve(image->argb.size());
  for (uint32_t p : image->argb) picture->pixels.push_back(MakeRgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  return picture;
}

// ImageListTabMain: the four page pictures, numbered from 1.
struct ResourceImageList {
  HINSTANCE instance;
  std::optional<PicturePtr> Picture(int index) const {
    static constexpr int kIds[] = {IDB_TAB0, IDB_TAB1, IDB_TAB2, IDB_TAB3};
    if (index < 1 || index > 4) return std::nullopt;
    PicturePtr p = LoadBitmapPicture(instance, kIds[index - 1]);
    if (!p) return std::nullopt;
    return p;
  }
};

class StripPageTabs final : public PageTabs, private TabStripEvents {
 public:
  StripPageTabs(HINSTANCE instance, PageTabsEvents events)
      : instance_(instance), events_(std::move(events)), window_(*this) {}

  bool Create(HWND parent, int id, const Rect& rect) {
    window_.SetAmbientFont(MainWindowFormFont());
    const RECT bounds{rect.left, rect.top, rect.right, rect.bottom};
    const PropertyBag bag = MainWindowTabBag();
    return window_.CreateLoaded(instance_, parent, id, bounds, &bag) != nullptr;
  }

  HWND Handle() const override { return window_.Handle(); }
  void AddToPage(int page, HWND child, const Rect& rectOnPage) override {
    window_.AddToPage(page, child, rectOnPage);
  }
  void CopyTabImagesFromImageList() override {
    window_.Strip().CopyTabImagesFromImageList(ResourceImageList{instance_});
  }
  void SetTabCaption(int tab, std::string_view caption) override {
    Call([&] { window_.Strip().SetTabCaption(tab, caption); });
  }
  void SetActiveTab(int tab) override { Call([&] { window_.Strip().SetActiveTab(tab); }); }
  void SetActiveTabHeight(int pixels) override {
    Call([&] { window_.Strip().SetActiveTabHeight(pixels); });
  }
  int ActiveTab() const override { return window_.Strip().ActiveTab(); }

 private:
  // The main window's load step skips what fails.
  template <class F>
  static void Call(F&& f) {
    try {
      f();
    } catch (const ControlError&) {
    }
  }
  void MouseDown(int16_t, int16_t, float, float) override {
    if (events_.mouseDown) events_.mouseDown();
  }
  void MouseMove(int16_t, int16_t, float, float) override {
    if (events_.mouseMove) events_.mouseMove();
  }

  HINSTANCE instance_;
  PageTabsEvents events_;
  TabWindow window_;
};

}  // namespace

std::unique_ptr<PageTabs> CreateTabStripPageTabs(HINSTANCE instance, HWND parent, int id, const Rect& rect,
                                                 PageTabsEvents events) {
  auto tabs = std::make_unique<StripPageTabs>(instance, std::move(events));
  if (!tabs->Create(parent, id, rect)) return nullptr;
  return tabs;
}

}  // namespace tarvex
