// One owner for every Win32 handle: UniqueAny<Handle, Close> closes what it
// holds exactly once (destruction, Reset, or a move over it). Owners of GDI
// objects also count them, so a test can see a leak where the platform's own
// figure (GetGuiResources) is not available.
#pragma once

#include <windows.h>
// <windows.h> maps DrawText to DrawTextW; the surface's member of that name
// must keep it, or callers here and in the portable code disagree.
#undef DrawText

#include <atomic>
#include <utility>

namespace tarvex {

namespace handle_detail {

// Program-wide because the objects it counts are: every owner in the process
// adds to it.
inline std::atomic<long> liveGdiObjects{0};

enum class Count { kNo, kGdi };

}  // namespace handle_detail

// The GDI objects (pens, brushes, fonts, bitmaps, regions, DCs) held right now
// by owners in this process.
inline long LiveGdiObjects() { return handle_detail::liveGdiObjects.load(); }

// `Handle` is empty when it converts to false (a null pointer, or a record
// with its own operator bool); `Close` takes it by value.
template <class Handle, auto Close, handle_detail::Count kCount = handle_detail::Count::kNo>
class UniqueAny {
 public:
  UniqueAny() = default;
  explicit UniqueAny(Handle h) noexcept : h_(h) { Adopted(); }
  ~UniqueAny() { Reset(); }
  UniqueAny(UniqueAny&& o) noexcept : h_(std::exchange(o.h_, Handle{})) {}
  UniqueAny& operator=(UniqueAny&& o) noexcept {
    if (this != &o) {
      Reset();
      h_ = std::exchange(o.h_, Handle{});
    }
    return *this;
  }
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;

  const Handle& Get() const { return h_; }
  explicit operator bool() const { return static_cast<bool>(h_); }

  // Closes what is held and takes `h`.
  void Reset(Handle h = Handle{}) noexcept {
    if (h_) {
      Forgotten();
      Close(h_);
    }
    h_ = h;
    Adopted();
  }
  // Hands the handle to someone else who closes it (the owner count drops).
  [[nodiscard]] Handle Release() noexcept {
    if (h_) Forgotten();
    return std::exchange(h_, Handle{});
  }
  // For functions that return a handle through a pointer: closes what is
  // held and lets the call write the new one. Not for counted kinds, whose
  // count must see the handle arrive.
  Handle* Put() noexcept {
    static_assert(kCount == handle_detail::Count::kNo, "counted owners take their handle by Reset");
    Reset();
    return &h_;
  }

 private:
  void Adopted() noexcept {
    if (kCount == handle_detail::Count::kGdi && h_) ++handle_detail::liveGdiObjects;
  }
  void Forgotten() noexcept {
    if (kCount == handle_detail::Count::kGdi) --handle_detail::liveGdiObjects;
  }

  Handle h_{};
};

namespace handle_detail {

// Wrappers rather than the system functions themselves: the address of an
// imported function is not a constant a template argument may name.
inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void DeleteMemoryDc(HDC h) { ::DeleteDC(h); }
inline void CloseKernelHandle(HANDLE h) { ::CloseHandle(h); }
inline void CloseRegistryKey(HKEY h) { ::RegCloseKey(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }

// A DC from GetDC, given back to its window.
struct WindowDc {
  HWND window = nullptr;
  HDC dc = nullptr;
  explicit operator bool() const { return dc != nullptr; }
};
inline void ReleaseWindowDc(WindowDc h) { ::ReleaseDC(h.window, h.dc); }

// A DC from BeginPaint with its paint record, ended with EndPaint.
struct PaintDc {
  HWND window = nullptr;
  PAINTSTRUCT paint{};
  HDC dc = nullptr;
  explicit operator bool() const { return dc != nullptr; }
};
inline void EndPaintDc(PaintDc h) { ::EndPaint(h.window, &h.paint); }

// An object selected into a DC; closing puts the previous one back.
struct Selection {
  HDC dc = nullptr;
  HGDIOBJ previous = nullptr;
  explicit operator bool() const { return previous != nullptr && previous != HGDI_ERROR; }
};
inline void Deselect(Selection h) { ::SelectObject(h.dc, h.previous); }

}  // namespace handle_detail

template <class Handle>
using UniqueGdi = UniqueAny<Handle, &handle_detail::DeleteGdiObject, handle_detail::Count::kGdi>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniqueFont = UniqueGdi<HFONT>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueRegion = UniqueGdi<HRGN>;
using UniqueMemoryDc = UniqueAny<HDC, &handle_detail::DeleteMemoryDc, handle_detail::Count::kGdi>;
using UniqueWindowDc =
    UniqueAny<handle_detail::WindowDc, &handle_detail::ReleaseWindowDc, handle_detail::Count::kGdi>;
using UniquePaintDc = UniqueAny<handle_detail::PaintDc, &handle_detail::EndPaintDc, handle_detail::Count::kGdi>;
using UniqueSelection = UniqueAny<handle_detail::Selection, &handle_detail::Deselect>;
// Kernel objects that are null when absent (mutexes, processes); CreateFile's
// INVALID_HANDLE_VALUE goes through FileHandle.
using UniqueHandle = UniqueAny<HANDLE, &handle_detail::CloseKernelHandle>;
using UniqueHkey = UniqueAny<HKEY, &handle_detail::CloseRegistryKey>;
using UniqueIcon = UniqueAny<HICON, &handle_detail::DestroyIconHandle>;

// CreateFile's failure value is INVALID_HANDLE_VALUE, not null.
inline UniqueHandle FileHandle(HANDLE h) { return UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h); }

inline UniqueMemoryDc CreateMemoryDc(HDC compatibleWith) {
  return UniqueMemoryDc(::CreateCompatibleDC(compatibleWith));
}
// `window` null: the screen's DC.
inline UniqueWindowDc GetWindowDc(HWND window) { return UniqueWindowDc({window, ::GetDC(window)}); }
inline UniquePaintDc BeginPainting(HWND window) {
  handle_detail::PaintDc p;
  p.window = window;
  p.dc = ::BeginPaint(window, &p.paint);
  return UniquePaintDc(p);
}
inline UniqueSelection SelectInto(HDC dc, HGDIOBJ object) {
  return UniqueSelection({dc, ::SelectObject(dc, object)});
}

}  // namespace tarvex
