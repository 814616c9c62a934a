// What the FormMain presenter asks of its window besides the settings, status
// and history views: the tab control's set-up, the two drop-down lists' entries,
// the links' look, closing, and the fixed message boxes. The Win32 host
// implements it with real controls; tests with a recording fake.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/color.h"

namespace tarvex {

enum class LinkLabel { HomePage, NeedHelp };

enum class PromptAnswer { Ok, Yes, No, Other };

class FormMainView {
 public:
  virtual ~FormMainView() = default;

  // SSTabMain (a TabStrip).
  virtual void CopyTabImagesFromImageList() = 0;
  virtual void SetTabCaption(int tab, std::string_view caption) = 0;  // UTF-8
  virtual void SetActiveTab(int tab) = 0;
  virtual void SetActiveTabHeight(int pixels) = 0;

  // Entries of ComboSpeed and ComboAutoCleanCount, in order; the lists are
  // pick-only and start without a selection.
  virtual void FillComboSpeed(const std::vector<std::string>& entries) = 0;
  virtual void FillComboAutoCleanCount(const std::vector<std::string>& entries) = 0;

  virtual void SetLinkLook(LinkLabel link, bool underline, OleColor color) = 0;

  // Asks the window to close now (the close request runs QueryUnload).
  virtual void CloseWindow() = 0;

  // Message boxes: a warning (exclamation, OK) and a question (question icon,
  // Yes and No), owned by the main window when it exists.
  virtual void ShowWarning(std::string_view text, std::string_view title) = 0;
  virtual PromptAnswer AskYesNo(std::string_view text, std::string_view title) = 0;
};

// The speed-up core as the main window drives it: the engine, the settings
// applied at start and the history's buttons. An adapter binds it to the
// settings, engine and history modules.
class FormMainCore {
 public:
  virtual ~FormMainCore() = default;
  virtual void ResetEngine() = 0;                 // engine state to 0
  virtual void ApplyStartupSettings() = 0;        // the seven keys, in their order
  virtual void HoldSettings() = 0;                // until Release: one look at the settings file
  virtual void ReleaseSettings() = 0;
  virtual void TimerMainTick() = 0;               // one engine tick
  virtual void GiveBackRaised() = 0;              // at exit: the raised process gets its class back
  virtual bool AlwaysTopReadsOn() = 0;            // the AlwaysTop key reads as 1
  virtual bool AutoMinReadsOn() = 0;              // the AutoMin key reads as 1
  virtual void SaveRecords() = 0;                 // CommandSaveRecords
  virtual void ClearRecords() = 0;                // CommandClearRecords
};

}  // namespace tarvex
