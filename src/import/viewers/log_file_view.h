#pragma once
// "Se på Logg-file": the import log as lines in a fixed-pitch font, loaded in a paced progress
// window that Cancel can stop, searched up and down, and printed one line per band.
#include "platform/ui/api/window_def.h"

namespace import {

// Runs on the caller's thread and returns when the viewer closes.
void LogFileView();

ui::WindowDef logViewWindowDef();
ui::WindowDef logSearchWindowDef();
ui::WindowDef logProgressWindowDef();

// Bytes read per timer tick while loading (the timer ticks every hundredth of a second).
inline constexpr long long kLogBytesPerTick = 20000;

}  // namespace import
