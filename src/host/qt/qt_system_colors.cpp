// COLOR_* indexes to palette roles (see qt_system_colors.h).
#include "qt_system_colors.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace tarvex {
namespace {

struct Role {
  QPalette::ColorGroup group = QPalette::Active;
  QPalette::ColorRole role = QPalette::NoRole;  // none: the classic colour
};

constexpr Role A(QPalette::ColorRole role) { return {QPalette::Active, role}; }

// By index, COLOR_SCROLLBAR (0) .. COLOR_MENUBAR (30).
constexpr std::array<Role, kMaxSysColorIndex + 1> kRoles = {
    A(QPalette::Button),            // SCROLLBAR
    Role{},                         // BACKGROUND (the desktop)
    A(QPalette::Highlight),         // ACTIVECAPTION
    Role{QPalette::Inactive, QPalette::Highlight},  // INACTIVECAPTION
    A(QPalette::Window),            // MENU
    A(QPalette::Base),              // WINDOW
    A(QPalette::Shadow),            // WINDOWFRAME
    A(QPalette::WindowText),        // MENUTEXT
    A(QPalette::WindowText),        // WINDOWTEXT
    A(QPalette::HighlightedText),   // CAPTIONTEXT
    A(QPalette::Button),            // ACTIVEBORDER
    A(QPalette::Button),            // INACTIVEBORDER
    A(QPalette::Dark),              // APPWORKSPACE
    A(QPalette::Highlight),         // HIGHLIGHT
    A(QPalette::HighlightedText),   // HIGHLIGHTTEXT
    A(QPalette::Button),            // BTNFACE
    A(QPalette::Dark),              // BTNSHADOW
    Role{QPalette::Disabled, QPalette::Text},  // GRAYTEXT
    A(QPalette::ButtonText),        // BTNTEXT
    Role{QPalette::Inactive, QPalette::HighlightedText},  // INACTIVECAPTIONTEXT
    A(QPalette::Light),             // BTNHIGHLIGHT
    A(QPalette::Shadow),            // 3DDKSHADOW
    A(QPalette::Midlight),          // 3DLIGHT
    A(QPalette::ToolTipText),       // INFOTEXT
    A(QPalette::ToolTipBase),       // INFOBK
    Role{},                         // (no colour)
    A(QPalette::Link),              // HOTLIGHT
    Role{},                         // GRADIENTACTIVECAPTION
    Role{},                         // GRADIENTINACTIVECAPTION
    A(QPalette::Highlight),         // MENUHILIGHT
    A(QPalette::Window),            // MENUBAR
};

}  // namespace

std::optional<Rgb> QtSystemColors::SysColor(int index) const {
  if (index < 0 || index > kMaxSysColorIndex) return std::nullopt;
  const Role r = kRoles[static_cast<size_t>(index)];
  if (r.role == QPalette::NoRole || qGuiApp == nullptr) return classic_.SysColor(index);
  const QColor c = QGuiApplication::palette().color(r.group, r.role);
  return MakeRgb(c.red(), c.green(), c.blue());
}

}  // namespace tarvex
