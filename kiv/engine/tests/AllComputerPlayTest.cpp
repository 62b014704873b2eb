#include "kiv/engine/CZelvioDoc.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

// Stops the computer chain after a number of rounds and checks after every
// event that all 32 cards are accounted for.
class CountingPort : public KivPort {
public:
    explicit CountingPort(CZelvioDoc& doc, int roundsWanted) : doc_(doc), wanted_(roundsWanted) {}
    bool ContinueComputerMoves() override { return rounds < wanted_ && turnsThisRound < 10000; }
    void OnGameEvent(const GameEvent& event) override {
        if (doc_.CardsAccountedFor() != kCardCount) {
            ++lostCardEvents;
        }
        switch (event.kind) {
        case GameEventKind::Score:
            ++rounds;
            turnsThisRound = 0;
            break;
        case GameEventKind::GameOver:
            ++games;
            break;
        case GameEventKind::Turn:
            ++turnsThisRound;
            break;
        default:
            break;
        }
    }
    int rounds = 0;
    int games = 0;
    int turnsThisRound = 0;
    int lostCardEvents = 0;

private:
    CZelvioDoc& doc_;
    int wanted_;
};

TEST(AllComputerPlay, ManyRoundsKeepEveryCard) {
    CZelvioDoc doc;
    doc.seats[0].computer = true;
    CountingPort port(doc, 300);
    doc.SetPort(&port);
    doc.StartFirstRound();
    while (port.rounds < 300 && port.turnsThisRound < 10000) {
        doc.StartComputerMove();
    }
    EXPECT_EQ(port.rounds, 300);
    EXPECT_GT(port.games, 0);
    EXPECT_EQ(port.lostCardEvents, 0);
}

} // namespace
} // namespace kiv
