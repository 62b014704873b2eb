#pragma once

// Building staged positions for the engine's tests.

#include <gtest/gtest.h>

#include <initializer_list>

#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/testing/Cards.h"
#include "varenta/engine/testing/RecordingPort.h"
#include "varenta/engine/testing/StateAccess.h"

namespace varenta::testing {

// Every one of the 108 cards lies in exactly one place and no red three
// stays in a hand.
inline void ExpectEveryCardOnce(const GameState& s) {
    std::array<int, 54> codes{};
    for (const CardPile* p : {&s.stock, &s.discardPile, &s.playerHand, &s.opponentHand,
                              &s.playerMelds, &s.opponentMelds}) {
        for (int i = 0; i < p->count; ++i) {
            ++codes[(*p)[i].code];
            const bool inHand = p == &s.playerHand || p == &s.opponentHand;
            ASSERT_FALSE(inHand && IsRedThree((*p)[i]));
        }
    }
    for (int code = 1; code <= 52; ++code) {
        ASSERT_EQ(codes[static_cast<std::size_t>(code)], 2) << "code " << code;
    }
    ASSERT_EQ(codes[53], 4);
}

// An engine with a recording port and reporter, an empty table laid out for
// layout 0, and the player to move having drawn.
class Table {
public:
    VarentaEngine engine;
    RecordingPort port;
    RecordingReporter reporter;

    Table() {
        engine.SetPort(&port);
        engine.SetReporter(&reporter);
        GameState& s = MutableState(engine);
        engine.AnchorPiles();
        s.hasDrawn = true;
        s.mayTakePile = false;
    }

    GameState& S() { return MutableState(engine); }
    const TableGeometry& G() { return engine.Geometry(); }
    void Rules(const RuleSet& rules) { engine.SetRules(rules); }
    // The player to move and not yet drawn.
    void Undrawn() {
        S().hasDrawn = false;
        S().mayTakePile = true;
    }

    // A fresh physical card of that code (alternating decks, so codes may repeat).
    Card Make(int code) { return MakeCard(code, deckOf_[static_cast<std::size_t>(code)]++ % 2); }
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
    // Cards laid in one column of a side's melds (column = rank unless given);
    // the player's column is then tested for a Varenta.
    void Melds(std::initializer_list<int> codes, int column = -1, Side side = Side::Player) {
        const bool player = side == Side::Player;
        const int col = column >= 0 ? column : CardRank(*codes.begin());
        for (int code : codes) {
            Card c = Make(code);
            c.faceUp = true;
            CardPile& melds = player ? S().playerMelds : S().opponentMelds;
            melds.PlaceInColumnAt(c, col, player, false);
            melds.Append(c);
        }
        if (player && col != kThreesColumn) {
            engine.CheckVarenta(Side::Player, col);
        }
    }
    void OpponentMelds(std::initializer_list<int> codes) { Melds(codes, -1, Side::Opponent); }
    // A natural Varenta of kings in the player's melds.
    void KingVarenta() {
        Melds({Code(kSpade, kKing), Code(kHeart, kKing), Code(kClub, kKing), Code(kDiamond, kKing),
               Code(kSpade, kKing), Code(kHeart, kKing), Code(kClub, kKing)});
    }
    void Stock(std::initializer_list<int> codesBottomFirst) {
        Lay(S().stock, codesBottomFirst, G().stockRow, false);
    }
    void Pile(std::initializer_list<int> codesBottomFirst) {
        Lay(S().discardPile, codesBottomFirst, G().discardRow, true);
    }
    // Index of the first hand card with that code.
    int InHand(int code) { return S().playerHand.FindByCode(code); }

private:
    void Lay(CardPile& pile, std::initializer_list<int> codes, int y, bool faceUp) {
        for (int code : codes) {
            Card c = Make(code);
            c.x = G().leftMargin;
            c.y = y;
            c.faceUp = faceUp;
            pile.Append(c);
        }
    }
    std::array<int, 54> deckOf_{};
};

} // namespace varenta::testing
