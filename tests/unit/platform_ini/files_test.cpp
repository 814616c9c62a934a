// The portable INI file on disk, the safe replacement of a file's content, and
// cutting ANSI text at a buffer's size.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/file_system.h"
#include "platform/portable/ini_file.h"
#include "support/spine_fakes.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

class IniFileOnDisk : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tarvex_ini_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        "_" + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "tarvex.ini").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  std::string path_;
  IniFileStore store_;
};

TEST_F(IniFileOnDisk, WritesCreateTheFileAndKeepForeignLines) {
  EXPECT_EQ(store_.ReadString(path_, "Normal", "AutoRun"), std::nullopt);
  ASSERT_TRUE(store_.WriteString(path_, "Normal", "AutoRun", "1"));
  ASSERT_TRUE(store_.WriteString(path_, "Record", "RecordCount", "100"));
  EXPECT_EQ(ReadWholeFile(path_), "[Normal]\r\nAutoRun=1\r\n[Record]\r\nRecordCount=100\r\n");
  {
    std::ofstream(path_, std::ios::binary | std::ios::app) << "; mine\n";
  }
  ASSERT_TRUE(store_.WriteString(path_, "Normal", "AutoRun", "0"));
  EXPECT_EQ(ReadWholeFile(path_), "[Normal]\r\nAutoRun=0\r\n[Record]\r\nRecordCount=100\r\n; mine\n");
  EXPECT_EQ(store_.ReadString(path_, "normal", "autorun"), "0");
}

TEST_F(IniFileOnDisk, AWriteIntoAMissingDirectoryFails) {
  const std::string missing = (dir_ / "no" / "tarvex.ini").string();
  EXPECT_FALSE(store_.WriteString(missing, "Normal", "AutoRun", "1"));
  EXPECT_FALSE(fs::exists(missing));
}

TEST(ReplaceFileContents, GoesThroughATemporaryFileBesideTheTarget) {
  test::FakeFileSystem files;
  files.files["D:\\logs\\a.txt"] = std::string(1000, 'o');
  files.files["D:\\logs\\a.txt.~tvx0.tmp"] = "someone else's";
  const FileResult result = ReplaceFileContents(files, "D:\\logs\\a.txt", "new");
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ(files.files.at("D:\\logs\\a.txt"), "new");
  EXPECT_EQ(files.files.at("D:\\logs\\a.txt.~tvx0.tmp"), "someone else's");
  EXPECT_EQ(files.files.size(), 2u);
  EXPECT_EQ(files.calls, (std::vector<std::string>{"create D:\\logs\\a.txt.~tvx0.tmp", "create D:\\logs\\a.txt.~tvx1.tmp",
                                                   "rename D:\\logs\\a.txt.~tvx1.tmp D:\\logs\\a.txt"}));
}

TEST(ReplaceFileContents, AFailedWriteLeavesTheOldFileWholeAndNoTemporary) {
  test::FakeFileSystem files;
  files.files["D:\\a.txt"] = "old content";
  files.failWrites = true;
  const FileResult result = ReplaceFileContents(files, "D:\\a.txt", "new content that does not fit");
  EXPECT_EQ(result.failure, FileFailure::kWrite);
  EXPECT_EQ(result.errorText, "There is not enough space on the disk.");
  EXPECT_EQ(files.files, (std::map<std::string, std::string>{{"D:\\a.txt", "old content"}}));
}

TEST(ReplaceFileContents, AFailedRenameRemovesTheTemporary) {
  test::FakeFileSystem files;
  files.files["D:\\a.txt"] = "old";
  files.readOnlyFiles.insert("D:\\a.txt");
  const FileResult result = ReplaceFileContents(files, "D:\\a.txt", "new");
  EXPECT_EQ(result.failure, FileFailure::kRename);
  EXPECT_EQ(result.errorText, "Access is denied.");
  EXPECT_EQ(files.files, (std::map<std::string, std::string>{{"D:\\a.txt", "old"}}));
}

TEST(ReplaceFileContents, WithoutCreateRightsItWritesInPlace) {
  test::FakeFileSystem files;
  files.files["D:\\locked\\a.txt"] = "old and longer";
  files.readOnlyDirectories.insert("D:\\locked");
  ASSERT_TRUE(ReplaceFileContents(files, "D:\\locked\\a.txt", "new").Ok());
  EXPECT_EQ(files.files.at("D:\\locked\\a.txt"), "new");
  EXPECT_EQ(files.calls.back(), "overwrite D:\\locked\\a.txt");
  // A new file in such a folder cannot be made at all.
  const FileResult result = ReplaceFileContents(files, "D:\\locked\\b.txt", "x");
  EXPECT_EQ(result.failure, FileFailure::kCreate);
  EXPECT_FALSE(files.files.count("D:\\locked\\b.txt"));
}

TEST(CutAnsi, NeverSplitsADoubleByteCharacter) {
  test::FakeDbcsCodePage cp;
  const std::string chinese = cp.Utf8ToAnsi("加速记录保存成功");  // 8 characters, 16 bytes
  EXPECT_EQ(CutAnsi(chinese, 16, cp), chinese);
  EXPECT_EQ(CutAnsi(chinese, 15, cp), chinese.substr(0, 14));
  EXPECT_EQ(CutAnsi("a" + chinese, 4, cp), "a" + chinese.substr(0, 2));
  EXPECT_EQ(CutAnsi(std::string(300, 'x'), 254, cp), std::string(254, 'x'));
  EXPECT_EQ(CutAnsi(std::string("ab\0cd", 5), 254, cp), "ab");
  // A lead byte at the very end stands alone and counts as one byte.
  EXPECT_EQ(CutAnsi("ab\x81", 3, cp), "ab\x81");
}

}  // namespace
}  // namespace tarvex
