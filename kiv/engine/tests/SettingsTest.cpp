// The settings as the game takes them: a new set-up of the seats, the menu's
// switches, the deal after a change and the two score resets.
#include "TestTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

// Every round is collected and dealt between DealBegins and DealEnds, the
// message of an eight turned up first included, with or without animation, so
// the window can hold the user's input back for the whole of it.
TEST(SettingsDeal, EachDealIsBracketedForThePortMessagesOfTheFirstCardInside) {
    struct BracketPort : testing::RecordingPort {
        std::vector<std::string> marks; // "begins"/"ends", the cards they saw
        int open = 0;
        int flightsOutside = 0;
        int messagesOutside = 0;
        void DealBegins() override { ++open, marks.push_back("begins"); }
        void DealEnds() override { --open, marks.push_back("ends"); }
        void AnimateCard(int, int, int, int) override { flightsOutside += open == 0; }
        void ShowMessage(int id) override {
            messagesOutside += open == 0;
            RecordingPort::ShowMessage(id);
        }
    };
    GameSettings settings;
    settings.ruleEightOnEight = false; // an eight turned up first is told in the deal
    for (SeatSettings& seat : settings.seats) {
        seat.computer = false;
    }
    for (const bool animated : {true, false}) {
        KivGame doc;
        BracketPort port;
        doc.SetPort(&port);
        settings.animateCards = animated;
        doc.ApplySettings(settings);
        doc.LayoutTable(800, 600);
        doc.StartFirstRound();
        for (int round = 1; round < 40; ++round) {
            doc.NewRound();
        }
        EXPECT_EQ(port.marks.size(), 80u);
        for (std::size_t i = 0; i < port.marks.size(); ++i) {
            EXPECT_EQ(port.marks[i], i % 2 == 0 ? "begins" : "ends") << i;
        }
        EXPECT_EQ(port.open, 0);
        EXPECT_EQ(port.flightsOutside, 0);
        EXPECT_GT(std::count(port.messages.begin(), port.messages.end(), 1139), 0);
        EXPECT_EQ(port.messagesOutside, 0);
    }
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
