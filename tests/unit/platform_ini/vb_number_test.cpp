// The Val-style numeric reader and the shortest decimal text.
#include <gtest/gtest.h>

#include <cmath>

#include "common/vb_number.h"

namespace tarvex {
namespace {

TEST(ReadVbNumber, SettingValuesThatReadAsOne) {
  for (const char* text : {"1", "01", "1.0", "1x", " 1", "  01", "\t1", "+1", "1.", "0.1e1", "10e-1", "1e", "1e+",
                           "1.0000000000000000000001", "&H1", "&O1", "&h0001"}) {
    EXPECT_TRUE(ReadsAsOne(text)) << '"' << text << '"';
  }
}

TEST(ReadVbNumber, SettingValuesThatDoNotReadAsOne) {
  for (const char* text : {"", "true", "2", "0", "-1", "x1", ".1", "- 1", "&1", "&X1", "on", "１"}) {
    EXPECT_FALSE(ReadsAsOne(text)) << '"' << text << '"';
  }
}

TEST(ReadVbNumber, StopsAtTheFirstCharacterThatDoesNotFit) {
  EXPECT_EQ(ReadVbNumber("100abc"), 100.0);
  EXPECT_EQ(ReadVbNumber("0100"), 100.0);
  EXPECT_EQ(ReadVbNumber("100.0"), 100.0);
  EXPECT_EQ(ReadVbNumber("-12.5xyz"), -12.5);
  EXPECT_EQ(ReadVbNumber("1.5.3"), 1.5);
  EXPECT_EQ(ReadVbNumber("2e3"), 2000.0);
  EXPECT_EQ(ReadVbNumber("2D3"), 2000.0);
  EXPECT_EQ(ReadVbNumber("2e-2"), 0.02);
  EXPECT_EQ(ReadVbNumber("3ex"), 3.0);
  EXPECT_EQ(ReadVbNumber(".5"), 0.5);
  EXPECT_EQ(ReadVbNumber("."), 0.0);
  EXPECT_EQ(ReadVbNumber("-"), 0.0);
  EXPECT_EQ(ReadVbNumber("   "), 0.0);
}

TEST(ReadVbNumber, HexAndOctalFollowTheLiteralWidths) {
  EXPECT_EQ(ReadVbNumber("&HFF"), 255.0);
  EXPECT_EQ(ReadVbNumber("&H7FFF"), 32767.0);
  EXPECT_EQ(ReadVbNumber("&HFFFF"), -1.0);  // four digits: a 16-bit Integer
  EXPECT_EQ(ReadVbNumber("&H8000"), -32768.0);
  EXPECT_EQ(ReadVbNumber("&H10000"), 65536.0);
  EXPECT_EQ(ReadVbNumber("&HFFFFFFFF"), -1.0);  // eight digits: a 32-bit Long
  EXPECT_EQ(ReadVbNumber("&H100000000"), 0.0);  // does not fit a Long
  EXPECT_EQ(ReadVbNumber("&HFG"), 15.0);
  EXPECT_EQ(ReadVbNumber("&H"), 0.0);
  EXPECT_EQ(ReadVbNumber("&O17"), 15.0);
  EXPECT_EQ(ReadVbNumber("&O8"), 0.0);
  EXPECT_EQ(ReadVbNumber("&O177777"), -1.0);
}

TEST(ReadVbNumber, HugeAndTinyNumbersDoNotMisbehave) {
  EXPECT_TRUE(std::isinf(ReadVbNumber("1e400")));
  EXPECT_LT(ReadVbNumber("-1e400"), 0.0);
  EXPECT_EQ(ReadVbNumber("1e-400"), 0.0);
  EXPECT_EQ(ReadVbNumber("1e999999999999999999999"), HUGE_VAL);
  EXPECT_EQ(ReadVbNumber(std::string(5000, '9') + "e-4990"), 1e10);
  EXPECT_EQ(ReadVbNumber("0." + std::string(500, '0') + "1e501"), 1.0);
  EXPECT_EQ(ReadVbNumber(std::string(400, '0') + "1"), 1.0);
}

TEST(ShortestDecimalText, GivesTheListEntriesBack) {
  EXPECT_EQ(ShortestDecimalText(ReadVbNumber("0100")), "100");
  EXPECT_EQ(ShortestDecimalText(ReadVbNumber("100.0")), "100");
  EXPECT_EQ(ShortestDecimalText(ReadVbNumber("")), "0");
  EXPECT_EQ(ShortestDecimalText(ReadVbNumber("-0")), "0");
  EXPECT_EQ(ShortestDecimalText(ReadVbNumber("75.5")), "75.5");
  EXPECT_EQ(ShortestDecimalText(ReadVbNumber("5e1")), "50");
}

}  // namespace
}  // namespace tarvex
