#include "varenta/engine/SilentPort.h"

namespace varenta {

bool SilentPort::AskYesNo(std::string_view /*question*/) {
    return answerYes_;
}

void SilentPort::ShowHandResult(const HandResult& /*result*/) {
    ++handsScored_;
}

bool SilentPort::ShowGameOver(const GameOverResult& /*result*/) {
    ++gamesOver_;
    return anotherGame_;
}

void SilentPort::EndProgram() {
    programEnded_ = true;
}

} // namespace varenta
