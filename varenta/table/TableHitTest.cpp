#include "varenta/table/TableHitTest.h"

#include <QRect>

namespace varenta {

namespace {

QRect CardRect(const TableGeometry& g, int x, int y) {
    return QRect(x, y, g.cardWidth, g.cardHeight);
}

// Index of the card of pile hit at (x, y), or -1.
int HitInPile(const CardPile& pile, const TableGeometry& g, int x, int y) {
    for (int i = 0; i < pile.Size(); ++i) {
        const Card& card = pile[i];
        if (x < card.x || x >= card.x + g.cardWidth || y < card.y) {
            continue;
        }
        bool coveredBelow = false;
        for (int j = 0; j < pile.Size(); ++j) {
            if (j != i && pile[j].x == card.x && pile[j].y > card.y) {
                coveredBelow = true;
                break;
            }
        }
        const int visible = coveredBelow ? CardPile::kStep : g.cardHeight;
        if (y < card.y + visible) {
            return i;
        }
    }
    return -1;
}

} // namespace

Hit HitTest(const GameState& state, const TableGeometry& g, int x, int y) {
    const QPoint at(x, y);
    if (CardRect(g, g.leftMargin, g.stockRow).contains(at)) {
        return {HitRegion::Stock, -1};
    }
    if (CardRect(g, g.leftMargin, g.discardRow).contains(at)) {
        return {HitRegion::Pile, -1};
    }
    const int hand = HitInPile(state.playerHand, g, x, y);
    if (hand >= 0) {
        const bool wild = IsWild(state.playerHand[hand]);
        return {wild ? HitRegion::HandWild : HitRegion::HandNatural, hand};
    }
    const int meld = HitInPile(state.playerMelds, g, x, y);
    if (meld >= 0) {
        const bool threes = g.ColumnOf(state.playerMelds[meld].x) == kThreesColumn;
        return {threes ? HitRegion::ThreesCard : HitRegion::MeldCard, meld};
    }
    return {};
}

} // namespace varenta
