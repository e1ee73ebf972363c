#pragma once
// "Innstillinger": the dataset choice and the pre-import command with its two switches.
// Runs on the frame's thread; stores the settings record however it closes, while the dataset
// choice takes effect only through OK.
#include "platform/ui/api/window_def.h"

namespace shell {

void SettingsWindow();
ui::WindowDef settingsWindowDef();

// Whether the command names a batch file or shell script (".BAT" or ".SH" anywhere, any case),
// which the edit button is shown for.
bool namesBatchFile(std::string_view command);

}  // namespace shell
