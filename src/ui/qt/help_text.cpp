#include "ui/qt/help_text.h"

#include <QStringList>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

namespace qx::ui::qt {
namespace {

// Where to break a line that is too wide: after the longest prefix that fits, at a blank
// when one lies inside that prefix (the blank itself is dropped).
struct Break {
  qsizetype cut;   // characters that stay on this line
  qsizetype next;  // where the next line starts
};

Break FindBreak(const QString& line, const QFontMetrics& metrics, int max_width) {
  qsizetype fits = 0;
  while (fits < line.size() && metrics.horizontalAdvance(line.left(fits + 1)) <= max_width) ++fits;
  if (fits == 0) fits = 1;  // a single character wider than the limit still goes somewhere
  qsizetype blank = line.lastIndexOf(QLatin1Char(' '), fits);
  // A blank among the leading ones is indentation, not a place to break.
  qsizetype first_text = 0;
  while (first_text < line.size() && line[first_text] == QLatin1Char(' ')) ++first_text;
  if (blank > first_text && blank <= fits) return {blank, blank + 1};
  return {fits, fits};
}

}  // namespace

QString WrapToWidth(const QString& text, const QFontMetrics& metrics, int max_width) {
  QStringList out;
  for (QString line : text.split(QLatin1Char('\n'))) {
    while (metrics.horizontalAdvance(line) > max_width) {
      Break at = FindBreak(line, metrics, max_width);
      out.append(line.left(at.cut));
      line = line.mid(at.next);
    }
    out.append(line);
  }
  return out.join(QLatin1Char('\n'));
}

QString TipText(const QString& help) {
  QString tip = WrapToWidth(help, QFontMetrics(QToolTip::font()), kHelpMaxWidthPixels);
  // A help text that happens to look like markup is still shown as the text it is.
  if (Qt::mightBeRichText(tip))
    tip = QStringLiteral("<p style='white-space:pre'>") + tip.toHtmlEscaped() +
          QStringLiteral("</p>");
  return tip;
}

void AttachHelp(QWidget& control, const QString& help) {
  control.setToolTip(TipText(help));
  control.setToolTipDuration(kHelpDurationMs);
}

}  // namespace qx::ui::qt
