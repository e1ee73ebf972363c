#pragma once
namespace maintenance {

// Registers the lists and the mapping report of this area with the procedure registry
// ("LabBrowse", "LeverBrowse", "ParamReport"), so they can be started or called by name.
void registerProcedures();

}  // namespace maintenance
