#pragma once
namespace maintenance {

// Registers the lists of this area with the procedure registry ("LabBrowse", "LeverBrowse"),
// so the frame can start the laboratories list on a thread of its own.
void registerProcedures();

}  // namespace maintenance
