// The Val-style numeric reader and the shortest decimal text.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

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

TEST(ShortestDecimalText, SpellsEveryNumberAsToCharsAndReadsBack) {
  // std::to_chars is the reference spelling (the program itself does without
  // it); beyond 1e16 its plain form writes the exact integer where ours pads
  // the shortest digits with zeros, so there only the round trip counts.
  std::vector<double> values = {1, 0.5, 0.1, 100, 1e15, 123456, 0.001, 1e-7, 5e-324, 1.7976931348623157e308,
                                1e20, 1e21, 123456789012, 2.5e-5, 9007199254740993.0, 0.3, 75.5, 1e100};
  uint64_t bits = 0x9E3779B97F4A7C15ull;
  for (int i = 0; i < 4000; ++i) {
    bits ^= bits << 13, bits ^= bits >> 7, bits ^= bits << 17;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (std::isfinite(v)) values.push_back(v);
    values.push_back(static_cast<double>(static_cast<int64_t>(bits % 2000001) - 1000000) / 8.0);
  }
  for (double v : values) {
    for (double value : {v, -v}) {
      const std::string text = ShortestDecimalText(value);
      if (value == 0) continue;
      EXPECT_EQ(ReadVbNumber(text), value) << text;
      if (std::fabs(value) < 1e16) {
        char buffer[64];
        auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
        ASSERT_EQ(error, std::errc());
        EXPECT_EQ(text, std::string(buffer, end));
      }
    }
  }
}

}  // namespace
}  // namespace tarvex
