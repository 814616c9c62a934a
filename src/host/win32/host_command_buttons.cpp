// The main window's gradient buttons (see host_command_buttons.h).
#include "host_command_buttons.h"

#include <string>

#include "command_window.h"

namespace tarvex {

HWND CreateCommandButton(HINSTANCE instance, HWND parent, MainWindowButton which, int id,
                         HostedControls& owner) {
  const RECT bounds{0, 0, 81, 25};  // 1215 x 375 twips; the caller places it
  auto button = std::make_unique<CommandWindow>(std::string(MainWindowButtonName(which)));
  // The form's font is the ambient font the stored properties default to.
  button->SetAmbientFont(MainWindowFormFont());
  if (!button->CreateLoaded(instance, parent, id, bounds, MainWindowButtonBag(which))) return nullptr;
  HWND hwnd = button->Handle();
  ShowWindow(hwnd, SW_HIDE);
  owner.push_back(std::move(button));
  return hwnd;
}

}  // namespace tarvex
