#pragma once
// Window layouts are given in dialog units: a quarter of the font's average
// character width across, an eighth of its height down. Converting them with
// the font a window really uses keeps its controls fitting their texts at any
// display scaling.

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QSize>
#include <QString>

namespace verdanto {

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average over the Latin letters, as dialog units are defined.
    static const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseWidth_ = (metrics.horizontalAdvance(kLetters) / 26 + 1) / 2;
    baseHeight_ = metrics.height();
  }

  int X(int units) const { return (units * baseWidth_ + 2) / 4; }
  int Y(int units) const { return (units * baseHeight_ + 4) / 8; }
  QSize Size(int width, int height) const { return {X(width), Y(height)}; }
  QRect Rect(int x, int y, int width, int height) const { return {X(x), Y(y), X(width), Y(height)}; }

  // Widths given in pixels were made for a font whose average character is
  // kDesignBaseWidth pixels wide; they grow and shrink with the font as dialog
  // units do, so that the texts they were made for still fit.
  static constexpr int kDesignBaseWidth = 6;
  int Pixels(int designPixels) const { return (designPixels * baseWidth_ + kDesignBaseWidth / 2) / kDesignBaseWidth; }

  int baseWidth() const noexcept { return baseWidth_; }
  int baseHeight() const noexcept { return baseHeight_; }

 private:
  int baseWidth_ = 0;
  int baseHeight_ = 0;
};

}  // namespace verdanto
