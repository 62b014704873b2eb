#include "varenta/table/TableAccessible.h"

#include "varenta/engine/GameState.h"
#include "varenta/engine/TableGeometry.h"
#include "varenta/table/TableTextConversion.h"
#include "varenta/table/TableView.h"

#include <QPointer>
#include <QWindow>

#include <array>

namespace varenta {

namespace {

// What a screen reader reads, in the user's language like every other text.
constexpr std::array<const char*, 14> kRankNames = {
    QT_TRANSLATE_NOOP("varenta", "joker"), QT_TRANSLATE_NOOP("varenta", "two"),
    QT_TRANSLATE_NOOP("varenta", "three"), QT_TRANSLATE_NOOP("varenta", "four"),
    QT_TRANSLATE_NOOP("varenta", "five"),  QT_TRANSLATE_NOOP("varenta", "six"),
    QT_TRANSLATE_NOOP("varenta", "seven"), QT_TRANSLATE_NOOP("varenta", "eight"),
    QT_TRANSLATE_NOOP("varenta", "nine"),  QT_TRANSLATE_NOOP("varenta", "ten"),
    QT_TRANSLATE_NOOP("varenta", "jack"),  QT_TRANSLATE_NOOP("varenta", "queen"),
    QT_TRANSLATE_NOOP("varenta", "king"),  QT_TRANSLATE_NOOP("varenta", "ace")};
constexpr std::array<const char*, 14> kRankPlurals = {
    QT_TRANSLATE_NOOP("varenta", "jokers"), QT_TRANSLATE_NOOP("varenta", "twos"),
    QT_TRANSLATE_NOOP("varenta", "threes"), QT_TRANSLATE_NOOP("varenta", "fours"),
    QT_TRANSLATE_NOOP("varenta", "fives"),  QT_TRANSLATE_NOOP("varenta", "sixes"),
    QT_TRANSLATE_NOOP("varenta", "sevens"), QT_TRANSLATE_NOOP("varenta", "eights"),
    QT_TRANSLATE_NOOP("varenta", "nines"),  QT_TRANSLATE_NOOP("varenta", "tens"),
    QT_TRANSLATE_NOOP("varenta", "jacks"),  QT_TRANSLATE_NOOP("varenta", "queens"),
    QT_TRANSLATE_NOOP("varenta", "kings"),  QT_TRANSLATE_NOOP("varenta", "aces")};
constexpr std::array<const char*, 4> kSuitNames = {
    QT_TRANSLATE_NOOP("varenta", "spades"), QT_TRANSLATE_NOOP("varenta", "clubs"),
    QT_TRANSLATE_NOOP("varenta", "diamonds"), QT_TRANSLATE_NOOP("varenta", "hearts")};

QString Rank(int rank, bool plural) {
    return Tr((plural ? kRankPlurals : kRankNames).at(static_cast<std::size_t>(rank)));
}

QString Cards(int n) {
    return n == 1 ? Tr(QT_TRANSLATE_NOOP("varenta", "1 card"))
                  : Tr(QT_TRANSLATE_NOOP("varenta", "%1 cards")).arg(n);
}

// Where a click reaches the item: the middle of what shows of it.
QPoint ClickPoint(const GameState& s, const TableGeometry& g, TableItem kind, int which) {
    switch (kind) {
    case TableItem::Stock:
        return {g.leftMargin + g.cardWidth / 2, g.stockRow + g.cardHeight / 2};
    case TableItem::Pile:
        return {g.leftMargin + g.cardWidth / 2, g.discardRow + g.cardHeight / 2};
    case TableItem::HandCard: {
        const Card& card = s.playerHand[which];
        bool covered = false;
        for (int i = 0; i < s.playerHand.Size(); ++i) {
            covered = covered || (s.playerHand[i].x == card.x && s.playerHand[i].y > card.y);
        }
        return {card.x + g.cardWidth / 2, card.y + (covered ? 6 : g.cardHeight / 2)};
    }
    default:
        return {};
    }
}

QString MeldName(const GameState& s, const TableGeometry& g, bool player, int column) {
    const CardPile& melds = player ? s.playerMelds : s.opponentMelds;
    int naturals = 0;
    int cards = 0;
    for (int i = 0; i < melds.Size(); ++i) {
        if (g.ColumnOf(melds[i].x) == column) {
            ++cards;
            naturals += IsNatural(melds[i]) ? 1 : 0;
        }
    }
    const QString what =
        column == kWildColumn ? Tr(QT_TRANSLATE_NOOP("varenta", "wild cards")) : Rank(column, true);
    QString name = Tr(player ? QT_TRANSLATE_NOOP("varenta", "Your meld of %1: %2")
                             : QT_TRANSLATE_NOOP("varenta", "Opponent's meld of %1: %2"))
                       .arg(what, Cards(cards));
    if (column != kWildColumn && naturals < cards) {
        name += Tr(QT_TRANSLATE_NOOP("varenta", ", %1 natural")).arg(naturals);
    }
    const VarentaTally& tally = player ? s.playerVarentas : s.opponentVarentas;
    switch (tally.kind.at(static_cast<std::size_t>(column))) {
    case kNaturalVarenta:
        name += Tr(QT_TRANSLATE_NOOP("varenta", ", a natural Varenta"));
        break;
    case kMixedVarenta:
        name += Tr(QT_TRANSLATE_NOOP("varenta", ", a mixed Varenta"));
        break;
    case kWildVarenta:
        name += Tr(QT_TRANSLATE_NOOP("varenta", ", a wild card Varenta"));
        break;
    default:
        break;
    }
    return name;
}

class TableItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TableItemAccessible(TableView* view, TableItem kind, int which)
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
        return state;
    }
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect inView = view_->ToWidget(TableRect());
        return {view_->mapToGlobal(inView.topLeft()), inView.size()};
    }
    QString text(QAccessible::Text t) const override {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Description)) {
            return {};
        }
        return t == QAccessible::Name ? Name() : QString();
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
        if (action != pressAction() || !isValid() || !view_->onMouseUp) {
            return;
        }
        const TablePicture& p = view_->Picture();
        view_->onMouseUp(Qt::LeftButton, Qt::NoModifier,
                         ClickPoint(*p.state, *p.geometry, kind_, which_));
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    bool Pressable() const {
        return kind_ == TableItem::Stock || kind_ == TableItem::Pile ||
               kind_ == TableItem::HandCard;
    }
    bool Present() const {
        const TablePicture& p = view_->Picture();
        if (p.state == nullptr || p.geometry == nullptr) {
            return false;
        }
        switch (kind_) {
        case TableItem::HandCard:
            return which_ < p.state->playerHand.Size();
        case TableItem::PlayerMeld:
            return p.state->playerMelds.CountInColumn(which_) > 0;
        case TableItem::OpponentMeld:
            return p.state->opponentMelds.CountInColumn(which_) > 0;
        default:
            return true;
        }
    }
    QRect TableRect() const {
        const TablePicture& p = view_->Picture();
        const GameState& s = *p.state;
        const TableGeometry& g = *p.geometry;
        const QSize card(g.cardWidth, g.cardHeight);
        switch (kind_) {
        case TableItem::Stock:
            return {QPoint(g.leftMargin, g.stockRow), card};
        case TableItem::Pile:
            return {QPoint(g.leftMargin, g.discardRow), card};
        case TableItem::OpponentHand:
            return {g.leftMargin, TableGeometry::kOpponentHandY,
                    std::max(1, s.opponentHand.Size()) * s.opponentHandSpacing + g.cardWidth,
                    g.cardHeight};
        case TableItem::HandCard: {
            const Card& c = s.playerHand[which_];
            return {QPoint(c.x, c.y), card};
        }
        case TableItem::PlayerMeld:
        case TableItem::OpponentMeld: {
            const bool player = kind_ == TableItem::PlayerMeld;
            const CardPile& melds = player ? s.playerMelds : s.opponentMelds;
            QRect r;
            for (int i = 0; i < melds.Size(); ++i) {
                if (g.ColumnOf(melds[i].x) == which_) {
                    r = r.united(QRect(QPoint(melds[i].x, melds[i].y), card));
                }
            }
            return r.isNull() ? QRect(QPoint(g.ColumnX(which_),
                                             player ? g.playerMeldRow : g.opponentMeldRow),
                                      card)
                              : r;
        }
        }
        return {};
    }
    QString Name() const {
        const GameState& s = *view_->Picture().state;
        switch (kind_) {
        case TableItem::Stock:
            return Tr(QT_TRANSLATE_NOOP("varenta", "Stock: %1")).arg(Cards(s.stock.Size()));
        case TableItem::Pile: {
            if (s.discardPile.Empty()) {
                return Tr(QT_TRANSLATE_NOOP("varenta", "Discard pile: empty"));
            }
            return Tr(QT_TRANSLATE_NOOP("varenta", "Discard pile: %1, %2 on top%3"))
                .arg(Cards(s.discardPile.Size()), CardName(s.discardPile.Top().code),
                     s.pileFrozen ? Tr(QT_TRANSLATE_NOOP("varenta", ", frozen")) : QString());
        }
        case TableItem::OpponentHand:
            return Tr(QT_TRANSLATE_NOOP("varenta", "Opponent's hand: %1"))
                .arg(Cards(s.opponentHand.Size()));
        case TableItem::HandCard: {
            const Card& c = s.playerHand[which_];
            int same = 0;
            for (int i = 0; i < s.playerHand.Size(); ++i) {
                same += s.playerHand[i].rank == c.rank ? 1 : 0;
            }
            return same == 1
                       ? Tr(QT_TRANSLATE_NOOP("varenta", "%1, the only %2"))
                             .arg(CardName(c.code), Rank(c.rank, false))
                       : Tr(QT_TRANSLATE_NOOP("varenta", "%1, %2 %3 in your hand"))
                             .arg(CardName(c.code), QString::number(same), Rank(c.rank, true));
        }
        case TableItem::PlayerMeld:
            return MeldName(s, *view_->Picture().geometry, true, which_);
        case TableItem::OpponentMeld:
            return MeldName(s, *view_->Picture().geometry, false, which_);
        }
        return {};
    }

    QPointer<TableView> view_;
    TableItem kind_;
    int which_;
};

} // namespace

QString CardName(int code) {
    if (code == kJokerCode) {
        return Rank(0, false);
    }
    const int suit = (code - 1) / 13;
    return Tr(QT_TRANSLATE_NOOP("varenta", "%1 of %2"))
        .arg(Rank(CardRank(code), false), Tr(kSuitNames.at(static_cast<std::size_t>(suit & 3))));
}

TableAccessible::TableAccessible(TableView* view)
    : QAccessibleWidget(view, QAccessible::Pane,
                        Tr(QT_TRANSLATE_NOOP("varenta", "Varenta table"))) {}

TableAccessible::~TableAccessible() {
    for (const auto& [key, id] : items_) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

QAccessibleInterface* TableAccessible::Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("varenta::TableView") && object != nullptr &&
        object->isWidgetType()) {
        return new TableAccessible(static_cast<TableView*>(object));
    }
    return nullptr;
}

TableView* TableAccessible::View() const {
    return static_cast<TableView*>(widget());
}

QString TableAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        return Tr(QT_TRANSLATE_NOOP("varenta", "Varenta table"));
    }
    return QAccessibleWidget::text(t);
}

std::vector<std::pair<TableItem, int>> TableAccessible::Items() const {
    std::vector<std::pair<TableItem, int>> items;
    const TablePicture& p = View()->Picture();
    if (p.state == nullptr || p.geometry == nullptr) {
        return items;
    }
    const GameState& s = *p.state;
    items = {{TableItem::Stock, 0}, {TableItem::Pile, 0}, {TableItem::OpponentHand, 0}};
    for (int i = 0; i < s.playerHand.Size(); ++i) {
        items.emplace_back(TableItem::HandCard, i);
    }
    for (int column = 1; column < kColumns; ++column) {
        if (s.playerMelds.CountInColumn(column) > 0) {
            items.emplace_back(TableItem::PlayerMeld, column);
        }
    }
    for (int column = 1; column < kColumns; ++column) {
        if (s.opponentMelds.CountInColumn(column) > 0) {
            items.emplace_back(TableItem::OpponentMeld, column);
        }
    }
    return items;
}

QAccessibleInterface* TableAccessible::Item(TableItem kind, int which) const {
    const auto key = std::make_pair(kind, which);
    auto at = items_.find(key);
    if (at == items_.end()) {
        auto* item = new TableItemAccessible(View(), kind, which);
        at = items_.emplace(key, QAccessible::registerAccessibleInterface(item)).first;
    }
    return QAccessible::accessibleInterface(at->second);
}

int TableAccessible::childCount() const {
    return static_cast<int>(Items().size());
}

QAccessibleInterface* TableAccessible::child(int index) const {
    const auto items = Items();
    if (index < 0 || index >= static_cast<int>(items.size())) {
        return nullptr;
    }
    const auto& [kind, which] = items.at(static_cast<std::size_t>(index));
    return Item(kind, which);
}

int TableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto items = Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto at = items_.find(items[i]);
        if (at != items_.end() && QAccessible::accessibleInterface(at->second) == child) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QAccessibleInterface* TableAccessible::childAt(int x, int y) const {
    // The topmost item under the point: the last drawn.
    const int n = childCount();
    for (int i = n - 1; i >= 0; --i) {
        QAccessibleInterface* item = child(i);
        if (item != nullptr && item->rect().contains(x, y)) {
            return item;
        }
    }
    return nullptr;
}

} // namespace varenta
