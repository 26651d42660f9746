// The program's own pictures, drawn in code: a small cash register keyboard, as the window
// icon and as the logo of the main window and the about box.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

class QWidget;

namespace qx::ui::qt {

QPixmap DrawLogo(QSize size, qreal device_pixel_ratio = 1.0);
QIcon AppIcon();
// Gives a window the program's icon, unless the application already gives it to every window.
void ApplyWindowIcon(QWidget& window);

}  // namespace qx::ui::qt
