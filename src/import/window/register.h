#pragma once
namespace import {

// Registers "ImportWindow" with the procedure registry, so the frame can start it.
void registerImportWindow();

}  // namespace import
