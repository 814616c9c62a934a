// Drives the real speed-up engine on the Linux services, with the settings a
// user would have ("启用加速" on, the chosen level, no history), ticking like
// TimerMain until SIGTERM/SIGINT or the given time, then gives back what it
// raised. measure-boost.sh uses it where the desktop program is not built.
// Prints each status change.
//   tarvex_linux_runner LEVEL [SECONDS] [TICK_MS]    LEVEL: 普通加速 | 疯狂加速
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/speed_up_engine.h"
#include "app/speed_up_history.h"
#include "platform/linux/file_system_linux.h"
#include "platform/linux/process_linux.h"
#include "platform/linux/utf8_code_page.h"

namespace tarvex {
namespace {

volatile std::sig_atomic_t gStop = 0;

class RunnerControls final : public SettingsControls {
 public:
  explicit RunnerControls(std::string level) : level_(std::move(level)) {}
  CheckState GetCheck(SettingCheck check) const override {
    return check == SettingCheck::kState ? CheckState::kChecked : CheckState::kUnchecked;
  }
  void SetCheck(SettingCheck, CheckState) override {}
  std::string ComboText(SettingCombo combo) const override { return combo == SettingCombo::kSpeed ? level_ : "50"; }
  bool SelectComboText(SettingCombo, std::string_view) override { return false; }

 private:
  std::string level_;
};

class PrintedStatus final : public StatusView {
 public:
  void SetInfoCaption(std::string_view text) override { Print("info", text); }
  void SetInfoToolTip(std::string_view text) override { Print("tip", text); }
  void SetCountCaption(std::string_view text) override { Print("count", text); }

 private:
  static void Print(const char* what, std::string_view text) {
    std::printf("%s: %.*s\n", what, static_cast<int>(text.size()), text.data());
    std::fflush(stdout);
  }
};

// Recording is off, so these only complete the history's construction.
class NoHistoryView final : public HistoryView {
 public:
  int32_t ItemCount() const override { return 0; }
  void ClearItems() override {}
  int32_t AddItem(std::string_view) override { return -1; }
  void SetSubItem(int32_t, int32_t, std::string_view) override {}
  void SetSmallIcon(int32_t, int32_t) override {}
  std::string ItemText(int32_t, int32_t) const override { return {}; }
};
class NoClock final : public Clock {
 public:
  std::string TimeOfDayText() override { return {}; }
};
class NoDialogs final : public Dialogs {
 public:
  MessageBoxResult ShowMessageBox(std::string_view, std::string_view, MessageBoxIcon, MessageBoxButtons) override {
    return MessageBoxResult::kOk;
  }
  std::string ChooseOpenFile(const OpenFileOptions&) override { return {}; }
};

int Run(const std::string& level, double seconds, int tickMs) {
  LinuxProcessPlatform process;
  Utf8CodePage codePage;
  RunnerControls controls(level);
  PrintedStatus status;
  NoHistoryView list;
  NoClock clock;
  NoDialogs dialogs;
  LinuxFileSystem files;
  SpeedUpHistory history(list, controls, HistoryPlatform{clock, dialogs, files, codePage});
  SpeedUpEngine engine(process, codePage, controls, status, history);
  engine.Reset();
  const auto start = std::chrono::steady_clock::now();
  while (gStop == 0) {
    engine.TimerMain_Timer();
    if (seconds > 0 && std::chrono::steady_clock::now() - start > std::chrono::duration<double>(seconds)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(tickMs));
  }
  engine.GiveBack();  // as the program does at every exit
  return 0;
}

}  // namespace
}  // namespace tarvex

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s 普通加速|疯狂加速 [SECONDS] [TICK_MS]\n", argv[0]);
    return 2;
  }
  std::signal(SIGTERM, [](int) { tarvex::gStop = 1; });
  std::signal(SIGINT, [](int) { tarvex::gStop = 1; });
  const double seconds = argc > 2 ? std::atof(argv[2]) : 0;
  const int tickMs = argc > 3 ? std::atoi(argv[3]) : 1000;
  return tarvex::Run(argv[1], seconds, tickMs);
}
