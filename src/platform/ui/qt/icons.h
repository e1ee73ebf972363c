#pragma once
// Icons named by the definitions ("LAB.ICO"): a file of that name in $LAB2SIV_ICONS or the
// current directory, else a standard icon of the style that fits the name.
#include <QIcon>
#include <string>

namespace ui::qt {

QIcon iconFor(const std::string& name);

}  // namespace ui::qt
