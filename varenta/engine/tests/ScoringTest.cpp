#include <gtest/gtest.h>

#include "TestSupport.h"
#include "varenta/engine/Texts.h"

namespace varenta {
namespace {

using namespace varenta::testing;

TEST(Scoring, WorkedExample) {
    // A natural and a mixed Varenta, two red threes, 150 points of cards on
    // the table; 20 points in the hand when the opponent went out.
    Table t;
    t.Melds({Code(kSpade, kTen), Code(kSpade, kTen), Code(kHeart, kTen), Code(kHeart, kTen),
             Code(kClub, kTen), Code(kClub, kTen), Code(kDiamond, kTen), Code(kDiamond, kTen),
             Code(kSpade, kKing), Code(kSpade, kKing), Code(kHeart, kKing), Code(kHeart, kKing),
             Code(kClub, kKing), Code(kClub, kKing), Code(kDiamond, kKing)},
            9);
    t.S().playerVarentas.Clear();
    t.S().playerVarentas.count = 2;
    t.S().playerVarentas.kind[9] = kNaturalVarenta;
    t.S().playerVarentas.kind[12] = kMixedVarenta;
    t.Melds({Code(kHeart, kThree), Code(kDiamond, kThree)}, kThreesColumn);
    t.Hand({Code(kHeart, kAce)});
    t.S().wentOut = 1;
    ScoreSheet sheet = t.engine.ScoreSide(Side::Player);
    EXPECT_EQ(sheet.tableCards, (ScoreLine{15, 150}));
    EXPECT_EQ(sheet.handCards, (ScoreLine{1, -20}));
    EXPECT_EQ(sheet.varentas, (ScoreLine{2, 800}));
    EXPECT_EQ(sheet.redThrees, (ScoreLine{2, 200}));
    EXPECT_EQ(sheet.finishBonus, 0);
    EXPECT_EQ(sheet.total, 1130);
    // Had this side gone out instead, having melded before: 1250; concealed: 1350.
    t.S().playerHand.Clear();
    t.S().wentOut = 0;
    t.S().playerMeldedBefore = 90;
    EXPECT_EQ(t.engine.ScoreSide(Side::Player).total, 1250);
    t.S().playerMeldedBefore = 0;
    EXPECT_EQ(t.engine.ScoreSide(Side::Player).total, 1350);
}

TEST(Scoring, NegativeCases) {
    // No meld when the other side goes out: even the red threes count against.
    Table t;
    t.Melds({Code(kHeart, kThree), Code(kDiamond, kThree), Code(kHeart, kThree),
             Code(kDiamond, kThree)},
            kThreesColumn);
    t.Hand({Code(kSpade, kFive), Code(kHeart, kAce)});
    t.S().wentOut = 1;
    ScoreSheet sheet = t.engine.ScoreSide(Side::Player);
    EXPECT_TRUE(sheet.negative);
    EXPECT_EQ(sheet.redThrees, (ScoreLine{4, -800}));
    EXPECT_EQ(sheet.total, -825);
    t.S().wentOut = 2; // had nobody gone out, the red threes would count
    EXPECT_EQ(t.engine.ScoreSide(Side::Player).redThrees.value, 800);

    // Varenta Required with two needed: one Varenta scores the table
    // negatively, without its bonus, but going out still earns the bonus.
    Table u;
    RuleSet rules;
    rules.varentaRequired = true;
    rules.numberOfVarentas = 2;
    u.Rules(rules);
    u.KingVarenta();
    u.Melds({Code(kHeart, kThree)}, kThreesColumn);
    u.S().wentOut = 0;
    u.S().playerMeldedBefore = 10;
    sheet = u.engine.ScoreSide(Side::Player);
    EXPECT_EQ(sheet.tableCards.value, -70);
    EXPECT_EQ(sheet.varentas.value, 0);
    EXPECT_EQ(sheet.redThrees.value, -100);
    EXPECT_EQ(sheet.finishBonus, 100);
    EXPECT_EQ(sheet.total, -70);
}

TEST(Scoring, HandResultAddsToTheTotals) {
    Table t;
    t.OpponentMelds({Code(kSpade, kAce), Code(kHeart, kAce), Code(kClub, kAce)});
    t.Hand({Code(kSpade, kFive)});
    t.S().wentOut = 1;
    t.S().opponentMeldedBefore = 60;
    t.S().playerScore = 100;
    const HandResult r = t.engine.ScoreHand();
    EXPECT_EQ(r.opponent.total, 160);
    EXPECT_EQ(r.player.total, -5);
    EXPECT_EQ(r.difference, -165);
    EXPECT_EQ(t.S().playerScore, 95);
    EXPECT_EQ(t.S().opponentScore, 160);
    EXPECT_EQ(t.port.sounds.back(), texts::kSoundLoseHand);
    EXPECT_EQ(r.opponentScoreLabel, "Computer's Score:");
    EXPECT_EQ(r.playerTitle, "Player");
    t.engine.SetNetworkOpponent("Ann");
    EXPECT_EQ(t.engine.ScoreHand().opponentScoreLabel, "Ann's Score:");
}

TEST(GameOver, Messages) {
    const std::pair<std::pair<int, int>, const char*> cases[] = {
        {{5000, 4999}, "Congratulations Player! You won, but it was pretty close!"},
        {{6000, 3500}, "Congratulations Player! You defeated the computer."},
        {{6001, 3500}, "Congratulations Player! You crushed the computer."},
        {{5501, 5000}, "Congratulations Player! You beat the computer."},
        {{5201, 5000}, "Congratulations Player! You won."},
        {{5000, 5000}, "It's a draw!"},
        {{3499, 6000}, "Too bad, Player, the computer crushed you."},
        {{3500, 5301}, "Too bad, Player, the computer defeated you."},
        {{3500, 4001}, "Too bad, Player, the computer beat you."},
        {{4800, 5000}, "Too bad, Player, you lost but it was pretty close."},
        {{4700, 5000}, "Too bad, Player, you lost."},
    };
    for (const auto& [scores, message] : cases) {
        Table t;
        t.S().playerScore = scores.first;
        t.S().opponentScore = scores.second;
        EXPECT_EQ(t.engine.GameOverData().message, message);
    }
    Table t;
    t.engine.SetNetworkOpponent("Ann");
    t.S().playerScore = 7000;
    t.S().opponentScore = 1000;
    const GameOverResult r = t.engine.GameOverData();
    EXPECT_EQ(r.message, "Congratulations Player! You crushed Ann.");
    EXPECT_EQ(r.opponentScoreLabel, "Ann's score:");
    EXPECT_EQ(r.difference, 6000);
}

struct GameCounter : ComputerTurnHook {
    int games = 0;
    void ComputerTurn(VarentaEngine&) override {}
    void GameStarted(VarentaEngine&) override { ++games; }
};

TEST(GameOver, AnotherGameOrTheEnd) {
    for (bool another : {true, false}) {
        Table t;
        GameCounter computer;
        t.engine.SetComputerHook(&computer);
        t.port.anotherGame = another;
        t.S().playerScore = 4990;
        t.S().gameInProgress = true;
        t.KingVarenta();
        t.S().playerMeldedBefore = 70;
        t.Hand({Code(kSpade, kFive)});
        t.OpponentHand({Code(kClub, kSix)});
        t.Stock({Code(kClub, kNine)});
        t.engine.PlayerDiscard(0);
        ASSERT_EQ(t.port.gameOvers.size(), 1u);
        EXPECT_EQ(t.port.gameOutcomes.back(), GameOutcome::PlayerWon);
        EXPECT_EQ(t.port.sounds.back(), another ? texts::kSoundDeal : texts::kSoundWinMatch);
        EXPECT_FALSE(t.S().gameInProgress);
        EXPECT_EQ(t.port.programEnded, !another);
        EXPECT_EQ(computer.games, another ? 1 : 0); // the computer starts afresh
        EXPECT_EQ(t.S().playerScore, another ? 0 : 4990 + 70 + 500 + 100);
        EXPECT_EQ(t.S().playerHand.count, another ? 15 : 0);
    }
}

TEST(GameOver, InANetworkGameTheLoserWaitsForTheDeal) {
    Table t;
    t.engine.SetNetworkOpponent("Ann");
    t.Hand({Code(kSpade, kFive), Code(kSpade, kAce)});
    t.OpponentHand({Code(kClub, kSix)});
    t.Pile({Code(kClub, kNine)});
    RuleSet rules;
    rules.reuseDiscardPile = false;
    t.Rules(rules);
    t.engine.PlayerDiscard(0); // the stock is empty: nobody went out, the player lost 20
    ASSERT_EQ(t.port.handResults.size(), 1u);
    EXPECT_EQ(t.S().playerHand.count, 1); // not dealt
    EXPECT_TRUE(t.S().opponentToMove);
    t.engine.PlayerDraw();
    EXPECT_EQ(t.S().playerHand.count, 1);
}

TEST(GameOver, ALevelNetworkHandIsDealtByOneSideOnly) {
    for (const bool dealsLevelHands : {true, false}) {
        Table t;
        t.engine.SetNetworkOpponent("Ann");
        t.engine.SetDealsLevelHands(dealsLevelHands);
        t.Hand({Code(kSpade, kFive), Code(kSpade, kAce)});
        t.OpponentHand({Code(kClub, kAce)}); // both sides keep an ace: the hand ends level
        t.Pile({Code(kClub, kNine)});
        RuleSet rules;
        rules.reuseDiscardPile = false;
        t.Rules(rules);
        t.engine.PlayerDiscard(0);
        ASSERT_EQ(t.port.handResults.size(), 1u);
        EXPECT_EQ(t.S().playerScore, t.S().opponentScore);
        EXPECT_EQ(t.S().playerHand.count > 1, dealsLevelHands) << dealsLevelHands;
    }
}

} // namespace
} // namespace varenta
