#pragma once
// The MDI main frame: loads the settings, finds the dataset, names and opens the program's own
// files, shows the settings window on a first run, then starts the other windows from its menu
// and toolbar until it closes.
#include <string>

#include "platform/ui/api/window_def.h"

namespace shell {

void MainFrame();

// The frame's window as defined: menu, toolbar, title, icon, help keyword.
ui::WindowDef mainFrameDef();

// The title for a dataset name: "Brakel-Sivra Provex (Rnx-versjon) [name]".
std::string frameTitle(const std::string& datasetName);

}  // namespace shell
