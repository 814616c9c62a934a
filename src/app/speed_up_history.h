// The speed-up history: records appended to ListViewHistory while recording is
// on, the list clearing itself once it holds more than the chosen limit, the
// "清除记录" and "保存记录" buttons. The records live only in the list control.
#pragma once

#include <string>
#include <string_view>

#include "app/history_view.h"
#include "app/settings_controls.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"

namespace tarvex {

struct HistoryPlatform {
  Clock& clock;
  Dialogs& dialogs;
  FileSystem& files;
  const CodePage& codePage;
};

class SpeedUpHistory {
 public:
  SpeedUpHistory(HistoryView& list, const SettingsControls& controls, HistoryPlatform platform)
      : list_(list), controls_(controls), platform_(platform) {}

  // One record: " n", the time of day, the title, the speed level.
  void AddSpeedUpRecord(std::string_view title, std::string_view speedLevelText);
  // CommandClearRecords: removes every record, asks nothing.
  void ClearRecords();
  // CommandSaveRecords: warns on an empty list, else asks for a file and
  // replaces its content with RecordsText() in the ANSI code page.
  void SaveRecords();

  // The saved text (UTF-8): the heading, the address line, one line per record;
  // every line closed by CR LF.
  std::string RecordsText() const;

 private:
  HistoryView& list_;
  const SettingsControls& controls_;
  HistoryPlatform platform_;
};

}  // namespace tarvex
