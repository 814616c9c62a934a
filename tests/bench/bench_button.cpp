// One paint of the main window's CommandExit (81 x 25, type 1, scheme 1) in
// each state, and of the gradient types the history page and type 4 use.
#include <benchmark/benchmark.h>

#include "button/command.h"
#include "button/main_window_buttons.h"
#include "support/fake_command_site.h"

namespace tarvex {
namespace {

enum class Look { Normal, Hover, Pressed, Focused, Disabled };

void PaintExit(benchmark::State& state, Look look) {
  FakeCommandSite site(81, 25);
  Command button(site, site);
  ConfigureMainWindowButton(button, MainWindowButton::CommandExit);
  button.HandleResize();
  switch (look) {
    case Look::Normal: break;
    case Look::Hover: button.HandleMouseMove(0, 0, 10, 10); break;
    case Look::Pressed: button.HandleMouseDown(kMouseLeft, 0, 10, 10); break;
    case Look::Focused: button.HandleGotFocus(); break;
    case Look::Disabled: button.SetEnabled(false); break;
  }
  for (auto _ : state) {
    button.HandlePaint();
    benchmark::DoNotOptimize(site.image.Data());
  }
}

BENCHMARK_CAPTURE(PaintExit, normal, Look::Normal);
BENCHMARK_CAPTURE(PaintExit, hover, Look::Hover);
BENCHMARK_CAPTURE(PaintExit, pressed, Look::Pressed);
BENCHMARK_CAPTURE(PaintExit, focused, Look::Focused);
BENCHMARK_CAPTURE(PaintExit, disabled, Look::Disabled);

void PaintType(benchmark::State& state) {
  FakeCommandSite site(81, 25);
  Command button(site, site);
  button.InitProperties();
  button.SetButtonType(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    button.HandlePaint();
    benchmark::DoNotOptimize(site.image.Data());
  }
}
BENCHMARK(PaintType)->DenseRange(2, 5);

// A drag over the button: each move is a skipped paint.
void DragMove(benchmark::State& state) {
  FakeCommandSite site(81, 25);
  Command button(site, site);
  ConfigureMainWindowButton(button, MainWindowButton::CommandExit);
  button.HandleResize();
  button.HandleMouseDown(kMouseLeft, 0, 10, 10);
  for (auto _ : state) button.HandleMouseMove(kMouseLeft, 0, 20, 10);
}
BENCHMARK(DragMove);

}  // namespace
}  // namespace tarvex
