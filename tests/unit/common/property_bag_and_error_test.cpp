// The property bag (defaults not stored, order kept, text round trip, host
// conversions) and the control error's re-raising rules.
#include <gtest/gtest.h>

#include <stdexcept>

#include "common/control_error.h"
#include "common/property_bag.h"

namespace tarvex {
namespace {

TEST(PropertyBag, ValueEqualToDefaultIsNotStoredAndDropsAnOldValue) {
  PropertyBag bag;
  bag.Write("TabCount", int64_t{3}, int64_t{3});
  EXPECT_FALSE(bag.Contains("TabCount"));
  bag.Write("TabCount", int64_t{4}, int64_t{3});
  EXPECT_EQ(bag.ReadInt("TabCount", 3), 4);
  bag.Write("TabCount", int64_t{3}, int64_t{3});
  EXPECT_FALSE(bag.Contains("TabCount"));
  // Numbers compare across integer and floating types.
  bag.Write("Size", 8.0, int64_t{8});
  EXPECT_FALSE(bag.Contains("Size"));
}

TEST(PropertyBag, KeysKeepWriteOrderAndMatchWithoutCase) {
  PropertyBag bag;
  bag.Write("B", std::string("x"), std::string());
  bag.Write("a", true, false);
  bag.Write("C", int64_t{-1}, int64_t{0});
  bag.Write("b", std::string("y"), std::string());  // replaces in place
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"B", "a", "C"}));
  EXPECT_EQ(bag.ReadString("B", ""), "y");
  EXPECT_TRUE(bag.ReadBool("A", false));
}

TEST(PropertyBag, ReadsAreLoggedInOrderAndAbsentKeysGiveTheDefault) {
  PropertyBag bag;
  bag.Put("Caption", std::string("OK"));
  EXPECT_EQ(bag.ReadString("Missing", "Tab0"), "Tab0");
  EXPECT_EQ(bag.ReadString("Caption", ""), "OK");
  EXPECT_EQ(bag.ReadLog(), (std::vector<std::string>{"Missing", "Caption"}));
}

TEST(PropertyBag, ConvertsStoredTypesLikeTheHost) {
  PropertyBag bag;
  bag.Put("N", std::string("42"));
  bag.Put("Flag", int64_t{-1});
  bag.Put("Text", int64_t{7});
  bag.Put("Junk", std::string("abc"));
  EXPECT_EQ(bag.ReadInt("N", 0), 42);
  EXPECT_TRUE(bag.ReadBool("Flag", false));
  EXPECT_EQ(bag.ReadString("Text", ""), "7");
  EXPECT_EQ(bag.ReadInt("Junk", 5), 5);
}

TEST(PropertyBag, TextFormRoundTripsEveryType) {
  PropertyBag bag;
  FontDesc font{"宋体", 9.0, true, false, true, false, kGb2312Charset};
  auto pic = std::make_shared<Picture>();
  pic->type = PictureType::Icon;
  pic->width = 2;
  pic->height = 1;
  pic->pixels = {0xFF00FF, 0x123456};
  pic->alpha = {1, 0};
  bag.Put("Bool", true);
  bag.Put("Int", int64_t{-2147483648LL});
  bag.Put("Double", 0.1);
  bag.Put("Text", std::string("line\none = \\two"));
  bag.Put("Font", font);
  bag.Put("Picture", PicturePtr(pic));
  bag.Put("NoPicture", PicturePtr{});
  auto back = PropertyBag::FromText(bag.ToText());
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, bag);
  EXPECT_EQ(back->ReadFont("Font", {}), font);
  EXPECT_EQ(back->ReadDouble("Double", 0), 0.1);
  ASSERT_NE(back->ReadPicture("Picture"), nullptr);
  EXPECT_EQ(*back->ReadPicture("Picture"), *pic);
  EXPECT_FALSE(PropertyBag::FromText("Broken line without separator").has_value());
  EXPECT_FALSE(PropertyBag::FromText("X = picture:1|2|2|00").has_value());
}

TEST(ControlError, ReRaisingKeepsEverythingButTheSource) {
  try {
    RaiseAs("TabStrip.InsertTab", [] {
      RaiseAs("TabStrip.pMoveControls",
              [] { throw ControlError(kErrSubscript, "Inner", "", "tabs.hlp", 77); });
    });
    FAIL() << "no error raised";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.Number(), 9);
    EXPECT_EQ(e.Description(), "Subscript out of range");
    EXPECT_EQ(e.Source(), "TabStrip.InsertTab");
    EXPECT_EQ(e.HelpFile(), "tabs.hlp");
    EXPECT_EQ(e.HelpContext(), 77);
  }
}

TEST(ControlError, ForeignFailuresBecomeHostErrors) {
  auto numberOf = [](auto thrower) {
    try {
      RaiseAs("X.Y", thrower);
    } catch (const ControlError& e) {
      EXPECT_EQ(e.Source(), "X.Y");
      return e.Number();
    }
    return int32_t{-1};
  };
  EXPECT_EQ(numberOf([] { throw std::overflow_error("o"); }), kErrOverflow);
  EXPECT_EQ(numberOf([] { throw std::bad_alloc(); }), kErrOutOfMemory);
  EXPECT_EQ(numberOf([] { throw std::out_of_range("r"); }), kErrSubscript);
  EXPECT_EQ(numberOf([] { throw 42; }), kErrInvalidCall);
  EXPECT_EQ(RaiseAs("X.Y", [] { return 5; }), 5);
}

}  // namespace
}  // namespace tarvex
