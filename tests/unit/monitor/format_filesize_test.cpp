// FormatFilesize: the four bands, the boundaries and the locale's separators.
#include <gtest/gtest.h>

#include "monitor/format_filesize.h"

namespace tarvex {
namespace {

TEST(FormatFilesize, ExamplesAndBands) {
  const NumberSeparators us;
  EXPECT_EQ(FormatFilesize(0, us), "0 B");
  EXPECT_EQ(FormatFilesize(512, us), "512 B");
  EXPECT_EQ(FormatFilesize(1024, us), "1,024 B");
  EXPECT_EQ(FormatFilesize(1025, us), "1 K");
  EXPECT_EQ(FormatFilesize(1536, us), "2 K");
  EXPECT_EQ(FormatFilesize(1048575, us), "1,024 K");
  EXPECT_EQ(FormatFilesize(1048576, us), "1.00 MB");
  EXPECT_EQ(FormatFilesize(5000000, us), "4.77 MB");
  EXPECT_EQ(FormatFilesize(1073741823, us), "1,024.00 MB");
  EXPECT_EQ(FormatFilesize(1073741824, us), "1.00 GB");
  EXPECT_EQ(FormatFilesize(3221225472.0, us), "3.00 GB");
  EXPECT_EQ(FormatFilesize(5.5 * 1099511627776.0, us), "5,632.00 GB");
}

TEST(FormatFilesize, HalvesRoundAwayFromZeroLikeNumberFormats) {
  const NumberSeparators us;
  EXPECT_EQ(FormatFilesize(2560, us), "3 K");  // 2.5
  EXPECT_EQ(FormatFilesize(3584, us), "4 K");  // 3.5
  EXPECT_EQ(FormatGrouped(0.125, 2, us), "0.13");
  EXPECT_EQ(FormatGrouped(1.005, 2, us), "1.01");
  EXPECT_EQ(FormatGrouped(-2.5, 0, us), "-3");
  EXPECT_EQ(FormatGrouped(-0.001, 2, us), "0.00") << "no minus sign on a zero";
  EXPECT_EQ(FormatFilesize(-5, us), "-5 B");
}

TEST(FormatFilesize, LocaleSeparators) {
  const NumberSeparators german{".", ","};
  EXPECT_EQ(FormatFilesize(1024, german), "1.024 B");
  EXPECT_EQ(FormatFilesize(5000000, german), "4,77 MB");
  const NumberSeparators swiss{"\xE2\x80\x99", "."};  // right single quote, 3 bytes
  EXPECT_EQ(FormatGrouped(1234567.891, 2, swiss), "1\xE2\x80\x99" "234\xE2\x80\x99" "567.89");
  const NumberSeparators none{"", "."};
  EXPECT_EQ(FormatGrouped(1234567, 0, none), "1234567");
}

}  // namespace
}  // namespace tarvex
