// The events of the tab control, in their declared order. The host overrides what
// it handles; by-reference parameters may be changed by the handler. Raised
// synchronously on the window thread.
#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

class TabStripEvents {
 public:
  virtual ~TabStripEvents() = default;
  virtual void BeforeTabSwitch(int16_t /*iNewActiveTab*/, bool& /*bCancel*/) {}          // 1
  virtual void TabSwitch(int16_t /*lLastActiveTab*/) {}                                    // 2
  virtual void Click() {}                                                                  // 3
  virtual void ControlBoxEnter() {}                                                        // 4
  virtual void ControlBoxExit() {}                                                         // 5
  virtual void ControlBoxHover(float& /*x*/, float& /*y*/) {}                              // 6
  virtual void ControlBoxMouseDown(float& /*x*/, float& /*y*/) {}                          // 7
  virtual void ControlBoxMouseUp(float& /*x*/, float& /*y*/) {}                            // 8
  virtual void DblClick() {}                                                               // 9
  virtual void KeyDown(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}                        // 10
  virtual void KeyUp(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}                          // 11
  virtual void KeyPress(int16_t& /*KeyAscii*/) {}                                          // 12
  // x, y in client pixels, as the hosting window delivers them.
  virtual void MouseDown(int16_t /*Button*/, int16_t /*Shift*/, float /*x*/, float /*y*/) {}  // 13
  virtual void MouseMove(int16_t /*Button*/, int16_t /*Shift*/, float /*x*/, float /*y*/) {}  // 14
  virtual void MouseUp(int16_t /*Button*/, int16_t /*Shift*/, float /*x*/, float /*y*/) {}    // 15
  // ActiveTab is the tab under the mouse.
  virtual void MouseHover(int32_t& /*ActiveTab*/, float& /*x*/, float& /*y*/) {}          // 16
  virtual void MouseScrollUp() {}                                                          // 17
  virtual void MouseScrollDown() {}                                                        // 18
  virtual void TabInsert(int32_t& /*AfterTabIndex*/) {}                                    // 19
  virtual void TabRemove(int32_t& /*TabIndex*/) {}                                         // 20
  virtual void AfterCompleteInit() {}                                                      // 21
  virtual void MouseEnter() {}                                                             // 22
  virtual void MouseLeave() {}                                                             // 23
  virtual void Status(const std::string& /*sStatus*/) {}                                   // 24
};

}  // namespace tarvex
