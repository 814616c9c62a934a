// SystemMonitor's persistent properties: design-time creation and the property
// bag, written and read each in its own key order.
#include "monitor/system_monitor.h"

#include "monitor/load_sampler.h"

namespace tarvex {
namespace {

constexpr OleColor kDefaultCpuColor = 0x00FF00;
constexpr OleColor kDefaultMemoryColor = 0x00FFFF;
constexpr OleColor kDefaultPageFileColor = 0x0000FF;
constexpr OleColor kDefaultVirtualColor = 0xFF0000;
constexpr OleColor kDefaultGridColor = 0x008000;
constexpr OleColor kDefaultDiskColor = 0xFF80FF;
constexpr int32_t kDefaultIntervalMs = 1000;

PropertyValue Color(OleColor c) { return PropertyValue(static_cast<int64_t>(c)); }
PropertyValue Int(int64_t v) { return PropertyValue(v); }

OleColor ReadColor(const PropertyBag& bag, std::string_view key, OleColor def) {
  return static_cast<OleColor>(bag.ReadInt(key, static_cast<int64_t>(def)));
}

}  // namespace

void SystemMonitor::InitProperties() {
  cpuShown_ = pageFileShown_ = virtualShown_ = memoryShown_ = diskShown_ = true;
  gridShown_ = true;
  scrollGrid_ = true;
  cpuColor_ = kDefaultCpuColor;
  memoryColor_ = kDefaultMemoryColor;
  pageFileColor_ = kDefaultPageFileColor;
  virtualColor_ = kDefaultVirtualColor;
  gridColor_ = kDefaultGridColor;
  diskColor_ = kDefaultDiskColor;
  updateIntervalMs_ = kDefaultIntervalMs;
  diagramStyle_ = kDiagramLines;
  // The disk of the Windows directory: its first three characters ("C:\").
  diskRoot_ = sampler_.GetWindowsDirectoryPath().substr(0, 3);
  appearance_ = kAppearance3D;
  borderStyle_ = kBorderFixedSingle;
  backColor_ = 0;
  if (frame_) frame_->ApplyFrame(appearance_, borderStyle_);
  Redraw();
}

void SystemMonitor::WriteProperties(PropertyBag& bag) const {
  bag.Write("BackColor", Color(backColor_), Int(0));
  bag.Write("Appearance", Int(appearance_), Int(kAppearance3D));
  bag.Write("BorderStyle", Int(borderStyle_), Int(kBorderFixedSingle));
  bag.Write("CPUMonitorDisplayed", cpuShown_, true);
  bag.Write("PageFileDisplayed", pageFileShown_, true);
  bag.Write("VirtualMemoryDisplayed", virtualShown_, true);
  bag.Write("CPUMonitorColor", Color(cpuColor_), Color(kDefaultCpuColor));
  bag.Write("MemoryLoadDisplayed", memoryShown_, true);
  bag.Write("MemoryColor", Color(memoryColor_), Color(kDefaultMemoryColor));
  bag.Write("PageFileColor", Color(pageFileColor_), Color(kDefaultPageFileColor));
  bag.Write("VirtualMemoryColor", Color(virtualColor_), Color(kDefaultVirtualColor));
  bag.Write("Enabled", enabled_, true);
  bag.Write("DisplayGrid", gridShown_, true);
  bag.Write("DisplayGridColor", Color(gridColor_), Color(kDefaultGridColor));
  bag.Write("UpdateInterval", Int(updateIntervalMs_), Int(kDefaultIntervalMs));
  bag.Write("ScrollGrid", scrollGrid_, true);
  bag.Write("DiagramStyle", Int(diagramStyle_), Int(kDiagramLines));
  bag.Write("HDMonitorDisplayed", diskShown_, true);
  bag.Write("HDMonitorColor", Color(diskColor_), Color(kDefaultDiskColor));
  bag.Write("HDDriveLetter", diskRoot_, std::string());
}

void SystemMonitor::ReadProperties(const PropertyBag& bag) {
  cpuShown_ = bag.ReadBool("CPUMonitorDisplayed", true);
  pageFileShown_ = bag.ReadBool("PageFileDisplayed", true);
  virtualShown_ = bag.ReadBool("VirtualMemoryDisplayed", true);
  cpuColor_ = ReadColor(bag, "CPUMonitorColor", kDefaultCpuColor);
  memoryShown_ = bag.ReadBool("MemoryLoadDisplayed", true);
  memoryColor_ = ReadColor(bag, "MemoryColor", kDefaultMemoryColor);
  pageFileColor_ = ReadColor(bag, "PageFileColor", kDefaultPageFileColor);
  virtualColor_ = ReadColor(bag, "VirtualMemoryColor", kDefaultVirtualColor);
  gridShown_ = bag.ReadBool("DisplayGrid", true);
  gridColor_ = ReadColor(bag, "DisplayGridColor", kDefaultGridColor);
  // A stored interval that no timer can take (negative, or past 32 bits)
  // leaves the timer still rather than failing the whole form.
  const int64_t interval = bag.ReadInt("UpdateInterval", kDefaultIntervalMs);
  updateIntervalMs_ = (interval < 0 || interval > INT32_MAX) ? 0 : static_cast<int32_t>(interval);
  scrollGrid_ = bag.ReadBool("ScrollGrid", true);
  diagramStyle_ = static_cast<int32_t>(bag.ReadInt("DiagramStyle", kDiagramLines));
  // Stored copies of the surface's values; applied when the control starts.
  const int64_t appearance = bag.ReadInt("Appearance", kAppearance3D);
  const int64_t border = bag.ReadInt("BorderStyle", kBorderFixedSingle);
  appearance_ = appearance == kAppearanceFlat ? kAppearanceFlat : kAppearance3D;
  borderStyle_ = border == kBorderNone ? kBorderNone : kBorderFixedSingle;
  backColor_ = ReadColor(bag, "BackColor", 0);
  enabled_ = bag.ReadBool("Enabled", true);
  diskShown_ = bag.ReadBool("HDMonitorDisplayed", true);
  diskColor_ = ReadColor(bag, "HDMonitorColor", kDefaultDiskColor);
  diskRoot_ = bag.ReadString("HDDriveLetter", "");
  Start();
}

}  // namespace tarvex
