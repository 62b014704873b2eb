#include "varenta/table/TableView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace varenta {

TableView::TableView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted by PaintTable, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TableView::EnsureDensity(qreal dpr) {
    if (picture_.images != nullptr && picture_.imageDensity != dpr && onDensity) {
        onDensity(dpr);
    }
}

QImage TableView::Render(qreal dpr) {
    EnsureDensity(dpr);
    QImage image(size() * dpr, QImage::Format_ARGB32);
    image.setDevicePixelRatio(dpr);
    QPainter p(&image);
    if (picture_.state != nullptr) {
        PaintTable(p, picture_);
    } else {
        p.fillRect(image.rect(), picture_.background);
    }
    return image;
}

void TableView::paintEvent(QPaintEvent* event) {
    EnsureDensity(devicePixelRatioF());
    QPainter p(this);
    p.setClipRegion(event->region());
    if (picture_.state == nullptr || picture_.images == nullptr || picture_.geometry == nullptr) {
        p.fillRect(rect(), picture_.background);
        return;
    }
    PaintTable(p, picture_);
}

void TableView::mouseReleaseEvent(QMouseEvent* event) {
    if (onMouseUp) {
        onMouseUp(event->button(), event->modifiers(), event->position().toPoint());
    }
}

void TableView::mouseMoveEvent(QMouseEvent* /*event*/) {
    if (onMouseMove) {
        onMouseMove();
    }
}

void TableView::keyPressEvent(QKeyEvent* event) {
    if (onKey && onKey(event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TableView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResize) {
        onResize();
    }
}

// Tab has no meaning on the table; keep the keys here.
bool TableView::focusNextPrevChild(bool /*next*/) {
    return false;
}

} // namespace varenta
