#include "kiv/shell/KivAccessible.h"

#include "kiv/shell/KivKeyboard.h"
#include "kiv/shell/KivStrings.h"
#include "kiv/shell/KivTableView.h"

#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <array>

namespace kiv {

namespace {

constexpr std::array<const char*, 8> kRankNames = {"Sieben", "Acht", "Neun",  "Zehn",
                                                   "Bube",   "Dame", "König", "As"};
// The panel strip of each seat down the left edge.
constexpr int kPanelWidth = 100;
constexpr int kPanelHeight = 100;

KivAccessibleListener listener = nullptr;

void Tell(QAccessibleEvent* event) {
    if (listener != nullptr) {
        listener(event);
    }
    QAccessible::updateAccessibility(event);
}

QString Cards(int n) {
    return n == 1 ? QStringLiteral("1 Karte") : QStringLiteral("%1 Karten").arg(n);
}

// The suit names of the jack's dialog: Herz, Karo, Kreuz, Pik (texts 25..28).
QString SuitName(int suit, int languageBase) {
    switch (suit) {
    case kHerz:
        return Text(languageBase, 25);
    case kKaro:
        return Text(languageBase, 26);
    case kKreuz:
        return Text(languageBase, 27);
    case kPik:
        return Text(languageBase, 28);
    default:
        return {};
    }
}

class KivItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    KivItemAccessible(KivTableView* view, KivItem kind, int which)
        : view_(view), kind_(kind), which_(which) {}

    bool isValid() const override { return !view_.isNull() && Present(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QAccessible::Role role() const override {
        return Pressable() ? QAccessible::Button : QAccessible::StaticText;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !isValid();
        if (kind_ == KivItem::HandCard && isValid()) {
            state.focusable = true;
            state.focused = view_->hasFocus() && view_->Keyboard().SelectedCard() == which_;
        }
        return state;
    }
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect inView = view_->ToView(TableRect());
        return {view_->mapToGlobal(inView.topLeft()), inView.size()};
    }
    QString text(QAccessible::Text t) const override {
        if (!isValid()) {
            return {};
        }
        if (t == QAccessible::Name) {
            return Name();
        }
        if (t == QAccessible::Description && kind_ == KivItem::HandCard) {
            const Hand& hand = Game().seats[view_->Keyboard().HandSeat()].hand;
            return QStringLiteral("Karte %1 von %2")
                .arg(hand.PositionOf(which_) + 1)
                .arg(hand.Count());
        }
        return {};
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface && Pressable()
                   ? static_cast<QAccessibleActionInterface*>(this)
                   : nullptr;
    }
    QStringList actionNames() const override {
        return Pressable() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& action) override {
        if (action != pressAction() || !isValid()) {
            return;
        }
        // The press is carried out from the event loop: the computer seats'
        // moves that follow it take seconds, and the screen reader's call
        // must not wait for them.
        QTimer::singleShot(0, view_.data(), [view = view_, kind = kind_, which = which_] {
            // While cards are dealt or fly the table takes no input, as for a click.
            if (view.isNull() || view->CardsBusy()) {
                return;
            }
            if (kind == KivItem::Stock) {
                view->Keyboard().DrawCard();
            } else if (kind == KivItem::HandCard) {
                view->Keyboard().LayCard(which);
            }
        });
    }
    QStringList keyBindingsForAction(const QString&) const override {
        if (kind_ == KivItem::Stock) {
            return {QStringLiteral("F5")};
        }
        return kind_ == KivItem::HandCard ? QStringList{QStringLiteral("Return")} : QStringList{};
    }

private:
    const PlayState& Game() const { return view_->Document().State(); }
    int Base() const { return view_->Document().Settings().languageBase; }
    bool Pressable() const { return kind_ == KivItem::Stock || kind_ == KivItem::HandCard; }
    bool Present() const {
        if (kind_ != KivItem::HandCard) {
            return true;
        }
        return Game().seats[view_->Keyboard().HandSeat()].hand.Contains(which_);
    }
    QRect TableRect() const {
        const PlayState& s = Game();
        switch (kind_) {
        case KivItem::Stock:
            return {s.stock.x, s.stock.y, kCardWidth, kCardHeight};
        case KivItem::Pile:
            return {s.discardPile.x, s.discardPile.y, kCardWidth, kCardHeight};
        case KivItem::Seat:
            return {0, kPanelHeight * which_, kPanelWidth, kPanelHeight};
        case KivItem::HandCard: {
            // What shows of it: a covered card only its strip.
            const PlayingCard& c = s.cards[which_];
            return {c.x, c.y, c.VisibleWidth(), kCardHeight};
        }
        }
        return {};
    }
    QString Name() const {
        const PlayState& s = Game();
        switch (kind_) {
        case KivItem::Stock:
            return QStringLiteral("Stapel: ") + Cards(s.stock.Count());
        case KivItem::Pile: {
            if (s.discardPile.Empty()) {
                return QStringLiteral("Ablagestapel: leer");
            }
            QString name =
                QStringLiteral("Ablagestapel: %1, oben %2")
                    .arg(Cards(s.discardPile.Count()), CardName(s.discardPile.Top(), Base()));
            if (s.wishedSuit != 0) {
                name += QStringLiteral(", zu legen: ") + SuitName(s.wishedSuit, Base());
            }
            if (s.cardsToDraw > 0) {
                name += QStringLiteral(", zu ziehen: %1").arg(s.cardsToDraw);
            }
            return name;
        }
        case KivItem::Seat: {
            const SeatSettings& setUp = view_->Document().Settings().seats[which_];
            QString name = QString::fromStdString(setUp.name);
            if (!setUp.plays) {
                return name + QStringLiteral(": spielt nicht mit");
            }
            const Seat& seat = s.seats[which_];
            name += setUp.computer ? QStringLiteral(" (Rechner): ") : QStringLiteral(": ");
            name += Cards(seat.hand.Count()) + QStringLiteral(", %1 Punkte").arg(seat.score);
            if (s.currentSeat == which_) {
                name += QStringLiteral(", ") + LoadText(Base() + 109);
            }
            return name;
        }
        case KivItem::HandCard:
            return CardName(which_, Base());
        }
        return {};
    }

    QPointer<KivTableView> view_;
    KivItem kind_;
    int which_;
};

} // namespace

void SetAccessibleListener(KivAccessibleListener l) {
    listener = l;
}

bool ScreenReaderListens() {
    return listener != nullptr || QAccessible::isActive();
}

QString CardName(int card, int languageBase) {
    if (!IsCardNumber(card)) {
        return {};
    }
    return SuitName(SuitOfCard(card), languageBase) + ' ' +
           QString::fromUtf8(kRankNames.at(static_cast<std::size_t>(RankOfCard(card) - kSieben)));
}

KivTableAccessible::KivTableAccessible(KivTableView* view)
    : QAccessibleWidget(view, QAccessible::Pane, QStringLiteral("Spieltisch")) {
    // What a screen reader first finds is what it has been told.
    toldItems_ = Items();
    for (const auto& [kind, which] : toldItems_) {
        toldNames_.emplace(std::make_pair(kind, which), Item(kind, which)->text(QAccessible::Name));
    }
}

KivTableAccessible::~KivTableAccessible() {
    for (const auto& [key, id] : items_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

QAccessibleInterface* KivTableAccessible::Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("kiv::KivTableView") && object != nullptr &&
        object->isWidgetType()) {
        return new KivTableAccessible(static_cast<KivTableView*>(object));
    }
    return nullptr;
}

KivTableView* KivTableAccessible::View() const {
    return static_cast<KivTableView*>(widget());
}

QString KivTableAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        return QStringLiteral("Spieltisch");
    }
    if (t == QAccessible::Description) {
        return QStringLiteral("Pfeiltasten: Karte wählen, Eingabe oder Leertaste: Karte ablegen, "
                              "F5: Karte ziehen, F6: Nächster Spieler");
    }
    return QAccessibleWidget::text(t);
}

std::vector<std::pair<KivItem, int>> KivTableAccessible::Items() const {
    std::vector<std::pair<KivItem, int>> items = {{KivItem::Stock, 0}, {KivItem::Pile, 0}};
    for (int seat = 0; seat < kSeatCount; ++seat) {
        items.emplace_back(KivItem::Seat, seat);
    }
    const KivTableView* view = View();
    for (int card : view->Document().State().seats[view->Keyboard().HandSeat()].hand) {
        items.emplace_back(KivItem::HandCard, card);
    }
    return items;
}

QAccessibleInterface* KivTableAccessible::Item(KivItem kind, int which) const {
    const auto key = std::make_pair(kind, which);
    auto at = items_.find(key);
    if (at == items_.end()) {
        auto* item = new KivItemAccessible(View(), kind, which);
        at = items_.emplace(key, QAccessible::registerAccessibleInterface(item)).first;
    }
    return QAccessible::accessibleInterface(at->second);
}

int KivTableAccessible::childCount() const {
    return static_cast<int>(Items().size());
}

QAccessibleInterface* KivTableAccessible::child(int index) const {
    const auto items = Items();
    if (index < 0 || index >= static_cast<int>(items.size())) {
        return nullptr;
    }
    const auto& [kind, which] = items.at(static_cast<std::size_t>(index));
    return Item(kind, which);
}

int KivTableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto items = Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto at = items_.find(items[i]);
        if (at != items_.end() && QAccessible::accessibleInterface(at->second) == child) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QAccessibleInterface* KivTableAccessible::childAt(int x, int y) const {
    // The topmost item under the point: the last drawn.
    for (int i = childCount() - 1; i >= 0; --i) {
        QAccessibleInterface* item = child(i);
        if (item != nullptr && item->rect().contains(x, y)) {
            return item;
        }
    }
    return nullptr;
}

QAccessibleInterface* KivTableAccessible::focusChild() const {
    const int card = View()->Keyboard().SelectedCard();
    if (!View()->hasFocus() || card == 0) {
        return nullptr;
    }
    return Item(KivItem::HandCard, card);
}

void KivTableAccessible::TellChanges() {
    const auto items = Items();
    if (items != toldItems_) {
        toldItems_ = items;
        QAccessibleEvent reorder(View(), QAccessible::ObjectReorder);
        Tell(&reorder);
    }
    for (const auto& [kind, which] : items) {
        QAccessibleInterface* item = Item(kind, which);
        const QString name = item->text(QAccessible::Name);
        auto told = toldNames_.find({kind, which});
        if (told == toldNames_.end()) {
            toldNames_.emplace(std::make_pair(kind, which), name);
        } else if (told->second != name) {
            told->second = name;
            QAccessibleEvent named(item, QAccessible::NameChanged);
            Tell(&named);
        }
    }
}

void KivTableAccessible::TellFocus(int card) {
    if (card == 0 ||
        !View()->Document().State().seats[View()->Keyboard().HandSeat()].hand.Contains(card)) {
        return;
    }
    QAccessibleEvent focus(Item(KivItem::HandCard, card), QAccessible::Focus);
    Tell(&focus);
}

} // namespace kiv
