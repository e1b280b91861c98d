#pragma once
// A drawing of 100 000 LINE entities as text DXF, for the drawing and host benchmarks.

#include <string>

namespace verdanto::bench {

inline constexpr int kLines = 100000;

// Lines in a 1000 x 100 grid of short diagonal strokes.
inline const std::string& LinesDxf() {
  static const std::string text = [] {
    std::string out = "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < kLines; ++i) {
      const int x = i % 1000;
      const int y = i / 1000;
      out += "0\nLINE\n5\n" + std::to_string(i + 0x100) + "\n8\nGrid\n10\n" + std::to_string(x) + "\n20\n" +
             std::to_string(y) + "\n30\n0\n11\n" + std::to_string(x) + ".5\n21\n" + std::to_string(y) +
             ".5\n31\n0\n";
    }
    return out + "0\nENDSEC\n0\nEOF\n";
  }();
  return text;
}

}  // namespace verdanto::bench
