// SystemMonitor at run time: start, the timer tick, the history of one sample
// per pixel column, redraw, resize and termination.
#include "monitor/system_monitor.h"

#include <algorithm>

#include "monitor/load_sampler.h"

namespace tarvex {

int32_t SystemMonitor::OuterWidthPx() const {
  if (frame_) return frame_->OuterSize().width;
  return ScaleWidth() + 2 * FrameThicknessPx(appearance_, borderStyle_);
}

void SystemMonitor::EnsureCounterReady() {
  if (counterReady_) return;
  isNT_ = sampler_.IsWindowsNT();
  sampler_.InitCPUCounter(isNT_);
  counterReady_ = true;
}

void SystemMonitor::ApplyTimer() {
  if (timerEnabled_ && updateIntervalMs_ > 0) {
    site_.StartTimer(kTimer1, static_cast<uint32_t>(updateIntervalMs_));
  } else {
    site_.StopTimer(kTimer1);
  }
}

void SystemMonitor::RestartTimer() {
  if (timerEnabled_ && updateIntervalMs_ > 0) site_.StartTimer(kTimer1, static_cast<uint32_t>(updateIntervalMs_));
}

void SystemMonitor::Start() {
  if (site_.UserMode()) {
    timerEnabled_ = true;
    ApplyTimer();
  }
  // One record per pixel column of the outer width, plus one.
  history_.assign(static_cast<size_t>(std::max(OuterWidthPx(), 0)) + 1, SystemLevels{});
  historyScaleWidth_ = ScaleWidth();
  EnsureCounterReady();
  unfilledColumns_ = std::max(ScaleWidth() - 1, 0);
  if (frame_) {
    frame_->ApplyFrame(appearance_, borderStyle_);
    frame_->ApplyEnabled(enabled_);
  }
  started_ = true;
  FitHistory();  // applying the frame may have changed the inner width
  Redraw();
}

void SystemMonitor::FitHistory() {
  const int32_t width = ScaleWidth();
  const size_t needed = static_cast<size_t>(std::max(width, 1));
  if (width == historyScaleWidth_ && history_.size() >= needed) return;
  // Reallocate so the newest sample stays at the right edge (index W - 1);
  // columns that come in at the left are unfilled, samples pushed out at the
  // left are dropped.
  const int32_t shift = width - historyScaleWidth_;
  const size_t outerRecords = static_cast<size_t>(std::max(OuterWidthPx(), 0)) + 1;
  std::vector<SystemLevels> fitted(std::max(needed, outerRecords));
  const int64_t oldCount = std::min<int64_t>(static_cast<int64_t>(history_.size()), historyScaleWidth_);
  for (int64_t from = 0; from < oldCount; ++from) {
    const int64_t to = from + shift;
    if (to >= 0 && to < static_cast<int64_t>(fitted.size())) {
      fitted[static_cast<size_t>(to)] = history_[static_cast<size_t>(from)];
    }
  }
  history_ = std::move(fitted);
  unfilledColumns_ = std::clamp(unfilledColumns_ + shift, 0, std::max(width - 1, 0));
  historyScaleWidth_ = width;
}

size_t SystemMonitor::TakeSample() {
  FitHistory();
  EnsureCounterReady();
  const size_t newest = static_cast<size_t>(std::max(ScaleWidth() - 1, 0));
  // Every sample moves one column left; the oldest falls out at index 0.
  std::move(history_.begin() + 1, history_.begin() + static_cast<std::ptrdiff_t>(newest) + 1,
            history_.begin());
  if (unfilledColumns_ > 0) --unfilledColumns_;
  SystemLevels& levels = history_[newest];
  sampler_.QueryMemoryLevels(levels);
  sampler_.QueryDiskLevels(diskRoot_, levels);
  levels.CPULoadPercent = sampler_.QueryCPUUsage(isNT_);
  return newest;
}

void SystemMonitor::OnTimer(int timerId) {
  if (timerId != kTimer1 || terminated_) return;
  if (!enabled_ || !site_.UserMode()) return;  // paused: history and grid stay
  --gridOffset_;
  const size_t newest = TakeSample();
  Redraw();
  if (events_.LevelsUpdated) events_.LevelsUpdated(MakeLevelsReport(history_[newest]));
}

LevelsReport SystemMonitor::GetCurrentSystemLevels() {
  return MakeLevelsReport(history_[TakeSample()]);
}

void SystemMonitor::Redraw() {
  if (started_) FitHistory();
  // Out of sight (its page not in front, the window in the tray) the samples
  // go on but the diagram waits for the next paint: most of the day nobody
  // looks at it.
  if (!site_.InSight()) {
    drawPending_ = true;
    return;
  }
  DrawDiagramNow();
  site_.Refresh();
}

void SystemMonitor::BeforePaint() {
  if (drawPending_) DrawDiagramNow();
}

void SystemMonitor::DrawDiagramNow() {
  drawPending_ = false;
  const Size client = site_.ClientSize();
  const SystemColors& colors = site_.Colors();
  DiagramInput in;
  in.width = client.width;
  in.height = client.height;
  in.backColor = TranslateOleColor(backColor_, colors);
  in.displayGrid = gridShown_;
  in.scrollGrid = scrollGrid_;
  in.gridColor = TranslateOleColor(gridColor_, colors);
  in.diagramStyle = diagramStyle_;
  in.userMode = site_.UserMode();
  in.series = {SeriesLook{cpuShown_, TranslateOleColor(cpuColor_, colors)},
               SeriesLook{memoryShown_, TranslateOleColor(memoryColor_, colors)},
               SeriesLook{pageFileShown_, TranslateOleColor(pageFileColor_, colors)},
               SeriesLook{virtualShown_, TranslateOleColor(virtualColor_, colors)},
               SeriesLook{diskShown_, TranslateOleColor(diskColor_, colors)}};
  in.history = history_;
  in.unfilledColumns = unfilledColumns_;
  DrawDiagram(site_.PersistentImage(), in, gridOffset_);
}

void SystemMonitor::OnResize() { Redraw(); }

void SystemMonitor::OnDblClick() {
  if (events_.DblClick) events_.DblClick();
}

void SystemMonitor::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  if (timerEnabled_) {
    timerEnabled_ = false;
    site_.StopTimer(kTimer1);
  }
  // Only a control that started the processor counter stops it: the counter
  // is shared by every monitor of the program.
  if (counterReady_) sampler_.CloseCPUCounter(isNT_);
}

}  // namespace tarvex
