#pragma once
// Paths from Qt (dialogs, drops, the program's own place) always use "/";
// the editor keeps, shows and compares them with the system's own separator
// ("\" on Windows), as the core and the files it writes do.
#include <QDir>
#include <QString>
#include <string>

namespace tesslor::gui {

inline std::string NativePath(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

}  // namespace tesslor::gui
