#pragma once

// A port and a move reporter that write down everything the engine does, for
// tests of any module. Header-only.

#include <optional>
#include <string>
#include <vector>

#include "varenta/engine/MoveReporter.h"
#include "varenta/engine/Texts.h"
#include "varenta/engine/VarentaPort.h"

namespace varenta::testing {

class RecordingPort : public VarentaPort {
public:
    struct Error {
        int index;
        std::string reason;
    };
    struct Message {
        MessageKind kind;
        std::string text;
    };

    std::vector<Hint> hints;
    std::vector<Error> errors;
    std::vector<Message> messages;
    std::vector<std::string> questions;
    std::vector<std::string> sounds;
    std::vector<std::string> turnNotices;
    std::vector<std::string> rulesMenuHints;
    std::vector<HandResult> handResults;
    std::vector<GameOverResult> gameOvers;
    std::vector<int> delays;
    std::vector<int> handDifferences;
    std::vector<GameOutcome> gameOutcomes;
    std::vector<bool> waitCursor;
    int moves = 0;
    int flashes = 0;
    int meldPauses = 0;
    bool undoEnabled = false;
    bool programEnded = false;
    bool answerYes = true;
    bool anotherGame = true;

    std::optional<Hint> LastHint() const {
        return hints.empty() ? std::nullopt : std::optional<Hint>(hints.back());
    }
    int LastError() const { return errors.empty() ? 0 : errors.back().index; }
    std::string LastErrorText() const {
        if (errors.empty()) {
            return {};
        }
        return std::string(texts::kErrors[errors.back().index]) + errors.back().reason;
    }
    void Clear() {
        hints.clear();
        errors.clear();
        messages.clear();
        sounds.clear();
        questions.clear();
    }

    void ShowHint(Hint hint) override { hints.push_back(hint); }
    void ShowError(int errorIndex, std::string_view reason) override {
        errors.push_back({errorIndex, std::string(reason)});
    }
    void SetRulesMenuHint(std::string_view text) override { rulesMenuHints.emplace_back(text); }
    void SetUndoEnabled(bool enabled) override { undoEnabled = enabled; }
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.push_back({kind, std::string(text)});
    }
    bool AskYesNo(std::string_view question) override {
        questions.emplace_back(question);
        return answerYes;
    }
    void ShowTurnNotice(std::string_view text) override { turnNotices.emplace_back(text); }
    void ShowHandResult(const HandResult& result) override { handResults.push_back(result); }
    bool ShowGameOver(const GameOverResult& result) override {
        gameOvers.push_back(result);
        return anotherGame;
    }
    void PlaySound(std::string_view eventName) override { sounds.emplace_back(eventName); }
    void MoveCard(const Card& /*card*/, int /*fromX*/, int /*fromY*/, int /*toX*/, int /*toY*/,
                  bool flash) override {
        ++moves;
        flashes += flash ? 1 : 0;
    }
    void Delay(int milliseconds) override { delays.push_back(milliseconds); }
    void OpponentMeldPause() override { ++meldPauses; }
    void SetWaitCursor(bool on) override { waitCursor.push_back(on); }
    void RecordHandResult(int difference) override { handDifferences.push_back(difference); }
    void RecordGameResult(GameOutcome outcome, int /*difference*/) override {
        gameOutcomes.push_back(outcome);
    }
    void EndProgram() override { programEnded = true; }
};

// Writes each reported move as one line in the session's words, e.g.
// "MELD 17" or "UNDO 5 17".
class RecordingReporter : public MoveReporter {
public:
    std::vector<std::string> lines;

    void Deal(std::string_view dealString) override {
        lines.push_back("DEAL " + std::to_string(dealString.size()));
    }
    void DrawNew(const Card& card) override { Add("DRAWNEW " + std::to_string(card.code)); }
    void DrawPileTop(const Card& card) override { Add("DRAWPILETOP " + std::to_string(card.code)); }
    void DrawPileRest() override { Add("DRAWPILEREST"); }
    void UndoPile() override { Add("UNDOPILE"); }
    void Meld(int code) override { Add("MELD " + std::to_string(code)); }
    void MeldWildCard(int code, int column) override {
        Add("MELDWILDCARD " + std::to_string(code) + " " + std::to_string(column));
    }
    void Undo(int column, int code) override {
        Add("UNDO " + std::to_string(column) + " " + std::to_string(code));
    }
    void Discard(int code) override { Add("DISCARD " + std::to_string(code)); }
    void DiscardRedThree(int code) override { Add("DISCARDREDTHREE " + std::to_string(code)); }
    void PassDiscard() override { Add("PASSDISCARD"); }
    void Rules(std::string_view rulesText) override { Add("RULES " + std::string(rulesText)); }

    bool Contains(const std::string& line) const {
        for (const std::string& l : lines) {
            if (l == line) {
                return true;
            }
        }
        return false;
    }

private:
    void Add(std::string line) { lines.push_back(std::move(line)); }
};

} // namespace varenta::testing
