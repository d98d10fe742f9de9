// Reading line styles back from pixels.
#pragma once

#include <QtGui/QImage>
#include <vector>

namespace tamirel::testing {

// A pixel drawn by the black pen: dark, to allow for smoothing by other renderers.
inline bool Ink(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// Lengths of the alternating ink and blank runs along row y, from its first ink pixel.
inline std::vector<int> InkRuns(const QImage& image, int y) {
    std::vector<int> runs;
    int x = 0;
    while (x < image.width() && !Ink(image, x, y)) ++x;
    bool ink = true;
    int length = 0;
    for (; x < image.width(); ++x) {
        if (Ink(image, x, y) == ink) {
            ++length;
        } else {
            runs.push_back(length);
            ink = !ink;
            length = 1;
        }
    }
    if (ink && length > 0) runs.push_back(length);
    return runs;
}

}  // namespace tamirel::testing
