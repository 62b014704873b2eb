// What a screen reader finds on the Kiv table: the table view as one
// accessible object whose children are the stock, the discard pile, the four
// seats and every card of the hand the user plays, each named for what a
// sighted player sees there. The stock and the hand cards are buttons that
// can be pressed as a click on them would be; the selected card has the
// focus, and what changes is told by the names changing.
#pragma once

#include <QAccessibleWidget>

#include <map>
#include <utility>
#include <vector>

namespace kiv {

class KivTableView;

enum class KivItem { Stock, Pile, Seat, HandCard };

// Where the table's events go: Qt's accessibility layer, and a listener a
// test sets where no platform bridge is active (nullptr: none).
using KivAccessibleListener = void (*)(QAccessibleEvent* event);
void SetAccessibleListener(KivAccessibleListener listener);
// True while someone hears the events: a screen reader, or the listener.
bool ScreenReaderListens();

// The name a card is read by ("Herz Dame"): the suit as the program names
// it, then the rank.
QString CardName(int card, int languageBase);

class KivTableAccessible : public QAccessibleWidget {
public:
    explicit KivTableAccessible(KivTableView* view);
    ~KivTableAccessible() override;
    KivTableAccessible(const KivTableAccessible&) = delete;
    KivTableAccessible& operator=(const KivTableAccessible&) = delete;

    // Made for every KivTableView (installed once, by the view).
    static QAccessibleInterface* Factory(const QString& className, QObject* object);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // The items as the table shows them now: what, and which of its kind
    // (seat index, card number).
    std::vector<std::pair<KivItem, int>> Items() const;
    QAccessibleInterface* Item(KivItem kind, int which) const;
    KivTableView* View() const;

    // Tells a screen reader what changed since it was last told: a name
    // changed, cards came into the hand or left it.
    void TellChanges();
    // The selection moved to `card`: it has the focus now.
    void TellFocus(int card);

private:
    // One interface per item ever shown, kept for the table's life: a
    // screen reader may hold on to an item while the table changes.
    mutable std::map<std::pair<KivItem, int>, QAccessible::Id> items_;
    std::map<std::pair<KivItem, int>, QString> toldNames_;
    std::vector<std::pair<KivItem, int>> toldItems_;
};

} // namespace kiv
