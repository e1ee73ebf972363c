#pragma once
// Text across the Qt boundary: the window layer's strings are UTF-8.
#include <QString>
#include <string>

namespace ui::qt {

inline QString toQ(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string toU8(const QString& t) { return t.toStdString(); }

}  // namespace ui::qt
