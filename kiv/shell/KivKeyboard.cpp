#include "kiv/shell/KivKeyboard.h"

#include "kiv/shell/KivDocument.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace kiv {

int KivKeyboard::HandSeat() const {
    const int current = doc_.State().currentSeat;
    return doc_.Settings().seats[current].computer ? 0 : current;
}

int KivKeyboard::SelectedIndex() const {
    const Hand& hand = doc_.State().seats[HandSeat()].hand;
    if (hand.Count() == 0) {
        return -1;
    }
    const int at = card_ != 0 ? hand.PositionOf(card_) : -1;
    if (at >= 0) {
        index_ = at;
    } else {
        index_ = std::clamp(index_, 0, hand.Count() - 1);
        card_ = hand.At(index_);
    }
    return index_;
}

int KivKeyboard::SelectedCard() const {
    const int at = SelectedIndex();
    return at < 0 ? 0 : doc_.State().seats[HandSeat()].hand.At(at);
}

void KivKeyboard::Hide() {
    if (shown_) {
        shown_ = false;
        if (onRepaintHand) {
            onRepaintHand(HandSeat());
        }
    }
}

void KivKeyboard::Select(int index) {
    const Hand& hand = doc_.State().seats[HandSeat()].hand;
    if (hand.Count() == 0) {
        return;
    }
    index_ = std::clamp(index, 0, hand.Count() - 1);
    card_ = hand.At(index_);
    shown_ = true;
    if (onRepaintHand) {
        onRepaintHand(HandSeat());
    }
    if (onSelectionChanged) {
        onSelectionChanged(card_);
    }
}

void KivKeyboard::Step(int step) {
    const int at = SelectedIndex();
    // The first key only shows where the selection is.
    Select(at < 0 ? 0 : shown_ ? at + step : at);
}

void KivKeyboard::SelectAt(int index) {
    SelectedIndex();
    Select(index);
}

bool KivKeyboard::KeyPress(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    switch (event.key()) {
    case Qt::Key_Left:
        Step(-1);
        return true;
    case Qt::Key_Right:
        Step(1);
        return true;
    case Qt::Key_Home:
        SelectAt(0);
        return true;
    case Qt::Key_End:
        SelectAt(doc_.State().seats[HandSeat()].hand.Count() - 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        LaySelected();
        return true;
    // The menu's shortcuts take these first; where the window system has not
    // made the window active they come here, and do the same.
    case Qt::Key_F5:
        DrawCard();
        return true;
    case Qt::Key_F6:
        doc_.NextPlayerCommand();
        return true;
    default:
        return false;
    }
}

void KivKeyboard::LaySelected() {
    const int card = SelectedCard();
    shown_ = true;
    if (card != 0) {
        LayCard(card);
    }
}

void KivKeyboard::LayCard(int card) {
    if (!IsCardNumber(card)) {
        return;
    }
    // The middle of what shows of the card, where a click would find it.
    const PlayingCard& c = doc_.State().cards[card];
    const int x = c.x + c.VisibleWidth() / 2;
    const int y = c.y + kCardHeight / 2;
    if (doc_.State().heldCard != 0 || doc_.HitTestCard(x, y) != card) {
        return;
    }
    doc_.RightButtonDown(x, y);
    doc_.RightButtonUp(x, y);
    // The selection stays where the card was, on the card now there.
    if (onRepaintHand) {
        onRepaintHand(HandSeat());
    }
}

void KivKeyboard::DrawCard() {
    const CardPile& stock = doc_.State().stock;
    const int x = stock.x + kCardWidth / 2;
    const int y = stock.y + kCardHeight / 2;
    if (doc_.State().heldCard != 0 || doc_.HitTestCard(x, y) != 0 || !stock.HitTest(x, y)) {
        return;
    }
    const int before = doc_.State().seats[HandSeat()].hand.Count();
    const int seat = HandSeat();
    doc_.LeftButtonDown(x, y);
    const int drawn = doc_.State().heldCard;
    doc_.LeftButtonUp(x, y);
    // The card just drawn is selected, ready to be laid where the rules let it.
    if (drawn != 0 && HandSeat() == seat && doc_.State().seats[seat].hand.Count() == before + 1) {
        card_ = drawn;
    }
    if (onRepaintHand) {
        onRepaintHand(HandSeat());
    }
}

void KivKeyboard::PaintSelection(QPainter& painter) const {
    const int card = shown_ && doc_.State().heldCard == 0 ? SelectedCard() : 0;
    if (card == 0) {
        return;
    }
    const PlayingCard& c = doc_.State().cards[card];
    const QRectF visible(c.x, c.y, c.VisibleWidth(), kCardHeight);
    // A light frame with a dark edge inside stands out on the table's colour
    // and on the card's white alike.
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 215, 0), 3));
    painter.drawRect(visible.adjusted(1.5, 1.5, -1.5, -1.5));
    painter.setPen(QPen(QColor(0, 0, 128), 1));
    painter.drawRect(visible.adjusted(3.5, 3.5, -3.5, -3.5));
    painter.restore();
}

} // namespace kiv
