// Key strings of the keystroke-sending service.
#include <gtest/gtest.h>

#include "platform/send_keys.h"

namespace tarvex {
namespace {

TEST(SendKeys, TabAndShiftTab) {
  auto tab = ParseSendKeys("{Tab}");
  ASSERT_TRUE(tab);
  EXPECT_EQ(*tab, (std::vector<KeyStroke>{{0x09, 0, false, false, false}}));
  auto back = ParseSendKeys("+{TAB}");
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, (std::vector<KeyStroke>{{0x09, 0, true, false, false}}));
}

TEST(SendKeys, ModifiersApplyToTheNextKeyOrGroup) {
  auto keys = ParseSendKeys("^ab%(xy)");
  ASSERT_TRUE(keys);
  ASSERT_EQ(keys->size(), 4u);
  EXPECT_TRUE((*keys)[0].ctrl);
  EXPECT_EQ((*keys)[0].character, U'a');
  EXPECT_FALSE((*keys)[1].ctrl);
  EXPECT_TRUE((*keys)[2].alt);
  EXPECT_TRUE((*keys)[3].alt);
  EXPECT_EQ((*keys)[3].character, U'y');
}

TEST(SendKeys, LiteralBracesAndCharacters) {
  auto keys = ParseSendKeys("{+}{}}~加");
  ASSERT_TRUE(keys);
  ASSERT_EQ(keys->size(), 4u);
  EXPECT_EQ((*keys)[0].character, U'+');
  EXPECT_FALSE((*keys)[0].shift);
  EXPECT_EQ((*keys)[1].character, U'}');
  EXPECT_EQ((*keys)[2].virtualKey, 0x0D);
  EXPECT_EQ((*keys)[3].character, U'加');
}

TEST(SendKeys, MalformedStringsAreRejected) {
  for (const char* bad : {"{Tab", "{Nope}", "+", "(ab", "ab)", "((a))"})
    EXPECT_FALSE(ParseSendKeys(bad)) << bad;
  auto empty = ParseSendKeys("");
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->empty());
}

}  // namespace
}  // namespace tarvex
