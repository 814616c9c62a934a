// Stored properties of the main window's four gradient buttons.
#include "button/main_window_buttons.h"

#include <cstdint>
#include <string>

#include "button/command.h"

namespace tarvex {
namespace {

// The history page's two buttons share everything but the caption.
PropertyBag HistoryButtonBag(std::string caption) {
  PropertyBag bag;
  bag.Put("ButtonType", int64_t{5});
  bag.Put("Caption", std::move(caption));
  bag.Put("Percent", int64_t{53});
  bag.Put("MidColor", int64_t{0xFFAB7C});
  bag.Put("EndColor", int64_t{0xFFD3BF});
  bag.Put("MouseMoveMidColor", int64_t{0xFFCB9D});
  bag.Put("MouseMoveEndColor", int64_t{0xFFE7D1});
  bag.Put("MouseDownMidColor", int64_t{0xFF9964});
  bag.Put("MouseDownEndColor", int64_t{0xFFD3BF});
  bag.Put("OfficeXpFillColor", int64_t{0xE0E0E0});
  bag.Put("OfficeXpFrameColor", int64_t{0xC0C0C0});
  return bag;
}

PropertyBag CaptionOnlyBag(std::string caption) {
  PropertyBag bag;
  bag.Put("Caption", std::move(caption));
  return bag;
}

}  // namespace

std::string_view MainWindowButtonName(MainWindowButton which) {
  switch (which) {
    case MainWindowButton::CommandExit: return "CommandExit";
    case MainWindowButton::CommandMini: return "CommandMini";
    case MainWindowButton::CommandSaveRecords: return "CommandSaveRecords";
    case MainWindowButton::CommandClearRecords: return "CommandClearRecords";
  }
  return {};
}

PropertyBag MainWindowButtonBag(MainWindowButton which) {
  switch (which) {
    case MainWindowButton::CommandExit: return CaptionOnlyBag("退出");
    case MainWindowButton::CommandMini: return CaptionOnlyBag("隐藏");
    case MainWindowButton::CommandSaveRecords: return HistoryButtonBag("保存记录");
    case MainWindowButton::CommandClearRecords: return HistoryButtonBag("清除记录");
  }
  return {};
}

void ConfigureMainWindowButton(Command& button, MainWindowButton which) {
  button.ReadProperties(MainWindowButtonBag(which));
}

}  // namespace tarvex
