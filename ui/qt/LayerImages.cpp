#include "ui/qt/LayerImages.h"

#include <QBitmap>
#include <QColor>
#include <array>

#include "ui/models/LayersBoxModel.h"

// The strip lives in a static library: its resource must be pulled in by name.
static void InitLayerImageResource() { Q_INIT_RESOURCE(layers); }

namespace verdanto {

QPixmap LayerImagePixmap(int image) {
  static const std::array<QPixmap, 4> images = [] {
    InitLayerImageResource();
    const QPixmap strip(QStringLiteral(":/verdanto/layer_images.png"));
    std::array<QPixmap, 4> cut;
    for (int i = 0; i < 4; ++i) {
      QPixmap one = strip.copy(i * kLayerImageWidth, 0, kLayerImageWidth, kLayerImageHeight);
      one.setMask(one.createMaskFromColor(QColor(0, 128, 128), Qt::MaskInColor));
      cut[static_cast<std::size_t>(i)] = one;
    }
    return cut;
  }();
  return image >= 0 && image < 4 ? images[static_cast<std::size_t>(image)] : QPixmap();
}

}  // namespace verdanto
