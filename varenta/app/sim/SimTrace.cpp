#include "varenta/app/sim/SimTrace.h"

namespace varenta::sim {

void SimTrace::line(std::string_view text, int a, int b) {
    if (out_ == nullptr || closed_) {
        return;
    }
    *out_ << text;
    if (a >= 0) {
        *out_ << ' ' << a;
    }
    if (b >= 0) {
        *out_ << ' ' << b;
    }
    *out_ << '\n';
}

void SimTrace::HandDealt(std::string_view dealString) {
    movesThisHand = 0;
    if (out_ == nullptr || closed_ || dealString.empty()) {
        return;
    }
    // The deal string's first character is '0' + who draws first, then one
    // byte per card: its stock slot + 1.
    *out_ << "DEAL " << static_cast<char>(dealString[0]);
    for (std::size_t i = 1; i < dealString.size(); ++i) {
        *out_ << ' ' << static_cast<int>(static_cast<unsigned char>(dealString[i]));
    }
    *out_ << '\n';
}

void SimTrace::HandEnded(int wentOut, int playerHandScore, int opponentHandScore) {
    ++playerTurnEnds;
    if (closed_) {
        return;
    }
    if (checkHandEnd) {
        checkHandEnd(wentOut);
    }
    if (out_ != nullptr) {
        *out_ << "END " << wentOut << ' ' << playerHandScore << ' ' << opponentHandScore << '\n';
    }
    ++hands;
    playerHandPoints += playerHandScore;
    computerHandPoints += opponentHandScore;
    if (playerHandScore > opponentHandScore) {
        ++playerHandWins;
    } else if (playerHandScore < opponentHandScore) {
        ++computerHandWins;
    } else {
        ++handDraws;
    }
    if (stopAfterHand && stopAfterHand()) {
        closed_ = true;
    }
}

void SimTrace::GameOver(int playerScore, int opponentScore) {
    if (closed_) {
        return;
    }
    if (out_ != nullptr) {
        *out_ << "GAMEOVER " << playerScore << ' ' << opponentScore << '\n';
    }
    ++games;
    if (stopAfterGame && stopAfterGame()) {
        closed_ = true;
    }
}

} // namespace varenta::sim
