#pragma once
namespace maintenance {

// Registers the lists and forms of this area with the procedure registry ("LabBrowse",
// "LeverBrowse", "LabForm", "LeverForm", "ParamForm", "StedForm", "PostadresserBrowse"), so the
// frame can start the laboratories list on a thread of its own and the About window can call the
// postal-address list.
void registerProcedures();

}  // namespace maintenance
