// The table itself: the widget in the middle of the window that paints the
// game and passes the mouse and the keys on to the window.
#pragma once

#include "varenta/table/TablePainter.h"

#include <QWidget>

#include <functional>

namespace varenta {

class TableView : public QWidget {
    Q_OBJECT
public:
    explicit TableView(QWidget* parent = nullptr);

    // Nothing is painted but the background until the picture is complete.
    void SetPicture(const TablePicture& picture) { picture_ = picture; }
    TablePicture& Picture() { return picture_; }

    // The table as it looks now, painted off screen for a screen with `dpr`
    // device pixels per pixel.
    QImage Render(qreal dpr = 1.0);

    // The table's own size: the layout's, in which the game, its saved
    // positions and the network count. The view paints the table scaled to
    // fill its widget, keeping its proportions (a margin in the table's
    // colour), and maps every mouse position back. Empty: no scaling.
    void SetTableSize(QSize size);
    QSize TableSize() const { return tableSize_; }
    // Widget pixels per table pixel, and where the table's origin lies.
    qreal Scale() const;
    QPointF Origin() const;
    QPoint ToTable(QPointF widgetPoint) const;
    QRect ToWidget(const QRect& tableRect) const;
    // Paints a part of the table given in the table's coordinates.
    void RepaintTableRect(const QRect& tableRect) { repaint(ToWidget(tableRect)); }
    void UpdateTableRect(const QRect& tableRect) { update(ToWidget(tableRect)); }
    // Tells a screen reader that the table's parts changed (a card drawn,
    // melded or discarded, a new hand).
    void TellTableChanged();

    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, QPoint)> onMouseUp;
    std::function<void()> onMouseMove;
    std::function<bool(QKeyEvent*)> onKey; // true when the key was used
    std::function<void()> onResize;
    // The card pictures are wanted for another pixel density (a screen of
    // another density, or an off-screen rendering).
    std::function<void(qreal dpr)> onDensity;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void EnsureDensity(qreal dpr);
    void PaintScaled(QPainter& p, const QRect& area);

    TablePicture picture_;
    QSize tableSize_;
};

} // namespace varenta
