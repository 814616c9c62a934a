// Fakes of the speed-up spine's seams.
#include "support/spine_fakes.h"

#include <cstdio>

#include "platform/portable/ini_text.h"

namespace tarvex::test {
namespace {

// Decodes one UTF-8 sequence at s[i]; advances i. Malformed bytes give U+FFFD.
uint32_t NextCodePoint(std::string_view s, size_t& i) {
  const auto b = static_cast<uint8_t>(s[i]);
  size_t length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || i + length > s.size()) {
    ++i;
    return 0xFFFD;
  }
  uint32_t cp = length == 1 ? b : b & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) cp = (cp << 6) | (static_cast<uint8_t>(s[i + k]) & 0x3F);
  i += length;
  return cp;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Hex(uint32_t v) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%x", v);
  return buffer;
}

const FileResult kAccessDenied{FileFailure::kCreate, "Access is denied."};

}  // namespace

std::string FakeDbcsCodePage::Utf8ToAnsi(std::string_view utf8) const {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const uint32_t cp = NextCodePoint(utf8, i);
    if (cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    auto it = toAnsi_.find(cp);
    if (it == toAnsi_.end()) {
      const auto n = static_cast<uint16_t>(toAnsi_.size());
      const auto code = static_cast<uint16_t>(((0x81 + n / 191) << 8) | (0x40 + n % 191));
      it = toAnsi_.emplace(cp, code).first;
      toUnicode_.emplace(code, cp);
    }
    out += static_cast<char>(it->second >> 8);
    out += static_cast<char>(it->second & 0xFF);
  }
  return out;
}

std::string FakeDbcsCodePage::AnsiToUtf8(std::string_view ansi) const {
  std::string out;
  for (size_t i = 0; i < ansi.size(); ++i) {
    const auto b = static_cast<uint8_t>(ansi[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
    } else if (IsLeadByte(b) && i + 1 < ansi.size()) {
      const auto code = static_cast<uint16_t>((b << 8) | static_cast<uint8_t>(ansi[++i]));
      auto it = toUnicode_.find(code);
      if (it == toUnicode_.end()) out += '?';
      else AppendUtf8(out, it->second);
    } else {
      out += '?';
    }
  }
  return out;
}

bool FakeFileSystem::InReadOnlyDirectory(const std::string& path) const {
  return readOnlyDirectories.count(DirectoryOf(path)) != 0;
}

FileResult FakeFileSystem::CreateNewFile(const std::string& path, std::string_view bytes) {
  calls.push_back("create " + path);
  if (files.count(path)) return {FileFailure::kExists, "The file exists."};
  if (InReadOnlyDirectory(path)) return kAccessDenied;
  if (failWrites) {
    files[path] = std::string(bytes.substr(0, bytes.size() / 2));
    return {FileFailure::kWrite, "There is not enough space on the disk."};
  }
  files[path] = std::string(bytes);
  return {};
}

FileResult FakeFileSystem::OverwriteFile(const std::string& path, std::string_view bytes) {
  calls.push_back("overwrite " + path);
  if (readOnlyFiles.count(path) || (!files.count(path) && InReadOnlyDirectory(path))) return kAccessDenied;
  if (failWrites) {
    files[path] = std::string(bytes.substr(0, bytes.size() / 2));
    return {FileFailure::kWrite, "There is not enough space on the disk."};
  }
  files[path] = std::string(bytes);
  return {};
}

FileResult FakeFileSystem::RenameReplacing(const std::string& from, const std::string& to) {
  calls.push_back("rename " + from + " " + to);
  if (readOnlyFiles.count(to) || !files.count(from)) return {FileFailure::kRename, "Access is denied."};
  files[to] = files[from];
  files.erase(from);
  return {};
}

void FakeFileSystem::RemoveFile(const std::string& path) {
  calls.push_back("remove " + path);
  files.erase(path);
}

bool FakeFileSystem::CreateDirectories(const std::string& dir) {
  calls.push_back("mkdir " + dir);
  if (InReadOnlyDirectory(dir)) return false;
  directories.insert(dir);
  return true;
}

std::optional<std::string> FakeFileSystem::ReadFile(const std::string& path) {
  auto it = files.find(path);
  if (it == files.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> FakeProfileStore::ReadString(const std::string& path, std::string_view section,
                                                        std::string_view key) {
  auto it = files_.files.find(path);
  if (it == files_.files.end()) return std::nullopt;
  return IniText(it->second).Get(section, key);
}

bool FakeProfileStore::WriteString(const std::string& path, std::string_view section, std::string_view key,
                                   std::string_view value) {
  ++writeCount;
  if (failWrites || files_.InReadOnlyDirectory(path)) return false;
  auto it = files_.files.find(path);
  IniText text(it == files_.files.end() ? std::string() : it->second);
  if (!text.Set(section, key, value)) return false;
  files_.files[path] = text.Bytes();
  return true;
}

RunValueResult FakeAutoStart::SetRunValue(RunScope scope, std::string_view name, std::string_view dataAnsi) {
  const bool machine = scope == RunScope::kMachine;
  calls.push_back(std::string("set ") + (machine ? "machine " : "user ") + std::string(name));
  if (machine ? denied : userDenied) return {false, machine ? "Access is denied." : "The registry is read-only."};
  (machine ? values : userValues)[std::string(name)] = std::string(dataAnsi);
  return {true, ""};
}

bool FakeAutoStart::DeleteRunValue(RunScope scope, std::string_view name) {
  const bool machine = scope == RunScope::kMachine;
  calls.push_back(std::string("delete ") + (machine ? "machine " : "user ") + std::string(name));
  if (machine ? denied : userDenied) return false;
  return (machine ? values : userValues).erase(std::string(name)) != 0;
}

WindowHandle FakeProcesses::ForegroundWindow() { return foreground; }

std::string FakeProcesses::WindowTextAnsi(WindowHandle window) {
  ++titleReads;
  auto it = windows.find(window);
  return it == windows.end() ? std::string() : it->second.titleAnsi;
}

ProcessId FakeProcesses::WindowProcessId(WindowHandle window) {
  auto it = windows.find(window);
  return it == windows.end() ? 0 : it->second.process;
}

ProcessHandle FakeProcesses::OpenProcess(uint32_t access, ProcessId id) {
  if (recordCalls) calls.push_back("open " + Hex(access) + " " + std::to_string(id));
  auto it = processes.find(id);
  if (it == processes.end()) return 0;
  if (it->second.protectedProcess && (access & kProcessSetInformation)) return 0;
  const ProcessHandle handle = nextHandle_++;
  grants_[handle] = {id, access, it->second.generation};
  open[handle] = id;
  return handle;
}

FakeProcesses::Process* FakeProcesses::Granted(ProcessHandle process, uint32_t right) {
  auto grant = grants_.find(process);
  if (grant == grants_.end() || !(grant->second.access & right)) return nullptr;
  auto it = processes.find(grant->second.id);
  if (it == processes.end() || it->second.generation != grant->second.generation) return nullptr;
  return &it->second;
}

bool FakeProcesses::SetPriorityClass(ProcessHandle process, uint32_t priorityClass) {
  if (recordCalls) calls.push_back("set " + Hex(priorityClass));
  Process* target = Granted(process, kProcessSetInformation);
  if (!target) return false;
  target->priorityClass =
      (priorityClass == kRealtimePriorityClass && target->realtimeDenied) ? kHighPriorityClass : priorityClass;
  for (ThreadSchedule& thread : target->threads) thread = ThreadFor(thread.threadId, target->priorityClass);
  return true;
}

uint32_t FakeProcesses::GetPriorityClass(ProcessHandle process) {
  if (recordCalls) calls.push_back("get");
  const Process* target = Granted(process, kProcessQueryInformation);
  return target ? target->priorityClass : 0;
}

ProcessSchedule FakeProcesses::ReadSchedule(ProcessHandle process) {
  const uint32_t priorityClass = GetPriorityClass(process);
  const Process* target = Granted(process, kProcessQueryInformation);
  return {priorityClass, target ? target->threads : std::vector<ThreadSchedule>{}};
}

bool FakeProcesses::SetThreadSchedule(ProcessHandle process, const ThreadSchedule& schedule) {
  if (recordCalls) calls.push_back("thread " + std::to_string(schedule.threadId));
  Process* target = Granted(process, kProcessSetInformation);
  if (!target) return false;
  for (ThreadSchedule& thread : target->threads) {
    if (thread.threadId == schedule.threadId) {
      thread = schedule;
      return true;
    }
  }
  return false;
}

ThreadSchedule FakeProcesses::ThreadFor(int64_t threadId, uint32_t priorityClass) {
  constexpr int32_t kRoundRobin = 2;
  if (priorityClass == kRealtimePriorityClass) return {threadId, kRoundRobin, 1, 0};
  const int32_t nice = priorityClass == kIdlePriorityClass          ? 19
                       : priorityClass == kBelowNormalPriorityClass ? 10
                       : priorityClass == kAboveNormalPriorityClass ? -5
                       : priorityClass == kHighPriorityClass        ? -10
                                                                    : 0;
  return {threadId, 0, 0, nice};
}

void FakeProcesses::CloseHandle(ProcessHandle process) {
  if (process == 0) return;
  if (recordCalls) calls.push_back("close");
  grants_.erase(process);
  open.erase(process);
}

MessageBoxResult FakeDialogs::ShowMessageBox(std::string_view text, std::string_view title, MessageBoxIcon icon,
                                             MessageBoxButtons buttons) {
  messages.push_back({std::string(text), std::string(title), icon, buttons});
  return buttons == MessageBoxButtons::kOk ? MessageBoxResult::kOk : MessageBoxResult::kYes;
}

std::string FakeDialogs::ChooseOpenFile(const OpenFileOptions& options) {
  fileDialogs.push_back(options);
  return chosenFile;
}

FakeSettingsControls::FakeSettingsControls() {
  for (SettingCheck c : {SettingCheck::kAutoRun, SettingCheck::kAutoMin, SettingCheck::kState,
                         SettingCheck::kMostTop, SettingCheck::kEnableRecord}) {
    checks[c] = InitialCheckState(c);
  }
  selected[SettingCombo::kSpeed] = "";
  selected[SettingCombo::kAutoCleanCount] = "";
  entries[SettingCombo::kSpeed] = {kSpeedNormal, kSpeedCrazy};
  entries[SettingCombo::kAutoCleanCount] = {"50", "100", "200", "300"};
}

bool FakeSettingsControls::SelectComboText(SettingCombo combo, std::string_view text) {
  for (const std::string& entry : entries.at(combo)) {
    if (entry == text) {
      selected[combo] = entry;
      return true;
    }
  }
  return false;
}

int32_t FakeHistoryView::AddItem(std::string_view text) {
  Item item;
  item.texts[0] = text;
  items.push_back(item);
  return static_cast<int32_t>(items.size()) - 1;
}

void FakeHistoryView::SetSubItem(int32_t item, int32_t subItem, std::string_view text) {
  items.at(static_cast<size_t>(item)).texts[subItem] = text;
}

void FakeHistoryView::SetSmallIcon(int32_t item, int32_t image) { items.at(static_cast<size_t>(item)).icon = image; }

std::string FakeHistoryView::ItemText(int32_t item, int32_t subItem) const {
  return items.at(static_cast<size_t>(item)).texts[subItem];
}

}  // namespace tarvex::test
