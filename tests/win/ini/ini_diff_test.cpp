// The portable INI file held against kernel32's private-profile calls: the
// same bytes are read, and the same writes made, through both, and the values
// read back must agree. Files are not compared byte for byte (Wine rewrites a
// whole file on every write); the byte-keeping rule is tested natively.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/portable/ini_file.h"
#include "platform/win32/profile_win32.h"
#include "win/support/e2e.h"

namespace tarvex {
namespace {

using namespace std::string_literals;

struct Query {
  std::string section;
  std::string key;
};

// Every key of the program, plus names that malformed lines produce.
const std::vector<Query> kQueries = {
    {"Normal", "AutoRun"},     {"Normal", "AutoMin"},    {"Normal", "EnableSpeed"}, {"Normal", "AlwaysTop"},
    {"Speed", "SpeedLevel"},   {"Record", "EnableRecord"}, {"Record", "RecordCount"}, {"normal", "AUTORUN"},
    {"Normal", ";AutoRun"},    {"Normal", "# x"},        {"Normal", "Other"},       {"Missing", "AutoRun"},
};

class IniAgainstKernel32 : public testing::Test {
 protected:
  std::string PathOf(const char* name) const { return e2e::Narrow((dir_.Path() / name).wstring()); }

  void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(e2e::Widen(path).c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  // Both readers on the same file agree for every query, and so does the
  // kernel32 store while held, when it reads the file once.
  void ExpectSameReads(const std::string& path, const std::string& what) {
    Win32ProfileStore held;
    held.HoldWrites();
    for (const Query& q : kQueries) {
      const auto expected = kernel_.ReadString(path, q.section, q.key);
      EXPECT_EQ(portable_.ReadString(path, q.section, q.key), expected) << what << ": [" << q.section << "] " << q.key;
      EXPECT_EQ(held.ReadString(path, q.section, q.key), expected) << what << ", held: [" << q.section << "] " << q.key;
    }
    held.ReleaseWrites();
  }

  e2e::TempDir dir_;
  Win32ProfileStore kernel_;
  IniFileStore portable_;
};

const std::vector<std::pair<const char*, std::string>> kFiles = {
    {"well formed", "[Normal]\r\nAutoRun=1\r\nAutoMin=0\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=2\r\n"
                    "[Record]\r\nEnableRecord=1\r\nRecordCount=100\r\n"},
    {"empty file", ""},
    {"no section", "AutoRun=1\r\nAutoMin=1\r\n"},
    {"keys before the first section", "AutoRun=1\r\n[Normal]\r\nAutoMin=1\r\n"},
    {"duplicate sections", "[Normal]\r\nAutoRun=1\r\n[normal]\r\nAutoMin=1\r\nAutoRun=0\r\n"},
    {"duplicate keys", "[Normal]\r\nAutoRun=1\r\nautorun=0\r\nAUTORUN=2\r\n"},
    {"blank and comment lines", "; settings\r\n\r\n[Normal]\r\n;AutoRun=0\r\n\r\n\r\nAutoRun=1\r\n# x=y\r\n\r\n"},
    {"lines without =", "[Normal]\r\nAutoRun\r\nAutoMin=1\r\nOther\r\n"},
    {"CR-only endings", "[Normal]\rAutoRun=1\rAutoMin=0\r[Speed]\rSpeedLevel=1\r"},
    {"LF-only endings", "[Normal]\nAutoRun=1\nAutoMin=0\n[Speed]\nSpeedLevel=1"},
    {"blanks and tabs", "  [Normal]  \r\n  AutoRun  =   1  \r\n\tAutoMin\t=\t0\t\r\nEnableSpeed=   \r\n"},
    {"quotes", "[Normal]\r\nAutoRun=\"1\"\r\nAutoMin='0'\r\nEnableSpeed=\"1'\r\nAlwaysTop=\"\r\nOther=\"\"\r\n"},
    {"section line oddities", "[Normal] trailing\r\nAutoRun=1\r\n[ Speed ]\r\nSpeedLevel=1\r\n[Record\r\nRecordCount=50\r\n"},
    {"= in the value", "[Normal]\r\nAutoRun==1\r\nAutoMin=a=b\r\n"},
    {"very long lines", "[Normal]\r\nAutoRun=" + std::string(5000, 'x') + "\r\n" + std::string(70000, 'y') +
                            "\r\nAutoMin=1\r\n"},
    {"no final line break", "[Record]\r\nRecordCount=300"},
    {"DOS end-of-file byte", "[Normal]\r\nAutoRun=1\x1A\r\n\x1A"},
};

TEST_F(IniAgainstKernel32, ReadsAgreeOnWellFormedAndMalformedFiles) {
  const std::string path = PathOf("read.ini");
  for (const auto& [what, bytes] : kFiles) {
    WriteBytes(path, bytes);
    ExpectSameReads(path, what);
  }
  EXPECT_EQ(kernel_.ReadString(PathOf("absent.ini"), "Normal", "AutoRun"), std::nullopt);
  EXPECT_EQ(portable_.ReadString(PathOf("absent.ini"), "Normal", "AutoRun"), std::nullopt);
}

TEST_F(IniAgainstKernel32, BytesThatAreNotTextReadAlike) {
  if (IsDBCSLeadByte(0x81)) GTEST_SKIP() << "a double-byte code page changes invalid sequences; run under 1252";
  const std::string path = PathOf("bytes.ini");
  WriteBytes(path, "[Normal]\r\nAutoRun=\x01\x02\x7F\x80\x81\xFE\xFF\r\nAutoMin=ab\0cd\r\nEnableSpeed=1\r\n"s);
  ExpectSameReads(path, "bytes");
}

TEST_F(IniAgainstKernel32, WritesReadBackAlikeFromEitherWriter) {
  const std::vector<std::tuple<const char*, const char*, std::string>> writes = {
      {"Normal", "AutoRun", "1"},       {"normal", "AUTOMIN", "0"},  {"Speed", "SpeedLevel", "2"},
      {"Record", "EnableRecord", "0"},  {"Record", "RecordCount", "100"}, {"Normal", "AutoRun", "0"},
      {"Normal", "Other", "  spaced  "}, {"Normal", "EnableSpeed", "\"q\""},
  };
  for (const auto& [what, bytes] : kFiles) {
    const std::string viaKernel = PathOf("k.ini");
    const std::string viaPortable = PathOf("p.ini");
    WriteBytes(viaKernel, bytes);
    WriteBytes(viaPortable, bytes);
    for (const auto& [section, key, value] : writes) {
      EXPECT_EQ(kernel_.WriteString(viaKernel, section, key, value), portable_.WriteString(viaPortable, section, key, value));
    }
    for (const Query& q : kQueries) {
      const auto expected = kernel_.ReadString(viaKernel, q.section, q.key);
      EXPECT_EQ(portable_.ReadString(viaPortable, q.section, q.key), expected) << what << ": " << q.key;
      // Windows reads what the portable writer wrote the same way.
      EXPECT_EQ(kernel_.ReadString(viaPortable, q.section, q.key), expected) << what << ": " << q.key;
    }
  }
}

TEST_F(IniAgainstKernel32, AHeldStoreSeesItsWritesUnicodeFilesAndLaterChanges) {
  const std::string path = PathOf("held.ini");
  const std::string unicode = PathOf("unicode.ini");
  WriteBytes(unicode, "\xFF\xFE[\0N\0]\0\r\0\n\0A\0=\0\x37\0\r\0\n\0"s);  // UTF-16: [N] A=7
  Win32ProfileStore held;
  held.HoldWrites();
  EXPECT_EQ(held.ReadString(path, "Normal", "AutoRun"), std::nullopt);  // no file yet
  EXPECT_TRUE(held.WriteString(path, "Normal", "AutoRun", "1"));
  EXPECT_EQ(held.ReadString(path, "Normal", "AutoRun"), "1");
  EXPECT_EQ(held.ReadString(unicode, "N", "A"), kernel_.ReadString(unicode, "N", "A"));
  EXPECT_TRUE(held.ReleaseWrites());
  // Released, it reads the file as it is now.
  WriteBytes(path, "[Normal]\r\nAutoRun=5\r\n");
  EXPECT_EQ(held.ReadString(path, "Normal", "AutoRun"), "5");
}

TEST_F(IniAgainstKernel32, AWriteIntoAMissingFolderFailsForBoth) {
  const std::string path = PathOf("missing\\tarvex.ini");
  EXPECT_FALSE(kernel_.WriteString(path, "Normal", "AutoRun", "1"));
  EXPECT_FALSE(portable_.WriteString(path, "Normal", "AutoRun", "1"));
}

}  // namespace
}  // namespace tarvex
