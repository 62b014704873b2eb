#include "TestTable.h"

#include <array>
#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace kiv {
namespace {

using testing::C;
using testing::TestTable;

struct Computer : ::testing::Test, TestTable {
    int Choose(std::vector<int> hand, int top) {
        Arrange({{}, hand}, {top});
        state.currentSeat = 1;
        return doc.ChooseComputerCard();
    }
};

TEST_F(Computer, PrefersHighCardsOfTheSuitThenRankThenJacks) {
    const int herzNeun = C(kHerz, kNeun);
    EXPECT_EQ(Choose({C(kHerz, kAs), C(kHerz, kSieben), C(kKaro, kNeun)}, herzNeun), C(kHerz, kAs));
    EXPECT_EQ(Choose({C(kHerz, kSieben), C(kKaro, kNeun)}, herzNeun), C(kHerz, kSieben));
    EXPECT_EQ(Choose({C(kKaro, kNeun)}, herzNeun), C(kKaro, kNeun));
    EXPECT_EQ(Choose({C(kKaro, kDame)}, herzNeun), kChooseDraw);
    const int kreuzZehn = C(kKreuz, kZehn);
    EXPECT_EQ(Choose({C(kPik, kBube), C(kKreuz, kBube)}, kreuzZehn), C(kKreuz, kBube));
    EXPECT_EQ(Choose({C(kPik, kBube)}, kreuzZehn), C(kPik, kBube));
    settings.ruleJackAlways = false;
    EXPECT_EQ(Choose({C(kPik, kBube)}, kreuzZehn), kChooseDraw);
}

TEST_F(Computer, GivesUpAWholeWishedSuitInTheOrderOfPreference) {
    // Every Karo in hand and Karo wished; what is chosen leaves the hand, so
    // each choice must be the best rank still held, the jack the very last.
    state.wishedSuit = kKaro;
    std::vector<int> hand;
    for (int rank = kSieben; rank <= kAs; ++rank) {
        hand.push_back(C(kKaro, rank));
    }
    for (int rank : {kAs, kKoenig, kDame, kSieben, kAcht, kNeun, kZehn, kBube}) {
        const int chosen = Choose(hand, C(kHerz, kBube));
        EXPECT_EQ(chosen, C(kKaro, rank)) << rank;
        std::erase(hand, chosen);
    }
}

TEST_F(Computer, AnswersSevensEightsWishesAndTheOpenFirstJack) {
    state.cardsToDraw = 2;
    EXPECT_EQ(Choose({C(kHerz, kAs), C(kPik, kSieben)}, C(kHerz, kSieben)), C(kPik, kSieben));
    EXPECT_EQ(Choose({C(kHerz, kAs)}, C(kHerz, kSieben)), kChooseDraw);
    state.cardsToDraw = 0;
    EXPECT_EQ(Choose({C(kHerz, kAs), C(kPik, kAcht)}, C(kHerz, kAcht)), C(kPik, kAcht));
    EXPECT_EQ(Choose({C(kHerz, kAs)}, C(kHerz, kAcht)), kChooseSitOut);
    state.eightServed = true;
    EXPECT_EQ(Choose({C(kHerz, kAs)}, C(kHerz, kAcht)), C(kHerz, kAs));
    state.eightServed = false;
    state.wishedSuit = kPik;
    EXPECT_EQ(Choose({C(kPik, kZehn), C(kPik, kDame), C(kKaro, kBube)}, C(kHerz, kBube)),
              C(kPik, kDame));
    EXPECT_EQ(Choose({C(kHerz, kAs), C(kKaro, kBube)}, C(kHerz, kBube)), C(kKaro, kBube));
    settings.ruleJackAlways = false;
    EXPECT_EQ(Choose({C(kHerz, kAs), C(kKaro, kBube)}, C(kHerz, kBube)), kChooseDraw);
    state.wishedSuit = 0;
    state.firstJackOpen = true;
    EXPECT_EQ(Choose({C(kPik, kDame), C(kKreuz, kNeun)}, C(kHerz, kBube)), C(kPik, kDame));
}

TEST_F(Computer, DrawsExactlyTheFourPenaltyCardsThenPasses) {
    settings.seats[1].computer = true;
    Arrange({{1}, {C(kHerz, kAs), C(kKaro, kDame)}, {2}, {3}},
            {C(kKaro, kSieben), C(kHerz, kSieben)});
    state.cardsToDraw = 4;
    state.sevenPending = true;
    state.currentSeat = 1;
    doc.StartComputerMove();
    EXPECT_EQ((std::array{port.Count(GameEventKind::Draw), port.Count(GameEventKind::Play),
                          state.cardsToDraw, state.currentSeat}),
              (std::array{4, 0, 0, 2}));
    EXPECT_FALSE(state.sevenPending || state.computerBusy);
    EXPECT_FALSE(state.cards[port.events[0].value].faceUp); // computer cards show their back
}

TEST_F(Computer, SitsOutOnAnUnservedEightAndTheNextSeatPlaysOnIt) {
    settings.seats[1].computer = settings.seats[2].computer = true;
    Arrange({{1}, {C(kHerz, kAs)}, {C(kPik, kNeun), C(kPik, kAcht)}}, {C(kHerz, kAcht)});
    state.currentSeat = 1;
    doc.StartComputerMove();
    ASSERT_GE(port.events.size(), 3u);
    EXPECT_EQ(port.events[0].kind, GameEventKind::SitOut);
    EXPECT_TRUE(port.Logged("wave o.wav"));
    EXPECT_EQ(port.events[2].kind, GameEventKind::Play);
    EXPECT_EQ(port.events[2].value, C(kPik, kAcht)); // no Herz: same rank
}

TEST_F(Computer, NamesTheSuitItHoldsMostTiesGoingHerzKaroKreuzPik) {
    auto suitFor = [this](std::vector<int> hand) {
        Arrange({{}, hand}, {20});
        state.currentSeat = 1;
        return doc.ChooseComputerSuit();
    };
    EXPECT_EQ(suitFor({C(kKaro, kAcht), C(kHerz, kNeun), C(kHerz, kDame), C(kPik, kAs)}), kHerz);
    EXPECT_EQ(suitFor({C(kKaro, kAcht), C(kPik, kAs)}), kKaro);
    EXPECT_EQ(suitFor({C(kPik, kAcht), C(kPik, kAs), C(kKreuz, kAs)}), kPik);
    EXPECT_EQ(suitFor({C(kPik, kAcht), C(kKreuz, kAs)}), kKreuz);
    EXPECT_EQ(suitFor({}), kHerz);
}

TEST(ComputerGame, PlaysTheSameWhetherAWindowShowsItOrNot) {
    // Without a window nothing is laid out, repainted or written into the
    // status bar; the game itself, its sounds and its pauses stay the same.
    struct ViewCountingPort : testing::RecordingPort {
        int viewCalls = 0;
        void CardMoved(int, int, int) override { ++viewCalls; }
        void HandLaidOut(int) override { ++viewCalls; }
        void RepaintStock() override { ++viewCalls; }
        void RepaintDiscardPile() override { ++viewCalls; }
        void RepaintSeatPanels() override { ++viewCalls; }
        void RepaintAll() override { ++viewCalls; }
        void SetStatusText(int, int, std::string_view) override { ++viewCalls; }
        void SetStatusReadyLiteral() override { ++viewCalls; }
        bool ContinueComputerMoves() override { return events.size() < 4000; }
    };
    const auto play = [](bool shown, ViewCountingPort& port) {
        KivGame doc;
        doc.SetPort(&port);
        GameSettings settings;
        settings.windowShown = shown;
        settings.ruleLayAfterDraw = true; // the second choice after a draw too
        settings.pointsToWin = 100;       // several games, so results and rankings
        for (SeatSettings& seat : settings.seats) {
            seat.computer = true;
        }
        doc.ApplySettings(settings);
        doc.LayoutTable(800, 600);
        doc.StartFirstRound();
        // A new round waits for its first seat's move to be started.
        for (size_t before = 0; before != port.events.size() && port.ContinueComputerMoves();) {
            before = port.events.size();
            doc.StartComputerMove();
        }
        std::vector<std::array<int, 7>> events;
        for (const GameEvent& e : port.events) {
            events.push_back({static_cast<int>(e.kind), e.seat, e.value, e.four[0], e.four[1],
                              e.four[2], e.four[3]});
        }
        return events;
    };
    ViewCountingPort shownPort;
    ViewCountingPort hiddenPort;
    const auto shown = play(true, shownPort);
    const auto hidden = play(false, hiddenPort);
    ASSERT_GE(shown.size(), 4000u);
    EXPECT_EQ(hidden, shown);
    EXPECT_EQ(hiddenPort.log, shownPort.log);
    EXPECT_EQ(hiddenPort.pauses, shownPort.pauses);
    EXPECT_GT(shownPort.Count(GameEventKind::GameOver), 0);
    EXPECT_GT(shownPort.viewCalls, 0);
    EXPECT_EQ(hiddenPort.viewCalls, 0);
}

} // namespace
} // namespace kiv
