// SystemMonitor: the control that samples the machine's load on its own timer,
// keeps one sample per pixel column and draws them as a scrolling diagram.
// A plain C++ control: it reaches its container only through its site (and,
// for its own window's frame, an optional MonitorFrame); the load figures come
// from the shared ModuleLoadSampler.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/color.h"
#include "common/property_bag.h"
#include "monitor/monitor_renderer.h"
#include "monitor/system_levels.h"
#include "platform/control_site.h"
#include "platform/locale.h"

namespace tarvex {

class ModuleLoadSampler;

inline constexpr int16_t kAppearanceFlat = 0;
inline constexpr int16_t kAppearance3D = 1;
inline constexpr int16_t kBorderNone = 0;
inline constexpr int16_t kBorderFixedSingle = 1;

// What the control's own window carries beyond the common site: its frame
// (appearance and border) and its enabled state. The Win32 host implements it;
// without one the control computes its outer size from the frame rules.
class MonitorFrame {
 public:
  virtual ~MonitorFrame() = default;
  virtual void ApplyFrame(int16_t appearance, int16_t borderStyle) = 0;
  virtual void ApplyEnabled(bool enabled) = 0;
  // The window's outer size in pixels, border included.
  virtual Size OuterSize() const = 0;
  // The device context of the control's drawing surface, as an integer.
  virtual int64_t DeviceContext() const = 0;
};

// Border width on each side in pixels: 2 for a 3-D single border, 1 flat, 0 none.
int32_t FrameThicknessPx(int16_t appearance, int16_t borderStyle);

// One sample as the control hands it to its host: processor and memory load
// rounded to whole percents, the rest as measured.
struct LevelsReport {
  int32_t CPULoadPercent = 0;
  int32_t MemoryLoadPercent = 0;
  int64_t PhysicalMemoryTotal = 0;
  int64_t PhysicalMemoryAvailable = 0;
  float PhysicalMemoryAvailablePercent = 0;
  int64_t PageFileTotal = 0;
  int64_t PageFileAvailable = 0;
  float PageFileAvailablePercent = 0;
  int64_t VirtualMemoryTotal = 0;
  int64_t VirtualMemoryAvailable = 0;
  float VirtualMemoryAvailablePercent = 0;
  Fixed4 HDTotalBytes;
  Fixed4 HDTotalFreeBytes;
  Fixed4 HDAvailableFreeBytes;
  Fixed4 HDTotalBytesUsed;
  float HDAvailablePercent = 0;
};
LevelsReport MakeLevelsReport(const SystemLevels& levels);

struct SystemMonitorEvents {
  std::function<void(const LevelsReport&)> LevelsUpdated;  // after every tick's redraw
  std::function<void()> DblClick;
};

class SystemMonitor {
 public:
  static constexpr int kTimer1 = 1;  // the sampling timer's id on the site

  // All references must outlive the control; `frame` may be null.
  SystemMonitor(ControlSite& site, ModuleLoadSampler& sampler, const NumberLocale& locale,
                MonitorFrame* frame = nullptr);
  ~SystemMonitor();
  SystemMonitor(const SystemMonitor&) = delete;
  SystemMonitor& operator=(const SystemMonitor&) = delete;

  void SetEvents(SystemMonitorEvents events) { events_ = std::move(events); }

  // --- lifecycle, called by the host ---
  void InitProperties();                     // design-time creation; does not start
  void ReadProperties(const PropertyBag& bag);  // then starts
  void WriteProperties(PropertyBag& bag) const;
  void OnTimer(int timerId);
  void OnResize();
  // The host is about to show the image: a diagram left undrawn while the
  // control was out of sight is drawn now.
  void BeforePaint();
  void OnDblClick();
  void Terminate();  // idempotent; the destructor calls it too
  // Starts the running sampling timer again from this instant: a host lines
  // it up with a timer of its own, so that both wake the program together.
  void RestartTimer();

  // --- properties ---
  OleColor BackColor() const { return backColor_; }
  void SetBackColor(OleColor value);
  int16_t Appearance() const { return appearance_; }
  void SetAppearance(int16_t value);
  int16_t BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int16_t value);
  int64_t hdc() const;
  int64_t hWnd() const;
  bool CPUMonitorDisplayed() const { return cpuShown_; }
  void SetCPUMonitorDisplayed(bool value);
  bool PageFileDisplayed() const { return pageFileShown_; }
  void SetPageFileDisplayed(bool value);
  bool VirtualMemoryDisplayed() const { return virtualShown_; }
  void SetVirtualMemoryDisplayed(bool value);
  OleColor CPUMonitorColor() const { return cpuColor_; }
  void SetCPUMonitorColor(OleColor value);
  bool MemoryLoadDisplayed() const { return memoryShown_; }
  void SetMemoryLoadDisplayed(bool value);
  bool HDMonitorDisplayed() const { return diskShown_; }
  void SetHDMonitorDisplayed(bool value);
  const std::string& HDDriveLetter() const { return diskRoot_; }
  void SetHDDriveLetter(std::string_view value);
  OleColor HDMonitorColor() const { return diskColor_; }
  void SetHDMonitorColor(OleColor value);
  OleColor MemoryLoadColor() const { return memoryColor_; }
  void SetMemoryLoadColor(OleColor value);
  OleColor PageFileColor() const { return pageFileColor_; }
  void SetPageFileColor(OleColor value);
  OleColor VirtualMemoryColor() const { return virtualColor_; }
  void SetVirtualMemoryColor(OleColor value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool DisplayGrid() const { return gridShown_; }
  void SetDisplayGrid(bool value);
  OleColor DisplayGridColor() const { return gridColor_; }
  void SetDisplayGridColor(OleColor value);
  int32_t UpdateInterval() const { return updateIntervalMs_; }
  void SetUpdateInterval(int32_t valueMs);
  bool ScrollGrid() const { return scrollGrid_; }
  void SetScrollGrid(bool value);
  int32_t DiagramStyle() const { return diagramStyle_; }
  void SetDiagramStyle(int32_t value);

  // --- methods ---
  void Refresh();
  bool Reset();  // always false
  std::string FormatFilesize(double nValue) const;
  // One sample as a tick takes it, without moving the grid, redrawing or
  // raising LevelsUpdated.
  LevelsReport GetCurrentSystemLevels();

  // --- state, for the host and tests ---
  bool Started() const { return started_; }
  int32_t GridOffset() const { return gridOffset_; }
  int32_t UnfilledColumns() const { return unfilledColumns_; }
  const std::vector<SystemLevels>& History() const { return history_; }
  bool IsNT() const { return isNT_; }

 private:
  void Start();
  void Redraw();
  void DrawDiagramNow();
  void Changed(std::string_view name) { site_.PropertyChanged(name); }
  void StoreAndRedraw(bool& member, bool value, std::string_view name);
  void StoreAndRedraw(OleColor& member, OleColor value, std::string_view name);
  void ApplyTimer();
  void EnsureCounterReady();
  // Shift, count down, sample into the newest column; returns its index.
  size_t TakeSample();
  // Keeps the history at least as long as the surface is wide, newest samples
  // staying at the right edge when the width changed.
  void FitHistory();
  int32_t ScaleWidth() const { return site_.ClientSize().width; }
  int32_t OuterWidthPx() const;

  ControlSite& site_;
  ModuleLoadSampler& sampler_;
  const NumberLocale& locale_;
  MonitorFrame* frame_;
  SystemMonitorEvents events_;

  std::string diskRoot_;
  int32_t diagramStyle_ = kDiagramLines;
  bool scrollGrid_ = true;
  int32_t updateIntervalMs_ = 1000;
  OleColor gridColor_ = 0x008000;
  bool gridShown_ = true;
  OleColor cpuColor_ = 0x00FF00;
  bool cpuShown_ = true;
  OleColor diskColor_ = 0xFF80FF;
  bool diskShown_ = true;
  OleColor pageFileColor_ = 0x0000FF;
  bool pageFileShown_ = true;
  OleColor memoryColor_ = 0x00FFFF;
  bool memoryShown_ = true;
  OleColor virtualColor_ = 0xFF0000;
  bool virtualShown_ = true;
  // The control surface's own values (and the copies read from the bag
  // before they are applied at start).
  int16_t appearance_ = kAppearance3D;
  int16_t borderStyle_ = kBorderFixedSingle;
  OleColor backColor_ = 0;
  bool enabled_ = true;

  int32_t gridOffset_ = 0;  // pixels, 0 or negative
  bool isNT_ = false;
  int32_t unfilledColumns_ = 0;
  std::vector<SystemLevels> history_;  // index = x column of the inner surface
  int32_t historyScaleWidth_ = 0;      // ScaleWidth the history is aligned to

  bool started_ = false;
  bool counterReady_ = false;  // family known and processor counter started
  bool timerEnabled_ = false;
  bool terminated_ = false;
  bool drawPending_ = false;  // the image lags the state until BeforePaint
};

}  // namespace tarvex
