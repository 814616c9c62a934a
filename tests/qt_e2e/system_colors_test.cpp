// The own controls' system colours on Linux: the desktop palette's, by role.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

#include "host/qt/qt_system_colors.h"

namespace tarvex {
namespace {

TEST(QtColors, SystemColoursAreThePalettesWithTheClassicSchemeWhereNoRoleMatches) {
  const QPalette saved = QGuiApplication::palette();
  QPalette theme = saved;
  theme.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
  theme.setColor(QPalette::Active, QPalette::ButtonText, QColor(4, 5, 6));
  theme.setColor(QPalette::Disabled, QPalette::Text, QColor(7, 8, 9));
  theme.setColor(QPalette::Active, QPalette::Shadow, QColor(10, 11, 12));
  QGuiApplication::setPalette(theme);
  const QtSystemColors colors;
  EXPECT_EQ(colors.SysColor(kColorBtnFace), MakeRgb(1, 2, 3));
  EXPECT_EQ(colors.SysColor(kColorBtnText), MakeRgb(4, 5, 6));
  EXPECT_EQ(colors.SysColor(kColorGrayText), MakeRgb(7, 8, 9));
  EXPECT_EQ(colors.SysColor(21), MakeRgb(10, 11, 12));  // COLOR_3DDKSHADOW
  EXPECT_EQ(colors.SysColor(1), ClassicSystemColors().SysColor(1));  // the desktop's own colour
  EXPECT_FALSE(colors.SysColor(kMaxSysColorIndex + 1));
  EXPECT_FALSE(colors.SysColor(-1));
  QGuiApplication::setPalette(saved);
}

}  // namespace
}  // namespace tarvex
