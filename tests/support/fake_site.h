// A ControlSite for unit tests: the persistent image is an owned RasterSurface
// (built-in test font), and every service the control asks for is recorded so
// tests can check it. Nothing here touches an OS.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/control_site.h"
#include "platform/raster/raster_surface.h"
#include "platform/system_colors.h"

namespace tarvex {

class FakeControlSite : public ControlSite {
 public:
  explicit FakeControlSite(int32_t width = 100, int32_t height = 30);

  // --- ControlSite ---
  bool UserMode() const override { return userMode; }
  OleColor AmbientBackColor() const override { return ambientBackColor; }
  FontDesc AmbientFont() const override { return ambientFont; }
  void PropertyChanged(std::string_view name) override;
  Surface& PersistentImage() override { return image; }
  void Refresh() override { ++refreshCount; }
  bool InSight() const override { return inSight; }
  Size ClientSize() const override { return {image.Width(), image.Height()}; }
  const SystemColors& Colors() const override { return colors; }
  void StartTimer(int id, uint32_t intervalMs) override;
  void StopTimer(int id) override;
  bool HasFocus() const override { return hasFocus; }
  int64_t WindowHandle() const override { return windowHandle; }
  std::optional<Point> CursorPosition() const override { return cursor; }
  void SendKeys(std::string_view keys) override { sentKeys.emplace_back(keys); }
  void SetAccessKeys(std::string_view keys) override;

  // --- test controls ---
  // Resizes the client area (and the image, whose contents are cleared to white).
  void Resize(int32_t width, int32_t height) { image.Resize(width, height); }
  bool TimerRunning(int id) const { return timers.count(id) != 0; }
  // Empties the recorded logs (properties, timer log, keys, counters).
  void ClearLog();

  bool userMode = true;
  bool hasFocus = false;
  bool inSight = true;
  OleColor ambientBackColor = 0x8000000Fu;  // button face
  FontDesc ambientFont;
  int64_t windowHandle = 0;
  std::optional<Point> cursor;

  RasterSurface image;
  ClassicSystemColors colors;
  std::vector<std::string> changedProperties;  // PropertyChanged names, in order
  std::map<int, uint32_t> timers;      // running timers: id -> interval in ms
  std::vector<std::string> timerLog;   // "start 1 10", "stop 1", in order
  std::vector<std::string> sentKeys;   // each SendKeys string
  std::string accessKeys;              // the last SetAccessKeys value
  int accessKeyCalls = 0;
  int refreshCount = 0;
};

}  // namespace tarvex
