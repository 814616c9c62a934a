// The programs measure-boost.sh runs: a foreground worker that owns an X window
// and counts work units, a CPU hog, and a latency probe (an X window whose one
// thread wakes every 10 ms and notes how late it woke). Plain xcb, no core.
//   tarvex_boost_worker hog
//   tarvex_boost_worker work SECONDS TITLE     -> "units N"
//   tarvex_boost_worker latency SECONDS TITLE  -> "p50_us A p99_us B"
//   tarvex_boost_worker window TITLE           (two idle threads, until killed)
// The window ones wait until they are the active window, then for a settling
// time (longer than one engine tick) before they measure.
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kSettle = std::chrono::milliseconds(1500);
constexpr auto kActiveBound = std::chrono::seconds(10);

// One unit of work: a fixed chain of multiply-adds the compiler cannot fold.
uint64_t WorkUnit(uint64_t x) {
  for (int i = 0; i < 20000; ++i) x = x * 6364136223846793005ULL + 1442695040888963407ULL;
  return x;
}

xcb_atom_t Intern(xcb_connection_t* c, const char* name) {
  auto* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t a = r != nullptr ? r->atom : 0;
  std::free(r);
  return a;
}

// A mapped window titled `title` carrying our pid; returns once the window
// manager reports it active (or the bound passed, said on stderr).
xcb_connection_t* OpenWindow(const char* title) {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c) != 0) {
    std::fprintf(stderr, "no X display\n");
    std::exit(2);
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const xcb_window_t w = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 0, 0, 200, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                    screen->root_visual, 0, nullptr);
  const uint32_t pid = static_cast<uint32_t>(getpid());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, Intern(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, Intern(c, "_NET_WM_NAME"), Intern(c, "UTF8_STRING"), 8,
                      static_cast<uint32_t>(std::strlen(title)), title);
  xcb_map_window(c, w);
  xcb_flush(c);
  const xcb_atom_t active = Intern(c, "_NET_ACTIVE_WINDOW");
  const auto deadline = Clock::now() + kActiveBound;
  while (Clock::now() < deadline) {
    // Ask for the focus as a pager would, so the window manager grants it.
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = w;
    ev.type = active;
    ev.data.data32[0] = 2;
    xcb_send_event(c, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&ev));
    auto* r = xcb_get_property_reply(c, xcb_get_property(c, 0, screen->root, active, XCB_ATOM_WINDOW, 0, 1), nullptr);
    const bool ours = r != nullptr && xcb_get_property_value_length(r) >= 4 &&
                      *static_cast<uint32_t*>(xcb_get_property_value(r)) == w;
    std::free(r);
    if (ours) return c;
    usleep(50'000);
  }
  std::fprintf(stderr, "window did not become active\n");
  return c;
}

int Work(double seconds, const char* title) {
  xcb_connection_t* c = OpenWindow(title);
  const auto start = Clock::now() + kSettle;
  uint64_t x = 1;
  while (Clock::now() < start) x = WorkUnit(x);
  const auto end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  uint64_t units = 0;
  while (Clock::now() < end) {
    x = WorkUnit(x);
    ++units;
  }
  std::printf("units %llu\n", static_cast<unsigned long long>(units + (x == 42 ? 1 : 0)));
  xcb_disconnect(c);
  return 0;
}

int Latency(double seconds, const char* title) {
  xcb_connection_t* c = OpenWindow(title);
  timespec next{};
  clock_gettime(CLOCK_MONOTONIC, &next);
  const auto period = 10'000'000L;  // ns
  std::vector<int64_t> lateUs;
  const auto settleEnd = Clock::now() + kSettle;
  const auto end = settleEnd + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  for (;;) {
    next.tv_nsec += period;
    if (next.tv_nsec >= 1'000'000'000L) {
      next.tv_nsec -= 1'000'000'000L;
      ++next.tv_sec;
    }
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const int64_t late = (now.tv_sec - next.tv_sec) * 1'000'000'000LL + (now.tv_nsec - next.tv_nsec);
    const auto t = Clock::now();
    if (t >= end) break;
    if (t >= settleEnd) lateUs.push_back(late / 1000);
  }
  std::sort(lateUs.begin(), lateUs.end());
  if (lateUs.empty()) return 1;
  const auto at = [&](double q) { return lateUs[static_cast<size_t>(q * static_cast<double>(lateUs.size() - 1))]; };
  std::printf("p50_us %lld p99_us %lld\n", static_cast<long long>(at(0.50)), static_cast<long long>(at(0.99)));
  xcb_disconnect(c);
  return 0;
}

// A program with a window and a second thread that only waits: what the
// engine's end-to-end tests raise and give back thread by thread.
int Window(const char* title) {
  // The thread first: both exist once the window is in front.
  std::thread([] {
    for (;;) pause();
  }).detach();
  xcb_connection_t* c = OpenWindow(title);
  std::printf("ready\n");
  std::fflush(stdout);
  for (;;) pause();
  xcb_disconnect(c);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "hog") {
    volatile uint64_t sink = 1;  // keeps the endless loop observable
    for (;;) sink = WorkUnit(sink);
  }
  if (mode == "window" && argc == 3) return Window(argv[2]);
  if ((mode == "work" || mode == "latency") && argc == 4) {
    const double seconds = std::atof(argv[2]);
    return mode == "work" ? Work(seconds, argv[3]) : Latency(seconds, argv[3]);
  }
  std::fprintf(stderr, "usage: %s hog | work SECONDS TITLE | latency SECONDS TITLE\n", argv[0]);
  return 2;
}
