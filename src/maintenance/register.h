#pragma once
namespace maintenance {

// Registers the lists and forms of this area with the procedure registry ("LabBrowse",
// "LeverBrowse", "LabForm", "LeverForm", "ParamForm", "StedForm"),
// so the frame can start the laboratories list on a thread of its own.
void registerProcedures();

}  // namespace maintenance
