#pragma once

// Building staged positions for the engine's tests.

#include <initializer_list>

#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/testing/RecordingPort.h"

namespace varenta::testing {

// Codes of handy cards (suit * 13 + rank index + 1).
inline constexpr int kSpade(int rankIndex) {
    return rankIndex + 1;
}
inline constexpr int kClub(int rankIndex) {
    return 13 + rankIndex + 1;
}
inline constexpr int kDiamond(int rankIndex) {
    return 26 + rankIndex + 1;
}
inline constexpr int kHeart(int rankIndex) {
    return 39 + rankIndex + 1;
}
// Rank indexes: 0 two, 1 three, 2 four ... 8 ten, 9 jack, 10 queen, 11 king, 12 ace.
inline constexpr int kTwo = 0;
inline constexpr int kFour = 2;
inline constexpr int kFive = 3;
inline constexpr int kSix = 4;
inline constexpr int kSeven = 5;
inline constexpr int kEight = 6;
inline constexpr int kNine = 7;
inline constexpr int kTen = 8;
inline constexpr int kJack = 9;
inline constexpr int kQueen = 10;
inline constexpr int kKing = 11;
inline constexpr int kAce = 12;

// An engine with a recording port and reporter, an empty table laid out for
// layout 0, and the player to move having drawn (unless told otherwise).
class Table {
public:
    VarentaEngine engine;
    RecordingPort port;
    RecordingReporter reporter;

    Table() {
        engine.SetPort(&port);
        engine.SetReporter(&reporter);
        Reset();
    }

    GameState& S() { return engine.State(); }
    const TableGeometry& G() { return engine.Geometry(); }

    void Reset() {
        GameState& s = engine.State();
        const TableGeometry& g = engine.Geometry();
        for (CardPile* pile : {&s.stock, &s.discardPile, &s.playerHand, &s.opponentHand,
                               &s.playerMelds, &s.opponentMelds, &s.knownPlayerCards}) {
            pile->Clear();
        }
        s.stock.SetAnchors(g.leftMargin, g.columnWidth, g.stockRow);
        s.discardPile.SetAnchors(g.leftMargin, g.columnWidth, g.discardRow);
        s.playerHand.SetAnchors(g.leftMargin, g.columnWidth, g.handRow);
        s.playerMelds.SetAnchors(g.leftMargin, g.columnWidth, g.playerMeldRow);
        s.opponentMelds.SetAnchors(g.leftMargin, g.columnWidth, g.opponentMeldRow);
        s.playerVarentas.Clear();
        s.opponentVarentas.Clear();
        s.undoList.Clear();
        s.hasDrawn = true;
        s.mayTakePile = false;
        s.opponentToMove = false;
        s.pileFrozen = false;
        s.pileTopMustMeld = false;
        s.topCardPending = false;
        s.initialMeldMinimum = 50;
        s.wentOut = 2;
        deckOf_.fill(0);
    }

    // A fresh physical card of that code (alternating decks so that codes
    // may repeat).
    Card Make(int code) {
        const int deck = deckOf_[static_cast<std::size_t>(code)]++ % 2;
        return MakeCard(code, deck);
    }

    void Hand(std::initializer_list<int> codes) {
        for (int code : codes) {
            Card c = Make(code);
            c.faceUp = true;
            S().playerHand.PlaceInColumn(c, true, false);
            S().playerHand.Append(c);
        }
    }
    void OpponentHand(std::initializer_list<int> codes) {
        for (int code : codes) {
            Card c = Make(code);
            c.x = G().leftMargin + S().opponentHand.count * S().opponentHandSpacing;
            c.y = TableGeometry::kOpponentHandY;
            S().opponentHand.Append(c);
        }
    }
    // Cards laid in one column of the player's melds (column = rank unless given).
    void Melds(std::initializer_list<int> codes, int column = -1) {
        for (int code : codes) {
            Card c = Make(code);
            c.faceUp = true;
            S().playerMelds.PlaceInColumnAt(c, column >= 0 ? column : c.rank, true, false);
            S().playerMelds.Append(c);
        }
        if (column != 2) {
            engine.CheckVarenta(Side::Player, column >= 0 ? column : CardRank(*codes.begin()));
        }
    }
    void OpponentMelds(std::initializer_list<int> codes, int column = -1) {
        for (int code : codes) {
            Card c = Make(code);
            c.faceUp = true;
            S().opponentMelds.PlaceInColumnAt(c, column >= 0 ? column : c.rank, false, false);
            S().opponentMelds.Append(c);
        }
    }
    void Stock(std::initializer_list<int> codesBottomFirst) {
        for (int code : codesBottomFirst) {
            Card c = Make(code);
            c.x = G().leftMargin;
            c.y = G().stockRow;
            S().stock.Append(c);
        }
    }
    void Pile(std::initializer_list<int> codesBottomFirst) {
        for (int code : codesBottomFirst) {
            Card c = Make(code);
            c.faceUp = true;
            c.x = G().leftMargin;
            c.y = G().discardRow;
            S().discardPile.Append(c);
        }
    }
    // Index of the first hand card with that code.
    int InHand(int code) { return S().playerHand.FindByCode(code); }

private:
    std::array<int, 54> deckOf_{};
};

} // namespace varenta::testing
