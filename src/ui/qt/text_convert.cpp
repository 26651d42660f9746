#include "ui/qt/text_convert.h"

#include <QFile>

#include "common/cp1252.h"

namespace qx::ui::qt {

QString ToQString(std::string_view cp1252) {
  QString text;
  text.reserve(static_cast<qsizetype>(cp1252.size()));
  // Every Windows-1252 character lies in the Basic Multilingual Plane: one QChar each.
  for (char byte : cp1252)
    text.append(QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(byte)))));
  return text;
}

std::string ToCp1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (char32_t ch : text.toUcs4()) {
    std::optional<unsigned char> byte = UnicodeToCp1252(ch);
    bytes.push_back(byte ? static_cast<char>(*byte) : '?');
  }
  return bytes;
}

bool Cp1252CanHold(const QString& text) {
  for (char32_t ch : text.toUcs4())
    if (!UnicodeToCp1252(ch)) return false;
  return true;
}

QString PathToQString(const std::string& path) { return QFile::decodeName(path.c_str()); }

std::string PathFromQString(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace qx::ui::qt
