// SystemMonitor: construction, properties and the small methods.
#include "monitor/system_monitor.h"

#include "common/control_error.h"
#include "common/rounding.h"
#include "monitor/format_filesize.h"
#include "monitor/load_sampler.h"

namespace tarvex {
namespace {

// Bytes of the UTF-8 character that starts at text[0].
size_t FirstCharLength(std::string_view text) {
  size_t n = 1;
  while (n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) ++n;
  return n;
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

int32_t FrameThicknessPx(int16_t appearance, int16_t borderStyle) {
  if (borderStyle == kBorderNone) return 0;
  return appearance == kAppearance3D ? 2 : 1;
}

LevelsReport MakeLevelsReport(const SystemLevels& l) {
  LevelsReport r;
  r.CPULoadPercent = RoundHalfEven32(l.CPULoadPercent);
  r.MemoryLoadPercent = RoundHalfEven32(l.MemoryLoadPercent);
  r.PhysicalMemoryTotal = l.PhysicalMemoryTotal;
  r.PhysicalMemoryAvailable = l.PhysicalMemoryAvailable;
  r.PhysicalMemoryAvailablePercent = l.PhysicalMemoryAvailablePercent;
  r.PageFileTotal = l.PageFileTotal;
  r.PageFileAvailable = l.PageFileAvailable;
  r.PageFileAvailablePercent = l.PageFileAvailablePercent;
  r.VirtualMemoryTotal = l.VirtualMemoryTotal;
  r.VirtualMemoryAvailable = l.VirtualMemoryAvailable;
  r.VirtualMemoryAvailablePercent = l.VirtualMemoryAvailablePercent;
  r.HDTotalBytes = l.HDTotalBytes;
  r.HDTotalFreeBytes = l.HDTotalFreeBytes;
  r.HDAvailableFreeBytes = l.HDAvailableFreeBytes;
  r.HDTotalBytesUsed = l.HDTotalBytesUsed;
  r.HDAvailablePercent = l.HDAvailablePercent;
  return r;
}

SystemMonitor::SystemMonitor(ControlSite& site, ModuleLoadSampler& sampler,
                             const NumberLocale& locale, MonitorFrame* frame)
    : site_(site), sampler_(sampler), locale_(locale), frame_(frame) {}

SystemMonitor::~SystemMonitor() { Terminate(); }

void SystemMonitor::StoreAndRedraw(bool& member, bool value, std::string_view name) {
  member = value;
  Redraw();
  Changed(name);
}

void SystemMonitor::StoreAndRedraw(OleColor& member, OleColor value, std::string_view name) {
  member = value;
  Redraw();
  Changed(name);
}

void SystemMonitor::SetBackColor(OleColor value) { StoreAndRedraw(backColor_, value, "BackColor"); }

void SystemMonitor::SetAppearance(int16_t value) {
  if (value != kAppearanceFlat && value != kAppearance3D) {
    throw ControlError(kErrInvalidPropertyValue, "SystemMonitor.Appearance");
  }
  appearance_ = value;
  if (frame_) frame_->ApplyFrame(appearance_, borderStyle_);
  Redraw();
  Changed("Appearance");
}

void SystemMonitor::SetBorderStyle(int16_t value) {
  if (value != kBorderNone && value != kBorderFixedSingle) {
    throw ControlError(kErrInvalidPropertyValue, "SystemMonitor.BorderStyle");
  }
  borderStyle_ = value;
  if (frame_) frame_->ApplyFrame(appearance_, borderStyle_);
  Redraw();
  Changed("BorderStyle");
}

int64_t SystemMonitor::hdc() const { return frame_ ? frame_->DeviceContext() : 0; }
int64_t SystemMonitor::hWnd() const { return site_.WindowHandle(); }

void SystemMonitor::SetCPUMonitorDisplayed(bool value) {
  StoreAndRedraw(cpuShown_, value, "CPUMonitorDisplayed");
}
void SystemMonitor::SetPageFileDisplayed(bool value) {
  StoreAndRedraw(pageFileShown_, value, "PageFileDisplayed");
}
void SystemMonitor::SetVirtualMemoryDisplayed(bool value) {
  StoreAndRedraw(virtualShown_, value, "VirtualMemoryDisplayed");
}
void SystemMonitor::SetCPUMonitorColor(OleColor value) {
  StoreAndRedraw(cpuColor_, value, "CPUMonitorColor");
}
void SystemMonitor::SetMemoryLoadDisplayed(bool value) {
  StoreAndRedraw(memoryShown_, value, "MemoryLoadDisplayed");
}
void SystemMonitor::SetHDMonitorDisplayed(bool value) {
  StoreAndRedraw(diskShown_, value, "HDMonitorDisplayed");
}

void SystemMonitor::SetHDDriveLetter(std::string_view value) {
  if (value.empty()) return;
  const size_t first = FirstCharLength(value);
  if (first < value.size()) {
    // "d", "d:", "data" -> "D:\"; the next sample measures that root.
    diskRoot_.assign(value.substr(0, first));
    diskRoot_[0] = AsciiUpper(diskRoot_[0]);
    diskRoot_ += ":\\";
  } else {
    diskRoot_ = std::string(value);
  }
  Changed("HDDriveLetter");
}

void SystemMonitor::SetHDMonitorColor(OleColor value) {
  diskColor_ = value;  // the next redraw picks it up
  Changed("HDMonitorColor");
}
void SystemMonitor::SetMemoryLoadColor(OleColor value) {
  StoreAndRedraw(memoryColor_, value, "MemoryColor");
}
void SystemMonitor::SetPageFileColor(OleColor value) {
  StoreAndRedraw(pageFileColor_, value, "PageFileColor");
}
void SystemMonitor::SetVirtualMemoryColor(OleColor value) {
  StoreAndRedraw(virtualColor_, value, "VirtualMemoryColor");
}

void SystemMonitor::SetEnabled(bool value) {
  enabled_ = value;
  if (frame_) frame_->ApplyEnabled(enabled_);
  Redraw();
  Changed("Enabled");
}

void SystemMonitor::SetDisplayGrid(bool value) { StoreAndRedraw(gridShown_, value, "DisplayGrid"); }
void SystemMonitor::SetDisplayGridColor(OleColor value) {
  StoreAndRedraw(gridColor_, value, "DisplayGridColor");
}

void SystemMonitor::SetUpdateInterval(int32_t valueMs) {
  // 0 keeps the timer from firing; a negative interval has no meaning.
  if (valueMs < 0) throw ControlError(kErrInvalidPropertyValue, "SystemMonitor.UpdateInterval");
  updateIntervalMs_ = valueMs;
  if (site_.UserMode()) ApplyTimer();
  Changed("UpdateInterval");
}

void SystemMonitor::SetScrollGrid(bool value) { StoreAndRedraw(scrollGrid_, value, "ScrollGrid"); }

void SystemMonitor::SetDiagramStyle(int32_t value) {
  diagramStyle_ = value;
  Redraw();
  Changed("DiagramStyle");
}

void SystemMonitor::Refresh() { site_.Refresh(); }

bool SystemMonitor::Reset() {
  gridOffset_ = 0;
  Redraw();
  return false;
}

std::string SystemMonitor::FormatFilesize(double nValue) const {
  return tarvex::FormatFilesize(nValue, locale_.Separators());
}

}  // namespace tarvex
