#include "ui/qt/LayersBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <QWheelEvent>

#include "ui/qt/LayerImages.h"
#include "ui/qt/TextConversion.h"

namespace verdanto {

namespace {

// Where the closed box draws the shown layer's images: its mark area starts at
// pixel 1, its lamp beyond the 13 pixels that count as the mark.
constexpr int kClosedMarkLeft = 1;
constexpr int kClosedLampLeft = 15;
// In the open list the images start at the entry's left edge.
constexpr int kListLampLeft = kLayerImageWidth;

void DrawEntry(QPainter& painter, const QRect& rect, const LayersBoxEntry& entry, int markLeft, int lampLeft) {
  const int top = rect.top() + (rect.height() - kLayerImageHeight) / 2;
  painter.drawPixmap(rect.left() + markLeft, top, LayerImagePixmap(entry.currentImage));
  painter.drawPixmap(rect.left() + lampLeft, top, LayerImagePixmap(entry.lampImage));
  painter.setPen(Qt::black);
  const QRect text = rect.adjusted(kLayerNameLeft, 0, 0, 0);
  // A name longer than the closed box ends in an ellipsis (and shows whole as the box's tip).
  const QString name = painter.fontMetrics().elidedText(ToWindowText(entry.name), Qt::ElideRight, text.width());
  painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);
}

class EntryDelegate final : public QStyledItemDelegate {
 public:
  EntryDelegate(LayersBoxModel& model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (index.row() >= model_.EntryCount()) return;
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget* widget = option.widget;
    (widget ? widget->style() : QApplication::style())
        ->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);
    painter->save();
    DrawEntry(*painter, option.rect, model_.Entry(index.row()), 0, kListLampLeft);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QSize text = QStyledItemDelegate::sizeHint(option, index);
    return {text.width() + kLayerNameLeft, std::max(text.height(), kLayerImageHeight + 2)};
  }

 private:
  LayersBoxModel& model_;
};

}  // namespace

LayersBox::LayersBox(LayersBoxModel& model, QWidget* parent) : QComboBox(parent), model_(model) {
  setEditable(false);
  setItemDelegate(new EntryDelegate(model_, this));
  setMinimumContentsLength(12);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  // Installed after the popup's own filter, so it sees the presses first.
  view()->viewport()->installEventFilter(this);
  connect(this, &QComboBox::activated, this, [this](int index) { model_.Pick(index); });
}

void LayersBox::Refresh() {
  bool same = count() == model_.EntryCount();
  for (int i = 0; same && i < count(); ++i) same = itemText(i) == ToWindowText(model_.Entry(i).name);
  const QSignalBlocker blocker(this);
  if (!same) {
    clear();
    for (int i = 0; i < model_.EntryCount(); ++i) addItem(ToWindowText(model_.Entry(i).name));
  }
  setCurrentIndex(model_.ShownIndex());
  const int shown = model_.ShownIndex();
  setToolTip(shown >= 0 && shown < model_.EntryCount() ? ToWindowText(model_.Entry(shown).name) : QString());
  update();
  view()->viewport()->update();
}

void LayersBox::showPopup() {
  Refresh();
  // The open list is as wide as its longest name needs, also when that is wider than the box.
  QAbstractItemView* list = view();
  list->setMinimumWidth(list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() +
                        2 * list->frameWidth());
  QComboBox::showPopup();
}

void LayersBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  option.currentIcon = QIcon();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const int shown = model_.ShownIndex();
  if (shown < 0 || shown >= model_.EntryCount()) return;
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  // The images sit at fixed pixels from the box's own edge, where the clicks are counted.
  const QRect entry(0, field.top(), field.right() + 1, field.height());
  DrawEntry(painter, entry, model_.Entry(shown), kClosedMarkLeft, kClosedLampLeft);
}

void LayersBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && model_.ClickClosedBox(static_cast<int>(event->position().x()))) {
    event->accept();
    update();
    return;
  }
  QComboBox::mousePressEvent(event);
}

// A pick moves the selected object to the picked layer, so only a deliberate
// pick in the open list may make one: a wheel turn over the closed box changes
// nothing and goes on to the window below (the open list scrolls as usual).
void LayersBox::wheelEvent(QWheelEvent* event) { event->ignore(); }

bool LayersBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view()->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint at = mouse->position().toPoint();
      const QModelIndex index = view()->indexAt(at);
      if (mouse->button() == Qt::LeftButton && index.isValid() &&
          model_.ClickListEntry(index.row(), at.x() - view()->visualRect(index).x())) {
        swallowRelease_ = true;
        view()->viewport()->update();
        return true;
      }
    } else if (event->type() == QEvent::MouseButtonRelease && swallowRelease_) {
      swallowRelease_ = false;
      return true;  // the list stays open
    }
  }
  return QComboBox::eventFilter(watched, event);
}

}  // namespace verdanto
