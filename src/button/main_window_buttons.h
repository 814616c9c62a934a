// The main window's four gradient buttons as its stored form holds them: the
// property bag each is loaded from (values other than these at their defaults).
#pragma once

#include <string_view>

#include "common/property_bag.h"

namespace tarvex {

class Command;

enum class MainWindowButton { CommandExit, CommandMini, CommandSaveRecords, CommandClearRecords };

// The control's name on the main window ("CommandExit", ...).
std::string_view MainWindowButtonName(MainWindowButton which);
// The stored properties of that button.
PropertyBag MainWindowButtonBag(MainWindowButton which);
// Loads `button` from its stored properties (ReadProperties).
void ConfigureMainWindowButton(Command& button, MainWindowButton which);

}  // namespace tarvex
