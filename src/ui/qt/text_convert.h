// Texts cross between the forms (Windows-1252 bytes) and Qt (QString) here and nowhere else.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace qx::ui::qt {

QString ToQString(std::string_view cp1252);
// Characters that Windows-1252 cannot hold become '?'; the fields never let one in, so this
// only happens to texts that did not come from a field.
std::string ToCp1252(const QString& text);

// Platform paths: the file system's own encoding (UTF-8 on Linux).
QString PathToQString(const std::string& path);
std::string PathFromQString(const QString& path);

}  // namespace qx::ui::qt
