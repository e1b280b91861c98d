#include "DrawingArea.h"

#include <QPainter>

namespace cadhost {

DrawingArea::DrawingArea(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("drawingArea"));
  setMinimumSize(320, 200);
  setFocusPolicy(Qt::StrongFocus);
}

void DrawingArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0x50, 0x58, 0x60));
  // An A3 landscape sheet, centred, with a small margin.
  const QSizeF sheet(420, 297);
  const double scale = std::min((width() - 40) / sheet.width(), (height() - 40) / sheet.height());
  const QSizeF shown = sheet * std::max(scale, 0.1);
  const QRectF page(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
  painter.fillRect(page.translated(4, 4), QColor(0x30, 0x34, 0x38));
  painter.fillRect(page, Qt::white);
  painter.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1, Qt::DashLine));
  painter.drawRect(page.adjusted(10, 10, -10, -10));
  // The coordinate-system icon in the lower left corner of the sheet.
  const QPointF origin = page.bottomLeft() + QPointF(24, -24);
  painter.setPen(QPen(Qt::red, 2));
  painter.drawLine(origin, origin + QPointF(30, 0));
  painter.setPen(QPen(Qt::darkGreen, 2));
  painter.drawLine(origin, origin + QPointF(0, -30));
  painter.setPen(Qt::black);
  painter.drawText(origin + QPointF(33, 4), QStringLiteral("X"));
  painter.drawText(origin + QPointF(-3, -34), QStringLiteral("Y"));
}

void DrawingArea::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (keepFocusQuery && keepFocusQuery() != 0) return;
  window()->activateWindow();
  setFocus(Qt::MouseFocusReason);
}

}  // namespace cadhost
