// Times a program's start-up from outside, without polling by new processes:
// starts it, then follows the X server's events until the window manager
// lists a window of the program's process with the given title and it is
// viewable, and after that until the window's pixels first change from what
// it showed when it became viewable (its first paint reaching the screen).
// The pixels are read again only when the X server reports damage to the
// window: reading them in a loop would take a core from the very start-up
// being timed.
//   tarvex_startup_watch TITLE PROGRAM [ARGS...]
// Prints "pid viewable_ms painted_ms" (painted_ms is -1 when no paint was
// seen within 5 s) and leaves the program running.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr),
                                   &std::free);
  return r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::vector<uint8_t> Property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type) {
  Reply<xcb_get_property_reply_t> r(
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 1 << 16), nullptr), &std::free);
  if (!r) return {};
  const auto* data = static_cast<const uint8_t*>(xcb_get_property_value(r.get()));
  return std::vector<uint8_t>(data, data + xcb_get_property_value_length(r.get()));
}

bool Viewable(xcb_connection_t* c, xcb_window_t w) {
  Reply<xcb_get_window_attributes_reply_t> r(
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr), &std::free);
  return r && r->map_state == XCB_MAP_STATE_VIEWABLE;
}

// A hash of the window's pixels; 0 when they cannot be read.
uint64_t PixelHash(xcb_connection_t* c, xcb_window_t w) {
  Reply<xcb_get_geometry_reply_t> g(xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr), &std::free);
  if (!g) return 0;
  Reply<xcb_get_image_reply_t> img(
      xcb_get_image_reply(c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, w, 0, 0, g->width, g->height, ~0u),
                          nullptr),
      &std::free);
  if (!img) return 0;
  const uint8_t* p = xcb_get_image_data(img.get());
  const int n = xcb_get_image_data_length(img.get());
  uint64_t h = 1469598103934665603ull;
  for (int i = 0; i < n; ++i) h = (h ^ p[i]) * 1099511628211ull;
  return h | 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  const std::string title = argv[1];
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "startup_watch: no X display\n");
    return 2;
  }
  xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const xcb_atom_t clientList = Atom(c, "_NET_CLIENT_LIST");
  const xcb_atom_t wmPid = Atom(c, "_NET_WM_PID");
  const xcb_atom_t wmName = Atom(c, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
  // The window manager's list changes and windows mapping under the root
  // wake us; the 2 ms bound covers a window mapped before it is listed.
  const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(c);

  signal(SIGCHLD, SIG_IGN);  // the program outlives us; no zombie either way
  const Clock::time_point t0 = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    // Its output must not hold our caller's pipe open.
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  auto ms = [&] { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); };

  auto findWindow = [&]() -> xcb_window_t {
    const std::vector<uint8_t> list = Property(c, root, clientList, XCB_ATOM_WINDOW);
    for (size_t i = 0; i + 4 <= list.size(); i += 4) {
      xcb_window_t w;
      std::memcpy(&w, &list[i], 4);
      const std::vector<uint8_t> p = Property(c, w, wmPid, XCB_ATOM_CARDINAL);
      uint32_t owner = 0;
      if (p.size() >= 4) std::memcpy(&owner, p.data(), 4);
      if (owner != static_cast<uint32_t>(pid)) continue;
      const std::vector<uint8_t> name = Property(c, w, wmName, utf8);
      if (std::string(name.begin(), name.end()) == title && Viewable(c, w)) return w;
    }
    return 0;
  };
  auto waitEvents = [&](int timeoutMs) {
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    poll(&fd, 1, timeoutMs);
    while (xcb_generic_event_t* e = xcb_poll_for_event(c)) std::free(e);
  };

  xcb_window_t window = 0;
  while (!(window = findWindow())) {
    if (ms() > 30000 || kill(pid, 0) != 0) {
      std::printf("%d -1 -1\n", static_cast<int>(pid));
      return 1;
    }
    waitEvents(2);
  }
  const double viewable = ms();
  // The damage object exists before the first reading, so no paint after
  // that reading goes unreported.
  bool damageEvents = false;
  uint8_t damageBase = 0;
  if (const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_damage_id); ext && ext->present) {
    Reply<xcb_damage_query_version_reply_t> v(
        xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr), &std::free);
    if (v) {
      xcb_damage_create(c, xcb_generate_id(c), window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
      damageBase = ext->first_event;
      damageEvents = true;
    }
  }
  const uint64_t shown = PixelHash(c, window);
  double painted = -1;
  pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
  while (ms() - viewable < 5000) {
    if (damageEvents) {
      // Reading the pixels may already have queued a report; the socket is
      // waited on only when none is, for 20 ms should a report be missed.
      auto drain = [&](xcb_generic_event_t* (*next)(xcb_connection_t*)) {
        bool damaged = false;
        while (xcb_generic_event_t* e = next(c)) {
          if ((e->response_type & 0x7f) == damageBase + XCB_DAMAGE_NOTIFY) {
            xcb_damage_subtract(c, reinterpret_cast<xcb_damage_notify_event_t*>(e)->damage, XCB_NONE, XCB_NONE);
            damaged = true;
          }
          std::free(e);
        }
        return damaged;
      };
      if (!drain(xcb_poll_for_queued_event)) {
        poll(&fd, 1, 20);
        drain(xcb_poll_for_event);
      }
    } else {
      usleep(1000);
    }
    const uint64_t now = PixelHash(c, window);
    if (now != 0 && now != shown) {
      painted = ms();
      break;
    }
  }
  std::printf("%d %.0f %.0f\n", static_cast<int>(pid), viewable, painted);
  return 0;
}
