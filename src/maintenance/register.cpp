#include "maintenance/register.h"

#include "maintenance/lab_browse.h"
#include "maintenance/lab_form.h"
#include "maintenance/lab_settings_browse.h"
#include "maintenance/lever_browse.h"
#include "maintenance/lever_form.h"
#include "maintenance/param_form.h"
#include "maintenance/param_report.h"
#include "maintenance/postadresser_browse.h"
#include "maintenance/sted_form.h"
#include "shell/procedures.h"

namespace maintenance {

void registerProcedures() {
  shell::setProcedure("LabBrowse", LabBrowse);
  shell::setProcedure("LeverBrowse", LeverBrowse);
  shell::setProcedure("LabSettingsBrowse", LabSettingsBrowse);
  shell::setProcedure("LabForm", LabForm);
  shell::setProcedure("LeverForm", LeverForm);
  shell::setProcedure("PostadresserBrowse", PostadresserBrowse);
  shell::setProcedure("ParamReport", ParamReport);
  shell::setProcedure("ParamForm", ParamForm);
  shell::setProcedure("StedForm", StedForm);
}

}  // namespace maintenance
