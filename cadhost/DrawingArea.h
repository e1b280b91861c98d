#pragma once
// The drawing's view: a wireframe of every entity seen along the CAD host's view
// directions, zoomed with the wheel and panned with the middle button. A left
// click is handed to `clicked` in view units (see verdanto::ViewPlane). When the
// cursor comes over it, the view takes the keyboard focus unless a modeless
// plug-in window asks to keep it (the host's keep-focus query).

#include <QPointF>
#include <QWidget>
#include <functional>
#include <set>
#include <string>

#include "drawing/Entities.h"

namespace cadhost {

class CadSession;

class DrawingArea final : public QWidget {
  Q_OBJECT

 public:
  explicit DrawingArea(CadSession& cad, QWidget* parent = nullptr);

  // Answers whether a plug-in window keeps the focus (1) or not (0).
  std::function<int()> keepFocusQuery;
  std::function<void(QPointF viewPoint)> clicked;

  void ZoomExtents();
  void SetHighlighted(std::set<std::string> handles);
  // Pixels per drawing unit: how far a few pixels reach.
  double scale() const { return scale_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPointF ToScreen(QPointF viewPoint) const;
  QPointF ToView(QPointF screenPoint) const;
  void DrawUcsIcon(QPainter& painter) const;
  void DrawLabel(QPainter& painter, const verdanto::MText& label, bool lit) const;

  CadSession& session_;
  QPointF centre_;      // the view point at the widget's centre
  double scale_ = 10;   // pixels per unit
  bool panning_ = false;
  QPointF panFrom_;
  bool zoomPending_ = true;  // the first showing fits the drawing
  std::set<std::string> highlighted_;
};

}  // namespace cadhost
