// Fakes of the platform and view seams of the speed-up spine: an in-memory
// file system (that also serves the INI store through IniText), a process
// table with priority classes, a double-byte test code page, dialogs with
// scripted answers, and recording views. Shared by the app tests, benches and
// fuzzers; they implement the real interfaces and nothing more.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/history_view.h"
#include "app/settings_controls.h"
#include "app/status_view.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/profile.h"

namespace tarvex::test {

// A double-byte code page: ASCII is itself; every other character becomes two
// bytes, a lead byte 0x81..0xFE and a trail byte 0x40..0xFE, given out in the
// order characters are first met. Reversible for every character it has seen;
// an unknown pair converts back to '?'.
class FakeDbcsCodePage final : public CodePage {
 public:
  std::string Utf8ToAnsi(std::string_view utf8) const override;
  std::string AnsiToUtf8(std::string_view ansi) const override;
  bool IsLeadByte(uint8_t byte) const override { return byte >= 0x81 && byte <= 0xFE; }

 private:
  mutable std::map<uint32_t, uint16_t> toAnsi_;
  mutable std::map<uint16_t, uint32_t> toUnicode_;
};

// Files in memory, keyed by path. Failures can be injected per path prefix.
class FakeFileSystem final : public FileSystem {
 public:
  std::string directory = "C:\\Program Files\\Tarvex";
  std::string baseName = "tarvex";
  std::map<std::string, std::string> files;
  std::set<std::string> readOnlyDirectories;  // nothing new may be created under these
  std::set<std::string> readOnlyFiles;        // cannot be replaced or written
  bool failWrites = false;                    // every write stops half way (disk full)
  std::vector<std::string> calls;             // "create <path>", "rename <a> <b>", ...

  std::string userDirectory = "C:\\Users\\lin\\AppData\\Roaming\\Tarvex";  // "" = none
  std::set<std::string> directories;          // created by CreateDirectories

  std::string ExecutableDirectory() override { return directory; }
  std::string ExecutableBaseName() override { return baseName; }
  FileResult CreateNewFile(const std::string& path, std::string_view bytes) override;
  FileResult OverwriteFile(const std::string& path, std::string_view bytes) override;
  FileResult RenameReplacing(const std::string& from, const std::string& to) override;
  void RemoveFile(const std::string& path) override;
  bool DirectoryWritable(const std::string& dir) override {
    ++writableAsked;
    return readOnlyDirectories.count(dir) == 0;
  }
  int writableAsked = 0;
  std::string UserSettingsDirectory() override { return userDirectory; }
  bool CreateDirectories(const std::string& dir) override;
  std::optional<std::string> ReadFile(const std::string& path) override;

  bool InReadOnlyDirectory(const std::string& path) const;
};

// ProfileStore over FakeFileSystem's files with the portable INI rules.
class FakeProfileStore final : public ProfileStore {
 public:
  explicit FakeProfileStore(FakeFileSystem& files) : files_(files) {}
  std::optional<std::string> ReadString(const std::string& path, std::string_view section,
                                        std::string_view key) override;
  bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value) override;
  bool failWrites = false;
  int writeCount = 0;

 private:
  FakeFileSystem& files_;
};

// Both Run lists; each can be denied on its own.
class FakeAutoStart final : public AutoStartStore {
 public:
  std::map<std::string, std::string> values;      // per machine
  std::map<std::string, std::string> userValues;  // per user
  bool denied = false;      // no right to write the per-machine key
  bool userDenied = false;  // the per-user key cannot be written either
  std::vector<std::string> calls;  // "set machine Tarvex_CN", "delete user Tarvex_CN"
  RunValueResult SetRunValue(RunScope scope, std::string_view name, std::string_view dataAnsi) override;
  bool DeleteRunValue(RunScope scope, std::string_view name) override;
};

// Windows and processes with priority classes. Handles are fresh integers.
class FakeProcesses final : public ProcessPlatform {
 public:
  struct Window {
    ProcessId process = 0;
    std::string titleAnsi;
  };
  struct Process {
    uint32_t priorityClass = kNormalPriorityClass;
    bool protectedProcess = false;  // may be queried, not changed
    bool realtimeDenied = false;    // asking for real-time grants high
    int generation = 0;             // bump to stand for a new process reusing the id
    // Non-empty: a platform that schedules threads apart (as Linux does); a
    // class set puts every thread at ThreadFor(class).
    std::vector<ThreadSchedule> threads;
  };

  WindowHandle foreground = 0;
  bool foregroundKnown = true;  // false: nothing publishes the window in front
  ProcessId self = 1;
  std::map<WindowHandle, Window> windows;
  std::map<ProcessId, Process> processes;
  std::map<ProcessHandle, ProcessId> open;  // handles not yet closed
  std::vector<std::string> calls;           // "open 600 7", "set 80", "close", ...
  int titleReads = 0;                       // WindowTextAnsi calls
  bool recordCalls = true;

  WindowHandle ForegroundWindow() override;
  bool ForegroundKnown() override { return foregroundKnown; }
  std::string WindowTextAnsi(WindowHandle window) override;
  ProcessId WindowProcessId(WindowHandle window) override;
  ProcessId CurrentProcessId() override { return self; }
  ProcessHandle OpenProcess(uint32_t access, ProcessId id) override;
  bool SetPriorityClass(ProcessHandle process, uint32_t priorityClass) override;
  uint32_t GetPriorityClass(ProcessHandle process) override;
  void CloseHandle(ProcessHandle process) override;
  ProcessSchedule ReadSchedule(ProcessHandle process) override;
  bool SetThreadSchedule(ProcessHandle process, const ThreadSchedule& schedule) override;

  uint32_t ClassOf(ProcessId id) const { return processes.at(id).priorityClass; }
  // A thread's schedule under a class: nice values, real-time as round robin.
  static ThreadSchedule ThreadFor(int64_t threadId, uint32_t priorityClass);

 private:
  struct Grant {
    ProcessId id;
    uint32_t access;
    int generation;
  };
  // The process a handle still names with `right`; null once it ended.
  Process* Granted(ProcessHandle process, uint32_t right);
  std::map<ProcessHandle, Grant> grants_;
  ProcessHandle nextHandle_ = 0x100;
};

class FakeClock final : public Clock {
 public:
  std::string now = "14:03:22";
  std::string TimeOfDayText() override { return now; }
};

struct MessageBoxCall {
  std::string text;
  std::string title;
  MessageBoxIcon icon;
  MessageBoxButtons buttons;
};

class FakeDialogs final : public Dialogs {
 public:
  std::vector<MessageBoxCall> messages;
  std::vector<OpenFileOptions> fileDialogs;
  std::string chosenFile;  // what the next file dialog answers ("" = cancel)
  MessageBoxResult ShowMessageBox(std::string_view text, std::string_view title, MessageBoxIcon icon,
                                  MessageBoxButtons buttons) override;
  std::string ChooseOpenFile(const OpenFileOptions& options) override;
};

// The seven setting controls with their design states and list entries.
class FakeSettingsControls final : public SettingsControls {
 public:
  FakeSettingsControls();
  std::map<SettingCheck, CheckState> checks;
  std::map<SettingCombo, std::string> selected;  // "" = no selection
  std::map<SettingCombo, std::vector<std::string>> entries;

  CheckState GetCheck(SettingCheck check) const override { return checks.at(check); }
  void SetCheck(SettingCheck check, CheckState state) override { checks[check] = state; }
  std::string ComboText(SettingCombo combo) const override { return selected.at(combo); }
  bool SelectComboText(SettingCombo combo, std::string_view text) override;
};

class FakeWindowOps final : public MainWindowOps {
 public:
  std::vector<bool> topmostCalls;
  void SetTopmost(bool on) override { topmostCalls.push_back(on); }
};

class FakeStatusView final : public StatusView {
 public:
  std::string info, toolTip, count;
  int infoWrites = 0;
  void SetInfoCaption(std::string_view text) override {
    info = text;
    ++infoWrites;
  }
  void SetInfoToolTip(std::string_view text) override { toolTip = text; }
  void SetCountCaption(std::string_view text) override { count = text; }
};

class FakeHistoryView final : public HistoryView {
 public:
  struct Item {
    std::string texts[4];
    int32_t icon = -1;
  };
  std::vector<Item> items;
  int clears = 0;

  int32_t ItemCount() const override { return static_cast<int32_t>(items.size()); }
  void ClearItems() override {
    items.clear();
    ++clears;
  }
  int32_t AddItem(std::string_view text) override;
  void SetSubItem(int32_t item, int32_t subItem, std::string_view text) override;
  void SetSmallIcon(int32_t item, int32_t image) override;
  std::string ItemText(int32_t item, int32_t subItem) const override;
};

}  // namespace tarvex::test
