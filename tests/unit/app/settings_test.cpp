// ModuleConfig's readers and writers, ModuleAutoRun, and the settings applied
// at start with the change handling they bring about.
#include <gtest/gtest.h>

#include "spine_rig.h"

namespace tarvex {
namespace {

using test::SpineRig;

TEST(ModuleConfig, PathIsBuiltAfreshAndADriveRootDoublesTheSeparator) {
  SpineRig rig;
  EXPECT_EQ(rig.config.SettingsPath(), "C:\\Program Files\\Tarvex\\tarvex.ini");
  rig.files.directory = "E:\\";
  EXPECT_EQ(rig.config.SettingsPath(), "E:\\\\tarvex.ini");
  ASSERT_TRUE(rig.config.SetAutoRun("1"));
  EXPECT_EQ(rig.files.files.at("E:\\\\tarvex.ini"), "[Normal]\r\nAutoRun=1\r\n");
  EXPECT_EQ(rig.config.GetAutoRun(), "1");
}

TEST(ModuleConfig, ReadersCutAt254BytesWithoutHalfCharacters) {
  SpineRig rig;
  rig.Ini() = "[Normal]\r\nAutoRun=" + std::string(300, 'a') + "\r\n";
  EXPECT_EQ(rig.config.GetAutoRun(), std::string(254, 'a'));

  std::string chinese;
  for (int i = 0; i < 150; ++i) chinese += "加";
  rig.Ini() = "[Normal]\r\nAutoMin=" + rig.codePage.Utf8ToAnsi(chinese) + "\r\n";
  std::string expected;
  for (int i = 0; i < 127; ++i) expected += "加";
  EXPECT_EQ(rig.config.GetAutoMin(), expected);

  // One single-byte character first: 1 + 126 * 2 = 253 bytes, the next pair would not fit.
  rig.Ini() = "[Normal]\r\nAutoMin=x" + rig.codePage.Utf8ToAnsi(chinese) + "\r\n";
  EXPECT_EQ(rig.config.GetAutoMin(), "x" + expected.substr(0, 126 * 3));
}

TEST(ModuleConfig, BlanksEmptyAndMissingValues) {
  SpineRig rig;
  EXPECT_EQ(rig.config.GetSpeedLevel(), std::nullopt);  // no file at all
  rig.Ini() = "[Speed]\r\nSpeedLevel=   \r\n[Record]\r\nRecordCount=  0100  \r\nEnableRecord\r\n";
  EXPECT_EQ(rig.config.GetSpeedLevel(), std::nullopt);
  EXPECT_EQ(rig.config.GetRecordCount(), "0100");
  EXPECT_EQ(rig.config.GetEnableRecord(), std::nullopt);
  // Blanks the 254-byte cut brings to the end are trimmed too.
  rig.Ini() = "[Record]\r\nRecordCount=" + std::string(250, 'z') + std::string(10, ' ') + "tail\r\n";
  EXPECT_EQ(rig.config.GetRecordCount(), std::string(250, 'z'));
}

TEST(ModuleAutoRun, PerMachineFirstElsePerUserAndClearingRemovesBoth) {
  SpineRig rig;
  rig.files.directory = "D:\\工具";
  rig.autoStart.userValues["Tarvex_CN"] = "stale";  // left by a run without rights
  EXPECT_EQ(rig.autoRun.AddAutoRun(), std::nullopt);
  EXPECT_EQ(rig.codePage.AnsiToUtf8(rig.autoStart.values.at("Tarvex_CN")), "D:\\工具\\tarvex.exe");
  EXPECT_TRUE(rig.autoStart.userValues.empty()) << "one entry, one start at logon";

  rig.autoStart.denied = true;  // no administrator rights
  rig.autoStart.values.clear();
  EXPECT_EQ(rig.autoRun.AddAutoRun(), std::nullopt);
  EXPECT_EQ(rig.codePage.AnsiToUtf8(rig.autoStart.userValues.at("Tarvex_CN")), "D:\\工具\\tarvex.exe");

  rig.autoStart.denied = false;
  rig.autoStart.values["Tarvex_CN"] = "x";
  rig.autoRun.RemoveAutoRun();
  EXPECT_TRUE(rig.autoStart.values.empty());
  EXPECT_TRUE(rig.autoStart.userValues.empty());
}

TEST(SettingsChanges, AutoStartThatNeitherListTakesIsReportedAndTheBoxGoesBackToClear) {
  SpineRig rig;
  rig.autoStart.denied = true;
  rig.autoStart.userDenied = true;
  rig.controls.checks[SettingCheck::kAutoRun] = CheckState::kChecked;
  rig.settings.OnCheckChanged(SettingCheck::kAutoRun);
  ASSERT_EQ(rig.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig.dialogs.messages[0].text, "The registry is read-only.");
  EXPECT_EQ(rig.dialogs.messages[0].title, "错误");
  EXPECT_EQ(rig.dialogs.messages[0].buttons, MessageBoxButtons::kOk);
  EXPECT_EQ(rig.controls.checks.at(SettingCheck::kAutoRun), CheckState::kUnchecked);
  EXPECT_EQ(rig.config.GetAutoRun(), "0");
  // The same at start with AutoRun=1: told once, and the next start is quiet.
  SpineRig next;
  next.autoStart.denied = next.autoStart.userDenied = true;
  next.Ini() = "[Normal]\r\nAutoRun=1\r\n";
  next.settings.ApplyStartupSettings();
  EXPECT_EQ(next.dialogs.messages.size(), 1u);
  EXPECT_EQ(next.config.GetAutoRun(), "0");
  EXPECT_EQ(next.controls.checks.at(SettingCheck::kAutoRun), CheckState::kUnchecked);
}

TEST(ModuleConfig, AReadOnlyExecutableFolderKeepsTheSettingsPerUser) {
  SpineRig rig;
  const std::string beside = rig.IniPath();
  const std::string perUser = rig.files.userDirectory + "\\tarvex.ini";
  rig.files.readOnlyDirectories.insert(rig.files.directory);
  rig.Ini() = "[Normal]\r\nAutoMin=1\r\n[Speed]\r\nSpeedLevel=1\r\n";
  // Before the first write the file beside the executable is what is read.
  EXPECT_EQ(rig.config.GetSpeedLevel(), "1");
  rig.controls.checks[SettingCheck::kMostTop] = CheckState::kChecked;
  rig.settings.OnCheckChanged(SettingCheck::kMostTop);
  EXPECT_TRUE(rig.files.directories.count(rig.files.userDirectory));
  EXPECT_EQ(rig.files.files.at(perUser), "[Normal]\r\nAutoMin=1\r\nAlwaysTop=1\r\n[Speed]\r\nSpeedLevel=1\r\n");
  EXPECT_EQ(rig.files.files.at(beside), "[Normal]\r\nAutoMin=1\r\n[Speed]\r\nSpeedLevel=1\r\n");

  // The next start reads the per-user file, and every change survives.
  SpineRig next;
  next.files = rig.files;
  next.settings.ApplyStartupSettings();
  EXPECT_EQ(next.controls.checks.at(SettingCheck::kMostTop), CheckState::kChecked);
  EXPECT_EQ(next.controls.checks.at(SettingCheck::kAutoMin), CheckState::kChecked);
  EXPECT_EQ(next.controls.selected.at(SettingCombo::kSpeed), "普通加速");
  EXPECT_EQ(next.files.files.at(beside), rig.files.files.at(beside));

  // Without a file beside the executable, or without any per-user folder.
  SpineRig bare;
  bare.files.readOnlyDirectories.insert(bare.files.directory);
  ASSERT_TRUE(bare.config.SetAutoMin("1"));
  EXPECT_EQ(bare.files.files.at(perUser), "[Normal]\r\nAutoMin=1\r\n");
  bare.files.files.clear();
  bare.files.userDirectory.clear();
  EXPECT_FALSE(bare.config.SetAutoMin("1"));
  EXPECT_TRUE(bare.files.files.empty()) << "nothing is ever written beside the executable";
  // A writable folder again: the file beside the executable, as always.
  bare.files.readOnlyDirectories.clear();
  ASSERT_TRUE(bare.config.SetAutoMin("0"));
  EXPECT_EQ(bare.files.files.count(bare.IniPath()), 1u);
}

TEST(StartupSettings, AStartAsksTheFolderOnceAndRewritesNothingTheFileHolds) {
  SpineRig rig;
  rig.Ini() = "[Normal]\r\nAutoRun=0\r\nAutoMin=1\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n"
              "[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\nRecordCount=100\r\n";
  const std::string stored = rig.Ini();
  // As the start does it: the settings applied, then two of them read again.
  rig.settings.HoldSettings();
  rig.settings.ApplyStartupSettings();
  EXPECT_TRUE(rig.settings.AutoMinReadsOn());
  EXPECT_FALSE(rig.settings.AlwaysTopReadsOn());
  rig.settings.ReleaseSettings();
  EXPECT_EQ(rig.controls.selected.at(SettingCombo::kSpeed), "普通加速");
  EXPECT_EQ(rig.controls.selected.at(SettingCombo::kAutoCleanCount), "100");
  EXPECT_EQ(rig.controls.checks.at(SettingCheck::kAutoMin), CheckState::kChecked);
  EXPECT_EQ(rig.files.writableAsked, 1);
  EXPECT_EQ(rig.profile.writeCount, 0);
  EXPECT_EQ(rig.Ini(), stored);

  // After the start every access asks again, and a new value is written: a
  // folder that became read-only sends it to the per-user file.
  rig.files.readOnlyDirectories.insert(rig.files.directory);
  rig.controls.selected[SettingCombo::kSpeed] = "疯狂加速";
  rig.settings.OnComboChanged(SettingCombo::kSpeed);
  EXPECT_EQ(rig.profile.writeCount, 1);
  EXPECT_EQ(rig.Ini(), stored);
  EXPECT_NE(rig.files.files.at(rig.files.userDirectory + "\\tarvex.ini").find("SpeedLevel=2"), std::string::npos);
  EXPECT_EQ(rig.config.GetSpeedLevel(), "2");
  // An empty value is still written: the key appears, as the writer asked.
  rig.files.readOnlyDirectories.clear();
  ASSERT_TRUE(rig.config.SetRecordCount(""));
  EXPECT_EQ(rig.profile.writeCount, 2);
}

TEST(StartupSettings, FirstStartWithoutAFile) {
  SpineRig rig;
  rig.settings.ApplyStartupSettings();
  EXPECT_EQ(rig.controls.checks.at(SettingCheck::kAutoRun), CheckState::kUnchecked);
  EXPECT_EQ(rig.controls.checks.at(SettingCheck::kAutoMin), CheckState::kUnchecked);
  EXPECT_EQ(rig.controls.checks.at(SettingCheck::kState), CheckState::kUnchecked);
  EXPECT_EQ(rig.controls.checks.at(SettingCheck::kMostTop), CheckState::kUnchecked);
  EXPECT_EQ(rig.controls.checks.at(SettingCheck::kEnableRecord), CheckState::kUnchecked);
  EXPECT_EQ(rig.controls.selected.at(SettingCombo::kSpeed), "疯狂加速");
  EXPECT_EQ(rig.controls.selected.at(SettingCombo::kAutoCleanCount), "");  // "0" is no entry
  // Written in the order the changes happen.
  EXPECT_EQ(rig.Ini(), "[Speed]\r\nSpeedLevel=2\r\n[Record]\r\nEnableRecord=0\r\n[Normal]\r\nEnableSpeed=0\r\nAlwaysTop=0\r\n");
  EXPECT_EQ(rig.window.topmostCalls, std::vector<bool>{false});
  EXPECT_TRUE(rig.autoStart.calls.empty());
  EXPECT_FALSE(rig.settings.AutoMinReadsOn());
  EXPECT_FALSE(rig.settings.AlwaysTopReadsOn());
}

TEST(StartupSettings, EverythingOnRewritesTheRunValueAndTheLists) {
  SpineRig rig;
  rig.Ini() = "[Normal]\r\nAutoRun=1.0\r\nAutoMin= 01\r\nEnableSpeed=1x\r\nAlwaysTop=1\r\n"
              "[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\nRecordCount=0100\r\n";
  rig.settings.ApplyStartupSettings();
  for (auto [check, state] : rig.controls.checks) EXPECT_EQ(state, CheckState::kChecked);
  EXPECT_EQ(rig.controls.selected.at(SettingCombo::kSpeed), "普通加速");
  EXPECT_EQ(rig.controls.selected.at(SettingCombo::kAutoCleanCount), "100");
  EXPECT_EQ(rig.codePage.AnsiToUtf8(rig.autoStart.values.at("Tarvex_CN")), "C:\\Program Files\\Tarvex\\tarvex.exe");
  // Checked boxes that stay checked are not written; AutoRun, AutoMin and the lists are.
  EXPECT_EQ(rig.Ini(), "[Normal]\r\nAutoRun=1\r\nAutoMin= 1\r\nEnableSpeed=1x\r\nAlwaysTop=1\r\n"
                       "[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\nRecordCount=100\r\n");
  EXPECT_TRUE(rig.window.topmostCalls.empty());
  EXPECT_TRUE(rig.settings.AutoMinReadsOn());
  EXPECT_TRUE(rig.settings.AlwaysTopReadsOn());
}

TEST(StartupSettings, ValuesThatAreNotOne) {
  SpineRig rig;
  rig.Ini() = "[Normal]\r\nAutoRun=true\r\n[Record]\r\nEnableRecord=2\r\nRecordCount=75\r\n[Speed]\r\nSpeedLevel=3\r\n";
  rig.settings.ApplyStartupSettings();
  EXPECT_EQ(rig.controls.checks.at(SettingCheck::kAutoRun), CheckState::kUnchecked);
  EXPECT_EQ(rig.controls.checks.at(SettingCheck::kEnableRecord), CheckState::kUnchecked);
  EXPECT_EQ(rig.controls.selected.at(SettingCombo::kSpeed), "疯狂加速");
  EXPECT_EQ(rig.controls.selected.at(SettingCombo::kAutoCleanCount), "");
  EXPECT_EQ(rig.config.GetEnableRecord(), "0");
  EXPECT_EQ(rig.config.GetRecordCount(), "75");  // left as it was
  EXPECT_EQ(rig.config.GetSpeedLevel(), "2");
}

TEST(SettingsChanges, EachControlWritesItsKey) {
  SpineRig rig;
  auto& c = rig.controls;
  c.checks[SettingCheck::kAutoRun] = CheckState::kGrayed;  // greyed counts as on
  rig.settings.OnCheckChanged(SettingCheck::kAutoRun);
  EXPECT_EQ(rig.config.GetAutoRun(), "1");
  EXPECT_TRUE(rig.autoStart.values.count("Tarvex_CN"));
  EXPECT_TRUE(rig.dialogs.messages.empty());
  c.checks[SettingCheck::kAutoRun] = CheckState::kUnchecked;
  rig.settings.OnCheckChanged(SettingCheck::kAutoRun);
  EXPECT_EQ(rig.config.GetAutoRun(), "0");
  EXPECT_FALSE(rig.autoStart.values.count("Tarvex_CN"));

  c.checks[SettingCheck::kEnableRecord] = CheckState::kGrayed;
  rig.settings.OnCheckChanged(SettingCheck::kEnableRecord);
  EXPECT_EQ(rig.config.GetEnableRecord(), "2");
  c.checks[SettingCheck::kState] = CheckState::kGrayed;
  rig.settings.OnCheckChanged(SettingCheck::kState);
  EXPECT_EQ(rig.config.GetEnableSpeed(), "0");
  c.checks[SettingCheck::kMostTop] = CheckState::kChecked;
  rig.settings.OnCheckChanged(SettingCheck::kMostTop);
  EXPECT_EQ(rig.config.GetAlwaysTop(), "1");
  EXPECT_EQ(rig.window.topmostCalls, std::vector<bool>{true});
  c.checks[SettingCheck::kAutoMin] = CheckState::kChecked;
  rig.settings.OnCheckChanged(SettingCheck::kAutoMin);
  EXPECT_EQ(rig.config.GetAutoMin(), "1");

  c.selected[SettingCombo::kSpeed] = "普通加速";
  rig.settings.OnComboChanged(SettingCombo::kSpeed);
  EXPECT_EQ(rig.config.GetSpeedLevel(), "1");
  c.selected[SettingCombo::kSpeed] = "疯狂加速";
  rig.settings.OnComboChanged(SettingCombo::kSpeed);
  EXPECT_EQ(rig.config.GetSpeedLevel(), "2");
  c.selected[SettingCombo::kAutoCleanCount] = "300";
  rig.settings.OnComboChanged(SettingCombo::kAutoCleanCount);
  EXPECT_EQ(rig.config.GetRecordCount(), "300");
}

TEST(SettingsChanges, AFailedWriteKeepsTheControlAndTheNextStartReadsTheOldValue) {
  SpineRig rig;
  rig.Ini() = "[Normal]\r\nAutoMin=0\r\n";
  rig.profile.failWrites = true;
  rig.controls.checks[SettingCheck::kAutoMin] = CheckState::kChecked;
  rig.settings.OnCheckChanged(SettingCheck::kAutoMin);
  EXPECT_EQ(rig.controls.checks.at(SettingCheck::kAutoMin), CheckState::kChecked);
  EXPECT_EQ(rig.config.GetAutoMin(), "0");
}

}  // namespace
}  // namespace tarvex
