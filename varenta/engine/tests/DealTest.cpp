#include <gtest/gtest.h>

#include "TestSupport.h"
#include "varenta/engine/Texts.h"

namespace varenta {
namespace {

using namespace varenta::testing;

TEST(Deal, CountsRedThreesAndUpCard) {
    for (std::uint64_t seed = 1; seed <= 200; ++seed) {
        Table t;
        t.engine.StartProgram(seed);
        t.engine.DealHand(false);
        const GameState& s = t.S();
        ExpectEveryCardOnce(s);
        ASSERT_EQ(s.playerHand.count, 15);
        ASSERT_EQ(s.opponentHand.count, 15);
        for (int i = 0; i < s.playerMelds.count; ++i) {
            ASSERT_TRUE(IsRedThree(s.playerMelds[i]));
        }
        const Card& up = s.discardPile.Top();
        ASSERT_FALSE(IsWild(up) || IsRedThree(up));
        // The stock lost 30 cards, the red threes set aside, and the up-cards.
        ASSERT_EQ(s.stock.count,
                  108 - 30 - s.playerMelds.count - s.opponentMelds.count - s.discardPile.count);
        if (s.discardPile.count > 1) {
            ASSERT_TRUE(s.pileFrozen);
        }
        ASSERT_EQ(t.port.waitCursor, (std::vector<bool>{true, false}));
    }
}

TEST(Deal, FirstDrawAlternatesAndTheDealStringDescribesTheStock) {
    Table t;
    t.engine.StartProgram(7);
    const bool first = t.S().playerDrawsFirst;
    std::string deal;
    struct Capture : MoveReporter {
        std::string* out;
        void Deal(std::string_view d) override { *out = std::string(d); }
    } capture;
    capture.out = &deal;
    t.engine.SetReporter(&capture);
    t.engine.DealHand(true);
    EXPECT_EQ(t.port.sounds.front(), texts::kSoundStart);
    ASSERT_EQ(deal.size(), 109u);
    EXPECT_EQ(deal[0], first ? '1' : '0');
    EXPECT_EQ(t.S().opponentToMove, !first);
    EXPECT_EQ(t.S().playerDrawsFirst, !first);
    EXPECT_EQ(t.port.LastHint(), first ? Hint::Draw : Hint::OpponentsTurn);
    EXPECT_EQ(t.port.turnNotices.back(),
              first ? texts::kTurnNoticePlayer : texts::kTurnNoticeComputer);

    // The stock's top slot (108) held the opponent's first card.
    const std::size_t top = deal.find(static_cast<char>(108));
    ASSERT_NE(top, std::string::npos);
    const int i = static_cast<int>(top) - 1;
    const int code = i % 54 < 52 ? i % 54 + 1 : kJokerCode;
    if (!IsRedThree(code)) {
        EXPECT_EQ(t.S().opponentHand[0].code, code);
    }

    t.engine.DealHand(false);
    EXPECT_EQ(t.S().opponentToMove, first);
    EXPECT_EQ(t.port.sounds.back(), texts::kSoundDeal);
}

TEST(Deal, MalformedDealStringsChangeNothing) {
    Table t;
    t.engine.StartProgram(3);
    t.engine.DealHand(false);
    const Card first = t.S().playerHand[0];
    std::string deal(109, '\1'); // slot 1 used 108 times
    deal[0] = '1';
    EXPECT_FALSE(t.engine.ReceiveDeal(deal));
    EXPECT_FALSE(t.engine.ReceiveDeal("1"));
    EXPECT_EQ(t.S().playerHand[0], first);
}

TEST(Deal, NewGameClearsTheScoresAndTheMinimumFollowsThem) {
    Table t;
    t.engine.StartProgram(11);
    t.S().playerScore = 1500;
    t.S().gameInProgress = true;
    t.engine.DealHand(false);
    EXPECT_EQ(t.S().initialMeldMinimum, 90);
    t.engine.NewGame();
    EXPECT_FALSE(t.S().gameInProgress);
    EXPECT_EQ(t.S().initialMeldMinimum, 50);
    for (auto [score, minimum] :
         {std::pair{-10, 15}, {0, 50}, {1499, 50}, {1500, 90}, {2999, 90}, {3000, 120}}) {
        EXPECT_EQ(VarentaEngine::MeldMinimum(score), minimum) << score;
    }
}

} // namespace
} // namespace varenta
