#pragma once
namespace maintenance {

// Registers the lists, forms and the mapping report of this area with the procedure registry
// ("LabBrowse", "LeverBrowse", "LabForm", "LeverForm", "ParamForm", "StedForm",
// "PostadresserBrowse", "ParamReport"), so the frame can start the laboratories list on a thread
// of its own, the About window can call the postal-address list and the settings window can call
// the forms and the report by name.
void registerProcedures();

}  // namespace maintenance
