// Settings, auto-start, the instance lock and UTF-8 text at the edges, as the
// core uses them on Linux.
#include "platform/linux/xdg_desktop.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include <fstream>

#include "app/module_auto_run.h"
#include "app/module_config.h"
#include "linux/temp_dir.h"
#include "platform/linux/file_system_linux.h"
#include "platform/linux/utf8_code_page.h"
#include "platform/portable/ini_file.h"

namespace tarvex {
namespace {

using testing::TempDir;

TEST(XdgSettings, CoreSettingsLiveInTheConfigFolderAsUtf8CutOnCharacters) {
  TempDir home;
  const std::string folder = home.Path() + "/config/tarvex";
  XdgProfileStore store(folder);
  LinuxFileSystem files;
  Utf8CodePage utf8;
  ModuleConfig config(store, files, utf8);

  // The folder is made at the first write; the file has the usual sections.
  EXPECT_FALSE(config.GetSpeedLevel());
  EXPECT_TRUE(config.SetSpeedLevel("1"));
  EXPECT_TRUE(config.SetEnableRecord("0"));
  const auto text = ReadWholeFile(folder + "/tarvex.ini");
  ASSERT_TRUE(text);
  EXPECT_NE(text->find("[Speed]"), std::string::npos);
  EXPECT_EQ(config.GetSpeedLevel(), "1");

  // A value of 100 three-byte characters (300 bytes) reads as its first 84
  // whole characters (252 bytes), never 254 bytes with half a character.
  std::string chinese;
  for (int i = 0; i < 100; ++i) chinese += "加";
  EXPECT_TRUE(config.SetRecordCount(chinese));
  const auto read = config.GetRecordCount();
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, chinese.substr(0, 252));

  // A folder that cannot be made: the write fails and says so.
  home.Write("plainfile", "x");
  XdgProfileStore blocked(home.Path() + "/plainfile/tarvex");
  ModuleConfig blockedConfig(blocked, files, utf8);
  EXPECT_FALSE(blockedConfig.SetAutoMin("1"));
}

TEST(XdgSettings, WritesOfABatchReachTheFileTogetherWhenTheLastBatchEnds) {
  TempDir home;
  LinuxFileSystem files;
  Utf8CodePage utf8;
  XdgProfileStore store(home.Path() + "/held");
  ModuleConfig config(store, files, utf8);
  const std::string ini = home.Path() + "/held/tarvex.ini";
  ASSERT_TRUE(config.SetAutoRun("0"));
  const std::optional<std::string> before = ReadWholeFile(ini);
  {
    const ModuleConfig::Batch outer(config);
    {
      const ModuleConfig::Batch inner(config);
      EXPECT_TRUE(config.SetSpeedLevel("2"));
    }
    EXPECT_TRUE(config.SetAutoRun("1"));
    EXPECT_TRUE(config.SetEnableRecord("1"));
    EXPECT_EQ(config.GetSpeedLevel(), "2");  // reads see what is held
    EXPECT_EQ(config.GetAutoRun(), "1");
    EXPECT_EQ(ReadWholeFile(ini), before);
  }
  // The same bytes as key-by-key writes leave.
  XdgProfileStore plainStore(home.Path() + "/plain");
  ModuleConfig plain(plainStore, files, utf8);
  ASSERT_TRUE(plain.SetAutoRun("0"));
  ASSERT_TRUE(plain.SetSpeedLevel("2"));
  ASSERT_TRUE(plain.SetAutoRun("1"));
  ASSERT_TRUE(plain.SetEnableRecord("1"));
  EXPECT_EQ(ReadWholeFile(ini), ReadWholeFile(home.Path() + "/plain/tarvex.ini"));
  // After the batch, each write is on disk at once again.
  ASSERT_TRUE(config.SetAutoMin("1"));
  EXPECT_NE(ReadWholeFile(ini)->find("AutoMin=1"), std::string::npos);
  // A batch of reads looks at the file once and leaves it as it is; a change
  // made meanwhile shows after the batch.
  {
    const ModuleConfig::Batch reads(config);
    EXPECT_EQ(config.GetAutoMin(), "1");
    std::ofstream(ini, std::ios::binary | std::ios::trunc) << "[Normal]\r\nAutoMin=0\r\n";
    EXPECT_EQ(config.GetAutoMin(), "1");
    EXPECT_EQ(config.GetSpeedLevel(), "2");
  }
  EXPECT_EQ(ReadWholeFile(ini), "[Normal]\r\nAutoMin=0\r\n");
  EXPECT_EQ(config.GetAutoMin(), "0");

  // Held writes that cannot reach the file say so at the release.
  home.Write("plainfile", "x");
  XdgProfileStore blocked(home.Path() + "/plainfile/tarvex");
  blocked.HoldWrites();
  EXPECT_TRUE(blocked.WriteString("tarvex.ini", "Speed", "SpeedLevel", "1"));
  EXPECT_FALSE(blocked.ReleaseWrites());
  EXPECT_FALSE(blocked.WriteString("tarvex.ini", "Speed", "SpeedLevel", "1"));
}

TEST(XdgSettings, AWriteReplacesTheFileWholeAndNeverClobbersOneItCannotRead) {
  TempDir home;
  const std::string folder = home.Path() + "/tarvex";
  const std::string ini = folder + "/tarvex.ini";
  XdgProfileStore store(folder);
  ASSERT_TRUE(store.WriteString("tarvex.ini", "Speed", "SpeedLevel", "1"));
  // A second name for the file as it was: editing in place (truncate, then
  // write) would change what it shows; a replacement leaves it as it was.
  ASSERT_EQ(link(ini.c_str(), (home.Path() + "/before.ini").c_str()), 0);
  ASSERT_TRUE(store.WriteString("tarvex.ini", "Speed", "AutoMin", "1"));
  EXPECT_EQ(ReadWholeFile(home.Path() + "/before.ini"), "[Speed]\r\nSpeedLevel=1\r\n");
  EXPECT_EQ(store.ReadString("tarvex.ini", "Speed", "SpeedLevel"), "1");
  EXPECT_EQ(store.ReadString("tarvex.ini", "Speed", "AutoMin"), "1");
  std::vector<std::string> names;  // nothing left beside it
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  EXPECT_EQ(names, std::vector<std::string>{"tarvex.ini"});

  // A file kept elsewhere behind a link: the link stays, the target changes.
  const std::string kept = home.Path() + "/dotfiles.ini";
  ASSERT_EQ(rename(ini.c_str(), kept.c_str()), 0);
  ASSERT_EQ(symlink(kept.c_str(), ini.c_str()), 0);
  ASSERT_TRUE(store.WriteString("tarvex.ini", "Speed", "State", "0"));
  struct stat link {};
  ASSERT_EQ(lstat(ini.c_str(), &link), 0);
  EXPECT_TRUE(S_ISLNK(link.st_mode));
  EXPECT_EQ(ReadWholeFile(kept), "[Speed]\r\nSpeedLevel=1\r\nAutoMin=1\r\nState=0\r\n");

  // Something in the file's place that cannot be read as a file stays as it is.
  XdgProfileStore blocked(home.Path() + "/other");
  ASSERT_EQ(mkdir((home.Path() + "/other").c_str(), 0700), 0);
  ASSERT_EQ(mkdir((home.Path() + "/other/tarvex.ini").c_str(), 0700), 0);
  EXPECT_FALSE(blocked.ReadString("tarvex.ini", "Speed", "SpeedLevel"));  // the defaults, no exception
  EXPECT_FALSE(blocked.WriteString("tarvex.ini", "Speed", "SpeedLevel", "1"));
  struct stat st {};
  ASSERT_EQ(stat((home.Path() + "/other/tarvex.ini").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
}

TEST(XdgSettings, WithoutHomeTheAccountsHomeServesAndNothingIsMadeAtTheRoot) {
  // Started without HOME or XDG_CONFIG_HOME (a service manager may do that).
  const auto saved = [](const char* name) -> std::optional<std::string> {
    const char* v = std::getenv(name);
    return v ? std::optional<std::string>(v) : std::nullopt;
  };
  const std::optional<std::string> home = saved("HOME"), config = saved("XDG_CONFIG_HOME");
  unsetenv("HOME");
  unsetenv("XDG_CONFIG_HOME");
  const std::string fallback = XdgConfigHome();
  const std::string folder = TarvexConfigDirectory();
  if (home) setenv("HOME", home->c_str(), 1);
  if (config) setenv("XDG_CONFIG_HOME", config->c_str(), 1);
  const passwd* account = getpwuid(getuid());
  ASSERT_NE(account, nullptr);
  EXPECT_EQ(fallback, std::string(account->pw_dir) + "/.config");
  EXPECT_EQ(folder, fallback + "/tarvex");

  // With no home at all there is no folder: settings read as the defaults and
  // writes fail, auto-start says why, and nothing lands at the root.
  XdgProfileStore nowhere(std::string{});
  EXPECT_EQ(nowhere.FilePath("tarvex.ini"), "");
  EXPECT_FALSE(nowhere.ReadString("tarvex.ini", "Speed", "SpeedLevel"));
  EXPECT_FALSE(nowhere.WriteString("tarvex.ini", "Speed", "SpeedLevel", "1"));
  XdgAutoStartStore noAutostart(std::string{}, "/usr/bin/tarvex");
  const RunValueResult added = noAutostart.SetRunValue(RunScope::kUser, "Tarvex", "tarvex.exe");
  EXPECT_FALSE(added.ok);
  EXPECT_FALSE(added.errorText.empty());
  EXPECT_FALSE(noAutostart.DeleteRunValue(RunScope::kUser, "Tarvex"));
}

TEST(Utf8Text, CutKeepsWholeCharactersOfEveryLength) {
  Utf8CodePage utf8;
  const std::string mixed = "a\xC3\xA9\xE5\x8A\xA0\xF0\x9F\x98\x80";  // a é 加 😀 : 1+2+3+4 bytes
  EXPECT_EQ(CutAnsi(mixed, 10, utf8), mixed);
  EXPECT_EQ(CutAnsi(mixed, 9, utf8), mixed.substr(0, 6));
  EXPECT_EQ(CutAnsi(mixed, 5, utf8), mixed.substr(0, 3));
  EXPECT_EQ(CutAnsi(mixed, 2, utf8), "a");
  // A stray continuation byte is one byte; a character cut short by the end
  // of the text keeps what it has; a NUL ends the text.
  EXPECT_EQ(CutAnsi("\x80x", 1, utf8), "\x80");
  EXPECT_EQ(CutAnsi("ab\xE5\x8A", 4, utf8), "ab\xE5\x8A");
  EXPECT_EQ(CutAnsi(std::string("ab\0cd", 5), 10, utf8), "ab");
}

TEST(XdgAutoStart, DesktopEntryWrittenRemovedAndQuotedForTheExecLine) {
  TempDir config;
  const std::string folder = config.Path() + "/autostart";
  XdgAutoStartStore store(folder, "/opt/my apps/tar\"vex$1\\bin");
  LinuxFileSystem files;
  Utf8CodePage utf8;
  ModuleAutoRun autoRun(store, files, utf8);

  EXPECT_EQ(autoRun.AddAutoRun(), std::nullopt);
  const auto entry = ReadWholeFile(folder + "/tarvex.desktop");
  ASSERT_TRUE(entry);
  EXPECT_NE(entry->find("[Desktop Entry]\nType=Application\n"), std::string::npos);
  // Exec-level escapes (\" \$ \\) inside quotes, each backslash doubled again.
  EXPECT_NE(entry->find("Exec=\"/opt/my apps/tar\\\\\"vex\\\\$1\\\\\\\\bin\"\n"), std::string::npos) << *entry;
  // Written again at every start: the same file, replaced whole.
  EXPECT_EQ(autoRun.AddAutoRun(), std::nullopt);
  EXPECT_EQ(ReadWholeFile(folder + "/tarvex.desktop"), entry);

  autoRun.RemoveAutoRun();
  EXPECT_FALSE(ReadWholeFile(folder + "/tarvex.desktop"));
  EXPECT_FALSE(store.DeleteRunValue(RunScope::kUser, "Tarvex_CN"));  // nothing left to remove
  EXPECT_FALSE(store.SetRunValue(RunScope::kMachine, "Tarvex_CN", "").ok);

  XdgAutoStartStore unknownProgram(folder, "");
  const RunValueResult refused = unknownProgram.SetRunValue(RunScope::kUser, "Tarvex_CN", "");
  EXPECT_FALSE(refused.ok);
  EXPECT_FALSE(refused.errorText.empty());
}

TEST(LinuxSingleInstance, SecondCopyFindsTheLockUntilTheFirstEnds) {
  TempDir runtime;
  {
    LinuxSingleInstance first(runtime.Path());
    EXPECT_FALSE(first.AnotherInstanceRunning());
    LinuxSingleInstance second(runtime.Path());
    EXPECT_TRUE(second.AnotherInstanceRunning());
  }
  // The first copy ended (its lock went with it): the next one starts, and a
  // lock file left behind does not stop it.
  struct stat st {};
  EXPECT_EQ(stat((runtime.Path() + "/tarvex.lock").c_str(), &st), 0);
  LinuxSingleInstance third(runtime.Path());
  EXPECT_FALSE(third.AnotherInstanceRunning());
}

TEST(XdgOpen, HandsTheAddressToXdgOpenAndSaysWhenItIsMissing) {
  TempDir bin;
  const std::string seen = bin.Path() + "/seen";
  bin.Write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > " + seen + ".tmp && /bin/mv " + seen + ".tmp " + seen + "\n");
  chmod((bin.Path() + "/xdg-open").c_str(), 0755);
  const std::string oldPath = getenv("PATH") != nullptr ? getenv("PATH") : "";
  setenv("PATH", bin.Path().c_str(), 1);
  const bool opened = XdgOpen("https://example.invalid/tarvex/cn/help/?a=1&b=2");
  // The detached helper finishes on its own; wait for it with a bound.
  std::optional<std::string> arg;
  for (int i = 0; i < 500 && !(arg = ReadWholeFile(seen)); ++i) usleep(10'000);
  setenv("PATH", (bin.Path() + "/none").c_str(), 1);
  const bool missing = XdgOpen("https://example.invalid/");
  setenv("PATH", oldPath.c_str(), 1);
  EXPECT_TRUE(opened);
  EXPECT_EQ(arg, "https://example.invalid/tarvex/cn/help/?a=1&b=2");
  EXPECT_FALSE(missing);
}

}  // namespace
}  // namespace tarvex
