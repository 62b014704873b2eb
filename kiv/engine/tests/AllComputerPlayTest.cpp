// Long games with computer seats only, under every rule switch: after every
// event each of the 32 cards is in exactly one place and knows its owner.
#include "kiv/engine/CZelvioDoc.h"

#include <gtest/gtest.h>

#include <string>

namespace kiv {
namespace {

class InvariantPort : public KivPort {
public:
    InvariantPort(CZelvioDoc& doc, int roundsWanted) : doc_(doc), wanted_(roundsWanted) {}
    bool ContinueComputerMoves() override { return rounds < wanted_ && turnsThisRound < 10000; }
    void OnGameEvent(const GameEvent& event) override {
        if (failure.empty()) {
            failure = Check();
        }
        rounds += event.kind == GameEventKind::Score;
        games += event.kind == GameEventKind::GameOver;
        lapses += event.kind == GameEventKind::Lapse;
        turnsThisRound = event.kind == GameEventKind::Round ? 0 : turnsThisRound;
        turnsThisRound += event.kind == GameEventKind::Turn;
    }
    int rounds = 0;
    int games = 0;
    int lapses = 0;
    int turnsThisRound = 0;
    std::string failure;

private:
    std::string Check() const {
        std::array<int, kCardCount + 1> seen{};
        auto visit = [&](const CardList& list, int owner) -> std::string {
            for (int n : list) {
                if (n < 1 || n > kCardCount || ++seen[n] > 1) {
                    return "card " + std::to_string(n) + " twice";
                }
                if (doc_.cards[n].owner != owner) {
                    return "card " + std::to_string(n) + " has the wrong owner";
                }
                if (doc_.cards[n].pickable != (owner >= 0)) {
                    return "card " + std::to_string(n) + " pickable out of a hand";
                }
            }
            return "";
        };
        std::string error = visit(doc_.stock.cards, -1);
        error = error.empty() ? visit(doc_.discardPile.cards, -1) : error;
        for (int s = 0; s < kSeatCount && error.empty(); ++s) {
            error = visit(doc_.seats[s].hand, s);
        }
        if (error.empty() && doc_.CardsAccountedFor() != kCardCount) {
            error = "only " + std::to_string(doc_.CardsAccountedFor()) + " cards";
        }
        return error;
    }

    CZelvioDoc& doc_;
    int wanted_;
};

struct Variant {
    const char* name;
    void (*apply)(CZelvioDoc&);
    int seats;
    int cards;
};

class AllComputerPlay : public ::testing::TestWithParam<Variant> {};

TEST_P(AllComputerPlay, NoCardIsEverLostOrDoubled) {
    CZelvioDoc doc;
    for (Seat& seat : doc.seats) {
        seat.computer = true;
        seat.plays = seat.index < GetParam().seats;
    }
    doc.cardsPerPlayer = GetParam().cards;
    GetParam().apply(doc);
    InvariantPort port(doc, 400);
    doc.SetPort(&port);
    doc.StartFirstRound();
    while (port.rounds < 400 && port.turnsThisRound < 10000 && port.failure.empty()) {
        doc.StartComputerMove();
    }
    EXPECT_EQ(port.failure, "");
    EXPECT_EQ(port.rounds, 400);
    EXPECT_GT(port.games, 0);
    EXPECT_FALSE(doc.computerBusy);
}

INSTANTIATE_TEST_SUITE_P(
    RuleSwitches, AllComputerPlay,
    ::testing::Values(
        Variant{"Defaults", [](CZelvioDoc&) {}, 4, 5},
        Variant{"LayAfterDraw", [](CZelvioDoc& d) { d.ruleLayAfterDraw = true; }, 4, 5},
        Variant{"NoEightOnEight", [](CZelvioDoc& d) { d.ruleEightOnEight = false; }, 4, 5},
        Variant{"NoJackAlways", [](CZelvioDoc& d) { d.ruleJackAlways = false; }, 4, 5},
        Variant{"NoAnyOnFirstJack", [](CZelvioDoc& d) { d.ruleAnyOnFirstJack = false; }, 4, 5},
        Variant{"EndOnFirstOut", [](CZelvioDoc& d) { d.ruleEndOnFirstOut = true; }, 4, 5},
        Variant{"TwoSeatsSixCardsAllFlipped",
                [](CZelvioDoc& d) {
                    d.ruleLayAfterDraw = true;
                    d.ruleEightOnEight = false;
                    d.ruleJackAlways = false;
                    d.ruleAnyOnFirstJack = false;
                    d.ruleEndOnFirstOut = true;
                },
                2, 6},
        Variant{"ThreeSeatsThreeCards", [](CZelvioDoc&) {}, 3, 3}),
    [](const ::testing::TestParamInfo<Variant>& info) { return std::string(info.param.name); });

} // namespace
} // namespace kiv
