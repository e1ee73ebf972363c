// The page layout of the parameter-mapping report (millimetres on A4). Each field is cut at
// the next label, 2 mm before it: wide letters never run into it.
#include "maintenance/report/param_report.h"
#include "platform/ui/api/picture.h"

namespace maintenance {

using report::Band;
using report::Item;

namespace {

constexpr double kGap = 2;
constexpr const char* kFactorPicture = "@n7,3b";

// A text field from x up to the next thing on its line.
Item field(double x, double y, std::string text, double nextX) {
  return Item{.x = x, .y = y, .text = std::move(text), .width = nextX - x - kGap};
}

}  // namespace

std::string sampleTypeWord(const data::MapParamRecord& m) {
  return m.PRTYPE == "U" ? "Utslipskontroll" : "Slamkontroll";
}

report::Bands paramReportBands(const data::MapParamRecord& m, const data::MapLabRecord& lab) {
  constexpr double kLine = 180;  // A4 less two 15 mm margins
  report::Bands b;
  Item code = field(28, 10, ui::formatText("@s4", m.LAB.str()), 42);
  code.bold = true;
  b.pageHeader =
      Band{24,
           {Item{.x = 0, .y = 0, .text = "Mapping av paremetre", .points = 14, .bold = true},
            Item{.x = 0, .y = 10, .text = "Laboratorium:"}, code,
            field(42, 10, ui::formatText("@s30", lab.LABNAVN.str()), kLine + kGap), Item{.y = 18, .rule = true}}};
  b.group = m.PRTYPE.str();
  b.groupHeader =
      Band{11,
           {Item{.x = 0, .y = 3, .text = "Prøvetype:", .points = 11, .bold = true},
            Item{.x = 30, .y = 3, .text = ui::formatText("@s20", sampleTypeWord(m)), .points = 11, .bold = true}}};
  // A factor the picture cannot show (from an older file) prints as #######, never cut.
  const std::string factor =
      ui::fitsPicture(kFactorPicture, m.FAKTOR) ? ui::formatNumber(kFactorPicture, m.FAKTOR) : std::string(7, '#');
  b.detail =
      Band{6,
           {Item{.x = 4, .y = 0, .text = "Parameter lab:"}, field(32, 0, ui::formatText("@s6", m.PARAMLAB.str()), 52),
            Item{.x = 52, .y = 0, .text = "Parameter sivra:"},
            field(84, 0, ui::formatText("@s20", m.PARAMSIV.str()), 136), Item{.x = 136, .y = 0, .text = "Faktor:"},
            Item{.x = 150, .y = 0, .text = factor, .width = 24, .alignRight = true}}};
  return b;
}

}  // namespace maintenance
