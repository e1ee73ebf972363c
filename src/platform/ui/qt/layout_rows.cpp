#include "platform/ui/qt/layout_rows.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QString>
#include <algorithm>

namespace ui::qt {

namespace {

bool sameEquate(const std::string& a, const std::string& b) {
  return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

// Controls that end an implicit group's run of members.
bool endsGroup(const ControlDef& d) {
  switch (d.kind) {
    case ControlKind::Group:
    case ControlKind::Option:
    case ControlKind::Sheet:
    case ControlKind::Tab:
    case ControlKind::Panel:
    case ControlKind::List:
    case ControlKind::Box:
    case ControlKind::Image:
    case ControlKind::Region: return true;
    case ControlKind::Button: return !isFieldButton(d);
    default: return false;
  }
}

}  // namespace

bool isFieldButton(const ControlDef& d) { return d.text == "..." || (d.text.empty() && d.icon.empty()); }

std::map<std::string, std::string> implicitGroupMembers(const WindowDef& def) {
  std::map<std::string, std::string> out;
  const auto& cs = def.controls;
  for (std::size_t i = 0; i < cs.size(); ++i) {
    const ControlDef& g = cs[i];
    if (g.kind != ControlKind::Group || !g.parent.empty() || g.equate.empty()) continue;
    const bool named = std::any_of(
        cs.begin(), cs.end(), [&](const ControlDef& c) { return !c.parent.empty() && sameEquate(c.parent, g.equate); });
    if (named) continue;
    for (std::size_t j = i + 1; j < cs.size() && cs[j].parent.empty() && !endsGroup(cs[j]); ++j)
      if (!cs[j].equate.empty()) out[cs[j].equate] = g.equate;
  }
  return out;
}

QHBoxLayout* startFieldRow(QGridLayout* grid, int row) {
  auto* box = new QHBoxLayout;
  box->setContentsMargins(0, 0, 0, 0);
  box->addStretch(1);  // spare width, unless a field takes it
  grid->addLayout(box, row, 1, 1, -1);
  return box;
}

void addToFieldRow(QHBoxLayout* row, QWidget* w, bool stretch) {
  const int spare = row->count() - 1;
  row->insertWidget(spare, w, stretch ? 1 : 0, stretch ? Qt::Alignment() : Qt::AlignVCenter);
  if (stretch) row->setStretch(row->count() - 1, 0);
}

}  // namespace ui::qt
