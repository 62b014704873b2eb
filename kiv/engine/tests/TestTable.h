#pragma once

// A recording port and a table with exact hands and piles for the rule tests.
#include "kiv/engine/KivGame.h"
#include "kiv/engine/testing/GameAccess.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kiv::testing {

inline int C(int suit, int rank) {
    return CardNumber(suit, rank);
}

class RecordingPort : public KivPort {
public:
    std::vector<std::string> log; // waves, messages, questions, dialogs in call order
    std::vector<int> messages;
    std::vector<std::string> pane1; // "<text id>|<suffix>"
    std::vector<GameEvent> events;
    std::vector<GameResults> results;
    int pauses = 0;
    int rankingEntries = 0;
    bool answerYes = false;
    int jackSuit = kKaro;

    void ShowMessage(int id) override {
        messages.push_back(id);
        log.push_back("message " + std::to_string(id));
    }
    void ShowLoserMessage(int before, const std::string& name, int after) override {
        log.push_back("loser " + std::to_string(before) + " " + name + " " + std::to_string(after));
    }
    bool AskYesNo(int id) override {
        log.push_back("ask " + std::to_string(id));
        return answerYes;
    }
    void PlayWave(Wave wave) override { log.push_back(std::string("wave ") + WaveName(wave)); }
    void SetStatusText(int pane, int id, std::string_view suffix) override {
        if (pane == 1) {
            pane1.push_back(std::to_string(id) + "|" + std::string(suffix));
        }
    }
    int Pause(int ms) override { return ++pauses, ms; }
    int AskJackSuit() override { return log.push_back("jack dialog"), jackSuit; }
    void ShowResults(const GameResults& r) override { results.push_back(r); }
    void AddResultsToRanking() override { ++rankingEntries; }
    void OnGameEvent(const GameEvent& event) override { events.push_back(event); }

    bool Logged(const std::string& entry) const {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }
    int Count(GameEventKind kind) const {
        return static_cast<int>(std::count_if(
            events.begin(), events.end(), [kind](const GameEvent& e) { return e.kind == kind; }));
    }
    void Clear() { *this = RecordingPort{}; }
};

// All four seats human (no computer move starts unless a test asks for it).
// The tests write the position and switch rules through `state` and
// `settings`, and read them there too.
struct TestTable {
    KivGame doc;
    RecordingPort port;
    PlayState& state = MutableState(doc);
    GameSettings& settings = MutableSettings(doc);

    TestTable() {
        doc.SetPort(&port);
        for (SeatSettings& seat : settings.seats) {
            seat.computer = false;
        }
        doc.LayoutTable(800, 600);
    }

    // Hands per seat, the discard pile bottom to top, and the stock: every
    // card not named elsewhere unless given.
    void Arrange(const std::vector<std::vector<int>>& hands, const std::vector<int>& pile,
                 const std::vector<int>* stock = nullptr) {
        state.stock.cards.Clear();
        state.discardPile.cards.Clear();
        std::vector<bool> used(kCardCount + 1);
        for (int s = 0; s < kSeatCount; ++s) {
            Seat& seat = state.seats[s];
            seat.hand.Clear();
            seat.inRound = settings.seats[s].plays;
            for (int n : s < static_cast<int>(hands.size()) ? hands[s] : std::vector<int>{}) {
                state.cards[n].owner = s;
                state.cards[n].pickable = true;
                seat.hand.Add(n);
                used[n] = true;
            }
            doc.LayoutHand(s, true);
        }
        for (int n : pile) {
            state.discardPile.Push(n);
            used[n] = true;
        }
        for (int n = 1; n <= kCardCount; ++n) {
            if (!stock && !used[n]) {
                state.stock.Push(n);
            }
        }
        for (int n : stock ? *stock : std::vector<int>{}) {
            state.stock.Push(n);
        }
        for (const CardPile* pile : {&state.stock, &state.discardPile}) {
            for (int n : pile->cards) {
                state.cards[n].owner = -1;
                state.cards[n].pickable = false;
            }
        }
        state.stock.drawable = !state.stock.Empty();
        port.Clear();
    }
    // May the current seat lay `held` now? (Refusals land in the port.)
    bool Check(int held) {
        port.Clear();
        state.heldCard = held;
        return doc.CheckPlay();
    }
    // `seat` lays `card` without any test.
    void Lay(int seat, int card) {
        state.currentSeat = seat;
        state.heldCard = card;
        doc.PlayCard(false);
    }
};

} // namespace kiv::testing
