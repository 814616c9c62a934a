// Cost of one engine tick (TimerMain, every 1000 ms) with and without a change
// of foreground window, on the fake platform: what the core itself costs. And
// the cost of reading one setting from a typical settings file.
#include <benchmark/benchmark.h>

#include "app/module_config.h"
#include "app/speed_up_engine.h"
#include "support/spine_fakes.h"

namespace tarvex {
namespace {

struct EngineBench {
  test::FakeProcesses processes;
  test::FakeDbcsCodePage codePage;
  test::FakeSettingsControls controls;
  test::FakeStatusView status;
  test::FakeHistoryView list;
  test::FakeClock clock;
  test::FakeDialogs dialogs;
  test::FakeFileSystem files;
  SpeedUpHistory history{list, controls, HistoryPlatform{clock, dialogs, files, codePage}};
  SpeedUpEngine engine{processes, codePage, controls, status, history};

  EngineBench() {
    processes.recordCalls = false;
    processes.processes[1] = {};
    processes.processes[10] = {};
    processes.processes[20] = {};
    processes.windows[0x10] = {10, "Document1 - 记事本"};
    processes.windows[0x20] = {20, std::string(120, 'w')};
    controls.selected[SettingCombo::kSpeed] = kSpeedNormal;
    controls.selected[SettingCombo::kAutoCleanCount] = "100";
  }
};

void BM_EngineTickSameWindow(benchmark::State& state) {
  EngineBench b;
  b.processes.foreground = 0x10;
  b.engine.TimerMain_Timer();
  for (auto _ : state) {
    b.engine.TimerMain_Timer();
  }
  benchmark::DoNotOptimize(b.engine.SpeedUpCount());
}
BENCHMARK(BM_EngineTickSameWindow);

void BM_EngineTickWindowChange(benchmark::State& state) {
  EngineBench b;
  b.controls.checks[SettingCheck::kEnableRecord] = state.range(0) ? CheckState::kChecked : CheckState::kUnchecked;
  WindowHandle next = 0x10;
  for (auto _ : state) {
    b.processes.foreground = next;
    b.engine.TimerMain_Timer();
    next = next == 0x10 ? 0x20 : 0x10;
  }
  state.SetLabel(state.range(0) ? "recording" : "not recording");
  benchmark::DoNotOptimize(b.engine.SpeedUpCount());
}
BENCHMARK(BM_EngineTickWindowChange)->Arg(0)->Arg(1);

void BM_ReadOneSetting(benchmark::State& state) {
  test::FakeFileSystem files;
  test::FakeProfileStore profile(files);
  test::FakeDbcsCodePage codePage;
  ModuleConfig config(profile, files, codePage);
  files.files[config.SettingsPath()] =
      "[Normal]\r\nAutoRun=1\r\nAutoMin=0\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=2\r\n"
      "[Record]\r\nEnableRecord=1\r\nRecordCount=100\r\n";
  for (auto _ : state) {
    benchmark::DoNotOptimize(config.GetRecordCount());
  }
}
BENCHMARK(BM_ReadOneSetting);

}  // namespace
}  // namespace tarvex
