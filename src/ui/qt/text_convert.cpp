#include "ui/qt/text_convert.h"

#include <QFile>

#include "common/cp1252.h"

namespace qx::ui::qt {

QString ToQString(std::string_view cp1252) {
  const std::u16string text = Cp1252ToUtf16(cp1252);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToCp1252(const QString& text) {
  return Utf16ToCp1252(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                           static_cast<std::size_t>(text.size())));
}

QString PathToQString(const std::string& path) { return QFile::decodeName(path.c_str()); }

std::string PathFromQString(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace qx::ui::qt
