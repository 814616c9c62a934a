// A plain stand-in for SSTabMain while the TabStrip control window is not part
// of the build: flat tabs drawn with GDI, pages shown and hidden as a whole.
#include <string>
#include <utility>
#include <vector>

#include "host_page_tabs.h"
#include "platform/win32/wide_text.h"

namespace tarvex {
namespace {

constexpr wchar_t kClass[] = L"TarvexBasicTabs";
constexpr int kTabWidth = 90;

class BasicTabs final : public PageTabs {
 public:
  BasicTabs(HWND hwnd, const Rect& rect, PageTabsEvents events)
      : hwnd_(hwnd), rect_(rect), events_(std::move(events)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  HWND Handle() const override { return hwnd_; }
  void AddToPage(int page, HWND child, const Rect& r) override {
    MoveWindow(child, rect_.left + r.left, rect_.top + r.top, r.Width(), r.Height(), FALSE);
    ShowWindow(child, page == active_ ? SW_SHOW : SW_HIDE);
    children_.push_back({page, child});
  }
  void CopyTabImagesFromImageList() override {}
  void SetTabCaption(int tab, std::string_view caption) override {
    if (tab >= 0 && tab < 4) captions_[static_cast<size_t>(tab)] = Utf8ToWide(caption);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  void SetActiveTab(int tab) override {
    active_ = tab;
    for (const auto& [page, child] : children_) ShowWindow(child, page == tab ? SW_SHOW : SW_HIDE);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  void SetActiveTabHeight(int pixels) override { tabHeight_ = pixels; }
  int ActiveTab() const override { return active_; }

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<BasicTabs*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        self->Paint(dc);
        EndPaint(hwnd, &ps);
        return 0;
      }
      case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: {
        const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        if (msg == WM_LBUTTONDOWN && y < self->tabHeight_ && x / kTabWidth < 4) self->SetActiveTab(x / kTabWidth);
        if (self->events_.mouseDown) self->events_.mouseDown();
        return 0;
      }
      case WM_MOUSEMOVE:
        if (self->events_.mouseMove) self->events_.mouseMove();
        return 0;
      default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
  }

 private:
  void Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    HBRUSH page = CreateSolidBrush(RGB(0xFB, 0xFD, 0xFB));
    RECT body{0, tabHeight_ - 1, client.right, client.bottom};
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    FillRect(dc, &body, page);
    FrameRect(dc, &body, GetSysColorBrush(COLOR_BTNSHADOW));
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < 4; ++i) {
      RECT tab{i * kTabWidth, i == active_ ? 0 : 3, (i + 1) * kTabWidth - 2, tabHeight_};
      FillRect(dc, &tab, i == active_ ? page : GetSysColorBrush(COLOR_BTNFACE));
      FrameRect(dc, &tab, GetSysColorBrush(COLOR_BTNSHADOW));
      const auto& text = captions_[static_cast<size_t>(i)];
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    DeleteObject(page);
  }

  HWND hwnd_;
  Rect rect_;
  PageTabsEvents events_;
  std::wstring captions_[4];
  std::vector<std::pair<int, HWND>> children_;
  int active_ = 0;
  int tabHeight_ = 25;
};

}  // namespace

std::unique_ptr<PageTabs> CreatePageTabs(HINSTANCE instance, HWND parent, const Rect& rect,
                                         PageTabsEvents events) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = BasicTabs::Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClass;
  RegisterClassExW(&wc);  // fails harmlessly when already registered
  HWND hwnd = CreateWindowExW(0, kClass, L"SSTabMain", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left,
                              rect.top, rect.Width(), rect.Height(), parent, nullptr, instance, nullptr);
  if (!hwnd) return nullptr;
  return std::make_unique<BasicTabs>(hwnd, rect, std::move(events));
}

}  // namespace tarvex
