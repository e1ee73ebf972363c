#include "maintenance/register.h"

#include "maintenance/forms/lab_form.h"
#include "maintenance/forms/lever_form.h"
#include "maintenance/forms/param_form.h"
#include "maintenance/forms/sted_form.h"
#include "maintenance/lists/lab_browse.h"
#include "maintenance/lists/lever_browse.h"
#include "maintenance/lists/postadresser_browse.h"
#include "maintenance/report/param_report.h"
#include "maintenance/settings/lab_settings_browse.h"
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
