// The speed-up spine wired to fakes: every real module of the core, the fake
// platform under it and the fake controls over it.
#pragma once

#include "app/module_auto_run.h"
#include "app/module_config.h"
#include "app/settings_handler.h"
#include "app/speed_up_engine.h"
#include "app/speed_up_history.h"
#include "support/spine_fakes.h"

namespace tarvex::test {

struct SpineRig {
  FakeFileSystem files;
  FakeProfileStore profile{files};
  FakeAutoStart autoStart;
  FakeDbcsCodePage codePage;
  FakeProcesses processes;
  FakeClock clock;
  FakeDialogs dialogs;
  FakeSettingsControls controls;
  FakeWindowOps window;
  FakeStatusView status;
  FakeHistoryView list;

  ModuleConfig config{profile, files, codePage};
  ModuleAutoRun autoRun{autoStart, files, codePage};
  SpeedUpHistory history{list, controls, HistoryPlatform{clock, dialogs, files, codePage}};
  SpeedUpEngine engine{processes, codePage, controls, status, history};
  SettingsHandler settings{config, autoRun, controls, window, dialogs, engine};

  std::string IniPath() const { return files.directory + "\\tarvex.ini"; }
  std::string& Ini() { return files.files[IniPath()]; }
};

}  // namespace tarvex::test
