// A test's own X connection: windows with the properties a program sets, and
// activation requests as a pager sends them (which EWMH window managers honour
// without their focus-stealing rules).
#pragma once

#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace tarvex::testing {

// Under scripts/with-x11.sh the display, and the window manager unless it was
// left out, are promised: their absence is then a failure, not a reason to skip.
inline bool X11Promised() { return std::getenv("TARVEX_X11_REQUIRED") != nullptr; }
inline bool WindowManagerPromised() {
  const char* wm = std::getenv("TARVEX_X11_WM");
  return wm != nullptr && std::string(wm) == "1";
}

class X11Session {
 public:
  X11Session() {
    if (std::getenv("DISPLAY") == nullptr) return;
    // A server busy on a loaded machine may refuse a connection for a moment.
    for (int attempt = 0; attempt < 20; ++attempt) {
      c_ = xcb_connect(nullptr, nullptr);
      if (xcb_connection_has_error(c_) == 0) {
        screen_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
        return;
      }
      xcb_disconnect(c_);
      c_ = nullptr;
      usleep(100'000);
    }
  }
  ~X11Session() {
    if (c_ != nullptr) xcb_disconnect(c_);
  }
  X11Session(const X11Session&) = delete;
  X11Session& operator=(const X11Session&) = delete;

  bool Connected() const { return screen_ != nullptr; }

  xcb_atom_t Atom(const char* name) {
    auto* r = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r != nullptr ? r->atom : 0;
    std::free(r);
    return a;
  }

  bool WindowManagerRuns() {
    auto* r = xcb_get_property_reply(
        c_, xcb_get_property(c_, 0, screen_->root, Atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1), nullptr);
    const bool wm = r != nullptr && xcb_get_property_value_length(r) >= 4;
    std::free(r);
    return wm;
  }

  // A mapped window; _NET_WM_PID and each title property only where asked.
  xcb_window_t Window(bool withPid, const std::string& utf8Title, const std::string& latin1Name) {
    const xcb_window_t w = xcb_generate_id(c_);
    xcb_create_window(c_, XCB_COPY_FROM_PARENT, w, screen_->root, 0, 0, 120, 80, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen_->root_visual, 0, nullptr);
    if (withPid) {
      const uint32_t pid = static_cast<uint32_t>(getpid());
      xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, Atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
    }
    if (!utf8Title.empty()) {
      xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"), 8,
                          static_cast<uint32_t>(utf8Title.size()), utf8Title.data());
    }
    if (!latin1Name.empty()) {
      xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                          static_cast<uint32_t>(latin1Name.size()), latin1Name.data());
    }
    xcb_map_window(c_, w);
    Sync();  // the platform reads the properties over its own connection
    return w;
  }

  void Destroy(xcb_window_t w) {
    xcb_destroy_window(c_, w);
    Sync();
  }

  void RequestActive(xcb_window_t w) {
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = w;
    ev.type = Atom("_NET_ACTIVE_WINDOW");
    ev.data.data32[0] = 2;
    xcb_send_event(c_, 0, screen_->root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&ev));
    xcb_flush(c_);
  }

  // A round trip: the server has handled every request sent before it.
  void Sync() { std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr)); }

 private:
  xcb_connection_t* c_ = nullptr;
  xcb_screen_t* screen_ = nullptr;
};

}  // namespace tarvex::testing
