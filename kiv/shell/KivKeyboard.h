// Playing from the keyboard: Left and Right walk a selection along the hand
// of the seat the user plays, Enter or Space lays the selected card, and the
// menu's "Karte ziehen" draws. Every key does exactly what a click does, by
// handing the game the same gesture at a point on the card or the stock that
// the game's own hit test finds, so a key is refused where the click would be.
#pragma once

#include <functional>

class QKeyEvent;
class QPainter;

namespace kiv {

class KivDocument;

class KivKeyboard {
public:
    explicit KivKeyboard(KivDocument& doc) : doc_(doc) {}

    // The hand the keys walk: the seat whose turn it is when a person plays
    // it, else seat 0, the person at the table.
    int HandSeat() const;
    // The selected card of that hand (0: the hand is empty). The selection
    // stays on its card while the card stays in the hand; when it leaves, the
    // card now at its place is selected.
    int SelectedCard() const;
    // True once a key has been used: the mark is shown from then on, until
    // the mouse is used on the table.
    bool Shown() const { return shown_; }
    void Hide();

    // Left, Right, Home, End, Enter, Return and Space, and F5 and F6 where
    // the menu's shortcuts did not take them; false for other keys.
    bool KeyPress(const QKeyEvent& event);
    // One step along the hand (negative: to the left); stops at either end.
    void Step(int step);
    void SelectAt(int index);
    void LaySelected();
    // A right click on `card`: lays it if the rules let it, else says why.
    void LayCard(int card);
    // A click on the stock: draws, or says why not.
    void DrawCard();

    // The frame around the selected card's visible part, in the table's
    // coordinates; nothing while a card is held.
    void PaintSelection(QPainter& painter) const;

    // Told after the selection moved (the screen reader's focus follows it)
    // and after it needs repainting.
    std::function<void(int card)> onSelectionChanged;
    std::function<void(int seat)> onRepaintHand;

private:
    int SelectedIndex() const;
    void Select(int index);

    KivDocument& doc_;
    mutable int card_ = 0;  // the card selected last
    mutable int index_ = 0; // its place in the hand then
    bool shown_ = false;
};

} // namespace kiv
