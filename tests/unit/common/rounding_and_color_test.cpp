// Rounding, OLE colour translation, the 16-bit Boolean and the 4-decimal fixed point.
#include <gtest/gtest.h>

#include "common/color.h"
#include "common/fixed_point.h"
#include "common/rounding.h"
#include "common/vb_bool.h"
#include "platform/system_colors.h"

namespace tarvex {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(RoundHalfEven, NonHalvesGoToTheNearest) {
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(-2.6), -3);
  EXPECT_EQ(RoundHalfEven(86.0), 86);
  EXPECT_EQ(RoundHalfEven(4503599627370497.0), 4503599627370497LL);
}

class FixedColors final : public SystemColors {
 public:
  std::optional<Rgb> SysColor(int index) const override {
    if (index == 15) return MakeRgb(236, 233, 216);
    return std::nullopt;
  }
};

TEST(OleColor, PlainRgbUnchangedSystemTranslatedElseBlack) {
  FixedColors colors;
  EXPECT_EQ(TranslateOleColor(0xFBFDFB, colors), 0xFBFDFBu);
  EXPECT_EQ(TranslateOleColor(0x8000000F, colors), MakeRgb(236, 233, 216));
  EXPECT_EQ(TranslateOleColor(0x80000012, colors), 0u);  // unknown index
  EXPECT_EQ(TranslateOleColor(0x8000010F, colors), 0u);  // junk above the index byte
  EXPECT_EQ(TranslateOleColor(0x4000000F, colors), 0u);  // neither RGB nor system colour
  Rgb out = 7;
  EXPECT_FALSE(TryTranslateOleColor(0x80000012, colors, out));
}

TEST(OleColor, ChannelsAndClassicTable) {
  constexpr Rgb c = MakeRgb(250, 10, 128);
  EXPECT_EQ(RedOf(c), 250);
  EXPECT_EQ(GreenOf(c), 10);
  EXPECT_EQ(BlueOf(c), 128);
  ClassicSystemColors classic;
  EXPECT_EQ(TranslateOleColor(SystemColor(kColorBtnFace), classic), MakeRgb(212, 208, 200));
  EXPECT_FALSE(classic.SysColor(31).has_value());
}

TEST(VbBool, TrueIsMinusOne) {
  EXPECT_EQ(ToVbBool(true), -1);
  EXPECT_EQ(ToVbBool(false), 0);
  EXPECT_TRUE(FromVbBool(1));
  EXPECT_FALSE(FromVbBool(0));
}

TEST(Fixed4, ScalesByTenThousandAndRoundsHalfEven) {
  EXPECT_EQ(Fixed4::FromInteger(3).Scaled(), 30000);
  EXPECT_EQ(Fixed4::FromDouble(1.23455).Scaled(), 12346);  // binary 1.23455 lies above the half
  EXPECT_EQ(Fixed4::FromDouble(0.00005).Scaled(), 0);      // exact half -> even
  EXPECT_EQ(Fixed4::FromDouble(-1.25).Scaled(), -12500);
  EXPECT_DOUBLE_EQ((Fixed4::FromInteger(5) - Fixed4::FromScaled(2500)).ToDouble(), 4.75);
}

}  // namespace
}  // namespace tarvex
