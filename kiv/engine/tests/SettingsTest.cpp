// The settings as the game takes them: a new set-up of the seats, the menu's
// switches, the deal after a change and the two score resets.
#include "TestTable.h"

#include <gtest/gtest.h>

#include <array>

namespace kiv {
namespace {

using testing::TestTable;

using Flags = std::array<bool, kSeatCount>;

Flags InRound(const KivGame& doc) {
    Flags in{};
    for (int s = 0; s < kSeatCount; ++s) {
        in[s] = doc.State().seats[s].inRound;
    }
    return in;
}

// Mid-round: seat 1 has gone out and seat 3 does not play.
struct Settings : ::testing::Test, TestTable {
    Settings() {
        settings.seats[3].plays = false;
        Arrange({{1}, {}, {2}}, {3});
        state.seats[1].inRound = false;
    }
};

TEST_F(Settings, ApplyingASetUpPutsEverySeatInTheRoundExactlyWhenItPlays) {
    const Flags setUps[] = {{true, true, true, true},
                            {true, false, true, false},
                            {true, true, false, true},
                            {true, false, false, false}};
    for (const Flags& plays : setUps) {
        GameSettings chosen = doc.Settings();
        for (int s = 0; s < kSeatCount; ++s) {
            chosen.seats[s].plays = plays[s];
        }
        chosen.seats[2].name = "Ute";
        chosen.ruleEndOnFirstOut = !chosen.ruleEndOnFirstOut;
        doc.ApplySettings(chosen);
        EXPECT_EQ(doc.Settings(), chosen);
        EXPECT_EQ(InRound(doc), plays);
    }
    EXPECT_EQ(doc.CardsAccountedFor(), kCardCount); // no card moved
}

TEST_F(Settings, TheMenuSwitchesChangeTheirOwnValueAndLeaveTheSeatsAlone) {
    GameSettings expected = doc.Settings();
    doc.SetSoundOn(false);
    doc.SetMusicOn(false);
    doc.SetAnimateCards(false);
    doc.SetDeckBack(3);
    expected.soundOn = expected.musicOn = expected.animateCards = false;
    expected.deckBack = 3;
    EXPECT_EQ(doc.Settings(), expected);
    EXPECT_EQ(InRound(doc), (Flags{true, false, true, false}));
    EXPECT_EQ(doc.BackBitmap(), 197);
}

// Counts the flights the game asks the port for.
struct FlightPort : testing::RecordingPort {
    int flights = 0;
    void AnimateCard(int, int, int, int) override { ++flights; }
};

TEST(SettingsDeal, ADealWithoutAnimationFliesNothingAndKeepsTheSetting) {
    KivGame doc;
    FlightPort port;
    doc.SetPort(&port);
    GameSettings humans;
    for (SeatSettings& seat : humans.seats) {
        seat.computer = false;
    }
    doc.ApplySettings(humans);
    doc.LayoutTable(800, 600);
    doc.StartFirstRound();
    EXPECT_GT(port.flights, 0);
    port.flights = 0;
    doc.NewRoundWithoutAnimation();
    EXPECT_EQ(port.flights, 0);
    EXPECT_TRUE(doc.Settings().animateCards);
    EXPECT_EQ(doc.State().seats[3].hand.Count(), 5);
    doc.NewRound();
    EXPECT_GT(port.flights, 0);
}

TEST_F(Settings, ScoresResetForThePlayingSeatsOrForAll) {
    const struct {
        void (KivGame::*reset)();
        std::array<int, kSeatCount> left;
    } cases[] = {{&KivGame::ResetScoresOfPlayingSeats, {0, 0, 0, 40}},
                 {&KivGame::ResetAllScores, {0, 0, 0, 0}}};
    for (const auto& c : cases) {
        for (int s = 0; s < kSeatCount; ++s) {
            state.seats[s].score = 10 * (s + 1);
        }
        (doc.*c.reset)();
        std::array<int, kSeatCount> scores{};
        for (int s = 0; s < kSeatCount; ++s) {
            scores[s] = doc.State().seats[s].score;
        }
        EXPECT_EQ(scores, c.left);
    }
}

} // namespace
} // namespace kiv
