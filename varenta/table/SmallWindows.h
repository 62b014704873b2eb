// The small windows around the table: the splash picture shown while the
// program starts, the turn notice, and the about box.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QPixmap>

class QLabel;

namespace varenta {

// The picture of the splash window and of the about box: a fan of cards
// with the program's name.
QPixmap DrawTitlePicture(QSize size);

// A small framed notice centred on the table ("It's your turn to draw first.").
class TurnNotice : public QFrame {
    Q_OBJECT
public:
    TurnNotice(const QString& text, QWidget* table);
    QString Text() const;

private:
    QLabel* label_;
};

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace varenta
