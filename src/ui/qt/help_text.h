// Hover help: balloon-like tips that wrap at about 400 pixels and stay up 30 seconds.
#pragma once

#include <QFontMetrics>
#include <QString>

class QWidget;

namespace qx::ui::qt {

inline constexpr int kHelpMaxWidthPixels = 400;
inline constexpr int kHelpDurationMs = 30000;

// Breaks every line of the text that is wider than max_width pixels at its last blank that
// fits (inside a word when there is none); "\n" keeps breaking lines, and the blanks the
// help texts begin with are kept.
QString WrapToWidth(const QString& text, const QFontMetrics& metrics, int max_width);

// A hover text as the tip shows it: wrapped, and shown as plain text even when it happens to
// look like markup.
QString TipText(const QString& help);

// Attaches the help text (already a QString) to a control.
void AttachHelp(QWidget& control, const QString& help);

}  // namespace qx::ui::qt
