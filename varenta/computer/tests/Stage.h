#pragma once

// Staged positions for the computer player's tests: an engine with an empty
// table, the computer (the opponent side) to move, and helpers to lay cards.

#include <array>
#include <initializer_list>

#include "varenta/computer/ComputerSettings.h"
#include "varenta/engine/VarentaEngine.h"
#include "varenta/engine/testing/Cards.h"
#include "varenta/engine/testing/RecordingPort.h"
#include "varenta/engine/testing/StateAccess.h"

namespace varenta::testing {

inline constexpr int kBlackThree = Code(kSpade, kThree);
inline constexpr int kRedThree = Code(kDiamond, kThree);
inline constexpr int kTwoCode = Code(kSpade, kTwo);

class Stage {
public:
    VarentaEngine engine;
    RecordingPort port;
    ComputerSettings settings;
    ExpertMemory expert;
    AdvancedMemory advanced;

    Stage() {
        engine.SetPort(&port);
        GameState& s = MutableState(engine);
        engine.AnchorPiles();
        s.pileFrozen = false;
        s.opponentToMove = true;
        s.playerDrawsFirst = true;
    }

    GameState& St() { return MutableState(engine); }
    void SetRules(const RuleSet& rules) { engine.SetRules(rules); }

    Card Make(int code) { return MakeCard(code, (deck_[code]++) % 2); }

    // The computer's hand.
    void Hand(std::initializer_list<int> codes) {
        for (int code : codes) {
            Card c = Make(code);
            c.x = engine.Geometry().leftMargin + St().opponentHand.count * St().opponentHandSpacing;
            c.y = TableGeometry::kOpponentHandY;
            St().opponentHand.Append(c);
        }
    }
    // The computer's melds in one column (the first card's rank unless given);
    // counts the points and the Varenta as the engine would.
    void Melds(std::initializer_list<int> codes, int column = -1) {
        const int col = column >= 0 ? column : CardRank(*codes.begin());
        for (int code : codes) {
            Card c = Make(code);
            c.faceUp = true;
            St().opponentMelds.PlaceInColumnAt(c, col, false, false);
            St().opponentMelds.Append(c);
            if (!IsRedThree(c)) {
                St().opponentMeldPoints += c.points;
            }
        }
        if (col != kThreesColumn) {
            engine.CheckVarenta(Side::Opponent, col);
        }
    }
    void HumanHand(std::initializer_list<int> codes) {
        for (int code : codes) {
            Card c = Make(code);
            St().playerHand.PlaceInColumn(c, true, false);
            St().playerHand.Append(c);
        }
    }
    // n filler cards in the human's hand.
    void HumanHandSize(int n) {
        for (int i = 0; i < n; ++i) {
            HumanHand({Code(kHeart, kSix)});
        }
    }
    void HumanMelds(std::initializer_list<int> codes, int column = -1) {
        const int col = column >= 0 ? column : CardRank(*codes.begin());
        for (int code : codes) {
            Card c = Make(code);
            St().playerMelds.PlaceInColumnAt(c, col, true, false);
            St().playerMelds.Append(c);
        }
        if (col != kThreesColumn) {
            engine.CheckVarenta(Side::Player, col);
        }
    }
    void Known(std::initializer_list<int> codes) {
        for (int code : codes) {
            St().knownPlayerCards.Append(MakeCard(code, 0));
        }
    }
    // Pile cards bottom first (the last one is the top).
    void Pile(std::initializer_list<int> codes) {
        for (int code : codes) {
            Card c = Make(code);
            c.faceUp = true;
            St().discardPile.Append(c);
        }
    }
    // n pile cards spread over five ranks, so that no rank piles up.
    void PileFiller(int n) {
        static constexpr std::array<int, 5> kRanks{kFour, kSix, kEight, kTen, kQueen};
        for (int i = 0; i < n; ++i) {
            Pile({Code(kDiamond, kRanks[static_cast<std::size_t>(filler_++ % 5)])});
        }
    }
    // Stock cards bottom first (the last one is drawn first).
    void Stock(std::initializer_list<int> codes) {
        for (int code : codes) {
            St().stock.Append(Make(code));
        }
    }
    void StockFiller(int n) {
        for (int i = 0; i < n; ++i) {
            Stock({Code(kDiamond, kEight)});
        }
    }
    int HandCount(int rank) const {
        int n = 0;
        const CardPile& hand = engine.State().opponentHand;
        for (int i = 0; i < hand.count; ++i) {
            n += hand[i].rank == rank ? 1 : 0;
        }
        return n;
    }
    int MeldColumn(int column) const { return engine.MeldColumnCount(Side::Opponent, column); }

private:
    std::array<int, 54> deck_{};
    int filler_ = 0;
};

} // namespace varenta::testing
