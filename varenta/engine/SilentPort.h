#pragma once

#include "varenta/engine/VarentaPort.h"

namespace varenta {

// The port of the simulators: shows nothing, plays nothing, never waits, and
// answers every question on its own (Yes by default, "another game" as set).
class SilentPort final : public VarentaPort {
public:
    explicit SilentPort(bool anotherGame = true, bool answerYes = true)
        : anotherGame_(anotherGame), answerYes_(answerYes) {}

    void SetAnotherGame(bool yes) { anotherGame_ = yes; }
    void SetAnswerYes(bool yes) { answerYes_ = yes; }
    bool ProgramEnded() const { return programEnded_; }
    int GamesOver() const { return gamesOver_; }
    int HandsScored() const { return handsScored_; }

    bool AskYesNo(std::string_view question) override;
    void ShowHandResult(const HandResult& result) override;
    bool ShowGameOver(const GameOverResult& result) override;
    void EndProgram() override;

private:
    bool anotherGame_;
    bool answerYes_;
    bool programEnded_ = false;
    int gamesOver_ = 0;
    int handsScored_ = 0;
};

} // namespace varenta
