#pragma once

// A recording port and a way to lay out an exact table for the rule tests.
#include "kiv/engine/CZelvioDoc.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace kiv::testing {

inline int C(int suit, int rank) {
    return CardNumber(suit, rank);
}

class RecordingPort : public KivPort {
public:
    // Everything in call order, e.g. "wave falsch.wav", "message 1092".
    std::vector<std::string> log;
    std::vector<int> messages;
    std::vector<std::string> pane0;
    std::vector<std::string> pane1; // "<id>|<suffix>"
    std::vector<GameEvent> events;
    std::vector<int> questions;
    std::vector<GameResults> results;
    std::vector<std::string> loserNames;
    int rankingEntries = 0;
    int pauses = 0;
    bool answerYes = false;
    int jackSuit = kKaro;

    void ShowMessage(int textId) override {
        messages.push_back(textId);
        log.push_back("message " + std::to_string(textId));
    }
    void ShowLoserMessage(int before, const std::string& name, int after) override {
        loserNames.push_back(name);
        log.push_back("loser " + std::to_string(before) + " " + name + " " + std::to_string(after));
    }
    bool AskYesNo(int textId) override {
        questions.push_back(textId);
        log.push_back("ask " + std::to_string(textId));
        return answerYes;
    }
    void PlayWave(Wave wave) override { log.push_back(std::string("wave ") + WaveName(wave)); }
    void SetStatusText(int pane, int textId, std::string_view suffix) override {
        const std::string entry = std::to_string(textId) + "|" + std::string(suffix);
        (pane == 0 ? pane0 : pane1).push_back(entry);
    }
    void SetStatusReadyLiteral() override { pane0.push_back("Bereit"); }
    int Pause(int ms) override {
        ++pauses;
        return ms;
    }
    int AskJackSuit() override {
        log.push_back("jack dialog");
        return jackSuit;
    }
    void ShowResults(const GameResults& r) override {
        results.push_back(r);
        log.push_back("results");
    }
    void AddResultsToRanking() override { ++rankingEntries; }
    void OnGameEvent(const GameEvent& event) override {
        events.push_back(event);
        if (event.kind == GameEventKind::Turn) {
            log.push_back("turn " + std::to_string(event.seat));
        }
    }

    bool Logged(const std::string& entry) const {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }
    int Count(GameEventKind kind) const {
        return static_cast<int>(std::count_if(
            events.begin(), events.end(), [kind](const GameEvent& e) { return e.kind == kind; }));
    }
    void Clear() {
        log.clear();
        messages.clear();
        pane0.clear();
        pane1.clear();
        events.clear();
        questions.clear();
    }
};

// A document whose four seats are all human (so no computer move starts by
// itself) with a recording port, and a way to set up exact hands and piles.
struct TestTable {
    CZelvioDoc doc;
    RecordingPort port;

    TestTable() {
        doc.SetPort(&port);
        for (Seat& seat : doc.seats) {
            seat.computer = false;
        }
        doc.LayoutTable(800, 600);
    }

    // hands per seat, the discard pile from bottom to top, and the stock (by
    // default every remaining card in ascending order).
    void Arrange(const std::vector<std::vector<int>>& hands, const std::vector<int>& pile,
                 const std::vector<int>* stockCards = nullptr) {
        doc.stock.cards.Clear();
        doc.discardPile.cards.Clear();
        std::array<bool, kCardCount + 1> used{};
        for (int s = 0; s < kSeatCount; ++s) {
            Seat& seat = doc.seats[s];
            seat.hand.Clear();
            seat.inRound = seat.plays;
            seat.hasDrawn = false;
            for (int n : s < static_cast<int>(hands.size()) ? hands[s] : std::vector<int>{}) {
                PlayingCard& card = doc.cards[n];
                card.owner = s;
                card.pickable = true;
                card.faceUp = !seat.computer;
                seat.hand.Add(n);
                used[n] = true;
            }
            doc.LayoutHand(s, true);
        }
        for (int n : pile) {
            Loose(n);
            doc.discardPile.Push(n);
            used[n] = true;
        }
        if (stockCards) {
            for (int n : *stockCards) {
                Loose(n);
                doc.stock.Push(n);
                used[n] = true;
            }
        } else {
            for (int n = 1; n <= kCardCount; ++n) {
                if (!used[n]) {
                    Loose(n);
                    doc.stock.Push(n);
                }
            }
        }
        doc.stock.drawable = !doc.stock.Empty();
        doc.heldCard = 0;
        port.Clear();
    }

    // Every card not named goes nowhere: used to build tables with an empty
    // stock. Keeps the 32-card invariant only when the caller names them all.
    void Loose(int n) {
        PlayingCard& card = doc.cards[n];
        card.owner = -1;
        card.pickable = false;
        card.covered = false;
        card.faceUp = true;
    }

    std::vector<int> HandOf(int seat) const {
        const Hand& hand = doc.seats[seat].hand;
        return std::vector<int>(hand.begin(), hand.end());
    }
};

} // namespace kiv::testing
