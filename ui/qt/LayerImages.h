#pragma once
// The layer image strip shared by the layers box and the layer manager: 0 lit
// lamp, 1 unlit lamp, 2 current-layer mark, 3 blank (see LayerImage).

#include <QPixmap>

#include "ui/models/LayersBoxModel.h"  // LayerImage, kLayerImageWidth, kLayerImageHeight

namespace verdanto {

// One 13 x 16 image of the strip, with its teal background transparent.
QPixmap LayerImagePixmap(int image);

}  // namespace verdanto
