#pragma once
// "Tabell postadresser": the registry's postal codes with their places, a select list for the
// About window's postal code (ThreadRequest 4; on response 1 the thread's Postadresser buffer
// holds the chosen address). Postal addresses have no form: insert, change and delete call
// nothing and count as cancelled.
#include "platform/ui/api/window_def.h"

namespace maintenance {

void PostadresserBrowse();

ui::WindowDef postadresserBrowseWindow();

}  // namespace maintenance
