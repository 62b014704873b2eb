#include "varenta/table/TableView.h"

#include "varenta/table/TableAccessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace varenta {

TableView::TableView(QWidget* parent) : QWidget(parent) {
    // A screen reader reads the table's parts (TableAccessible).
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&TableAccessible::Factory);
        return true;
    }();
    (void)factoryInstalled;
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

void TableView::SetTableSize(QSize size) {
    tableSize_ = size;
    update();
}

qreal TableView::Scale() const {
    if (tableSize_.isEmpty() || size() == tableSize_) {
        return 1.0;
    }
    return std::min(static_cast<qreal>(width()) / tableSize_.width(),
                    static_cast<qreal>(height()) / tableSize_.height());
}

QPointF TableView::Origin() const {
    if (tableSize_.isEmpty()) {
        return {};
    }
    const qreal scale = Scale();
    // Centred across; at the top, so that the room below the table shows
    // the long meld and hand columns that reach past it.
    return {std::max(0.0, (width() - tableSize_.width() * scale) / 2), 0.0};
}

QPoint TableView::ToTable(QPointF widgetPoint) const {
    const qreal scale = Scale();
    const QPointF at = (widgetPoint - Origin()) / scale;
    return {static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y()))};
}

QRect TableView::ToWidget(const QRect& tableRect) const {
    const qreal scale = Scale();
    const QPointF origin = Origin();
    const QRectF mapped(origin + QPointF(tableRect.topLeft()) * scale,
                        QSizeF(tableRect.size()) * scale);
    // Whole pixels that cover every partly covered one.
    return mapped.toAlignedRect().adjusted(-1, -1, 1, 1);
}

// The table in its own coordinates, scaled onto the widget; the card images
// are made for the scaled size, so they are drawn pixel for pixel.
void TableView::PaintScaled(QPainter& p, const QRect& area) {
    if (picture_.state == nullptr || picture_.images == nullptr || picture_.geometry == nullptr) {
        p.fillRect(area, picture_.background);
        return;
    }
    const qreal scale = Scale();
    if (scale != 1.0 || !Origin().isNull()) {
        p.fillRect(area, picture_.background);
        p.translate(Origin());
        p.scale(scale, scale);
    }
    PaintTable(p, picture_);
}

void TableView::TellTableChanged() {
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
        QAccessibleEvent named(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
    }
}

QImage TableView::Render(qreal dpr) {
    EnsureDensity(dpr * Scale());
    QImage image(size() * dpr, QImage::Format_ARGB32);
    image.setDevicePixelRatio(dpr);
    QPainter p(&image);
    PaintScaled(p, rect());
    return image;
}

void TableView::paintEvent(QPaintEvent* event) {
    EnsureDensity(devicePixelRatioF() * Scale());
    QPainter p(this);
    p.setClipRegion(event->region());
    PaintScaled(p, rect());
}

void TableView::mouseReleaseEvent(QMouseEvent* event) {
    if (onMouseUp) {
        onMouseUp(event->button(), event->modifiers(), ToTable(event->position()));
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
