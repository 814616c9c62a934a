#include "main_fakes.h"

namespace tarvex::testing {

int64_t FakeWindowPlatform::Send(WindowHandle w, uint32_t m, uint64_t wp, int64_t lp) {
  log_.push_back("Send(" + std::to_string(m) + "," + std::to_string(wp) + ")");
  if (currentProc == kProgramProc && programProc) return programProc(w, m, wp, lp);
  return 0;
}

int64_t FakeWindowPlatform::CallProcedure(WindowProcAddress p, WindowHandle, uint32_t m,
                                           uint64_t wp, int64_t) {
  log_.push_back("Prev(" + std::to_string(p) + "," + std::to_string(m) + "," + std::to_string(wp) + ")");
  return previousResult;
}

}  // namespace tarvex::testing
