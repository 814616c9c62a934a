// The tab control's per-input costs: one key-driven switch (events, children
// moved, background and tabs drawn, Refresh) on a four-page strip with a child
// per page, and one hooked mouse move routed through the control's table
// (enter/hover tracking, no repaint).
#include <benchmark/benchmark.h>

#include <memory>

#include "support/fake_tab_site.h"
#include "tabctl/tab_strip.h"

namespace tarvex {
namespace {

struct Bench {
  Bench() : site(553, 329) {
    PropertyBag bag;
    bag.Put("TabCount", int64_t{4});
    bag.Put("TabStyle", int64_t{1});
    bag.Put("TabTheme", int64_t{1});
    strip = std::make_unique<TabStrip>(site, events, TabStripServices{nullptr, &windows, &tracking});
    strip->ReadProperties(bag);
    for (int page = 0; page < 4; ++page) site.AddChild(300 - page * 10000);
    strip->Refresh();
  }
  FakeTabSite site;
  TabStripEvents events;  // no handlers
  FakeWindows windows;
  FakeTracking tracking;
  std::unique_ptr<TabStrip> strip;
};

void BM_TabStripKeySwitch(benchmark::State& bench) {
  Bench b;
  for (auto _ : bench) {
    int16_t key = tabkey::kRight, shift = 0;
    b.strip->OnKeyDown(key, shift);
    benchmark::DoNotOptimize(b.strip->ActiveTab());
  }
}
BENCHMARK(BM_TabStripKeySwitch)->Unit(benchmark::kMicrosecond);

void BM_TabStripHookedMouseMove(benchmark::State& bench) {
  Bench b;
  b.site.control.cursor = Point{500, 200};  // over the page: no tab tracked
  for (auto _ : bench) {
    benchmark::DoNotOptimize(b.windows.Send(b.site.WindowHandle(), tabmsg::kMouseMove));
  }
}
BENCHMARK(BM_TabStripHookedMouseMove);

}  // namespace
}  // namespace tarvex
