#include "DrawingArea.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <cmath>
#include <vector>

#include "CadSession.h"
#include "Wireframe.h"

namespace cadhost {

using verdanto::Vec3;

namespace {

QPointF Project(const verdanto::ViewPlane& view, Vec3 point) {
  return {verdanto::Dot(point, view.right), verdanto::Dot(point, view.up)};
}

// Where the text's reference point lies in the block of lines, for the host's attachment numbering.
QPointF AttachmentOffset(int attachment, QSizeF block) {
  const int column = (std::clamp(attachment, 1, 9) - 1) % 3;
  const int row = (std::clamp(attachment, 1, 9) - 1) / 3;
  return {-block.width() * column / 2, -block.height() * row / 2};
}

}  // namespace

DrawingArea::DrawingArea(CadSession& cad, QWidget* parent) : QWidget(parent), session_(cad) {
  setObjectName(QStringLiteral("drawingArea"));
  setMinimumSize(320, 200);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(false);
}

QPointF DrawingArea::ToScreen(QPointF viewPoint) const {
  return {width() / 2.0 + (viewPoint.x() - centre_.x()) * scale_,
          height() / 2.0 - (viewPoint.y() - centre_.y()) * scale_};
}

QPointF DrawingArea::ToView(QPointF screenPoint) const {
  return {centre_.x() + (screenPoint.x() - width() / 2.0) / scale_,
          centre_.y() - (screenPoint.y() - height() / 2.0) / scale_};
}

void DrawingArea::ZoomExtents() {
  const verdanto::ViewPlane view = session_.viewPlane();
  double left = INFINITY, right = -INFINITY, bottom = INFINITY, top = -INFINITY;
  const auto add = [&](Vec3 point) {
    const QPointF p = Project(view, point);
    left = std::min(left, p.x());
    right = std::max(right, p.x());
    bottom = std::min(bottom, p.y());
    top = std::max(top, p.y());
  };
  for (const auto& entity : session_.drawing().entities()) {
    if (const auto* label = std::get_if<verdanto::MText>(&entity.geometry)) add(label->location);
    // Lines, the most numerous by far, without building paths.
    if (const auto* line = std::get_if<verdanto::Line>(&entity.geometry)) {
      add(line->start);
      add(line->end);
      continue;
    }
    for (const auto& path : WireframeOf(entity.geometry)) {
      for (const Vec3 point : path) add(point);
    }
  }
  if (left > right) {  // an empty drawing: a sheet of 100 units around the origin
    left = bottom = -10;
    right = top = 90;
  }
  centre_ = {(left + right) / 2, (bottom + top) / 2};
  const double spanX = std::max(right - left, 1e-9);
  const double spanY = std::max(top - bottom, 1e-9);
  // A margin of a twentieth on each side.
  scale_ = 0.9 * std::min(std::max(width(), 1) / spanX, std::max(height(), 1) / spanY);
  if (!std::isfinite(scale_) || scale_ <= 0) scale_ = 1;
  zoomPending_ = false;
  update();
}

void DrawingArea::SetHighlighted(std::set<std::string> handles) {
  highlighted_ = std::move(handles);
  update();
}

void DrawingArea::paintEvent(QPaintEvent*) {
  if (zoomPending_) ZoomExtents();
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0x21, 0x28, 0x30));
  const verdanto::ViewPlane view = session_.viewPlane();
  const QPen normal(QColor(0xE8, 0xE8, 0xE8), 0);
  const QPen highlight(QColor(0xFF, 0xC0, 0x20), 2, Qt::DashLine);
  // Lines go to the painter in one batch per pen: a call per line costs more
  // than drawing it. What is highlighted comes over the rest, and labels over all.
  const std::vector<verdanto::Entity>& entities = session_.drawing().entities();
  // By position: a look-up of every entity's handle would cost more than its drawing.
  std::vector<bool> isLit(entities.size(), false);
  for (const std::string& handle : highlighted_) {
    if (const verdanto::Entity* entity = session_.drawing().Find(handle))
      isLit[static_cast<std::size_t>(entity - entities.data())] = true;
  }
  std::vector<QLineF> lines;
  lines.reserve(entities.size());
  QPolygonF polygon;
  for (const bool lit : {false, true}) {
    if (lit && highlighted_.empty()) break;
    lines.clear();
    painter.setPen(lit ? highlight : normal);
    for (std::size_t i = 0; i < entities.size(); ++i) {
      if (isLit[i] != lit) continue;
      const verdanto::Entity& entity = entities[i];
      if (const auto* line = std::get_if<verdanto::Line>(&entity.geometry)) {
        lines.emplace_back(ToScreen(Project(view, line->start)), ToScreen(Project(view, line->end)));
      } else if (!std::holds_alternative<verdanto::MText>(entity.geometry)) {
        for (const auto& path : WireframeOf(entity.geometry)) {
          polygon.clear();
          for (const Vec3 point : path) polygon << ToScreen(Project(view, point));
          painter.drawPolyline(polygon);
        }
      }
    }
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
  }
  for (std::size_t i = 0; i < entities.size(); ++i) {
    if (const auto* label = std::get_if<verdanto::MText>(&entities[i].geometry)) DrawLabel(painter, *label, isLit[i]);
  }
  DrawUcsIcon(painter);
}

void DrawingArea::DrawLabel(QPainter& painter, const verdanto::MText& label, bool lit) const {
  const verdanto::ViewPlane view = session_.viewPlane();
  // The text's own plane mapped onto the screen: an affine map, so QPainter can draw it.
  const Vec3 xDirection = verdanto::Normalized(label.direction);
  const Vec3 yDirection = verdanto::Normalized(verdanto::Cross(label.normal, xDirection));
  const QPointF origin = ToScreen(Project(view, label.location));
  const QPointF alongX = ToScreen(Project(view, label.location + xDirection)) - origin;
  const QPointF alongY = ToScreen(Project(view, label.location + yDirection)) - origin;
  const QStringList texts =
      QString::fromStdString(label.contents).replace(QStringLiteral("\\P"), QStringLiteral("\n")).split(QLatin1Char('\n'));
  QFont font(QStringLiteral("Sans"), -1, QFont::DemiBold);  // thin red strokes are hard to read small
  font.setPixelSize(100);
  const QFontMetricsF metrics(font);
  double blockWidth = 0;
  for (const QString& text : texts) blockWidth = std::max(blockWidth, metrics.horizontalAdvance(text));
  const QSizeF block(blockWidth, metrics.lineSpacing() * static_cast<double>(texts.size()));
  // A drawing's text height is the height of its capitals (and digits), not the font's em.
  const double unit = label.height / std::max(metrics.capHeight(), 1.0);
  // Outlines, not glyphs: a font's hinting at one size and the map's scale at
  // another would place the letters of a slanted text over each other.
  QPainterPath outline;
  const QPointF topLeft = AttachmentOffset(label.attachment, block);
  for (qsizetype i = 0; i < texts.size(); ++i) {
    outline.addText(topLeft + QPointF(0, metrics.ascent() + metrics.lineSpacing() * static_cast<double>(i)), font,
                    texts[i]);
  }
  painter.save();
  // Text coordinates run right and down; the label's y runs up.
  painter.setTransform(QTransform(alongX.x() * unit, alongX.y() * unit, -alongY.x() * unit, -alongY.y() * unit,
                                  origin.x(), origin.y()));
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor colour = lit                      ? QColor(0xFF, 0xC0, 0x20)
                        : label.colorIndex == 1 ? QColor(Qt::red)
                                                 : QColor(0xE8, 0xE8, 0xE8);
  painter.fillPath(outline, colour);
  painter.restore();
}

void DrawingArea::DrawUcsIcon(QPainter& painter) const {
  const verdanto::Ucs& ucs = session_.document().ucs();
  const verdanto::ViewPlane view = session_.viewPlane();
  const QPointF corner(40, height() - 40);
  const struct {
    Vec3 axis;
    QColor color;
    const char* name;
  } axes[] = {{ucs.xAxis, Qt::red, "X"}, {ucs.yAxis, Qt::green, "Y"}, {ucs.zAxis, QColor(0x40, 0x80, 0xFF), "Z"}};
  for (const auto& axis : axes) {
    const QPointF shown = Project(view, axis.axis);
    if (std::hypot(shown.x(), shown.y()) < 0.05) continue;  // seen end on
    const QPointF tip = corner + 30 * QPointF(shown.x(), -shown.y());
    painter.setPen(QPen(axis.color, 2));
    painter.drawLine(corner, tip);
    painter.drawText(tip + QPointF(3, 4), QString::fromLatin1(axis.name));
  }
}

void DrawingArea::wheelEvent(QWheelEvent* event) {
  // The point under the cursor stays where it is.
  const QPointF under = ToView(event->position());
  const double factor = std::pow(1.2, event->angleDelta().y() / 120.0);
  scale_ = std::clamp(scale_ * factor, 1e-12, 1e12);
  const QPointF after = ToView(event->position());
  centre_ += under - after;
  update();
}

void DrawingArea::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    panning_ = true;
    panFrom_ = event->position();
  } else if (event->button() == Qt::LeftButton && clicked) {
    clicked(ToView(event->position()));
  }
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event) {
  if (!panning_) return;
  const QPointF moved = event->position() - panFrom_;
  panFrom_ = event->position();
  centre_ -= QPointF(moved.x(), -moved.y()) / scale_;
  update();
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) panning_ = false;
}

void DrawingArea::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  update();
}

void DrawingArea::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (keepFocusQuery && keepFocusQuery() != 0) return;
  window()->activateWindow();
  setFocus(Qt::MouseFocusReason);
}

}  // namespace cadhost
