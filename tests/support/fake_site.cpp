// The recording fake site of the unit tests (see fake_site.h).
#include "support/fake_site.h"

namespace tarvex {

FakeControlSite::FakeControlSite(int32_t width, int32_t height) : image(width, height) {}

void FakeControlSite::PropertyChanged(std::string_view name) { changedProperties.emplace_back(name); }

void FakeControlSite::StartTimer(int id, uint32_t intervalMs) {
  timers[id] = intervalMs;
  timerLog.push_back("start " + std::to_string(id) + " " + std::to_string(intervalMs));
}

void FakeControlSite::StopTimer(int id) {
  timers.erase(id);
  timerLog.push_back("stop " + std::to_string(id));
}

void FakeControlSite::SetAccessKeys(std::string_view keys) {
  accessKeys = std::string(keys);
  ++accessKeyCalls;
}

void FakeControlSite::ClearLog() {
  changedProperties.clear();
  timerLog.clear();
  sentKeys.clear();
  accessKeyCalls = 0;
  refreshCount = 0;
}

}  // namespace tarvex
