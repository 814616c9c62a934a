// A control sited inside the tab control, as the tab control sees it: a position
// in the tab control's units (twips) that it can read and shift. The host wraps
// each child window in one; tests use fakes. No OS header.
#pragma once

#include <cstdint>
#include <optional>

namespace tarvex {

class ContainedControl {
 public:
  virtual ~ContainedControl() = default;
  // Horizontal position in twips; nullopt when the child has no such property.
  virtual std::optional<int32_t> Left() const = 0;
  // Each returns false when the child refuses the value (it then keeps its own).
  virtual bool SetLeft(int32_t twips) = 0;
  virtual bool SetTop(int32_t twips) = 0;
  virtual bool SetWidth(int32_t twips) = 0;
  virtual bool SetHeight(int32_t twips) = 0;
  virtual bool SetVisible(bool visible) = 0;
  // The child's own window as an integer, 0 for a windowless control.
  virtual int64_t WindowHandle() const = 0;
};

}  // namespace tarvex
