// Painting of the gradient button: every look of every type on a Surface. Reads
// the properties and derived colours it is given; never lays out, never touches
// the site. Coordinates are pixels of the button's surface (W x H inner size).
#pragma once

#include <cstdint>

#include "button/command_colors.h"
#include "button/command_properties.h"
#include "common/geometry.h"
#include "platform/surface.h"

namespace tarvex {

class SystemColors;

// Caption tops that persist between paints: t of the normal and disabled looks
// and t' of the pressed looks. They change only when a caption wraps.
struct CaptionTops {
  int32_t top = 0;
  int32_t pressedTop = 2;
};

struct PaintFlags {
  bool hovering = false;
  bool focused = false;           // the focus flag of this paint
  bool defaultOrFocused = false;  // ShowFocusRect and shown as default, or focused
};

struct PaintInput {
  const CommandProperties& props;
  const SchemeColors& scheme;
  const SystemColors& system;
  Size inner;  // W x H
  PaintFlags flags;
};

// The body of the paint: clear, face, then the disabled, pressed or normal look
// of the type for `state`. The caller handles the skip rule and H = 0.
void PaintCommandLook(Surface& surface, const PaintInput& in, int32_t state, CaptionTops& tops);

}  // namespace tarvex
