// The window in front, its title and its process as the X window manager
// publishes them (EWMH hints on the root and client windows), through xcb. A
// window handle is the X window id.
#include <xcb/res.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/linux/process_linux.h"

namespace tarvex {
namespace {

// Long enough for any title a person reads (in 32-bit units, as xcb counts).
constexpr uint32_t kTitleLongs = 16384;

xcb_atom_t Intern(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = r != nullptr ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  std::free(r);
  return atom;
}

// Latin-1 (the STRING type of WM_NAME) as UTF-8.
std::string Latin1ToUtf8(const char* data, size_t n) {
  std::string out;
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    const unsigned char ch = static_cast<unsigned char>(data[i]);
    if (ch < 0x80) {
      out += static_cast<char>(ch);
    } else {
      out += static_cast<char>(0xC0 | (ch >> 6));
      out += static_cast<char>(0x80 | (ch & 0x3F));
    }
  }
  return out;
}

}  // namespace

// The X connection and the atoms it needs; without a display every answer is
// "nothing known".
class X11Foreground {
 public:
  explicit X11Foreground(const std::string& display) {
    int screenNumber = 0;
    c_ = xcb_connect(display.empty() ? nullptr : display.c_str(), &screenNumber);
    if (xcb_connection_has_error(c_) != 0) return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c_));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i) xcb_screen_next(&it);
    if (it.rem == 0) return;
    root_ = it.data->root;
    activeWindow_ = Intern(c_, "_NET_ACTIVE_WINDOW");
    wmPid_ = Intern(c_, "_NET_WM_PID");
    wmName_ = Intern(c_, "_NET_WM_NAME");
    utf8String_ = Intern(c_, "UTF8_STRING");
    const xcb_query_extension_reply_t* res = xcb_get_extension_data(c_, &xcb_res_id);
    hasRes_ = res != nullptr && res->present != 0;
  }
  ~X11Foreground() { xcb_disconnect(c_); }
  X11Foreground(const X11Foreground&) = delete;
  X11Foreground& operator=(const X11Foreground&) = delete;

  bool Connected() const { return root_ != 0 && xcb_connection_has_error(c_) == 0; }

  // The active window; `published` tells whether the root carries the hint.
  WindowHandle Active(bool& published) {
    published = false;
    if (!Connected()) return 0;
    xcb_get_property_reply_t* r = GetProperty(root_, activeWindow_, XCB_ATOM_WINDOW, 1);
    WindowHandle window = 0;
    if (r != nullptr && r->type == XCB_ATOM_WINDOW && r->format == 32) {
      published = true;
      if (xcb_get_property_value_length(r) >= 4) {
        window = *static_cast<const uint32_t*>(xcb_get_property_value(r));
      }
    }
    std::free(r);
    return window;
  }

  std::string Title(WindowHandle window) {
    if (!Connected() || window <= 0) return {};
    const auto w = static_cast<xcb_window_t>(window);
    if (xcb_get_property_reply_t* r = GetProperty(w, wmName_, utf8String_, kTitleLongs)) {
      std::string text;
      const bool found = r->type == utf8String_ && r->format == 8;
      if (found) text.assign(static_cast<const char*>(xcb_get_property_value(r)),
                             static_cast<size_t>(xcb_get_property_value_length(r)));
      std::free(r);
      if (found) return text;
    }
    xcb_get_property_reply_t* r = GetProperty(w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, kTitleLongs);
    std::string text;
    if (r != nullptr && r->format == 8) {
      const char* data = static_cast<const char*>(xcb_get_property_value(r));
      const size_t n = static_cast<size_t>(xcb_get_property_value_length(r));
      // STRING is Latin-1; a client that stores UTF-8 there says so in the type.
      text = r->type == utf8String_ ? std::string(data, n) : Latin1ToUtf8(data, n);
    }
    std::free(r);
    return text;
  }

  ProcessId Pid(WindowHandle window) {
    if (!Connected() || window <= 0) return 0;
    const auto w = static_cast<xcb_window_t>(window);
    ProcessId pid = 0;
    xcb_get_property_reply_t* r = GetProperty(w, wmPid_, XCB_ATOM_CARDINAL, 1);
    if (r == nullptr) return 0;  // no such window (any more)
    if (r->type == XCB_ATOM_CARDINAL && r->format == 32 && xcb_get_property_value_length(r) >= 4) {
      pid = *static_cast<const uint32_t*>(xcb_get_property_value(r));
    }
    std::free(r);
    // The extension would name the owner of the id even for a window that
    // never existed: only a live window gets this far.
    if (pid != 0 || !hasRes_) return pid;
    // No _NET_WM_PID: ask the server which local client owns the window.
    xcb_res_client_id_spec_t wanted{w, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    xcb_res_query_client_ids_reply_t* ids =
        xcb_res_query_client_ids_reply(c_, xcb_res_query_client_ids(c_, 1, &wanted), nullptr);
    if (ids == nullptr) return 0;
    for (auto it = xcb_res_query_client_ids_ids_iterator(ids); it.rem > 0; xcb_res_client_id_value_next(&it)) {
      // Each record starts with the id it answers (client, mask).
      xcb_res_client_id_spec_t id;
      std::memcpy(&id, it.data, sizeof id);
      if ((id.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) != 0 &&
          xcb_res_client_id_value_value_length(it.data) >= 1) {
        pid = *xcb_res_client_id_value_value(it.data);
        break;
      }
    }
    std::free(ids);
    return pid;
  }

 private:
  xcb_get_property_reply_t* GetProperty(xcb_window_t w, xcb_atom_t property, xcb_atom_t type, uint32_t longs) {
    if (property == XCB_ATOM_NONE) return nullptr;
    return xcb_get_property_reply(c_, xcb_get_property(c_, 0, w, property, type, 0, longs), nullptr);
  }

  xcb_connection_t* c_ = nullptr;
  xcb_window_t root_ = 0;
  xcb_atom_t activeWindow_ = XCB_ATOM_NONE;
  xcb_atom_t wmPid_ = XCB_ATOM_NONE;
  xcb_atom_t wmName_ = XCB_ATOM_NONE;
  xcb_atom_t utf8String_ = XCB_ATOM_NONE;
  bool hasRes_ = false;
};

LinuxProcessPlatform::LinuxProcessPlatform(const std::string& display)
    : x11_(std::make_unique<X11Foreground>(display)) {}

LinuxProcessPlatform::~LinuxProcessPlatform() = default;

WindowHandle LinuxProcessPlatform::ForegroundWindow() { return x11_->Active(foregroundPublished_); }

bool LinuxProcessPlatform::ForegroundKnown() { return foregroundPublished_; }

std::string LinuxProcessPlatform::WindowTextAnsi(WindowHandle window) { return x11_->Title(window); }

ProcessId LinuxProcessPlatform::WindowProcessId(WindowHandle window) { return x11_->Pid(window); }

}  // namespace tarvex
