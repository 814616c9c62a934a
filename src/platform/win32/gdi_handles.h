// RAII for GDI objects and selections: a GDI handle deleted with its owner, a
// memory DC deleted with DeleteDC, and an object selected for one scope.
#pragma once

#include <windows.h>
// <windows.h> maps DrawText to DrawTextW; the surface's member of that name
// must keep it, or callers here and in the portable code disagree.
#undef DrawText

#include <cstdint>
#include <utility>

#include "common/font.h"

namespace tarvex {

template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle h) : h_(h) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  GdiObject& operator=(GdiObject&& o) noexcept {
    if (this != &o) {
      Reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset(Handle h = nullptr) {
    if (h_ != nullptr) DeleteObject(h_);
    h_ = h;
  }

 private:
  Handle h_ = nullptr;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;

// A memory device context (CreateCompatibleDC), deleted with DeleteDC.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith = nullptr) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDc() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~SelectGuard() {
    if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Rgb (red low) is COLORREF's own layout.
inline COLORREF ToColorRef(uint32_t rgb) { return static_cast<COLORREF>(rgb & 0xFFFFFFu); }

// An HFONT for a FontSpec at 96 dpi (height = -points * 96 / 72, rounded).
HFONT CreateFontFor(const FontSpec& font);

}  // namespace tarvex
