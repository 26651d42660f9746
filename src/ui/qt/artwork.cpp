#include "ui/qt/artwork.h"

#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace qx::ui::qt {
namespace {

struct Key {
  int column, row, width, height;
  QColor color;
  const char* label;
};

// A 6 x 5 key field: the numeric pad on the left, department keys in the middle, and the
// tall cash key on the right, the way the register's keyboard is laid out.
constexpr int kColumns = 6;
constexpr int kRows = 5;

const Key kKeys[] = {
    {0, 0, 1, 1, QColor(0xf2, 0xf2, 0xee), "7"},   {1, 0, 1, 1, QColor(0xf2, 0xf2, 0xee), "8"},
    {2, 0, 1, 1, QColor(0xf2, 0xf2, 0xee), "9"},   {0, 1, 1, 1, QColor(0xf2, 0xf2, 0xee), "4"},
    {1, 1, 1, 1, QColor(0xf2, 0xf2, 0xee), "5"},   {2, 1, 1, 1, QColor(0xf2, 0xf2, 0xee), "6"},
    {0, 2, 1, 1, QColor(0xf2, 0xf2, 0xee), "1"},   {1, 2, 1, 1, QColor(0xf2, 0xf2, 0xee), "2"},
    {2, 2, 1, 1, QColor(0xf2, 0xf2, 0xee), "3"},   {0, 3, 2, 1, QColor(0xf2, 0xf2, 0xee), "0"},
    {2, 3, 1, 1, QColor(0xf2, 0xf2, 0xee), "00"},  {0, 4, 1, 1, QColor(0xe8, 0x8a, 0x2a), "C"},
    {1, 4, 2, 1, QColor(0x9a, 0xa4, 0xb0), "X"},   {3, 0, 1, 1, QColor(0x3d, 0x7c, 0xc9), "D1"},
    {4, 0, 1, 1, QColor(0x3d, 0x7c, 0xc9), "D2"},  {3, 1, 1, 1, QColor(0x3d, 0x7c, 0xc9), "D3"},
    {4, 1, 1, 1, QColor(0x3d, 0x7c, 0xc9), "D4"},  {3, 2, 1, 1, QColor(0x9a, 0xa4, 0xb0), "-%"},
    {4, 2, 1, 1, QColor(0x9a, 0xa4, 0xb0), "+%"},  {3, 3, 2, 1, QColor(0x9a, 0xa4, 0xb0), "ST"},
    {3, 4, 2, 1, QColor(0x9a, 0xa4, 0xb0), "PLU"}, {5, 0, 1, 2, QColor(0x9a, 0xa4, 0xb0), "CH"},
    {5, 2, 1, 3, QColor(0x3c, 0xa0, 0x5a), "TOT"},
};

void DrawKeyboard(QPainter& p, const QRectF& area, bool labels) {
  p.setRenderHint(QPainter::Antialiasing);
  const qreal unit = std::min(area.width(), area.height()) / 16.0;

  // The register's body with its display on top.
  QRectF body = area.adjusted(unit * 0.3, unit * 0.3, -unit * 0.3, -unit * 0.3);
  QLinearGradient shade(body.topLeft(), body.bottomLeft());
  shade.setColorAt(0, QColor(0x4a, 0x4f, 0x57));
  shade.setColorAt(1, QColor(0x2b, 0x2e, 0x33));
  p.setPen(QPen(QColor(0x1c, 0x1e, 0x21), unit * 0.25));
  p.setBrush(shade);
  p.drawRoundedRect(body, unit * 1.2, unit * 1.2);

  QRectF display(body.left() + unit, body.top() + unit, body.width() - 2 * unit,
                 body.height() * 0.2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x12, 0x2a, 0x16));
  p.drawRoundedRect(display, unit * 0.4, unit * 0.4);
  if (labels) {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(std::max(1, static_cast<int>(display.height() * 0.6)));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x6c, 0xf0, 0x7a));
    p.drawText(display.adjusted(unit * 0.5, 0, -unit * 0.5, 0), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("QX-4810"));
  } else {
    p.setBrush(QColor(0x6c, 0xf0, 0x7a));
    const qreal seg = display.height() * 0.28;
    for (int i = 0; i < 3; ++i)
      p.drawRect(QRectF(display.right() - unit * 0.8 - (i + 1) * seg * 1.6,
                        display.center().y() - seg / 2, seg * 1.1, seg));
  }

  // The key field.
  QRectF field(body.left() + unit, display.bottom() + unit, body.width() - 2 * unit,
               body.bottom() - display.bottom() - 2 * unit);
  const qreal cell_w = field.width() / kColumns;
  const qreal cell_h = field.height() / kRows;
  const qreal gap = std::min(cell_w, cell_h) * 0.14;
  QFont key_font(QStringLiteral("DejaVu Sans"));
  key_font.setPixelSize(std::max(1, static_cast<int>(cell_h * 0.42)));
  key_font.setBold(true);
  p.setFont(key_font);
  for (const Key& k : kKeys) {
    QRectF r(field.left() + k.column * cell_w + gap / 2, field.top() + k.row * cell_h + gap / 2,
             k.width * cell_w - gap, k.height * cell_h - gap);
    p.setPen(QPen(k.color.darker(150), std::max<qreal>(0.5, unit * 0.12)));
    p.setBrush(k.color);
    p.drawRoundedRect(r, gap, gap);
    if (labels) {
      p.setPen(k.color.lightness() > 200 ? QColor(0x22, 0x22, 0x22) : Qt::white);
      p.drawText(r, Qt::AlignCenter, QString::fromLatin1(k.label));
    }
  }
}

}  // namespace

QPixmap DrawLogo(QSize size, qreal device_pixel_ratio) {
  QPixmap pixmap(size * device_pixel_ratio);
  pixmap.setDevicePixelRatio(device_pixel_ratio);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  const QSizeF s(size);
  // Keep the register's proportions (a little wider than high) inside any rectangle.
  const qreal w = std::min(s.width(), s.height() * 1.25);
  const qreal h = w / 1.25;
  DrawKeyboard(p, QRectF((s.width() - w) / 2, (s.height() - h) / 2, w, h), true);
  return pixmap;
}

QIcon AppIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64, 128}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    DrawKeyboard(p, QRectF(0, 0, side, side), side >= 64);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

void ApplyWindowIcon(QWidget& window) {
  if (QGuiApplication::windowIcon().isNull()) window.setWindowIcon(AppIcon());
}

}  // namespace qx::ui::qt
