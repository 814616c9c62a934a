// Where the Linux program keeps what Windows keeps beside the executable and
// in the registry: the settings file in $XDG_CONFIG_HOME/tarvex/, auto-start
// as $XDG_CONFIG_HOME/autostart/tarvex.desktop, the single-instance lock in
// $XDG_RUNTIME_DIR, and links handed to xdg-open.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/autostart.h"
#include "platform/portable/ini_file.h"
#include "platform/portable/ini_text.h"
#include "platform/profile.h"
#include "platform/single_instance.h"

namespace tarvex {

// $XDG_CONFIG_HOME, else $HOME/.config; "" when neither is set.
std::string XdgConfigHome();
// $XDG_CONFIG_HOME/NAME; "" when there is no config home.
std::string ConfigFolder(std::string_view name);
// $XDG_CONFIG_HOME/tarvex.
std::string TarvexConfigDirectory();
// Creates `path` and its missing parents (mode 0700 for new ones).
bool MakeDirectories(const std::string& path);

// The private-profile file of the core, kept in `directory`: the core builds
// its path beside the executable, and only the file name ("tarvex.ini") is
// taken from it. Sections, keys and parsing are the portable file's.
class XdgProfileStore final : public ProfileStore {
 public:
  explicit XdgProfileStore(std::string directory = TarvexConfigDirectory()) : directory_(std::move(directory)) {}
  std::optional<std::string> ReadString(const std::string& path, std::string_view section,
                                        std::string_view key) override;
  // Creates the folder at the first write.
  bool WriteString(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value) override;
  // Each write is a flushed replacement of the file: held, many keys cost one,
  // and the file is read once.
  void HoldWrites() override { holding_ = true; }
  bool ReleaseWrites() override;
  // Where the file named by the core's `path` lies here.
  std::string FilePath(std::string_view path) const;

 private:
  // A file's text as the held writes left it.
  struct Held {
    std::string file;
    IniText text;
    bool changed = false;
  };
  // The file's text to edit (from the held copy when holding); nullopt when
  // something is in its place that cannot be read as a file.
  std::optional<IniText> Load(const std::string& file) const;
  bool Store(const std::string& file, const IniText& text) const;
  Held* Holding(const std::string& file);

  std::string directory_;
  IniFileStore file_;
  bool holding_ = false;
  std::vector<Held> held_;
};

// The auto-start entry as a desktop entry file "tarvex.desktop" in
// `autostartDirectory`. Its command is `executable`, the program's own path:
// the value data the core hands over is a Windows command line (".exe").
// There is one list, the user's: the per-machine list is never written.
class XdgAutoStartStore final : public AutoStartStore {
 public:
  XdgAutoStartStore(std::string autostartDirectory, std::string executable)
      : directory_(std::move(autostartDirectory)), executable_(std::move(executable)) {}
  // $XDG_CONFIG_HOME/autostart and the running program.
  XdgAutoStartStore();
  RunValueResult SetRunValue(RunScope scope, std::string_view name, std::string_view dataAnsi) override;
  bool DeleteRunValue(RunScope scope, std::string_view name) override;
  std::string FilePath() const { return directory_ + "/tarvex.desktop"; }

 private:
  std::string directory_;
  std::string executable_;
};

// The text of the desktop entry that starts `executable`.
std::string AutostartDesktopEntry(std::string_view executable);

// The first copy holds an exclusive lock on "tarvex.lock" in `directory` for
// its whole life; the kernel drops it when the process ends, however it ends.
class LinuxSingleInstance final : public SingleInstance {
 public:
  // $XDG_RUNTIME_DIR, else the config folder.
  LinuxSingleInstance();
  explicit LinuxSingleInstance(const std::string& directory);
  ~LinuxSingleInstance() override;
  LinuxSingleInstance(const LinuxSingleInstance&) = delete;
  LinuxSingleInstance& operator=(const LinuxSingleInstance&) = delete;
  bool AnotherInstanceRunning() const override { return another_; }

 private:
  int fd_ = -1;
  bool another_ = false;
};

// Hands `address` to xdg-open in a detached process; false when xdg-open could
// not be started.
bool XdgOpen(std::string_view address);

}  // namespace tarvex
