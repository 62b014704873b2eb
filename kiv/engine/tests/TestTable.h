#pragma once

// A recording port and a table with exact hands and piles for the rule tests.
#include "kiv/engine/KivGame.h"

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
struct TestTable {
    KivGame doc;
    RecordingPort port;

    TestTable() {
        doc.SetPort(&port);
        for (Seat& seat : doc.seats) {
            seat.computer = false;
        }
        doc.LayoutTable(800, 600);
    }

    // Hands per seat, the discard pile bottom to top, and the stock: every
    // card not named elsewhere unless given.
    void Arrange(const std::vector<std::vector<int>>& hands, const std::vector<int>& pile,
                 const std::vector<int>* stock = nullptr) {
        doc.stock.cards.Clear();
        doc.discardPile.cards.Clear();
        std::vector<bool> used(kCardCount + 1);
        for (int s = 0; s < kSeatCount; ++s) {
            Seat& seat = doc.seats[s];
            seat.hand.Clear();
            seat.inRound = seat.plays;
            for (int n : s < static_cast<int>(hands.size()) ? hands[s] : std::vector<int>{}) {
                doc.cards[n].owner = s;
                doc.cards[n].pickable = true;
                seat.hand.Add(n);
                used[n] = true;
            }
            doc.LayoutHand(s, true);
        }
        for (int n : pile) {
            doc.discardPile.Push(n);
            used[n] = true;
        }
        for (int n = 1; n <= kCardCount; ++n) {
            if (!stock && !used[n]) {
                doc.stock.Push(n);
            }
        }
        for (int n : stock ? *stock : std::vector<int>{}) {
            doc.stock.Push(n);
        }
        for (const CardPile* pile : {&doc.stock, &doc.discardPile}) {
            for (int n : pile->cards) {
                doc.cards[n].owner = -1;
                doc.cards[n].pickable = false;
            }
        }
        doc.stock.drawable = !doc.stock.Empty();
        port.Clear();
    }
    // May the current seat lay `held` now? (Refusals land in the port.)
    bool Check(int held) {
        port.Clear();
        doc.heldCard = held;
        return doc.CheckPlay();
    }
    // `seat` lays `card` without any test.
    void Lay(int seat, int card) {
        doc.currentSeat = seat;
        doc.heldCard = card;
        doc.PlayCard(false);
    }
};

} // namespace kiv::testing
