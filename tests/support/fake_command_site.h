// The button's test site: the recording FakeControlSite plus the button's own
// site services (name, default ambient, enabling, window shape), and an event
// recorder that logs each raised event with its arguments.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "button/command.h"
#include "support/fake_site.h"

namespace tarvex {

class FakeCommandSite : public FakeControlSite, public CommandHost {
 public:
  using FakeControlSite::FakeControlSite;

  std::string AmbientDisplayName() const override { return displayName; }
  bool AmbientDisplayAsDefault() const override { return displayAsDefault; }
  void SetControlEnabled(bool enabled) override { controlEnabled = enabled; }
  void SetWindowShape(const WindowShape& s) override {
    shape = s;
    ++shapeCount;
  }
  void DeleteWindowShape() override { shapeDeleted = true; }
  void ImageChanged() override { ++imageChanges; }

  std::string displayName = "Command1";
  bool displayAsDefault = false;
  bool controlEnabled = true;
  WindowShape shape;
  int shapeCount = 0;
  bool shapeDeleted = false;
  int imageChanges = 0;
};

class RecordingEvents : public CommandEvents {
 public:
  void Click() override { log.push_back("Click"); }
  void KeyDown(int16_t k, int16_t s) override { log.push_back(Keys("KeyDown", k, s)); }
  void KeyPress(int16_t k) override { log.push_back("KeyPress " + std::to_string(k)); }
  void KeyUp(int16_t k, int16_t s) override { log.push_back(Keys("KeyUp", k, s)); }
  void MouseDown(int16_t b, int16_t s, float x, float y) override {
    log.push_back(Mouse("MouseDown", b, s, x, y));
  }
  void MouseMove(int16_t b, int16_t s, float x, float y) override {
    log.push_back(Mouse("MouseMove", b, s, x, y));
  }
  void MouseUp(int16_t b, int16_t s, float x, float y) override {
    log.push_back(Mouse("MouseUp", b, s, x, y));
  }
  void MouseOut() override { log.push_back("MouseOut"); }

  std::vector<std::string> log;

 private:
  static std::string Keys(const char* name, int16_t k, int16_t s) {
    return std::string(name) + " " + std::to_string(k) + " " + std::to_string(s);
  }
  static std::string Mouse(const char* name, int16_t b, int16_t s, float x, float y) {
    char buf[80];
    std::snprintf(buf, sizeof buf, "%s %d %d %g %g", name, b, s, static_cast<double>(x),
                  static_cast<double>(y));
    return buf;
  }
};

// "expected RGB(r, g, b) at (x, y), got RGB(...)" for pixel probes.
inline std::string RgbText(Rgb c) {
  return "RGB(" + std::to_string(RedOf(c)) + ", " + std::to_string(GreenOf(c)) + ", " +
         std::to_string(BlueOf(c)) + ")";
}

}  // namespace tarvex

// Pixel probe with the position in the failure message.
#define EXPECT_PIXEL(site, x, y, expected)                                          \
  EXPECT_EQ(::tarvex::RgbText((site).image.At((x), (y))), ::tarvex::RgbText(expected)) \
      << "at (" << (x) << ", " << (y) << ")"
