#pragma once
// The layers box: a drop-down list whose entries draw each layer's current
// mark and lamp before its name. Presses on those images, in the closed box or
// in the open list, go to LayersBoxModel and do not pick an entry (the list
// stays open); a press on a name picks the layer as usual.

#include <QComboBox>

#include "ui/models/LayersBoxModel.h"

namespace verdanto {

class LayersBox final : public QComboBox {
  Q_OBJECT

 public:
  explicit LayersBox(LayersBoxModel& model, QWidget* parent = nullptr);

  // Takes the entries and the shown entry from the model.
  void Refresh();
  // Refreshes first: layers may have come or gone without a word to the box.
  void showPopup() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  LayersBoxModel& model_;
  bool swallowRelease_ = false;
};

}  // namespace verdanto
