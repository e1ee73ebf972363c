#pragma once
namespace import {

// Registers "ImportWindow" with the procedure registry, so the frame can start it, and the two
// viewers it calls by name ("ImportFileView", "LogFileView").
void registerImportWindow();

}  // namespace import
