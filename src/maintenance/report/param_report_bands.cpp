// The page layout of the parameter-mapping report (millimetres on A4).
#include "maintenance/report/param_report.h"
#include "platform/ui/api/picture.h"

namespace maintenance {

using report::Band;
using report::Item;

std::string sampleTypeWord(const data::MapParamRecord& m) {
  return m.PRTYPE == "U" ? "Utslipskontroll" : "Slamkontroll";
}

report::Bands paramReportBands(const data::MapParamRecord& m, const data::MapLabRecord& lab) {
  report::Bands b;
  b.pageHeader = Band{24,
                      {Item{.x = 0, .y = 0, .text = "Mapping av paremetre", .points = 14, .bold = true},
                       Item{.x = 0, .y = 10, .text = "Laboratorium:"},
                       Item{.x = 28, .y = 10, .text = ui::formatText("@s4", m.LAB.str()), .bold = true},
                       Item{.x = 42, .y = 10, .text = ui::formatText("@s30", lab.LABNAVN.str())},
                       Item{.y = 18, .rule = true}}};
  b.group = m.PRTYPE.str();
  b.groupHeader = Band{11,
                       {Item{.x = 0, .y = 3, .text = "Prøvetype:", .points = 11, .bold = true},
                        Item{.x = 30, .y = 3, .text = ui::formatText("@s20", sampleTypeWord(m)), .points = 11,
                             .bold = true}}};
  const std::string factor = ui::formatNumber("@n7,3b", m.FAKTOR);
  b.detail = Band{6,
                  {Item{.x = 4, .y = 0, .text = "Parameter lab:"},
                   Item{.x = 32, .y = 0, .text = ui::formatText("@s6", m.PARAMLAB.str())},
                   Item{.x = 52, .y = 0, .text = "Parameter sivra:"},
                   Item{.x = 84, .y = 0, .text = ui::formatText("@s20", m.PARAMSIV.str())},
                   Item{.x = 136, .y = 0, .text = "Faktor:"},
                   Item{.x = 150, .y = 0, .text = factor, .width = 24, .alignRight = true}}};
  return b;
}

}  // namespace maintenance
