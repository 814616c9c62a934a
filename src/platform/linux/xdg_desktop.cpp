// XDG folders, the desktop entry for auto-start, the instance lock, xdg-open.
#include "platform/linux/xdg_desktop.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/file_system.h"
#include "platform/linux/file_system_linux.h"
#include "platform/portable/ini_text.h"

namespace tarvex {
namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

// An Exec argument quoted as the desktop entry format wants it: inside double
// quotes, `"`, `` ` ``, `$` and `\` are escaped with a backslash, and then
// every backslash is doubled again by the format's string escaping.
std::string ExecArgument(std::string_view arg) {
  std::string exec = "\"";
  for (char ch : arg) {
    if (ch == '"' || ch == '`' || ch == '$' || ch == '\\') exec += '\\';
    if (ch == '%') exec += '%';  // a lone % starts a field code
    exec += ch;
  }
  exec += '"';
  std::string value;
  for (char ch : exec) value += ch == '\\' ? std::string("\\\\") : std::string(1, ch);
  return value;
}

}  // namespace

std::string XdgConfigHome() {
  std::string config = Env("XDG_CONFIG_HOME");
  // The basedir rules ignore a relative value.
  if (!config.empty() && config[0] == '/') return config;
  std::string home = Env("HOME");
  if (home.empty()) {
    // Started without HOME (by a service manager, say): the account's own
    // home, rather than folders made at the root of the file system.
    if (const passwd* account = getpwuid(getuid()); account != nullptr && account->pw_dir != nullptr) {
      home = account->pw_dir;
    }
  }
  return home.empty() || home[0] != '/' ? std::string() : home + "/.config";
}

std::string ConfigFolder(std::string_view name) {
  const std::string config = XdgConfigHome();
  return config.empty() ? std::string() : config + "/" + std::string(name);
}

std::string TarvexConfigDirectory() { return ConfigFolder("tarvex"); }

bool MakeDirectories(const std::string& path) {
  if (path.empty()) return false;
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string XdgProfileStore::FilePath(std::string_view path) const {
  if (directory_.empty()) return std::string();  // nowhere to keep it: reads give the defaults
  const size_t cut = path.find_last_of("\\/");
  return directory_ + "/" + std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::optional<std::string> XdgProfileStore::ReadString(const std::string& path, std::string_view section,
                                                       std::string_view key) {
  const std::string file = FilePath(path);
  // Held, the file is read once for all the batch's reads (a start makes a dozen).
  if (holding_) {
    if (const Held* held = Holding(file)) return held->text.Get(section, key);
  }
  return file_.ReadString(file, section, key);
}

std::optional<IniText> XdgProfileStore::Load(const std::string& file) const {
  std::optional<std::string> bytes = ReadWholeFile(file);
  // A file that is there but cannot be read would be replaced by this one key.
  struct stat st {};
  if (!bytes && lstat(file.c_str(), &st) == 0) return std::nullopt;
  return IniText(std::move(bytes).value_or(std::string()));
}

bool XdgProfileStore::Store(const std::string& file, const IniText& text) const {
  if (!MakeDirectories(directory_)) return false;
  // Written beside and renamed over it: a crash or a full disk mid-write
  // leaves the old settings, never a file cut short. A link (kept with the
  // user's other dotfiles, say) stays a link: its target is replaced.
  std::string target = file;
  if (char* real = realpath(file.c_str(), nullptr); real != nullptr) {
    target = real;
    std::free(real);
  }
  LinuxFileSystem files;
  return ReplaceFileContents(files, target, text.Bytes()).Ok();
}

XdgProfileStore::Held* XdgProfileStore::Holding(const std::string& file) {
  for (Held& held : held_) {
    if (held.file == file) return &held;
  }
  std::optional<IniText> text = Load(file);
  if (!text) return nullptr;
  return &held_.emplace_back(Held{file, std::move(*text)});
}

bool XdgProfileStore::WriteString(const std::string& path, std::string_view section, std::string_view key,
                                  std::string_view value) {
  if (directory_.empty()) return false;
  const std::string file = FilePath(path);
  if (holding_) {
    Held* held = Holding(file);
    if (held == nullptr || !held->text.Set(section, key, value)) return false;
    held->changed = true;
    return true;
  }
  std::optional<IniText> text = Load(file);
  return text && text->Set(section, key, value) && Store(file, *text);
}

bool XdgProfileStore::ReleaseWrites() {
  holding_ = false;
  bool ok = true;
  for (const Held& held : held_) {
    if (held.changed && !Store(held.file, held.text)) ok = false;
  }
  held_.clear();
  return ok;
}

XdgAutoStartStore::XdgAutoStartStore() : XdgAutoStartStore(ConfigFolder("autostart"), ExecutablePath()) {}

std::string AutostartDesktopEntry(std::string_view executable) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Tarvex\n"
         "Exec=" + ExecArgument(executable) + "\n"
         "X-GNOME-Autostart-enabled=true\n";
}

RunValueResult XdgAutoStartStore::SetRunValue(RunScope scope, std::string_view name, std::string_view dataAnsi) {
  (void)name;
  (void)dataAnsi;
  if (scope == RunScope::kMachine) return {false, "No per-machine auto-start list here."};
  if (executable_.empty()) return {false, "The program's own path is unknown."};
  if (directory_.empty()) return {false, "There is no home folder to keep the auto-start entry in."};
  if (!MakeDirectories(directory_)) return {false, std::strerror(errno)};
  LinuxFileSystem files;
  const FileResult written = ReplaceFileContents(files, FilePath(), AutostartDesktopEntry(executable_));
  return {written.Ok(), written.errorText};
}

bool XdgAutoStartStore::DeleteRunValue(RunScope scope, std::string_view name) {
  (void)name;
  if (scope == RunScope::kMachine || directory_.empty()) return false;
  // Like deleting a missing registry value, a missing file is a failure.
  return unlink(FilePath().c_str()) == 0;
}

LinuxSingleInstance::LinuxSingleInstance()
    : LinuxSingleInstance(!Env("XDG_RUNTIME_DIR").empty() ? Env("XDG_RUNTIME_DIR") : TarvexConfigDirectory()) {}

LinuxSingleInstance::LinuxSingleInstance(const std::string& directory) {
  if (directory.empty()) return;  // no folder for the lock: the program starts
  (void)MakeDirectories(directory);
  fd_ = open((directory + "/tarvex.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  // Without a lock file there is no way to tell: the program starts.
  if (fd_ >= 0 && flock(fd_, LOCK_EX | LOCK_NB) != 0) another_ = errno == EWOULDBLOCK;
}

LinuxSingleInstance::~LinuxSingleInstance() {
  if (fd_ >= 0) close(fd_);
}

bool XdgOpen(std::string_view address) {
  const std::string arg(address);
  char program[] = "xdg-open";
  char* argv[] = {program, const_cast<char*>(arg.c_str()), nullptr};
  // The child reports a failed exec through the pipe; a successful exec
  // closes it (O_CLOEXEC) with nothing written.
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    close(pipeFds[0]);
    close(pipeFds[1]);
    return false;
  }
  if (child == 0) {
    // Double fork: the browser outlives nothing of ours and leaves no zombie.
    setsid();
    const pid_t grandchild = fork();
    if (grandchild == 0) execvp(program, argv);
    if (grandchild <= 0) {
      const int error = errno;
      (void)!write(pipeFds[1], &error, sizeof error);
    }
    _exit(0);
  }
  close(pipeFds[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t n;
  while ((n = read(pipeFds[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  close(pipeFds[0]);
  return n == 0;
}

}  // namespace tarvex
