// The portable INI text: the private-profile reading rules on well-formed and
// malformed files, and writes that leave every other byte as it was.
#include <gtest/gtest.h>

#include <string>

#include "platform/portable/ini_text.h"

namespace tarvex {
namespace {

using namespace std::string_literals;

std::string Get(const std::string& bytes, const char* section, const char* key) {
  return IniText(bytes).Get(section, key).value_or("<none>");
}

TEST(IniTextRead, NamesMatchWithoutCaseAndValuesAreTrimmed) {
  const std::string file = "[Normal]\r\nAutoRun = 1  \r\n  autoMIN=\t0\r\n[Speed]\r\nSpeedLevel=2\r\n";
  EXPECT_EQ(Get(file, "normal", "AUTORUN"), "1");
  EXPECT_EQ(Get(file, "NORMAL", "AutoMin"), "0");
  EXPECT_EQ(Get(file, "Speed", "SpeedLevel"), "2");
  EXPECT_EQ(Get(file, "Speed", "AutoRun"), "<none>");
  EXPECT_EQ(Get(file, "Record", "SpeedLevel"), "<none>");
  EXPECT_EQ(Get(file, " Normal ", " AutoRun "), "1");  // query names are trimmed too
}

TEST(IniTextRead, EmptyValuesQuotesAndInnerBlanks) {
  const std::string file = "[s]\r\ne=\r\nb=   \r\nq=\"a b\"\r\nsq='x'\r\nmix=\"x'\r\nlone=\"\r\ninner=a  b\r\n";
  EXPECT_EQ(Get(file, "s", "e"), "<none>");
  EXPECT_EQ(Get(file, "s", "b"), "<none>");
  EXPECT_EQ(Get(file, "s", "q"), "a b");
  EXPECT_EQ(Get(file, "s", "sq"), "x");
  EXPECT_EQ(Get(file, "s", "mix"), "\"x'");
  EXPECT_EQ(Get(file, "s", "lone"), "\"");
  EXPECT_EQ(Get(file, "s", "inner"), "a  b");
}

TEST(IniTextRead, MalformedFiles) {
  // Keys before any section belong to none.
  EXPECT_EQ(Get("AutoRun=1\r\n[Normal]\r\nAutoMin=1\r\n", "Normal", "AutoRun"), "<none>");
  // Only the first of two equal sections is seen; the first of two equal keys wins.
  EXPECT_EQ(Get("[a]\r\nk=1\r\n[A]\r\nk=2\r\nj=3\r\n", "a", "k"), "1");
  EXPECT_EQ(Get("[a]\r\nk=1\r\n[A]\r\nj=3\r\n", "a", "j"), "<none>");
  EXPECT_EQ(Get("[a]\r\nk=1\r\nK=2\r\n", "a", "k"), "1");
  // Comment lines are just lines; a line without "=" is a key without value.
  EXPECT_EQ(Get("[a]\r\n;k=1\r\nk\r\n", "a", ";k"), "1");
  EXPECT_EQ(Get("[a]\r\n;k=1\r\nk\r\n", "a", "k"), "<none>");
  // The value holds everything after the first "=".
  EXPECT_EQ(Get("[a]\r\nk==x=y\r\n", "a", "k"), "=x=y");
  // A section line may carry text after "]"; one without "]" is a key.
  EXPECT_EQ(Get("[a] junk\r\nk=1\r\n", "a", "k"), "1");
  EXPECT_EQ(Get("[b\r\nk=1\r\n", "b", "k"), "<none>");
  // Blanks inside the brackets are not part of the name.
  EXPECT_EQ(Get("[ a ]\r\nk=1\r\n", "a", "k"), "1");
  EXPECT_EQ(Get("[\ta b ]\r\nk=1\r\n", "A B", "k"), "1");
}

TEST(IniTextRead, LineEndingsAndOddBytes) {
  EXPECT_EQ(Get("[a]\nk=1\nj=2", "a", "j"), "2");
  EXPECT_EQ(Get("[a]\rk=1\rj=2\r", "a", "k"), "1");
  EXPECT_EQ(Get("[a]\r\r\n\n\nk=1", "a", "k"), "1");
  EXPECT_EQ(Get("[a]\r\nk=1\x1A\r\n", "a", "k"), "1");  // ^Z is a blank
  EXPECT_EQ(Get("[a]\r\nk=ab\0cd\r\n"s, "a", "k"), "ab");  // cut at the first NUL
  EXPECT_EQ(Get("[a]\r\nk=\x01\x7F\x81\xFF\r\n", "a", "k"), "\x01\x7F\x81\xFF");
  const std::string longValue(100000, 'v');
  EXPECT_EQ(Get("[a]\r\nk=" + longValue + "\r\n", "a", "k"), longValue);
}

TEST(IniTextWrite, ReplacesInPlaceAndKeepsEveryOtherByte) {
  const std::string before = "; settings\r\n[Normal]\r\nAutoRun = 0  \r\n\r\n  x y z\n[Speed]\rSpeedLevel=2";
  IniText ini(before);
  ASSERT_TRUE(ini.Set("normal", "autorun", "1"));
  EXPECT_EQ(ini.Bytes(), "; settings\r\n[Normal]\r\nAutoRun = 1  \r\n\r\n  x y z\n[Speed]\rSpeedLevel=2");
  ASSERT_TRUE(ini.Set("Speed", "SpeedLevel", "1"));
  EXPECT_EQ(ini.Bytes(), "; settings\r\n[Normal]\r\nAutoRun = 1  \r\n\r\n  x y z\n[Speed]\rSpeedLevel=1");
}

TEST(IniTextWrite, InsertsKeysAfterTheSectionsLastLine) {
  IniText ini("[a]\r\nk=1\r\n\r\n[b]\r\nj=2\r\n");
  ASSERT_TRUE(ini.Set("a", "n", "3"));
  EXPECT_EQ(ini.Bytes(), "[a]\r\nk=1\r\nn=3\r\n\r\n[b]\r\nj=2\r\n");
  ASSERT_TRUE(ini.Set("b", "m", "4"));
  EXPECT_EQ(ini.Bytes(), "[a]\r\nk=1\r\nn=3\r\n\r\n[b]\r\nj=2\r\nm=4\r\n");
  IniText unterminated("[a]\r\nk=1");
  ASSERT_TRUE(unterminated.Set("a", "n", "3"));
  EXPECT_EQ(unterminated.Bytes(), "[a]\r\nk=1\r\nn=3\r\n");
  IniText keyOnly("[a]\r\n  flag  \r\n");
  ASSERT_TRUE(keyOnly.Set("a", "FLAG", "1"));
  EXPECT_EQ(keyOnly.Bytes(), "[a]\r\n  flag=1\r\n");
}

TEST(IniTextWrite, AppendsSectionsAndCreatesTheText) {
  IniText empty;
  ASSERT_TRUE(empty.Set("Record", "EnableRecord", "0"));
  EXPECT_EQ(empty.Bytes(), "[Record]\r\nEnableRecord=0\r\n");
  IniText noNewline("[a]\r\nk=1");
  ASSERT_TRUE(noNewline.Set("Speed", "SpeedLevel", "2"));
  EXPECT_EQ(noNewline.Bytes(), "[a]\r\nk=1\r\n[Speed]\r\nSpeedLevel=2\r\n");
  EXPECT_EQ(noNewline.Get("a", "k"), "1");
}

TEST(IniTextWrite, DuplicatesWriteTheFirstAndRefuseWhatTheFormatCannotHold) {
  IniText ini("[a]\r\nk=1\r\n[a]\r\nk=2\r\n");
  ASSERT_TRUE(ini.Set("A", "K", "9"));
  EXPECT_EQ(ini.Bytes(), "[a]\r\nk=9\r\n[a]\r\nk=2\r\n");
  const std::string before = ini.Bytes();
  EXPECT_FALSE(ini.Set("", "k", "1"));
  EXPECT_FALSE(ini.Set("a", "", "1"));
  EXPECT_FALSE(ini.Set("a]", "k", "1"));
  EXPECT_FALSE(ini.Set("a", "k=j", "1"));
  EXPECT_FALSE(ini.Set("a", "[k]", "1"));
  EXPECT_FALSE(ini.Set("a", "k", "1\r\n[b]"));
  EXPECT_EQ(ini.Bytes(), before);
}

TEST(IniTextWrite, WhatIsWrittenReadsBack) {
  IniText ini("[a]\r\nk=1\r\n");
  for (const char* value : {"", "  x  ", "\"q\"", "中文", "a=b", ";c"}) {
    ASSERT_TRUE(ini.Set("a", "k", value));
    EXPECT_EQ(ini.Get("a", "k"), IniReadValue(value)) << value;
  }
}

}  // namespace
}  // namespace tarvex
