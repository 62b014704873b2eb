// The ten built-in card-back patterns, drawn into the inner area of a back.
#pragma once

#include <QPainter>
#include <QRectF>

namespace varenta {

// Pattern 0 beach, 1 fish1, 2 fish2, 3 leaves1, 4 leaves2, 5 pattern1,
// 6 pattern2, 7 robot, 8 rose, 9 shell.
void PaintPattern(QPainter& p, int pattern, const QRectF& area);

} // namespace varenta
