// How sharp a rendered area is, measured on its pixels: the strongest step in
// brightness between neighbouring pixels (a picture enlarged smoothly loses
// it), and the share of aligned 2 x 2 blocks that are not of one brightness
// (a picture enlarged pixel by pixel has none).
#pragma once

#include <QImage>
#include <QRect>

#include <algorithm>
#include <cstdlib>

struct Sharpness {
    int strongestStep = 0;
    double mixedBlocks = 0;
};

inline Sharpness MeasureSharpness(const QImage& image, const QRect& area) {
    Sharpness s;
    const QRect r = area.intersected(image.rect());
    auto grey = [&image](int x, int y) { return qGray(image.pixel(x, y)); };
    for (int y = r.top(); y < r.bottom(); ++y) {
        for (int x = r.left(); x < r.right(); ++x) {
            s.strongestStep = std::max({s.strongestStep, std::abs(grey(x, y) - grey(x + 1, y)),
                                        std::abs(grey(x, y) - grey(x, y + 1))});
        }
    }
    int blocks = 0;
    int mixed = 0;
    for (int y = r.top() & ~1; y + 1 <= r.bottom(); y += 2) {
        for (int x = r.left() & ~1; x + 1 <= r.right(); x += 2) {
            const int a = grey(x, y), b = grey(x + 1, y), c = grey(x, y + 1),
                      d = grey(x + 1, y + 1);
            ++blocks;
            mixed += std::max({a, b, c, d}) - std::min({a, b, c, d}) > 24 ? 1 : 0;
        }
    }
    s.mixedBlocks = blocks > 0 ? static_cast<double>(mixed) / blocks : 0;
    return s;
}

// True when `big`, the same area drawn larger (`bigArea` in it), is as sharp
// as `once`: no step lost, and detail finer than an enlarged pixel.
inline bool SharpWhereEnlarged(const QImage& once, const QRect& area, const QImage& big,
                               const QRect& bigArea) {
    const Sharpness one = MeasureSharpness(once, area);
    const Sharpness enlarged = MeasureSharpness(big, bigArea);
    return enlarged.strongestStep * 10 >= one.strongestStep * 9 && enlarged.mixedBlocks >= 0.01;
}

// True when `twice`, drawn for two device pixels per pixel, is as sharp as
// `once` drawn for one.
inline bool SharpAtTwice(const QImage& once, const QRect& area, const QImage& twice) {
    return SharpWhereEnlarged(once, area, twice, QRect(area.topLeft() * 2, area.size() * 2));
}
