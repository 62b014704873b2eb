// The Beginner's melds at their limits (with the Advanced level's first
// melds, laid the same way): the first melds after a take, the naturals it
// keeps back, the wild cards it lays out when it can go out.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "varenta/computer/AdvancedPlayer.h"
#include "varenta/computer/BeginnerPlayer.h"
#include "varenta/computer/tests/Stage.h"

namespace varenta::testing {
namespace {

void KingVarenta(Stage& t) {
    for (int i = 0; i < 7; ++i) {
        t.Melds({Code(i % 4, kKing)});
    }
}

TEST(SimpleLevelsLimits, InitialMelds) {
    struct Case {
        const char* what;
        std::vector<int> hand; // in this order
        int jackMeld, need;
        std::vector<std::pair<int, int>> columns; // rank, cards in its meld afterwards
        int jokersLeft;
    };
    const int a = Code(kSpade, kAce), k = Code(kSpade, kKing), q = Code(kSpade, kQueen);
    const int j = Code(kSpade, kJack), n = Code(kSpade, kNine), f = Code(kSpade, kFive);
    const int four = Code(kSpade, kFour);
    const Case cases[] = {
        {"one pair with a joker for 90",
         {a, a, k, k, kJoker, kTwoCode, n},
         0,
         90,
         {{kAce, 3}, {kKing, 0}},
         0},
        {"a pair of fours for 60", {four, four, kJoker, n, f}, 0, 60, {{kFour, 3}}, 0},
        {"groups in hand order until the minimum",
         {k, k, k, f, f, f, n, n, n, j},
         0,
         45,
         {{kKing, 3}, {kFive, 3}, {kNine, 0}},
         0},
        {"a group laid whole, the joker kept", {k, k, k, kJoker, n}, 0, 30, {{kKing, 3}}, 1},
        {"no black threes, no pairs",
         {kBlackThree, kBlackThree, kBlackThree, q, q, k, k, k, n},
         0,
         30,
         {{kThree, 0}, {kQueen, 0}, {kKing, 3}},
         0},
        {"a four group", {four, four, four, n}, 0, 15, {{kFour, 3}}, 0},
        {"one card onto a meld, then the next group",
         {j, k, k, k, n},
         3,
         50,
         {{kJack, 4}, {kKing, 3}},
         0},
    };
    for (const Case& c : cases) {
        for (const bool beginner : {true, false}) {
            SCOPED_TRACE(::testing::Message()
                         << c.what << (beginner ? ", Beginner" : ", Advanced"));
            Stage t;
            for (int i = 0; i < c.jackMeld; ++i) {
                t.Melds({Code(kClub, kJack)});
            }
            for (int code : c.hand) {
                t.Hand({code});
            }
            if (beginner) {
                BeginnerPlayer p(t.engine, t.settings);
                p.need = c.need;
                p.BegInitialMelds();
            } else {
                AdvancedPlayer p(t.engine, t.settings, t.advanced);
                p.need = c.need;
                p.AdvInitialMelds();
            }
            for (const auto& [rank, cards] : c.columns) {
                EXPECT_EQ(t.MeldColumn(rank), cards) << "rank " << rank;
            }
            EXPECT_EQ(t.HandCount(0), c.jokersLeft);
        }
    }
}

TEST(BeginnerLimits, TakesAOneCardPileAndKeepsNaturalsBack) {
    {
        // With its Varenta, two queens and a one-card pile of a queen.
        Stage t;
        KingVarenta(t);
        t.Hand({Code(kSpade, kQueen), Code(kClub, kQueen), Code(kSpade, kFive)});
        t.Pile({Code(kHeart, kQueen)});
        BeginnerPlayer p(t.engine, t.settings);
        p.need = 50;
        EXPECT_TRUE(p.BegTakePile());
    }
    // Without its Varenta it keeps six cards back, and one more when the
    // budget would be used up exactly.
    struct Case {
        int singles, queensAfter;
    };
    const Case cases[] = {{5, 3}, {6, 5}, {7, 6}};
    for (const Case& c : cases) {
        Stage t;
        t.Melds({Code(kSpade, kQueen), Code(kClub, kQueen), Code(kDiamond, kQueen)});
        t.Hand({Code(kHeart, kQueen), Code(kSpade, kQueen), Code(kClub, kQueen)});
        for (int i = 0; i < c.singles; ++i) {
            t.Hand({Code(kHeart, kFour + i)});
        }
        BeginnerPlayer p(t.engine, t.settings);
        p.BegMeldNaturals();
        EXPECT_EQ(t.MeldColumn(kQueen), c.queensAfter) << c.singles;
    }
}

TEST(SimpleLevelsLimits, LayOutWilds) {
    // The king Varenta is on the table; what the Beginner's going out, and
    // the one the other levels share, lay of the rest.
    struct Case {
        const char* what;
        std::vector<int> hand;
        std::vector<std::vector<int>> melds; // besides the king Varenta
        std::vector<std::pair<int, int>> columns;
        int jokersLeft;
        // The shared one, where it differs: two black threes go with a wild card.
        std::vector<std::pair<int, int>> sharedColumns = {};
        int sharedJokersLeft = -1;
    };
    const int four = Code(kSpade, kFour), ace = Code(kSpade, kAce), n = Code(kSpade, kNine);
    const int ten = Code(kSpade, kTen);
    const std::vector<int> fours{Code(kClub, kFour), Code(kDiamond, kFour), Code(kHeart, kFour)};
    const std::vector<int> aces{Code(kClub, kAce), Code(kDiamond, kAce), Code(kHeart, kAce)};
    std::vector<int> fourVarenta = fours, fourJokers = fours;
    fourVarenta.insert(fourVarenta.end(), fours.begin(), fours.end());
    fourVarenta.push_back(four);
    fourJokers.insert(fourJokers.end(), {four, kJoker, kJoker, kJoker});
    const std::vector<int> queensJokers{
        Code(kClub, kQueen), Code(kDiamond, kQueen), Code(kHeart, kQueen), kJoker, kJoker, kJoker};
    const Case cases[] = {
        {"a pair of fours and a joker, one card left",
         {four, four, kJoker, n},
         {},
         {{kFour, 3}},
         0},
        {"a pair of aces and a joker, one card left", {ace, ace, kJoker, n}, {}, {{kAce, 3}}, 0},
        {"a pair of fours and a joker, two cards left",
         {four, four, kJoker, n, ten},
         {},
         {{kFour, 0}},
         1},
        {"two black threes are no pair",
         {kBlackThree, kBlackThree, kJoker, kJoker, n},
         {fours},
         {{kFour, 3}},
         2,
         {{kFour, 4}, {kThree, 3}},
         0},
        {"the spare joker onto the lowest meld",
         {kJoker, kJoker, n},
         {fours, aces},
         {{kFour, 5}, {kAce, 3}},
         0},
        {"onto aces before the Varenta", {kJoker, kJoker, n}, {aces}, {{kAce, 5}, {kKing, 7}}, 0},
        {"onto the lowest Varenta",
         {kJoker, kJoker, n},
         {fourVarenta},
         {{kFour, 9}, {kKing, 7}},
         0},
        {"a Varenta takes as many as its naturals",
         {kJoker, kJoker, n},
         {fourJokers},
         {{kFour, 8}, {kKing, 7}},
         1},
        {"three naturals and three wild cards take no more",
         {kJoker, n},
         {queensJokers},
         {{kQueen, 6}, {kKing, 8}},
         0},
    };
    for (const Case& c : cases) {
        for (const bool beginner : {true, false}) {
            SCOPED_TRACE(::testing::Message() << c.what << (beginner ? ", Beginner" : ", shared"));
            Stage t;
            KingVarenta(t);
            for (const std::vector<int>& meld : c.melds) {
                for (int code : meld) {
                    t.Melds({code}, CardRank(meld.front()));
                }
            }
            for (int code : c.hand) {
                t.Hand({code});
            }
            BeginnerPlayer p(t.engine, t.settings);
            const bool differs = !beginner && c.sharedJokersLeft >= 0;
            if (beginner) {
                p.BegLayOutWilds();
            } else {
                p.LayOutWilds();
            }
            for (const auto& [rank, cards] : differs ? c.sharedColumns : c.columns) {
                EXPECT_EQ(t.MeldColumn(rank), cards) << "rank " << rank;
            }
            EXPECT_EQ(t.HandCount(0), differs ? c.sharedJokersLeft : c.jokersLeft);
        }
    }
}

TEST(BeginnerLimits, Discard) {
    // The human's melds of fives and nines; the rank thrown.
    struct Case {
        const char* what;
        std::vector<int> hand;
        int humanFives, humanNines, thrownRank;
    };
    const int f = Code(kSpade, kFive), n = Code(kSpade, kNine), k = Code(kSpade, kKing);
    const Case cases[] = {
        {"a single four", {Code(kSpade, kFour), k, k}, 0, 0, kFour},
        {"a single ace", {Code(kSpade, kAce), k, k}, 0, 0, kAce},
        {"a pair when no single", {f, f, n, n, n}, 0, 0, kFive},
        {"the human's meld of three: another rank first", {f, n}, 3, 0, kNine},
        {"the human's meld of five: still", {n, f}, 5, 6, kFive},
        {"the human's melds of six: the first card", {n, f}, 6, 6, kNine},
        {"the human's Varenta of nines before its six fives", {f, n}, 6, 7, kNine},
        {"a pair: a black three instead", {kBlackThree, k, k}, 0, 0, kThree},
        {"a single among more: the single", {kBlackThree, f, k, k}, 0, 0, kFive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stage t;
        RuleSet rules;
        rules.initialBlock = false;
        t.SetRules(rules);
        for (int code : c.hand) {
            t.Hand({code});
        }
        for (int i = 0; i < c.humanFives; ++i) {
            t.HumanMelds({Code(i % 4, kFive)});
        }
        for (int i = 0; i < c.humanNines; ++i) {
            t.HumanMelds({Code(i % 4, kNine)});
        }
        BeginnerPlayer p(t.engine, t.settings);
        const DiscardChoice d = p.BegChooseDiscard();
        ASSERT_GE(d.handIndex, 0);
        EXPECT_EQ(t.St().opponentHand[d.handIndex].rank, c.thrownRank);
    }
}

} // namespace
} // namespace varenta::testing
