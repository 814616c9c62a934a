// The speed-up history: numbering, the "more than the limit" clearing, clear,
// and the exact bytes of a save with its messages.
#include <gtest/gtest.h>

#include "app/product_address.h"
#include "spine_rig.h"

namespace tarvex {
namespace {

using test::SpineRig;

class History : public testing::Test {
 protected:
  void Add(int n, const std::string& title = "t") {
    for (int i = 0; i < n; ++i) rig_.history.AddSpeedUpRecord(title, "普通加速");
  }
  void SetLimit(const char* text) { rig_.controls.selected[SettingCombo::kAutoCleanCount] = text; }

  SpineRig rig_;
};

TEST_F(History, ARecordHoldsNumberTimeTitleLevelAndIcon) {
  SetLimit("50");
  rig_.clock.now = "9:05:07";
  rig_.history.AddSpeedUpRecord("记事本 - a b", "疯狂加速");
  rig_.history.AddSpeedUpRecord("", "普通加速");
  rig_.history.AddSpeedUpRecord("x", "something else");
  rig_.history.AddSpeedUpRecord("y", "未能加速");
  ASSERT_EQ(rig_.list.items.size(), 4u);
  const auto& first = rig_.list.items[0];
  EXPECT_EQ(first.texts[0], " 1");
  EXPECT_EQ(first.texts[1], "9:05:07");
  EXPECT_EQ(first.texts[2], "记事本 - a b");
  EXPECT_EQ(first.texts[3], "疯狂加速");
  EXPECT_EQ(first.icon, 0);
  EXPECT_EQ(rig_.list.items[1].texts[0], " 2");
  EXPECT_EQ(rig_.list.items[1].texts[3], "普通加速");
  EXPECT_EQ(rig_.list.items[2].texts[3], "疯狂加速");
  EXPECT_EQ(rig_.list.items[3].texts[3], "未能加速");
}

TEST_F(History, TheListClearsWhenItHoldsMoreThanTheLimit) {
  SetLimit("50");
  Add(51);
  ASSERT_EQ(rig_.list.items.size(), 51u);
  EXPECT_EQ(rig_.list.items.back().texts[0], " 51");
  EXPECT_EQ(rig_.list.clears, 0);
  Add(1);
  ASSERT_EQ(rig_.list.items.size(), 1u);
  EXPECT_EQ(rig_.list.items[0].texts[0], " 1");
}

TEST_F(History, WithoutASelectionTheLimitIsZero) {
  SetLimit("");
  Add(1);
  EXPECT_EQ(rig_.list.items.size(), 1u);
  Add(1);
  ASSERT_EQ(rig_.list.items.size(), 1u);
  EXPECT_EQ(rig_.list.items[0].texts[0], " 1");
  EXPECT_EQ(rig_.list.clears, 1);
}

TEST_F(History, LoweringTheLimitActsAtTheNextRecord) {
  SetLimit("300");
  Add(200);
  SetLimit("50");
  EXPECT_EQ(rig_.list.items.size(), 200u);
  Add(1);
  EXPECT_EQ(rig_.list.items.size(), 1u);
}

TEST_F(History, ClearingDoesNotTouchTheSpeedUpCount) {
  SetLimit("100");
  rig_.controls.selected[SettingCombo::kSpeed] = "普通加速";
  rig_.processes.windows[7] = {1, "w"};
  rig_.processes.processes[1] = {};
  rig_.processes.foreground = 7;
  rig_.engine.TimerMain_Timer();
  rig_.history.ClearRecords();
  EXPECT_TRUE(rig_.list.items.empty());
  EXPECT_EQ(rig_.engine.SpeedUpCount(), 1);
}

TEST_F(History, SavingThreeRecordsWritesExactlyFiveLinesInTheCodePage) {
  SetLimit("100");
  rig_.clock.now = "14:03:22";
  rig_.history.AddSpeedUpRecord("Notepad", "普通加速");
  rig_.clock.now = "14:03:25";
  rig_.history.AddSpeedUpRecord("a  b", "疯狂加速");
  rig_.history.AddSpeedUpRecord("加速", "普通加速");
  rig_.dialogs.chosenFile = "D:\\记录.txt";
  rig_.history.SaveRecords();

  const std::string expected = std::string("Tarvex 加速记录\r\n") + kProductPagesAddress +
                               "\r\n 1 14:03:22 Notepad \r\n 2 14:03:25 a  b \r\n 3 14:03:25 加速 \r\n";
  EXPECT_EQ(rig_.codePage.AnsiToUtf8(rig_.files.files.at("D:\\记录.txt")), expected);
  EXPECT_EQ(rig_.files.files.at("D:\\记录.txt"), rig_.codePage.Utf8ToAnsi(expected));  // no BOM, ANSI bytes
  EXPECT_EQ(rig_.files.files.size(), 1u);

  ASSERT_EQ(rig_.dialogs.fileDialogs.size(), 1u);
  const OpenFileOptions& dialog = rig_.dialogs.fileDialogs[0];
  ASSERT_EQ(dialog.filters.size(), 1u);
  EXPECT_EQ(dialog.filters[0].description, "(*.txt)");
  EXPECT_EQ(dialog.filters[0].pattern, "*.txt");
  EXPECT_EQ(dialog.initialFileName, "");
  EXPECT_EQ(dialog.defaultExtension, "");
  EXPECT_EQ(dialog.title, "");
  ASSERT_EQ(rig_.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig_.dialogs.messages[0].text, "保存成功。");
  EXPECT_EQ(rig_.dialogs.messages[0].title, ":-)");
  EXPECT_EQ(rig_.dialogs.messages[0].icon, MessageBoxIcon::kExclamation);
  EXPECT_EQ(rig_.list.items.size(), 3u);
}

TEST_F(History, SavingOverALongerFileLeavesNoTraceOfIt) {
  SetLimit("100");
  Add(1, "x");
  rig_.files.files["D:\\old.txt"] = std::string(5000, '#');
  rig_.dialogs.chosenFile = "D:\\old.txt";
  rig_.history.SaveRecords();
  EXPECT_EQ(rig_.files.files.at("D:\\old.txt"), rig_.codePage.Utf8ToAnsi(rig_.history.RecordsText()));
}

TEST_F(History, AnEmptyListWarnsAndAsksForNoFile) {
  SetLimit("100");
  Add(2);
  rig_.history.ClearRecords();
  rig_.history.SaveRecords();
  ASSERT_EQ(rig_.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig_.dialogs.messages[0].text, "没有记录可保存。");
  EXPECT_EQ(rig_.dialogs.messages[0].title, "错误");
  EXPECT_EQ(rig_.dialogs.messages[0].buttons, MessageBoxButtons::kOk);
  EXPECT_TRUE(rig_.dialogs.fileDialogs.empty());
}

TEST_F(History, CancellingTheDialogWritesAndShowsNothing) {
  SetLimit("100");
  Add(1);
  rig_.dialogs.chosenFile = "";
  rig_.history.SaveRecords();
  EXPECT_EQ(rig_.dialogs.fileDialogs.size(), 1u);
  EXPECT_TRUE(rig_.dialogs.messages.empty());
  EXPECT_TRUE(rig_.files.calls.empty());
}

TEST_F(History, AFailedSaveShowsThePlatformsDescriptionAndKeepsTheOldFile) {
  SetLimit("100");
  Add(1);
  rig_.files.files["D:\\keep.txt"] = "precious";
  rig_.files.readOnlyFiles.insert("D:\\keep.txt");
  rig_.dialogs.chosenFile = "D:\\keep.txt";
  rig_.history.SaveRecords();
  ASSERT_EQ(rig_.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig_.dialogs.messages[0].text, "Access is denied.");
  EXPECT_EQ(rig_.dialogs.messages[0].title, "错误");
  EXPECT_EQ(rig_.dialogs.messages[0].icon, MessageBoxIcon::kExclamation);
  EXPECT_EQ(rig_.files.files, (std::map<std::string, std::string>{{"D:\\keep.txt", "precious"}}));
  EXPECT_EQ(rig_.list.items.size(), 1u);
}

}  // namespace
}  // namespace tarvex
