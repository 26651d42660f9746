// The program's own pictures, drawn in code: a small cash register keyboard, as the window
// icon and as the logo of the main window and the about box.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace qx::ui::qt {

QPixmap DrawLogo(QSize size, qreal device_pixel_ratio = 1.0);
QIcon AppIcon();

}  // namespace qx::ui::qt
