#pragma once
// Comparing pictures pixel by pixel.

#include <QImage>

namespace kv::test {

// How many pixels of two pictures of the same size differ.
inline int DifferentPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

}  // namespace kv::test
