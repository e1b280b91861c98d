#pragma once
// The drawing: an empty sheet for now. When the cursor comes over it, the
// drawing takes the keyboard focus unless a modeless plug-in window asks to
// keep it (the host's keep-focus query).

#include <QWidget>
#include <functional>

namespace cadhost {

class DrawingArea final : public QWidget {
  Q_OBJECT

 public:
  explicit DrawingArea(QWidget* parent = nullptr);

  // Answers whether a plug-in window keeps the focus (1) or not (0).
  std::function<int()> keepFocusQuery;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
};

}  // namespace cadhost
