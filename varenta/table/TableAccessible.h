// What a screen reader finds on the table: the table view as one accessible
// object whose children are the stock, the discard pile, the computer's
// hand (its size only), every card of the player's hand and the meld
// columns of both sides, each with a name that says what a sighted player
// sees there. The stock, the pile and the hand cards can be pressed, as a
// click on them would.
#pragma once

#include <QAccessibleWidget>

#include <map>
#include <utility>

class QWidget;

namespace varenta {

class TableView;
struct GameState;

enum class TableItem { Stock, Pile, OpponentHand, HandCard, PlayerMeld, OpponentMeld };

// The name a card is read by ("queen of hearts", "joker").
QString CardName(int code);

class TableAccessible : public QAccessibleWidget {
public:
    explicit TableAccessible(TableView* view);
    ~TableAccessible() override;
    TableAccessible(const TableAccessible&) = delete;
    TableAccessible& operator=(const TableAccessible&) = delete;

    // Made for every TableView (installed once, by the view).
    static QAccessibleInterface* Factory(const QString& className, QObject* object);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // The items as the table shows them now: what, and which of its kind
    // (hand index, meld column).
    std::vector<std::pair<TableItem, int>> Items() const;
    TableView* View() const;

private:
    QAccessibleInterface* Item(TableItem kind, int which) const;

    // One interface per item ever shown, kept for the table's life: a
    // screen reader may hold on to an item while the table changes.
    mutable std::map<std::pair<TableItem, int>, QAccessible::Id> items_;
};

} // namespace varenta
